#include "module/ModuleSearch.h"
#include "core/IoError.h"
#include "module/ModuleFiles.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::TempFolder;

CellMatcher Matcher(const QString& pattern, bool matchCase = false, bool regex = false) {
    FindQuery query;
    query.pattern = pattern;
    query.matchCase = matchCase;
    query.regex = regex;
    return CellMatcher::compile(query);
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A module of three dialogs, one of them in a subfolder; "\xC4\xE2\xE5\xF0\xFC" is "Дверь".
struct Module {
    TempFolder folder;
    QString one = Q(folder.write("Mod/dlg/00001One.dlg",
                                 "{1}{A door.}{}{}{}{2}{door}\r\n{2}{No}{}{}{}{0}{}\r\n"));
    QString two = Q(folder.write("Mod/dlg/00002Two.dlg", "{1}{\xC4\xE2\xE5\xF0\xFC}{}{}{}{0}{}\r\n"
                                                         "{2}{Doors, doors}{}{}{}{0}{}\r\n"));
    QString three = Q(folder.write("Mod/dlg/old/00003Three.dlg", "{1}{nothing}{}{}{}{0}{}\r\n"));
    QString dlg = Q(folder.path("Mod/dlg"));
};

TEST(ModuleSearch, ListsEachMatchingCellOnceInFileRowAndColumnOrder) {
    Module module;
    const ModuleFindResult result = FindInFiles(DialogFilesBelow(module.dlg), Matcher("door"));
    EXPECT_EQ(result.filesSearched, 3);
    EXPECT_FALSE(result.cancelled);
    const std::vector<ModuleMatch> expected{
        {module.one, 1, 1, "A door."},
        {module.one, 1, 6, "door"},
        {module.two, 2, 1, "Doors, doors"},
    };
    EXPECT_EQ(result.matches, expected);
}

TEST(ModuleSearch, SearchesTheOpenDialogAsItStandsHoweverItsPathWasReached) {
    Module module;
    DialogLines lines(1);
    lines.back().set(1, "a door, unsaved");
    const OpenDialog edited{Q(module.folder.path("Mod/dlg/old/../00001One.dlg")), lines};
    ASSERT_NE(edited.file, module.one);
    const ModuleFindResult result =
        FindInFiles(DialogFilesBelow(module.dlg), Matcher("door"), {}, &edited);
    EXPECT_EQ(result.filesSearched, 3);
    const std::vector<ModuleMatch> expected{
        {module.one, 1, 1, "a door, unsaved"},
        {module.two, 2, 1, "Doors, doors"},
    };
    EXPECT_EQ(result.matches, expected);
}

TEST(ModuleSearch, TakesTheQueryAsTheFindBarDoes) {
    Module module;
    const QStringList files = DialogFilesBelow(module.dlg);
    const struct {
        CellMatcher matcher;
        std::size_t count;
    } cases[] = {
        {Matcher("Door", true), 1},
        {Matcher("^no", false, true), 2}, // "No" and "nothing"
        {Matcher(QString::fromUtf8("ДВЕРЬ")), 1},
        {Matcher(""), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindInFiles(files, c.matcher).matches.size(), c.count)
            << c.matcher.query().pattern.toStdString();
    const auto cyrillic = FindInFiles(files, Matcher(QString::fromUtf8("дверь"))).matches;
    ASSERT_EQ(cyrillic.size(), 1u);
    EXPECT_EQ(cyrillic[0].text, QString::fromUtf8("Дверь"));
}

TEST(ModuleSearch, GoesOnPastAFileThatCannotBeRead) {
    Module module;
    QStringList errors;
    std::vector<int> progress;
    ModuleFindHooks hooks;
    hooks.unreadable = [&](const IoError& error) { errors << IoErrorText(error); };
    hooks.progress = [&](int done, int total) {
        EXPECT_EQ(total, 3);
        progress.push_back(done);
    };
    const ModuleFindResult result = FindInFiles(
        {Q(module.folder.path("absent.dlg")), module.one, module.two}, Matcher("door"), hooks);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("absent.dlg")) << errors[0].toStdString();
    EXPECT_EQ(result.filesUnreadable, 1);
    EXPECT_EQ(result.filesSearched, 2);
    EXPECT_EQ(result.matches.size(), 3u);
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
}

TEST(ModuleSearch, HandsMatchesOverFileByFileWhenAsked) {
    Module module;
    std::vector<std::size_t> perFile;
    ModuleFindHooks hooks;
    hooks.found = [&](const std::vector<ModuleMatch>& matches) {
        perFile.push_back(matches.size());
    };
    const ModuleFindResult result =
        FindInFiles(DialogFilesBelow(module.dlg), Matcher("door"), hooks);
    EXPECT_EQ(perFile, (std::vector<std::size_t>{2, 1, 0}));
    EXPECT_TRUE(result.matches.empty());
}

TEST(ModuleSearch, StopsAtTheNextFileOnceCancelled) {
    Module module;
    std::atomic<bool> cancel{false};
    ModuleFindHooks hooks;
    hooks.cancel = &cancel;
    hooks.progress = [&](int done, int) { cancel = done == 1; };
    const ModuleFindResult result =
        FindInFiles(DialogFilesBelow(module.dlg), Matcher("door"), hooks);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.filesSearched, 1);
    EXPECT_EQ(result.matches.size(), 2u);

    cancel = true;
    const ModuleFindResult none = FindInFiles({module.one}, Matcher("door"), hooks);
    EXPECT_TRUE(none.cancelled);
    EXPECT_EQ(none.filesSearched, 0);
}

} // namespace
} // namespace dolmex
