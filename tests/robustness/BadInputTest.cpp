// Every file reader fed the broken files a user can meet: what the user gets (the silent
// result or the I/O error) and that no file on disk changed.

#include "support/Rows.h"
#include "support/TestFiles.h"

#include "core/Document.h"
#include "core/IoError.h"
#include "core/LineStore.h"
#include "interp/FileMessageSource.h"
#include "interp/GameMessages.h"
#include "interp/LineDescriber.h"
#include "lang/LanguageLoader.h"
#include "lang/LanguageTables.h"
#include "lang/Settings.h"
#include "tools/LineBuffers.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace dolmex {

// Readable settings in test failures.
inline void PrintTo(const Settings& s, std::ostream* out) {
    *out << "{" << s.defLanguage << ", " << s.windowWidth << "x" << s.windowHeight << ", columns";
    for (int width : s.colWidths)
        *out << " " << width;
    *out << "}";
}

namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::TempFolder;

enum class Bad {
    Empty,
    AllBytes,         // 0 to 255 in order
    RandomBytes,      // fixed seed
    LongLine,         // one 10 MB line in the reader's own line form
    OnlyBraces,       // one line of a million "{"
    OnlyCr,           // CR alone is no line end: one line of CRs
    Utf8Bom,          // a well-formed file behind the 3 bytes EF BB BF
    Invalid1251,      // 0x98 has no character in Windows-1251; the bytes must pass through
    Folder,           // a folder where the file should be
    NoReadPermission, // mode 000
    ReadFails,        // opens, then every read fails (a bad sector)
    Vanishes,         // read once, then deleted before the next read
};

std::string Name(Bad bad) {
    switch (bad) {
    case Bad::Empty:
        return "Empty";
    case Bad::AllBytes:
        return "AllBytes";
    case Bad::RandomBytes:
        return "RandomBytes";
    case Bad::LongLine:
        return "LongLine";
    case Bad::OnlyBraces:
        return "OnlyBraces";
    case Bad::OnlyCr:
        return "OnlyCr";
    case Bad::Utf8Bom:
        return "Utf8Bom";
    case Bad::Invalid1251:
        return "Invalid1251";
    case Bad::Folder:
        return "Folder";
    case Bad::NoReadPermission:
        return "NoReadPermission";
    case Bad::ReadFails:
        return "ReadFails";
    case Bad::Vanishes:
        return "Vanishes";
    }
    return "?";
}

constexpr std::size_t kLongLine = 10 * 1024 * 1024;
constexpr std::size_t kBraces = 1'000'000;
constexpr std::size_t kCrs = 4096;
const std::string kBom = "\xEF\xBB\xBF";
// Opens like any file, and reading at offset 0 fails with EIO.
const char* const kReadFailTarget = "/proc/self/mem";

