#pragma once

// The broken files a user can meet, made on disk, and the checks shared by the tests that
// feed them to every file reader.

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

namespace badinput {

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

inline std::string Name(Bad bad) {
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

inline std::string ByteRange(int first, int last) {
    std::string bytes;
    for (int b = first; b <= last; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

inline std::string RandomBytes() {
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
inline void Place(Bad bad, const std::string& path, const Shape& shape) {
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
inline std::optional<std::string> WhyNot(Bad bad) {
    if (bad == Bad::NoReadPermission && geteuid() == 0)
        return "running as root, where a missing read permission does not stop reading";
    if (bad == Bad::ReadFails && !fs::exists(kReadFailTarget))
        return std::string("no ") + kReadFailTarget + " to stand for a failing disk";
    return std::nullopt;
}

// Every entry below `root` with its kind, mode and bytes, links not followed.
using Snapshot = std::map<std::string, std::string>;

inline Snapshot TakeSnapshot(const std::string& root) {
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
inline void ExpectSameFiles(const Snapshot& before, const Snapshot& after) {
    ASSERT_EQ(before.size(), after.size()) << "files were added or removed";
    for (const auto& [name, record] : before) {
        const auto found = after.find(name);
        ASSERT_NE(found, after.end()) << name << " disappeared";
        EXPECT_TRUE(found->second == record) << name << " changed";
    }
}

inline std::string Shown(const std::string& cell) {
    return cell.size() <= 80 ? cell : "<" + std::to_string(cell.size()) + " bytes>";
}

inline void ExpectRows(const std::vector<DialogLine>& actual,
                       const std::vector<DialogLine>& expected) {
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

inline DialogLine Row(std::vector<std::string> cells) {
    DialogLine line;
    for (std::size_t c = 0; c < cells.size(); ++c)
        line[c] = std::move(cells[c]);
    return line;
}

// The row a line of `count` "{" gives: a "{" opens a field wherever it stands, and the
// last character of a line is never read, so field k holds count - 1 - k braces.
inline DialogLine BracesRow(std::size_t count) {
    DialogLine line;
    for (std::size_t k = 1; k <= kFieldCount; ++k)
        line[k - 1] = std::string(count - 1 - k, '{');
    return line;
}

inline std::string Describe(const std::optional<IoError::Kind>& error) {
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
inline std::optional<IoError::Kind> Outcome(const std::string& path, Read&& read) {
    try {
        read();
    } catch (const IoError& error) {
        EXPECT_EQ(error.path(), path);
        return error.kind();
    }
    return std::nullopt;
}

const DialogLine kEmptyRow{};

// What a case expects of the reader.
enum class Then {
    Gives,    // the reader returns what `rows` / the case says
    KeepsAll, // the reader reports failure and nothing it holds changes
    Anything, // random input: only no crash, no hang and no file change
};

} // namespace badinput
} // namespace dolmex
