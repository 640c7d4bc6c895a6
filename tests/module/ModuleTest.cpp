// The module panel's logic: names and numbers from file names, the summary of a file, the
// table of a module and its filter.

#include "core/DialogReader.h"
#include "module/DialogFindings.h"
#include "module/DialogSummary.h"
#include "module/ModuleFiles.h"
#include "module/ModuleModel.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDir>

#include <limits>

namespace dolmex {
namespace {

using test::TempFolder;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

TEST(DialogFileNaming, TakesTheLeadingDigitsAsTheNumberAndTheRestAsTheName) {
    struct Case {
        const char* file;
        const char* number;
        int value;
        const char* name;
    };
    const Case cases[] = {
        {"00001Ferryman.dlg", "00001", 1, "Ferryman"},
        {"12345Old Tom.dlg", "12345", 12345, "Old Tom"},
        {"00001.dlg", "00001", 1, ""},
        {"Ferryman.dlg", "", -1, "Ferryman"},
        {"00002Miller.DLG", "00002", 2, "Miller"},
        {"00003 Guard.dlg", "00003", 3, "Guard"},
        {"00005Guard2.dlg", "00005", 5, "Guard2"},
        {"00004Ferry.old.dlg", "00004", 4, "Ferry.old"},
        {"00006Notes.txt", "00006", 6, "Notes.txt"},
        {"99999999999Big.dlg", "99999999999", -1, "Big"}, // too large to be a value
        {".dlg", "", -1, ""},
        {"\xd9\xa1\xd9\xa2Name.dlg", "", -1, "\xd9\xa1\xd9\xa2Name"}, // Arabic-Indic digits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const DialogFileNaming naming = NameOfDialogFile(QString::fromUtf8(c.file));
        EXPECT_EQ(naming.number, QString::fromUtf8(c.number));
        EXPECT_EQ(naming.value, c.value);
        EXPECT_EQ(naming.name, QString::fromUtf8(c.name));
    }
}

// Two lines, no problem: the greeting's one answer ends the talk.
const char* kSound = "{1}{Hello}{}{}{}{}{}\r\n"
                     "{2}{Bye}{}{1}{}{0}{}\r\n";
// A response to a line no one has, a block nothing leads to, and a file line (the stray
// comment at the end, on a row of its own) that saving would drop: three problems.
const char* kFaulty = "{1}{Hello}{}{}{}{}{}\r\n"
                      "{2}{Go}{}{1}{}{99}{}\r\n"
                      "\r\n"
                      "{10}{Lonely}{}{}{}{}{}\r\n"
                      "//dangling\r\n";

TEST(DialogSummary, CountsTheGridRowsAndWhatCheckReports) {
    TempFolder folder;
    struct Case {
        const char* name;
        const char* bytes;
        int lines;
        int problems;
    };
    const Case cases[] = {
        {"00001Sound.dlg", kSound, 2, 0},
        {"00002Faulty.dlg", kFaulty, 5, 3},
        {"00003Empty.dlg", "", 1, 0}, // the grid's one empty row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Q(folder.write(c.name, c.bytes));
        const DialogSummary summary = SummarizeDialog(path);
        EXPECT_TRUE(summary.readable()) << summary.readError.toStdString();
        EXPECT_EQ(summary.path, path);
        EXPECT_EQ(summary.naming, NameOfDialogFile(QString::fromLatin1(c.name)));
        EXPECT_EQ(summary.lines, c.lines);
        EXPECT_EQ(summary.problems, c.problems);
        EXPECT_EQ(summary.stamp, StampOf(path));
        EXPECT_EQ(summary.stamp.size, static_cast<qint64>(std::string(c.bytes).size()));
    }
}

TEST(DialogSummary, SaysWhyAFileCannotBeRead) {
    TempFolder folder;
    const QString missing = Q(folder.path("00004Gone.dlg"));
    const QString aFolder = Q(folder.path("00005Folder.dlg"));
    QDir().mkpath(aFolder);
    for (const QString& path : {missing, aFolder}) {
        SCOPED_TRACE(path.toStdString());
        const DialogSummary summary = SummarizeDialog(path);
        EXPECT_FALSE(summary.readable());
        EXPECT_FALSE(summary.readError.isEmpty());
        EXPECT_FALSE(summary.readError.contains(path)) << "the row names the file already";
        EXPECT_EQ(summary.lines, 0);
        EXPECT_EQ(summary.problems, 0);
    }
    EXPECT_EQ(SummarizeDialog(missing).stamp, FileStamp{});
    EXPECT_EQ(SummarizeDialog(aFolder).readError, QStringLiteral("is a folder"));
}

TEST(ModuleFiles, TheDialogFolderIsTheModulesDlgOrTheDialogsOwn) {
    TempFolder folder;
    for (const char* file : {"Greywater/dlg/00001Ferryman.dlg", "Greywater/dlg/old/00002Miller.dlg",
                             "Loose/00003Guard.dlg", "Upper/DLG/00004Smith.dlg"})
        folder.write(file, kSound);
    const QString root = Q(folder.root());
    struct Case {
        const char* dialog;
        const char* folder;
    };
    const Case cases[] = {
        {"/Greywater/dlg/00001Ferryman.dlg", "/Greywater/dlg"},
        {"/Greywater/dlg/old/00002Miller.dlg", "/Greywater/dlg/old"},
        {"/Loose/00003Guard.dlg", "/Loose"},
        {"/Upper/DLG/00004Smith.dlg", "/Upper/DLG"},
        {"/Greywater/dlg/00009New.dlg", "/Greywater/dlg"}, // not saved yet
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        EXPECT_EQ(DialogFolderOf(root + QString::fromLatin1(c.dialog)),
                  root + QString::fromLatin1(c.folder));
    }
    EXPECT_TRUE(DialogFolderOf({}).isEmpty()); // an untitled dialog has no module
}

DialogSummary Summary(const char* path, int lines, int problems, const char* error = "") {
    DialogSummary summary;
    summary.path = QString::fromLatin1(path);
    summary.naming = NameOfDialogFile(summary.path.section(QLatin1Char('/'), -1));
    summary.lines = lines;
    summary.problems = problems;
    summary.readError = QString::fromLatin1(error);
    return summary;
}

QStringList Column(const QAbstractItemModel& model, int column, int role = Qt::DisplayRole) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells << model.index(row, column).data(role).toString();
    return cells;
}

class ModuleModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        filter.setSourceModel(&model);
        model.setTexts({"No", "Who", "Rows", "Faults"}, "unreadable: %1");
        for (const DialogSummary& s :
             {Summary("/m/dlg/00010Guard.dlg", 30, 2), Summary("/m/dlg/00001Ferryman.dlg", 50, 0),
              Summary("/m/dlg/12345Old Tom.dlg", 7, 1),
              Summary("/m/dlg/00002Miller.dlg", 0, 0, "Permission denied"),
              Summary("/m/dlg/Notes.dlg", 3, 0)})
            model.update(s);
    }

    ModuleModel model;
    ModuleFilter filter;
    // Fails the program on any inconsistency of the model's signals and indexes.
    QAbstractItemModelTester modelCheck{&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester filterCheck{&filter,
                                         QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ModuleModelTest, KeepsOneRowPerFileInPathOrder) {
    EXPECT_EQ(Column(model, ModuleModel::Number),
              QStringList({"00001", "00002", "00010", "12345", ""}));
    EXPECT_EQ(Column(model, ModuleModel::Name),
              QStringList({"Ferryman", "Miller", "Guard", "Old Tom", "Notes"}));
    // An unreadable file says why where its counts would stand.
    EXPECT_EQ(Column(model, ModuleModel::Lines),
              QStringList({"50", "unreadable: Permission denied", "30", "7", "3"}));
    EXPECT_EQ(Column(model, ModuleModel::Problems), QStringList({"0", "", "2", "1", "0"}));
    EXPECT_EQ(model.headerData(ModuleModel::Problems, Qt::Horizontal, Qt::DisplayRole),
              QStringLiteral("Faults"));
    EXPECT_EQ(model.withProblems(), 3);

    // Read again: the row changes in place.
    model.update(Summary("/m/dlg/00002Miller.dlg", 12, 4));
    model.update(Summary("/m/dlg/00010Guard.dlg", 31, 0));
    model.remove(QStringLiteral("/m/dlg/12345Old Tom.dlg"));
    model.remove(QStringLiteral("/m/dlg/00099Never.dlg"));
    EXPECT_EQ(Column(model, ModuleModel::Lines), QStringList({"50", "12", "31", "3"}));
    EXPECT_EQ(model.withProblems(), 1);
    EXPECT_EQ(model.rowOf(QStringLiteral("/m/dlg/00010Guard.dlg")), 2);
    EXPECT_EQ(model.rowOf(QStringLiteral("/m/dlg/12345Old Tom.dlg")), -1);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(ModuleModelTest, SortsNumbersByValueAndUnreadableFilesAsTheWorst) {
    model.update(Summary("/m/dlg/7Seven.dlg", 1, 0));
    filter.sort(ModuleModel::Number, Qt::AscendingOrder);
    EXPECT_EQ(Column(filter, ModuleModel::Number),
              QStringList({"", "00001", "00002", "7", "00010", "12345"}));
    filter.sort(ModuleModel::Name, Qt::AscendingOrder);
    EXPECT_EQ(Column(filter, ModuleModel::Name),
              QStringList({"Ferryman", "Guard", "Miller", "Notes", "Old Tom", "Seven"}));
    filter.sort(ModuleModel::Problems, Qt::DescendingOrder);
    EXPECT_EQ(Column(filter, ModuleModel::Name).mid(0, 3),
              QStringList({"Miller", "Guard", "Old Tom"}));
    filter.sort(ModuleModel::Lines, Qt::AscendingOrder);
    EXPECT_EQ(Column(filter, ModuleModel::Name).first(), QStringLiteral("Miller"));
    // A row read again moves to its place.
    model.update(Summary("/m/dlg/00001Ferryman.dlg", 0, 0));
    EXPECT_EQ(Column(filter, ModuleModel::Name).mid(0, 2), QStringList({"Miller", "Ferryman"}));
}

TEST_F(ModuleModelTest, FiltersByEveryWordInNumberOrNameInAnyCase) {
    struct Case {
        const char* typed;
        QStringList names;
    };
    const Case cases[] = {
        {"", {"Ferryman", "Miller", "Guard", "Old Tom", "Notes"}},
        {"mIlL", {"Miller"}},
        {"0001", {"Ferryman", "Guard"}},
        {"12 tom", {"Old Tom"}},
        {"  old   TOM ", {"Old Tom"}},
        {"r", {"Ferryman", "Miller", "Guard"}},
        {"dlg", {}}, // the folder and the extension are no part of the name
        {"ferryman 2", {}},
        {"notes", {"Notes"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        filter.setFilterWords(QString::fromLatin1(c.typed));
        EXPECT_EQ(Column(filter, ModuleModel::Name), c.names);
    }
    // A file that arrives while a filter is typed is shown only when it matches.
    filter.setFilterWords(QStringLiteral("mill"));
    model.update(Summary("/m/dlg/00020Millbrook.dlg", 5, 0));
    model.update(Summary("/m/dlg/00021Smith.dlg", 5, 0));
    EXPECT_EQ(Column(filter, ModuleModel::Name), QStringList({"Miller", "Millbrook"}));
    EXPECT_EQ(filter.path(filter.index(1, ModuleModel::Lines)),
              QStringLiteral("/m/dlg/00020Millbrook.dlg"));
    EXPECT_EQ(filter.path({}), QString());
}

TEST(ModuleSummaries, AgreeWithCheckOnTheSampleModule) {
    const QStringList files = DialogFilesBelow(QStringLiteral(DOLMEX_SOURCE_DIR "/samples"));
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        LoadNotes notes;
        const DialogLines lines = ReadDialogFile(file.toStdString(), &notes);
        const DialogSummary summary = SummarizeDialog(file);
        EXPECT_EQ(summary.lines, static_cast<int>(lines.size()));
        EXPECT_EQ(summary.problems, static_cast<int>(FindDialogProblems(lines, notes).size()));
    }
}

} // namespace
} // namespace dolmex