std::string ByteRange(int first, int last) {
    std::string bytes;
    for (int b = first; b <= last; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

std::string RandomBytes() {
    std::mt19937 random(20240917);
    std::string bytes(256 * 1024, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// What each reader's own lines look like; the inputs that wrap good lines use them.
struct Shape {
    std::string good;        // a well-formed file
    std::string longLine;    // holds the 10 MB line
    std::string bom;         // read after the byte-order mark
    std::string invalid1251; // carries 0x98 bytes
};

// Puts `bad` at `path`; the cases that read first and delete later make their own file.
void Place(Bad bad, const std::string& path, const Shape& shape) {
    fs::create_directories(fs::path(path).parent_path());
    const auto write = [&](const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    };
    switch (bad) {
    case Bad::Empty:
        write("");
        break;
    case Bad::AllBytes:
        write(ByteRange(0, 255));
        break;
    case Bad::RandomBytes:
        write(RandomBytes());
        break;
    case Bad::LongLine:
        write(shape.longLine);
        break;
    case Bad::OnlyBraces:
        write(std::string(kBraces, '{'));
        break;
    case Bad::OnlyCr:
        write(std::string(kCrs, '\r'));
        break;
    case Bad::Utf8Bom:
        write(kBom + shape.bom);
        break;
    case Bad::Invalid1251:
        write(shape.invalid1251);
        break;
    case Bad::Folder:
        fs::create_directories(path);
        std::ofstream(path + "/inside.txt", std::ios::binary) << shape.good;
        break;
    case Bad::NoReadPermission:
        write(shape.good);
        fs::permissions(path, fs::perms::none);
        break;
    case Bad::ReadFails:
        fs::create_symlink(kReadFailTarget, path);
        break;
    case Bad::Vanishes:
        write(shape.good);
        break;
    }
}

// Cases this machine cannot make: root reads any file, and not every system has a file
// that opens but cannot be read.
std::optional<std::string> WhyNot(Bad bad) {
    if (bad == Bad::NoReadPermission && geteuid() == 0)
        return "running as root, where a missing read permission does not stop reading";
    if (bad == Bad::ReadFails && !fs::exists(kReadFailTarget))
        return std::string("no ") + kReadFailTarget + " to stand for a failing disk";
    return std::nullopt;
}

// Every entry below `root` with its kind, mode and bytes, links not followed.
using Snapshot = std::map<std::string, std::string>;

Snapshot TakeSnapshot(const std::string& root) {
    Snapshot snapshot;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const fs::file_status status = entry.symlink_status();
        const std::string mode = std::to_string(static_cast<int>(status.permissions()));
        std::string& record = snapshot[fs::relative(entry.path(), root).string()];
        if (fs::is_symlink(status))
            record = "link " + fs::read_symlink(entry.path()).string();
        else if (fs::is_directory(status))
            record = "folder " + mode;
        else
            record = "file " + mode + " " + std::to_string(entry.file_size()) + " " +
                     ReadAll(entry.path().string());
    }
    return snapshot;
}

// Compares snapshots without printing megabytes of file content.
void ExpectSameFiles(const Snapshot& before, const Snapshot& after) {
    ASSERT_EQ(before.size(), after.size()) << "files were added or removed";
    for (const auto& [name, record] : before) {
        const auto found = after.find(name);
        ASSERT_NE(found, after.end()) << name << " disappeared";
        EXPECT_TRUE(found->second == record) << name << " changed";
    }
}

std::string Shown(const std::string& cell) {
    return cell.size() <= 80 ? cell : "<" + std::to_string(cell.size()) + " bytes>";
}

void ExpectRows(const std::vector<DialogLine>& actual, const std::vector<DialogLine>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t r = 0; r < expected.size(); ++r) {
        for (int c = 0; c < kColumnCount; ++c) {
            const auto& got = actual[r][static_cast<std::size_t>(c)];
            const auto& want = expected[r][static_cast<std::size_t>(c)];
            EXPECT_TRUE(got == want) << "row " << r << " column " << c << ": " << Shown(got)
                                     << " instead of " << Shown(want);
        }
    }
}

DialogLine Row(std::vector<std::string> cells) {
    DialogLine line;
    for (std::size_t c = 0; c < cells.size(); ++c)
        line[c] = std::move(cells[c]);
    return line;
}

// The row a line of `count` "{" gives: a "{" opens a field wherever it stands, and the
// last character of a line is never read, so field k holds count - 1 - k braces.
DialogLine BracesRow(std::size_t count) {
    DialogLine line;
    for (std::size_t k = 1; k <= kFieldCount; ++k)
        line[k - 1] = std::string(count - 1 - k, '{');
    return line;
}

std::string Describe(const std::optional<IoError::Kind>& error) {
    if (!error)
        return "no error";
    switch (*error) {
    case IoError::Kind::Open:
        return "open error";
    case IoError::Kind::Read:
        return "read error";
    case IoError::Kind::Write:
        return "write error";
    }
    return "?";
}

template <typename Case> std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return Name(info.param.input);
}

// Runs `read`, returning the kind of the I/O error it throws; the error must name `path`.
template <typename Read>
std::optional<IoError::Kind> Outcome(const std::string& path, Read&& read) {
    try {
        read();
    } catch (const IoError& error) {
        EXPECT_EQ(error.path(), path);
        return error.kind();
    }
    return std::nullopt;
}

// ---- dialog files ----------------------------------------------------------------------

const Shape kDialogShape{
    "{5}{Kept}{}{}{}{}{}\r\n",
    "{7}{" + std::string(kLongLine, 'x') + "}{}{}{}{}{}\r\n",
    "//greeting\r\n{1}{Hello}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{}{}\r\n",
    "//\x98 note\r\n{1}{\x98\x98}{}{}{}{}{}\r\n",
};

struct DialogState {
    std::vector<DialogLine> rows;
    std::string fileName;
    std::string caption;
    std::string moduleRoot;
    bool modified;
};

DialogState StateOf(const Document& doc) {
    return {Unpacked(doc.store().lines()), doc.fileName(), doc.caption(), doc.moduleRoot(),
            doc.isModified()};
}

void ExpectState(const DialogState& actual, const DialogState& expected) {
    ExpectRows(actual.rows, expected.rows);
    EXPECT_EQ(actual.fileName, expected.fileName);
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.moduleRoot, expected.moduleRoot);
    EXPECT_EQ(actual.modified, expected.modified);
}

