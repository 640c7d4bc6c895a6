#pragma once

// Finds what would make a dialog point at the wrong lines: references that no line
// answers, numbers used twice, and number cells that are not whole numbers.

#include "References.h"

#include "core/PackedLine.h"

#include <string>
#include <vector>

namespace dolmex {

struct DialogProblem {
    enum class Kind {
        UnresolvedReference, // `reference` says which
        DuplicateNumber,     // `otherRow` is the first row with the same number
        NotWholeNumber,      // the row's number cell reads as no whole number
    };
    int row = 0;
    Kind kind = Kind::UnresolvedReference;
    UnresolvedReference reference;
    int otherRow = 0;
    std::string number; // the row's number cell

    bool operator==(const DialogProblem&) const = default;
};

// The problems in row order; within a row: the number, then the references in the
// order renumbering reads them (response, text, gender text, results). A reference is
// checked against the positive numbers the rows carry, with every kind of reference
// included. Empty rows are no records and are not checked.
std::vector<DialogProblem> CheckDialog(const DialogLines& lines);

// One line of plain English for the command line, without the row.
std::string DescribeProblem(const DialogProblem& problem);

} // namespace dolmex
