#include "Settings.h"
#include "core/PathText.h"

#include "LineReader.h"
#include "core/FileBytes.h"
#include "core/TextFields.h"

#include <QFileInfo>

#include <algorithm>

namespace dolmex {

namespace {

std::string PaddedKey(const char* key) {
    std::string text(key);
    text.resize(18, ' ');
    return text;
}

int PositiveOr(std::string_view word, int current) {
    const std::int32_t value = ParseIntOrMinus1(word);
    return value > 0 ? value : current;
}

} // namespace

std::string SettingsPathFor(const std::string& programPath) {
    const std::size_t size = programPath.size();
    const bool hasExe = size >= 4 && programPath[size - 4] == '.' &&
                        (programPath.compare(size - 3, 3, "exe") == 0 ||
                         programPath.compare(size - 3, 3, "EXE") == 0);
    return hasExe ? programPath.substr(0, size - 3) + "ctl" : programPath + ".ctl";
}

void ParseSettings(std::string_view bytes, Settings& settings) {
    LineReader reader(bytes);
    std::string line;
    while (reader.ReadLine(line)) {
        const std::string key = WordAt(line, 1);
        if (key == "DefLanguage") {
            settings.defLanguage = WordAt(line, 2);
        } else if (key == "DefWindowSize") {
            const std::int32_t width = ParseIntOrMinus1(WordAt(line, 2));
            const std::int32_t height = ParseIntOrMinus1(WordAt(line, 3));
            if (width > 0 && height > 0) {
                settings.windowWidth = width;
                settings.windowHeight = height;
            }
        } else if (key == "DefColWidths") {
            for (unsigned i = 0; i < settings.colWidths.size(); ++i)
                settings.colWidths[i] = PositiveOr(WordAt(line, i + 2), settings.colWidths[i]);
        }
    }
}

std::string SerializeSettings(const Settings& settings) {
    // The name is read back as one word with "_" shown as a blank, so a blank goes out as "_".
    std::string language = settings.defLanguage;
    std::replace(language.begin(), language.end(), ' ', '_');
    std::string out = PaddedKey("DefLanguage") + language + "\r\n";
    out += PaddedKey("DefWindowSize") + IntText(settings.windowWidth) + " " +
           IntText(settings.windowHeight) + "\r\n";
    out += PaddedKey("DefColWidths");
    for (int width : settings.colWidths)
        out += IntText(width) + " ";
    out += "\r\n";
    return out;
}

void ReadSettings(const std::string& path, Settings& settings) {
    const Settings defaults;
    settings.windowWidth = defaults.windowWidth;
    settings.windowHeight = defaults.windowHeight;
    settings.colWidths = defaults.colWidths;
    // Runs also when reading throws, so the window always gets a language to load.
    struct LanguageFallback {
        Settings& settings;
        ~LanguageFallback() {
            if (settings.defLanguage.empty())
                settings.defLanguage = kFallbackLanguage;
        }
    } fallback{settings};
    if (QFileInfo::exists(PathText(path)))
        ParseSettings(ReadFileBytes(path), settings);
}

void WriteSettings(const std::string& path, const Settings& settings) {
    WriteFileAtomically(path, SerializeSettings(settings));
}

} // namespace dolmex
