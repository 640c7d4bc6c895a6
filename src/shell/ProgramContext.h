#pragma once

#include "lang/LanguageLoader.h"
#include "lang/LanguageTables.h"
#include "lang/Settings.h"

#include <string>
#include <vector>

namespace dolmex {

// What lives for the whole run and every window shares: the language tables, the settings,
// and where the program keeps its files.
struct ProgramContext {
    // The folder of the buffer files, with its final separator: the program's own folder, or
    // the user's configuration folder when an installed copy cannot write there.
    std::string programDir;
    std::string settingsPath;
    // The folder of the language files; empty: the same as `programDir`.
    std::string languageDir;
    // The program's full path, which the file-type registration names; empty: the running
    // executable.
    std::string programPath;
    // Where copies of unsaved changes are kept against a crash; empty: none are kept.
    std::string recoveryDir;
    // The settings file of the files opened last; empty: the list lives for the run only.
    std::string recentFilesPath;
    // The settings file of where the docks stand; empty: they start hidden every run.
    std::string windowStatePath;
    LanguageTables tables;
    Settings settings;
    // The captions the last language load gave the line wizard, applied when it is shown.
    std::vector<CaptionAssignment> wizardCaptions;
    int currentBuffer = 1;

    const std::string& languageFolder() const {
        return languageDir.empty() ? programDir : languageDir;
    }
};

} // namespace dolmex
