// A broken settings file: what the user gets and that no file on disk changed.

#include "BadInput.h"

namespace dolmex {
namespace {

using namespace badinput;

const Shape kSettingsShape{
    "DefLanguage       RUSSIAN.LNG\r\nDefWindowSize     1024 768\r\n",
    "DefWindowSize     " + std::string(kLongLine, '9') +
        " 600\r\nDefLanguage       RUSSIAN.LNG\r\n",
    "DefLanguage       RUSSIAN.LNG\r\nDefWindowSize     1024 768\r\n",
    "DefLanguage       \x98\x98.LNG\r\n",
};

Settings Made(std::string language, int width = 750, int height = 500) {
    Settings settings;
    settings.defLanguage = std::move(language);
    settings.windowWidth = width;
    settings.windowHeight = height;
    return settings;
}

// The defaults, and English because no language is named.
const Settings kFirstRun = Made(kFallbackLanguage);

struct SettingsCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    Settings settings = kFirstRun;
};

class SettingsBadInput : public testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsBadInput, ReadSettings) {
    const SettingsCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string path = folder.path("dolmex.ctl");
    Place(c.input, path, kSettingsShape);

    Settings settings;
    if (c.input == Bad::Vanishes) {
        ReadSettings(path, settings);
        ASSERT_EQ(settings, Made("RUSSIAN.LNG", 1024, 768));
        fs::remove(path);
    } else {
        // Stale values that every read must put back to the defaults.
        settings.windowWidth = 3;
        settings.colWidths.fill(3);
    }
    const Snapshot files = TakeSnapshot(folder.root());

    const auto error = Outcome(path, [&] { ReadSettings(path, settings); });

    EXPECT_EQ(Describe(error), Describe(c.error));
    if (c.then == Then::Anything) {
        EXPECT_FALSE(settings.defLanguage.empty());
        EXPECT_GT(settings.windowWidth, 0);
        EXPECT_GT(settings.windowHeight, 0);
        for (int width : settings.colWidths)
            EXPECT_GT(width, 0);
    } else {
        // Even after an error the window gets usable settings.
        EXPECT_EQ(settings, c.settings);
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SettingsBadInput,
    testing::Values(SettingsCase{Bad::Empty, Then::Gives}, SettingsCase{Bad::AllBytes, Then::Gives},
                    SettingsCase{Bad::RandomBytes, Then::Anything},
                    // Ten million digits are no number: the size stays; the next line still counts.
                    SettingsCase{Bad::LongLine, Then::Gives, {}, Made("RUSSIAN.LNG")},
                    SettingsCase{Bad::OnlyBraces, Then::Gives},
                    SettingsCase{Bad::OnlyCr, Then::Gives},
                    // The mark sticks to the first key, which no longer matches.
                    SettingsCase{Bad::Utf8Bom, Then::Gives, {}, Made(kFallbackLanguage, 1024, 768)},
                    SettingsCase{Bad::Invalid1251, Then::Gives, {}, Made("\x98\x98.LNG")},
                    SettingsCase{Bad::Folder, Then::Gives, IoError::Kind::Open},
                    SettingsCase{Bad::NoReadPermission, Then::Gives, IoError::Kind::Open},
                    SettingsCase{Bad::ReadFails, Then::Gives, IoError::Kind::Read},
                    // A missing file is a first run, not an error; the reader gives no default for
                    // a language it already has.
                    SettingsCase{Bad::Vanishes, Then::Gives, {}, Made("RUSSIAN.LNG")}),
    CaseName<SettingsCase>);

} // namespace
} // namespace dolmex
