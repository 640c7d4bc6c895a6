#pragma once

// Find across the dialog files of a module: the find bar's matching, file after file, for
// dolmex-cli's find and the editor's "Find in module" window (which runs it on a worker).

#include "core/PackedLine.h"
#include "search/CellMatcher.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

namespace dolmex {

class IoError;

// A cell that holds what was looked for.
struct ModuleMatch {
    QString file;
    int row = 0;    // 1 = the first line of the dialog, as the grid counts
    int column = 0; // 0 to 7, number to comment
    QString text;   // the whole cell, decoded
    bool operator==(const ModuleMatch&) const = default;
};

// The cells of one dialog that `matcher` finds, row by row, column 0 to 7 in each; a cell
// with several matches is listed once.
std::vector<ModuleMatch> FindInDialog(const QString& file, const DialogLines& lines,
                                      const CellMatcher& matcher);

struct ModuleFindHooks {
    // Checked before each file: when it turns true the search stops where it is.
    const std::atomic<bool>* cancel = nullptr;
    // After each file: how many of the `total` are done.
    std::function<void(int done, int total)> progress;
    // A file that cannot be read; the search goes on with the next one.
    std::function<void(const IoError& error)> unreadable;
    // When set, each file's matches go here as soon as they are found, and are not kept
    // in the result (a long listing need not stay in memory).
    std::function<void(const std::vector<ModuleMatch>& matches)> found;
};

struct ModuleFindResult {
    std::vector<ModuleMatch> matches; // in the order of the files, then as FindInDialog
    int filesSearched = 0;
    int filesUnreadable = 0;
    bool cancelled = false;
};

// The dialog open in the editor, searched as it stands there rather than as last saved.
struct OpenDialog {
    QString file;
    DialogLines lines;
};

// Reads `files` one after another and finds `matcher`'s cells in each; the file `open`
// names is searched in its lines instead.
ModuleFindResult FindInFiles(const QStringList& files, const CellMatcher& matcher,
                             const ModuleFindHooks& hooks = {}, const OpenDialog* open = nullptr);

} // namespace dolmex