enum class Then {
    Gives,    // the reader returns what `rows` / the case says
    KeepsAll, // the reader reports failure and nothing it holds changes
    Anything, // random input: only no crash, no hang and no file change
};

struct DialogCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    std::vector<DialogLine> rows = {};
};

class DialogBadInput : public testing::TestWithParam<DialogCase> {};

TEST_P(DialogBadInput, LoadDlg) {
    const DialogCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string good =
        folder.write("00001Good.dlg", "{1}{Old}{}{}{}{}{}\r\n{2}{Older}{}{}{}{}{}\r\n");
    const std::string path = folder.path("mod/dlg/00042Bad_Input.dlg");
    Place(c.input, path, kDialogShape);

    Document doc;
    if (c.input == Bad::Vanishes) {
        ASSERT_TRUE(doc.LoadDlg(path));
        const DialogState loaded = StateOf(doc);
        fs::remove(path);
        // The open document does not depend on its file.
        ExpectState(StateOf(doc), loaded);
    } else {
        ASSERT_TRUE(doc.LoadDlg(good));
        doc.store().setCell(1, ColText, "Edited");
    }
    const DialogState before = StateOf(doc);
    const Snapshot files = TakeSnapshot(folder.root());

    bool loaded = false;
    const auto error = Outcome(path, [&] { loaded = doc.LoadDlg(path); });

    EXPECT_EQ(Describe(error), Describe(c.error));
    switch (c.then) {
    case Then::Gives:
        EXPECT_TRUE(loaded);
        ExpectState(StateOf(doc),
                    {c.rows, path, "00042 - Bad Input", folder.path("mod") + "/", false});
        break;
    case Then::KeepsAll:
        EXPECT_FALSE(loaded);
        ExpectState(StateOf(doc), before);
        break;
    case Then::Anything:
        EXPECT_TRUE(loaded);
        EXPECT_GE(doc.store().dataRowCount(), 1);
        EXPECT_FALSE(doc.isModified());
        break;
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

const DialogLine kEmptyRow{};

INSTANTIATE_TEST_SUITE_P(
    Inputs, DialogBadInput,
    testing::Values(
        DialogCase{Bad::Empty, Then::Gives, {}, {kEmptyRow}},
        // Only the line 0x0B..0xFF holds a "{"; its first field is the one byte "|"
        // before the "}", and no "{" follows, so the other six fields are empty.
        DialogCase{Bad::AllBytes, Then::Gives, {}, {Row({"|"})}},
        DialogCase{Bad::RandomBytes, Then::Anything},
        DialogCase{Bad::LongLine, Then::Gives, {}, {Row({"7", std::string(kLongLine, 'x')})}},
        DialogCase{Bad::OnlyBraces, Then::Gives, {}, {BracesRow(kBraces)}},
        DialogCase{Bad::OnlyCr, Then::Gives, {}, {kEmptyRow}},
        // Text before the first "{" never hides a record, but the mark in front of "//"
        // makes the first line no comment: the greeting is lost.
        DialogCase{Bad::Utf8Bom, Then::Gives, {}, {Row({"1", "Hello"}), Row({"2", "Bye"})}},
        DialogCase{Bad::Invalid1251,
                   Then::Gives,
                   {},
                   {Row({"1", "\x98\x98", "", "", "", "", "", "\x98 note"})}},
        DialogCase{Bad::Folder, Then::KeepsAll}, DialogCase{Bad::NoReadPermission, Then::KeepsAll},
        DialogCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
        DialogCase{Bad::Vanishes, Then::KeepsAll}),
    CaseName<DialogCase>);

// ---- language files --------------------------------------------------------------------

const Shape kLanguageShape{
    "[PLAYER]\r\nNew NPC\r\nNew player\r\n",
    "[QUESTS]\r\n" + std::string(kLongLine, 'q') + "\r\nSecond quest\r\n",
    "[PLAYER]\r\nNew NPC\r\nNew player\r\n\r\n[QUESTS]\r\nNew quest\r\n",
    "[PLAYER]\r\n\x98 NPC\r\nPlayer \x98\r\n",
};

// What a previous language left in the tables.
const char* const kOldLanguage = "[TEST]\r\nqu Quest state\r\n\r\n"
                                 "[MAINDESCRIPTION]\r\nLine\r\n\r\n"
                                 "[PLAYER]\r\nOld NPC\r\nOld player\r\n\r\n"
                                 "[QUESTS]\r\nOld quest 0\r\nOld quest 1\r\n";

struct LanguageView {
    int testCount;
    std::string player0, player1, quest0, quest1, mainDescription0;
    std::size_t captions;

    bool operator==(const LanguageView&) const = default;
};

void PrintTo(const LanguageView& v, std::ostream* out) {
    *out << "{tests " << v.testCount << ", player " << v.player0 << "/" << v.player1 << ", quests "
         << Shown(v.quest0) << "/" << v.quest1 << ", md0 " << v.mainDescription0 << ", captions "
         << v.captions << "}";
}

LanguageView ViewOf(const LanguageTables& t, std::size_t captions) {
    return {t.test.count(), t.player[0],          t.player[1], t.quests[0],
            t.quests[1],    t.mainDescription[0], captions};
}

// The tables after a load that found no section it knows: the TEST and RESULT counts
// start again at each load, everything else keeps the old language.
const LanguageView kNothingRead{0,      "Old NPC", "Old player", "Old quest 0", "Old quest 1",
                                "Line", 0};

struct LanguageCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    LanguageView view = kNothingRead;
};

class LanguageBadInput : public testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageBadInput, LoadLanguage) {
    const LanguageCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string programDir = folder.path("program") + "/";
    const std::string path = programDir + "ENGLISH.LNG";
    Place(c.input, path, kLanguageShape);

