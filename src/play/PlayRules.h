#pragma once

// The game's rules for who may choose which answer, as a played conversation follows
// them: the player character's gender and intelligence, and the tests the program cannot
// evaluate, which pass unless the user makes them fail.

#include "core/PackedLine.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace dolmex {

struct LanguageTables;

enum class Gender { Male, Female };

inline constexpr int kLowestIntelligence = 1;
inline constexpr int kHighestIntelligence = 20;
inline constexpr int kDefaultIntelligence = 10;

struct Character {
    Gender gender = Gender::Male;
    int intelligence = kDefaultIntelligence;

    bool operator==(const Character&) const = default;
};

// Which tests fail: every one, or those picked by (row, item number from 1).
class TestAssumptions {
public:
    bool fails(int row, int item) const;
    void setFails(int row, int item, bool fails);
    void setAllFail(bool all) { m_allFail = all; }
    bool allFail() const { return m_allFail; }
    // Some test may fail: without, no test item needs counting.
    bool anyFail() const { return m_allFail || !m_failing.empty(); }

private:
    bool m_allFail = false;
    std::set<std::pair<int, int>> m_failing;
};

// Why a player line is not offered to the character; None when it is.
struct HiddenReason {
    enum class Kind {
        None,
        MaleOnly,       // gender 0
        FemaleOnly,     // gender 1
        UnknownGender,  // any gender other than empty, -1, 0 and 1
        TooDim,         // intelligence n: at least `bound` needed
        TooBright,      // intelligence -n: at most `bound` allowed
        NotWholeNumber, // an intelligence that is no whole number
        TestFails,      // test `bound` (item number) is set to fail
    };
    Kind kind = Kind::None;
    std::int32_t bound = 0;
    std::string cell; // the gender or intelligence cell, for the unknown ones

    bool operator==(const HiddenReason&) const = default;
};

// The reasons that hide `line` (a player line of data row `row`) from the character, in
// the order gender, intelligence, tests; empty when the character may choose it.
//
// The gender cell: empty or -1 any player, 0 male only, 1 female only, anything else no
// one (the description panel shows no line for it either). The intelligence cell: n > 0
// needs at least n, -n at most n; 0 sets no bound, and a cell that is no whole number
// hides the line, since no character's intelligence can be compared with it.
std::vector<HiddenReason> HiddenReasons(const PackedLine& line, int row, const Character& character,
                                        const TestAssumptions& tests);

// HiddenReasons(...).empty(), without listing the reasons.
bool IsOffered(const PackedLine& line, int row, const Character& character,
               const TestAssumptions& tests);

// The number of test items of a player line (up to the first empty item).
int TestCount(const PackedLine& line);

// The reason in the words of the language file.
std::string DescribeHidden(const LanguageTables& tables, const HiddenReason& reason);

// A cell read as a whole number, or nothing.
std::optional<std::int32_t> WholeNumber(std::string_view cell);

// Replaces "%1" in `pattern` with `first` and "%2" with `second`.
std::string Fill(const std::string& pattern, const std::string& first,
                 const std::string& second = {});

} // namespace dolmex
