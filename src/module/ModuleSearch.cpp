#include "ModuleSearch.h"

#include "ModuleFiles.h"
#include "core/Cp1251.h"
#include "core/DialogReader.h"
#include "core/IoError.h"
#include "core/PathText.h"

#include <QFileInfo>

namespace dolmex {

std::vector<ModuleMatch> FindInDialog(const QString& file, const DialogLines& lines,
                                      const CellMatcher& matcher) {
    std::vector<ModuleMatch> found;
    int row = 0;
    for (const PackedLine& line : lines) {
        ++row;
        for (int column = 0; column < kColumnCount; ++column) {
            if (matcher.searches(column) && matcher.matches(line[column]))
                found.push_back({file, row, column, FromCp1251(line[column])});
        }
    }
    return found;
}

ModuleFindResult FindInFiles(const QStringList& files, const CellMatcher& matcher,
                             const ModuleFindHooks& hooks, const OpenDialog* open) {
    ModuleFindResult result;
    const int total = static_cast<int>(files.size());
    // Compared by name first: a full path is looked up only for a file of the same name.
    const QString openName = open ? QFileInfo(open->file).fileName() : QString();
    bool openFound = false;
    const auto progress = [&] {
        if (hooks.progress)
            hooks.progress(result.filesSearched + result.filesUnreadable, total);
    };
    for (const QString& file : files) {
        if (hooks.cancel && hooks.cancel->load(std::memory_order_relaxed)) {
            result.cancelled = true;
            break;
        }
        DialogLines read;
        const DialogLines* lines = &read;
        if (open && !openFound && QFileInfo(file).fileName() == openName &&
            IsSameFile(file, open->file)) {
            openFound = true;
            lines = &open->lines;
        } else {
            try {
                read = ReadDialogFile(PathBytes(file));
            } catch (const IoError& error) {
                ++result.filesUnreadable;
                if (hooks.unreadable)
                    hooks.unreadable(error);
                progress();
                continue;
            }
        }
        std::vector<ModuleMatch> matches = FindInDialog(file, *lines, matcher);
        ++result.filesSearched;
        if (hooks.found)
            hooks.found(matches);
        else
            result.matches.insert(result.matches.end(), std::make_move_iterator(matches.begin()),
                                  std::make_move_iterator(matches.end()));
        progress();
    }
    return result;
}

} // namespace dolmex
