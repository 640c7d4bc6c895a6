#include "core/Document.h"
#include "core/IoError.h"
#include "editing/EditSession.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

TEST(Document, StartsUntitledWithOneEmptyRow) {
    Document document;
    PlainEditSession session(document);
    EXPECT_EQ(document.caption(), "00000 - Untitled");
    EXPECT_EQ(document.store().rowCount(), 2);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.lineCountText("Lines"), "");
}

TEST(Document, LoadDerivesCaptionModuleRootAndLineCount) {
    TempFolder folder;
    QDir(QString::fromStdString(folder.root())).mkpath("Mod/dlg");
    const std::string path = folder.write("Mod/dlg/00123Old_Man.dlg",
                                          "{1}{Hi}{}{}{}{2}{}\r\n\r\n{2}{Bye}{}{}{}{}{}\r\n");
    Document document;
    PlainEditSession session(document);
    document.store().setCell(1, ColText, "edited");
    ASSERT_TRUE(document.isModified());

    ASSERT_TRUE(session.load(path));
    EXPECT_EQ(document.caption(), "00123 - Old Man");
    EXPECT_EQ(document.moduleRoot(), folder.root() + "/Mod/");
    EXPECT_EQ(document.fileName(), path);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.lineCountText("Lines"), "Lines : 3");
}

TEST(Document, MissingFileChangesNothing) {
    TempFolder folder;
    Document document;
    PlainEditSession session(document);
    document.store().setCell(1, ColNumber, "5");
    EXPECT_FALSE(session.load(folder.path("absent.dlg")));
    EXPECT_FALSE(session.load(folder.root())); // a folder cannot be opened either
    EXPECT_EQ(document.store().cell(1, ColNumber), "5");
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.caption(), "00000 - Untitled");
    EXPECT_EQ(document.fileName(), "");
}

TEST(Document, SaveClearsTheFlagAndNamesTheDocument) {
    TempFolder folder;
    Document document;
    PlainEditSession session(document);
    document.store().setLine(1, DialogLine{"1", "Hi", "", "", "", "", "", "note"});
    const std::string path = folder.path("00009Guard.dlg");
    session.saveAs(path);
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.fileName(), path);
    EXPECT_EQ(document.caption(), "00009 - Guard");
    EXPECT_EQ(ReadAll(path), "//note\r\n{1}{Hi}{}{}{}{}{}\r\n");
}

TEST(Document, FailedSaveKeepsTheFlagAndTheFilesOnDisk) {
    TempFolder folder;
    const std::string existing = folder.write("00001Old.dlg", "old bytes");
    Document document;
    PlainEditSession session(document);
    ASSERT_TRUE(session.load(existing));
    document.store().setCell(1, ColText, "changed");

    const std::string targets[] = {folder.root(), folder.path("no/such/folder/x.dlg")};
    for (const std::string& target : targets) {
        EXPECT_THROW(session.saveAs(target), IoError) << target;
        EXPECT_TRUE(document.isModified());
        EXPECT_EQ(document.fileName(), existing);
    }
    EXPECT_EQ(ReadAll(existing), "old bytes");
    EXPECT_EQ(QDir(QString::fromStdString(folder.root())).entryList(QDir::Files),
              QStringList{"00001Old.dlg"})
        << "no temporary file may be left behind";
}

TEST(Document, NewKeepsTheFlagAndTheModuleRoot) {
    TempFolder folder;
    QDir(QString::fromStdString(folder.root())).mkpath("M/dlg");
    Document document;
    PlainEditSession session(document);
    ASSERT_TRUE(session.load(folder.write("M/dlg/00001A.dlg", "{1}{a}")));
    document.store().setCell(1, ColText, "b");
    session.reset();
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.store().rowCount(), 2);
    EXPECT_EQ(document.store().cell(1, ColNumber), "");
    EXPECT_EQ(document.caption(), "00000 - Untitled");
    EXPECT_EQ(document.fileName(), "");
    EXPECT_EQ(document.moduleRoot(), folder.root() + "/M/");
}

TEST(Document, KeepsTheLoadNotesUntilASaveOrNew) {
    TempFolder folder;
    const std::string path = folder.write("00001A.dlg", "junk\n{1}{a}\n//late\n");
    Document document;
    PlainEditSession session(document);
    ASSERT_TRUE(session.load(path));
    EXPECT_EQ(document.loadNotes().size(), 3u);
    session.saveAs(path);
    EXPECT_TRUE(document.loadNotes().empty());
    ASSERT_TRUE(session.load(folder.write("00002B.dlg", "{1}{a}")));
    EXPECT_EQ(document.loadNotes().size(), 1u);
    session.reset();
    EXPECT_TRUE(document.loadNotes().empty());
}

} // namespace
} // namespace dolmex

#include "core/PathCase.h"

namespace dolmex {
namespace {

TEST(PathCase, FindsFilesWhoseLetterCaseDiffers) {
    TempFolder folder;
    QDir(QString::fromStdString(folder.root())).mkpath("Mod/MES");
    folder.write("Mod/MES/GameArea.Mes", "x");
    folder.write("Mod/exact.mes", "y");
    const std::string root = folder.root() + "/Mod/";
    const std::pair<const char*, std::string> cases[] = {
        {"mes\\gamearea.mes", root + "MES/GameArea.Mes"},
        {"mes/GAMEAREA.MES", root + "MES/GameArea.Mes"},
        {"exact.mes", root + "exact.mes"},
        {"mes\\absent.mes", root + "MES/absent.mes"},
        {"none\\absent.mes", root + "none/absent.mes"},
    };
    for (const auto& [relative, expected] : cases)
        EXPECT_EQ(ResolvePathIgnoringCase(root, relative), expected) << relative;
    EXPECT_EQ(ResolvePathIgnoringCase(folder.root() + "\\Mod", "exact.mes"), root + "exact.mes");
}

} // namespace
} // namespace dolmex
