#include "lang/Settings.h"
#include "core/IoError.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

TEST(Settings, FileSitsBesideTheProgram) {
    EXPECT_EQ(SettingsPathFor("C:\\Games\\dolmex.exe"), "C:\\Games\\dolmex.ctl");
    EXPECT_EQ(SettingsPathFor("C:\\Games\\DOLMEX.EXE"), "C:\\Games\\DOLMEX.ctl");
    EXPECT_EQ(SettingsPathFor("/usr/bin/dolmex"), "/usr/bin/dolmex.ctl");
}

TEST(Settings, ParsingKeepsDefaultsForAnythingNotPositive) {
    struct Case {
        const char* name;
        std::string file;
        Settings expected;
    };
    const Settings defaults;
    auto with = [&](auto change) {
        Settings s = defaults;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"both sizes must be positive", "DefWindowSize     1024 0", defaults},
        {"size taken", "DefWindowSize     1024 768\r\n",
         with([](Settings& s) { s.windowWidth = 1024, s.windowHeight = 768; })},
        {"malformed widths keep their column", "DefColWidths      40 x 300",
         with([](Settings& s) { s.colWidths[0] = 40, s.colWidths[2] = 300; })},
        {"keys are case-sensitive", "deflanguage russian.lng", defaults},
        {"underscore reads as blank", "DefLanguage my_lang.lng",
         with([](Settings& s) { s.defLanguage = "my lang.lng"; })},
        {"EOF ends reading", "DefLanguage A.LNG\nEOF\nDefLanguage B.LNG",
         with([](Settings& s) { s.defLanguage = "A.LNG"; })},
        {"later line wins", "DefLanguage A.LNG\nDefLanguage B.LNG",
         with([](Settings& s) { s.defLanguage = "B.LNG"; })},
        {"huge numbers are no numbers",
         "DefWindowSize 99999999999999 5\nDefColWidths 2147483648 -5 0", defaults},
        {"largest 32-bit value is a number", "DefColWidths 2147483647",
         with([](Settings& s) { s.colWidths[0] = 2147483647; })},
    };
    for (const auto& c : cases) {
        Settings settings;
        ParseSettings(c.file, settings);
        EXPECT_EQ(settings, c.expected) << c.name;
    }
}

TEST(Settings, WritesThreePaddedLinesThatReadBack) {
    TempFolder folder;
    Settings settings;
    settings.defLanguage = "RUSSIAN.LNG";
    settings.colWidths[7] = 99;
    const std::string path = folder.path("dolmex.ctl");
    WriteSettings(path, settings);
    EXPECT_EQ(ReadAll(path), "DefLanguage       RUSSIAN.LNG\r\n"
                             "DefWindowSize     750 500\r\n"
                             "DefColWidths      30 250 250 20 70 20 70 99 \r\n");
    Settings read;
    read.windowWidth = 1;
    ReadSettings(path, read);
    EXPECT_EQ(read, settings);
}

TEST(Settings, LanguageNamesWithUnderscoresOrBlanksReadBackTheSame) {
    for (const char* line :
         {"DefLanguage my_lang.lng", "DefLanguage _a__b_.lng", "DefLanguage A.LNG"}) {
        Settings read;
        ParseSettings(line, read);
        Settings again;
        ParseSettings(SerializeSettings(read), again);
        EXPECT_EQ(again.defLanguage, read.defLanguage) << line;
    }
}

TEST(Settings, MissingFileFallsBackToEnglishWithoutError) {
    TempFolder folder;
    Settings settings;
    settings.windowHeight = 3;
    ReadSettings(folder.path("none.ctl"), settings);
    Settings expected;
    expected.defLanguage = "ENGLISH.LNG";
    EXPECT_EQ(settings, expected);
}

TEST(Settings, UnreadableFileIsAnErrorButLeavesUsableSettings) {
    TempFolder folder;
    Settings settings;
    EXPECT_THROW(ReadSettings(folder.root(), settings), IoError);
    EXPECT_EQ(settings.defLanguage, "ENGLISH.LNG");
    EXPECT_EQ(settings.windowWidth, 750);
}

TEST(Settings, UnwritableTargetIsAnError) {
    TempFolder folder;
    EXPECT_THROW(WriteSettings(folder.path("missing/dolmex.ctl"), Settings{}), IoError);
}

} // namespace
} // namespace dolmex
