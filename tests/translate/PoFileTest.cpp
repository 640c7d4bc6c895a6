#include "translate/PoFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

// Entries that exercise the writer's every branch: long texts it wraps, non-ASCII, quotes
// and backslashes it escapes, notes, references, a fuzzy flag and empty fields.
std::vector<PoEntry> Catalogue(int count) {
    std::vector<PoEntry> entries;
    for (int i = 0; i < count; ++i) {
        PoEntry entry;
        entry.context = QStringLiteral("00001Ann.dlg:%1").arg(i);
        entry.source = i % 3 == 0
                           ? QStringLiteral("Привет, путник \"%1\" \\ ").repeated(i % 7 + 1).arg(i)
                           : QStringLiteral("Line %1").arg(i);
        entry.translation = i % 5 == 0 ? QStringLiteral("Hello %1").arg(i) : QString();
        entry.note = i % 4 == 0 ? QStringLiteral("Greeting number %1").arg(i) : QString();
        entry.referenceFile = i % 6 == 0 ? QString() : QStringLiteral("dlg/00001Ann.dlg");
        entry.referenceLine = i + 1;
        entry.fuzzy = i % 10 == 0; // only translated messages keep the flag
        entries.push_back(entry);
    }
    return entries;
}

TEST(PoFile, WritingInPartsGivesTheSameBytesAsInOneProcess) {
    const TempFolder folder;
    const std::vector<PoEntry> entries = Catalogue(500);
    WritePoFile(folder.path("one.po"), entries, 1);
    const std::string one = ReadAll(folder.path("one.po"));
    for (const int parts : {2, 3, 8, 0}) {
        SCOPED_TRACE(parts);
        WritePoFile(folder.path("parts.po"), entries, parts);
        EXPECT_EQ(ReadAll(folder.path("parts.po")), one);
    }
    const std::vector<PoEntry> read = ReadPoFile(folder.path("parts.po"));
    ASSERT_EQ(read.size(), entries.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].context, entries[i].context);
        EXPECT_EQ(read[i].source, entries[i].source);
        EXPECT_EQ(read[i].fuzzy, entries[i].fuzzy);
    }
}

TEST(PoFile, MorePartsThanEntriesStillWriteOneHeader) {
    const TempFolder folder;
    for (const int count : {0, 1, 2}) {
        SCOPED_TRACE(count);
        const std::vector<PoEntry> entries = Catalogue(count);
        WritePoFile(folder.path("one.po"), entries, 1);
        WritePoFile(folder.path("parts.po"), entries, 5);
        EXPECT_EQ(ReadAll(folder.path("parts.po")), ReadAll(folder.path("one.po")));
        EXPECT_EQ(ReadPoFile(folder.path("parts.po")).size(), entries.size());
    }
}

} // namespace
} // namespace dolmex
