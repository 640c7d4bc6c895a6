#pragma once

#include "LanguageTables.h"

#include <string>
#include <string_view>
#include <vector>

namespace dolmex {

enum class TargetWindow { Main, Wizard };

enum class CaptionProperty {
    Caption,     // a menu item's, button's, label's or window's caption
    Hint,        // a button's tool tip
    ClearItems,  // empty a list control
    AddItem,     // append an item to a list control
    ColumnTitle, // the grid's comment column title
};

// One text a language file gives a control. Windows apply the ones that name their
// controls, in order.
struct CaptionAssignment {
    TargetWindow window;
    std::string control;
    CaptionProperty property;
    std::string text;

    bool operator==(const CaptionAssignment&) const = default;
};

// Fills `tables` from the content of a language file and returns the caption
// assignments it makes, in file order. Any bytes are accepted.
std::vector<CaptionAssignment> ParseLanguage(std::string_view bytes, LanguageTables& tables);

// The language loader: upper-cases `defLanguage` in place, finds that file in
// `programDir` (letter case ignored, since the stored name is upper-case) and parses it.
// Throws IoError, leaving `tables` untouched, when the file cannot be read.
std::vector<CaptionAssignment> LoadLanguage(const std::string& programDir, std::string& defLanguage,
                                            LanguageTables& tables);

// The radio item of the language menu that matches a (upper-cased) language name.
const char* LanguageMenuItem(const std::string& defLanguage);

// After a load the main window copies menu captions to tool-button hints.
struct HintSource {
    const char* toolButton;
    const char* menuItem;
};
extern const std::array<HintSource, 13> kToolButtonHintSources;

} // namespace dolmex
