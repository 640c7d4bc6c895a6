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
    // The folder of the language, settings and buffer files, with its final separator.
    std::string programDir;
    std::string settingsPath;
    LanguageTables tables;
    Settings settings;
    // The captions the last language load gave the line wizard, applied when it is shown.
    std::vector<CaptionAssignment> wizardCaptions;
    int currentBuffer = 1;
};

} // namespace dolmex
