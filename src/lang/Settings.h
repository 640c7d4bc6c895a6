#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dolmex {

inline constexpr const char* kFallbackLanguage = "ENGLISH.LNG";

// What the program keeps between runs: the language file, the main window's size and
// the grid's column widths.
struct Settings {
    std::string defLanguage;
    int windowWidth = 750;
    int windowHeight = 500;
    std::array<int, 8> colWidths{30, 250, 250, 20, 70, 20, 70, 20};

    bool operator==(const Settings&) const = default;
};

// The settings file sits beside the program: "dolmex.exe" -> "dolmex.ctl"; a program
// without the extension (as on Linux) gets ".ctl" appended.
std::string SettingsPathFor(const std::string& programPath);

// Applies the lines of a settings file over `settings`; values that are not positive
// numbers leave the current ones.
void ParseSettings(std::string_view bytes, Settings& settings);

// A language name's blanks are written as "_", so the name reads back the same.
std::string SerializeSettings(const Settings& settings);

// Resets the size and widths to their defaults, then applies the file. A missing file is
// normal on a first run. Whenever no language is named afterwards, English is taken. A
// file that exists but cannot be read throws IoError, with `settings` already usable.
void ReadSettings(const std::string& path, Settings& settings);

// Throws IoError; an existing file is replaced only once the new one is complete.
void WriteSettings(const std::string& path, const Settings& settings);

} // namespace dolmex