    LanguageTables tables;
    ParseLanguage(kOldLanguage, tables);
    if (c.input == Bad::Vanishes) {
        std::string name = "english.lng";
        LoadLanguage(programDir, name, tables);
        fs::remove(path);
    }
    const LanguageView before = ViewOf(tables, 0);
    const Snapshot files = TakeSnapshot(folder.root());

    std::string defLanguage = "english.lng";
    std::size_t captions = 0;
    const auto error =
        Outcome(path, [&] { captions = LoadLanguage(programDir, defLanguage, tables).size(); });

    EXPECT_EQ(Describe(error), Describe(c.error));
    // The chosen name is kept, so it is stored at exit even when it could not be loaded.
    EXPECT_EQ(defLanguage, "ENGLISH.LNG");
    switch (c.then) {
    case Then::Gives:
        EXPECT_EQ(ViewOf(tables, captions), c.view);
        break;
    case Then::KeepsAll:
        EXPECT_EQ(ViewOf(tables, captions), before);
        break;
    case Then::Anything:
        EXPECT_LE(tables.test.count(), CodeTable::kCapacity);
        EXPECT_LE(tables.result.count(), CodeTable::kCapacity);
        break;
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

template <typename T> LanguageView With(LanguageView view, T LanguageView::*field, T value) {
    view.*field = value;
    return view;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LanguageBadInput,
    testing::Values(
        LanguageCase{Bad::Empty, Then::Gives},
        // Neither line starts with "[": no section at all.
        LanguageCase{Bad::AllBytes, Then::Gives}, LanguageCase{Bad::RandomBytes, Then::Anything},
        // The 10 MB entry is cut to the table's 40 characters; the next line still counts.
        LanguageCase{Bad::LongLine,
                     Then::Gives,
                     {},
                     With(With(kNothingRead, &LanguageView::quest0, std::string(40, 'q')),
                          &LanguageView::quest1, std::string("Second quest"))},
        LanguageCase{Bad::OnlyBraces, Then::Gives}, LanguageCase{Bad::OnlyCr, Then::Gives},
        // A header must start the line with "[": behind the mark, the first section is
        // not recognised and its lines are skipped up to the next header.
        LanguageCase{Bad::Utf8Bom,
                     Then::Gives,
                     {},
                     With(kNothingRead, &LanguageView::quest0, std::string("New quest"))},
        LanguageCase{Bad::Invalid1251,
                     Then::Gives,
                     {},
                     With(With(kNothingRead, &LanguageView::player0, std::string("\x98 NPC")),
                          &LanguageView::player1, std::string("Player \x98"))},
        LanguageCase{Bad::Folder, Then::KeepsAll, IoError::Kind::Open},
        LanguageCase{Bad::NoReadPermission, Then::KeepsAll, IoError::Kind::Open},
        LanguageCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
        LanguageCase{Bad::Vanishes, Then::KeepsAll, IoError::Kind::Open}),
    CaseName<LanguageCase>);

// ---- settings file ---------------------------------------------------------------------

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

// ---- line buffers ----------------------------------------------------------------------

const Shape kBufferShape{
    "{5}{Kept}{}{}{}{}{}\r\n",
    "{7}{" + std::string(kLongLine, 'x') + "}{}{}{}{}{}\r\n",
    "//greeting\r\n{1}{Hello}{}{}{}{}{}\r\n",
    "//\x98 note\r\n{1}{\x98\x98}{}{}{}{}{}\r\n",
};

const std::string kHint = "Buffer 1 - holds:";

struct BufferCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    std::vector<DialogLine> pasted = {};            // Gives: the rows inserted
    std::optional<std::string> hint = std::nullopt; // buffer 1's hint, when checked
    bool filled = true;
};

class BufferBadInput : public testing::TestWithParam<BufferCase> {};

TEST_P(BufferBadInput, PasteAndHint) {
    const BufferCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string programDir = folder.path("program") + "/";
    LineBuffers buffers(programDir);
    const std::string path = buffers.fileName(1);
    Place(c.input, path, kBufferShape);

    LineStore store;
    store.replaceAll({Row({"1", "One"}), Row({"2", "Two"})});
    if (c.input == Bad::Vanishes) {
        ASSERT_TRUE(buffers.Paste(store, 2).has_value());
        fs::remove(path);
    }
    const std::vector<DialogLine> before = Unpacked(store.lines());
    const Snapshot files = TakeSnapshot(folder.root());

    std::optional<PastedRows> pasted;
    const auto error = Outcome(path, [&] { pasted = buffers.Paste(store, 2); });
    LanguageTables tables;
    tables.mainDescription.set(15, "holds");
    tables.mainDescription.set(16, "empty");
    tables.mainDescription.set(17, "Buffer");
    const BufferHint hint = buffers.BuffHint(tables)[0];

    EXPECT_EQ(Describe(error), Describe(c.error));
    const std::vector<DialogLine> after = Unpacked(store.lines());
    switch (c.then) {
    case Then::Gives: {
        ASSERT_TRUE(pasted.has_value());
        EXPECT_EQ(pasted->first, 2);
        ASSERT_EQ(after.size(), before.size() + c.pasted.size());
        ExpectRows({after.begin() + 1, after.end() - 1}, c.pasted);
        EXPECT_EQ(after.front(), before.front());
        EXPECT_EQ(after.back(), before.back());
        break;
    }
    case Then::KeepsAll:
        EXPECT_FALSE(pasted.has_value());
        ExpectRows(after, before);
        break;
    case Then::Anything:
        EXPECT_EQ(after.size(), before.size() + (pasted ? pasted->count : 0));
        break;
    }
    if (c.hint) {
        EXPECT_EQ(hint.text, *c.hint);
        EXPECT_EQ(hint.filled, c.filled);
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

const std::string kEmptyHint = kHint + "empty";

INSTANTIATE_TEST_SUITE_P(
    Inputs, BufferBadInput,
    testing::Values(
        // An existing empty buffer pastes nothing but shows as filled, with 0 lines.
        BufferCase{Bad::Empty, Then::KeepsAll, {}, {}, kHint + "0 \n"},
        // No line starts with "{"; the hint counts both lines and shows the start of each.
        BufferCase{Bad::AllBytes,
                   Then::KeepsAll,
                   {},
                   {},
                   kHint + "2 \n" + ByteRange(0, 9) + "\n" + ByteRange(0x0B, 0x32) + ".."},
        BufferCase{Bad::RandomBytes, Then::Anything},
        BufferCase{Bad::LongLine,
                   Then::Gives,
                   {},
                   {Row({"7", std::string(kLongLine, 'x')})},
                   kHint + "1 \n{7}{" + std::string(36, 'x') + ".."},
        BufferCase{Bad::OnlyBraces,
                   Then::Gives,
                   {},
                   {BracesRow(kBraces)},
                   kHint + "1 \n" + std::string(40, '{') + ".."},
        BufferCase{
            Bad::OnlyCr, Then::KeepsAll, {}, {}, kHint + "1 \n" + std::string(40, '\r') + ".."},
        // Behind the mark the comment is no comment: one "{" line makes one row, and the
        // first line of the file takes the record's place, so the row comes out empty.
        BufferCase{Bad::Utf8Bom,
                   Then::Gives,
                   {},
                   {kEmptyRow},
                   kHint + "2 \n" + kBom + "//greeting\n{1}{Hello}{}{}{}{}{}"},
        BufferCase{Bad::Invalid1251,
                   Then::Gives,
                   {},
                   {Row({"1", "\x98\x98", "", "", "", "", "", "\x98 note"})},
                   kHint + "1 \n\x98 note\n{1}{\x98\x98}{}{}{}{}{}"},
        BufferCase{Bad::Folder, Then::KeepsAll, {}, {}, kEmptyHint, false},
        BufferCase{Bad::NoReadPermission, Then::KeepsAll, {}, {}, kEmptyHint, false},
        BufferCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
        BufferCase{Bad::Vanishes, Then::KeepsAll, {}, {}, kEmptyHint, false}),
    CaseName<BufferCase>);

// ---- game message files ----------------------------------------------------------------

const Shape kMessageShape{
    "{7}{The old mill}\r\n",
    "{7}{" + std::string(kLongLine, 'm') + "}\r\n",
    "{7}{First}\r\n{8}{Second}\r\n",
    "{7}{\x98 place}\r\n",
};

struct MessageCase {
    Bad input;
    Then then;
    std::optional<IoError::Kind> error = std::nullopt;
    std::vector<std::string> found = {}; // the quest texts the line's description shows
};

// The quest texts shown in the description of a player's line that tests quest 7.
struct Described {
    std::vector<std::string> found;
    bool headed = false; // the panel shows the quest heading and each text under it
};

Described DescribeQuestTest(LineDescriber& describer) {
    LineStore store;
    store.replaceAll({Row({"1", "Hi", "", "5", "qu 7"})});
    const LineDescription description = describer.MakeLineDescr(store, 1, {});
    Described result{describer.messages().texts(MessageKind::Quest)};
    std::vector<std::string> shown;
    bool underHeading = false;
    for (const DescLine& line : description.lines) {
        if (line.bold)
            underHeading = line.text == "Quests:";
        else if (underHeading)
            shown.push_back(line.text);
    }
    result.headed = shown == result.found;
    return result;
}

class MessageBadInput : public testing::TestWithParam<MessageCase> {
protected:
    MessageBadInput() {
        m_tables.mainDescription.set(33, ":");
        m_tables.mainDescription.set(34 + static_cast<int>(MessageKind::Quest), "Quests");
    }
    LanguageTables m_tables;
};

TEST_P(MessageBadInput, DescriptionOfAQuestTest) {
    const MessageCase& c = GetParam();
    if (const auto why = WhyNot(c.input))
        GTEST_SKIP() << *why;
    TempFolder folder;
    const std::string root = folder.path("module") + "/";
    const std::string path = root + "mes/gamequestlog.mes";
    Place(c.input, path, kMessageShape);

    FileMessageSource source(root);
    LineDescriber describer(m_tables, source);
    if (c.input == Bad::Vanishes) {
        ASSERT_EQ(DescribeQuestTest(describer).found,
                  std::vector<std::string>{"7 - \"The old mill\""});
        fs::remove(path);
    }
    const Snapshot files = TakeSnapshot(folder.root());

    Described described;
    const auto error = Outcome(path, [&] { described = DescribeQuestTest(describer); });

    EXPECT_EQ(Describe(error), Describe(c.error));
    if (!error && c.then != Then::Anything) {
        EXPECT_EQ(described.found, c.found);
        EXPECT_TRUE(described.headed);
    }
    ExpectSameFiles(files, TakeSnapshot(folder.root()));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, MessageBadInput,
    testing::Values(MessageCase{Bad::Empty, Then::Gives}, MessageCase{Bad::AllBytes, Then::Gives},
                    MessageCase{Bad::RandomBytes, Then::Anything},
                    // A stored text is cut to 160 characters.
                    MessageCase{Bad::LongLine, Then::Gives, {}, {"7 - \"" + std::string(155, 'm')}},
                    MessageCase{Bad::OnlyBraces, Then::Gives},
                    MessageCase{Bad::OnlyCr, Then::Gives},
                    // The number is found by counting "{", so the mark before it does no harm.
                    MessageCase{Bad::Utf8Bom, Then::Gives, {}, {"7 - \"First\""}},
                    MessageCase{Bad::Invalid1251, Then::Gives, {}, {"7 - \"\x98 place\""}},
                    MessageCase{Bad::Folder, Then::Gives},
                    MessageCase{Bad::NoReadPermission, Then::Gives},
                    MessageCase{Bad::ReadFails, Then::KeepsAll, IoError::Kind::Read},
                    // The file read before is not served from memory once it is gone.
                    MessageCase{Bad::Vanishes, Then::Gives}),
    CaseName<MessageCase>);

// A message file that comes back after it vanished is read again, not forgotten.
TEST(MessageFileBadInput, AFileThatComesBackIsReadAgain) {
    TempFolder folder;
    const std::string root = folder.path("module") + "/";
    const std::string path = root + "mes/gamequestlog.mes";
    Place(Bad::Vanishes, path, kMessageShape);
    FileMessageSource source(root);

    ASSERT_NE(source.messageFile(MessageKind::Quest), nullptr);
    fs::remove(path);
    EXPECT_EQ(source.messageFile(MessageKind::Quest), nullptr);
    std::ofstream(path, std::ios::binary) << "{7}{The mill, rebuilt}\r\n";
    const MessageFile* file = source.messageFile(MessageKind::Quest);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(file->lineCount(), 1u);
    EXPECT_EQ(file->text(0), "The mill, rebuilt");
}

} // namespace
} // namespace dolmex
