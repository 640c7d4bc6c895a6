#include "editing/EditSession.h"
#include "editing/LineCommands.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

namespace dolmex {
namespace {

// Counts the steps the session reports, as a history would see them.
class CountingSession : public EditSession {
public:
    explicit CountingSession(Document& document) : EditSession(document) {}
    std::vector<EditVerb> steps;
    int changes = 0;

private:
    void stepBegins(EditVerb verb) override { steps.push_back(verb); }
    void changeEnded(const LineStoreChange&) override { ++changes; }
};

TEST(EditSession, OnlyTheOutermostPerformIsAStep) {
    Document document;
    CountingSession session(document);
    const int row = session.perform(EditVerb::WizardApply, [&](LineStore& store) {
        store.setCell(1, ColText, "a");
        session.perform(EditVerb::AppendLine, [](LineStore& inner) { AppendLine(inner); });
        return store.rowCount() - 1;
    });
    EXPECT_EQ(row, 2);
    EXPECT_EQ(session.steps, (std::vector<EditVerb>{EditVerb::WizardApply}));
    EXPECT_EQ(session.changes, 2);
    // A change outside any perform is a step of its own.
    document.store().setCell(1, ColText, "b");
    document.store().removeLines(1, 1);
    EXPECT_EQ(session.steps, (std::vector<EditVerb>{EditVerb::WizardApply, EditVerb::EditCell,
                                                    EditVerb::ChangeLines}));
}

TEST(EditSession, EachVerbMarksTheDocumentByItsRule) {
    // The commands that mark the dialog even when they leave every cell as it was.
    const std::set<EditVerb> marksUnchanged = {EditVerb::ClearComments, EditVerb::Renumber,
                                               EditVerb::WizardApply};
    for (const EditVerbInfo& info : EditVerbs()) {
        for (const bool modifiedBefore : {false, true}) {
            Document document;
            PlainEditSession session(document);
            document.setModified(modifiedBefore);
            session.perform(info.verb, [](LineStore&) {});
            EXPECT_EQ(document.isModified(), modifiedBefore || marksUnchanged.contains(info.verb))
                << info.name;
            document.setModified(false);
            session.perform(info.verb, [](LineStore& store) { store.setCell(1, ColText, "x"); });
            EXPECT_TRUE(document.isModified()) << info.name;
        }
    }
}

TEST(EditSession, ACommandThatDidNotRunMarksOnlyWhatItChanged) {
    Document document;
    PlainEditSession session(document);
    // Renumbering refused: no report, nothing changed.
    session.perform(EditVerb::Renumber, [](LineStore&) { return std::optional<int>(); });
    EXPECT_FALSE(document.isModified());
    EXPECT_THROW(session.perform(EditVerb::ClearComments,
                                 [](LineStore&) { throw std::runtime_error("stopped"); }),
                 std::runtime_error);
    EXPECT_FALSE(document.isModified());
    EXPECT_THROW(session.perform(EditVerb::CutLines,
                                 [](LineStore& store) {
                                     store.removeLines(1, 1);
                                     throw std::runtime_error("stopped");
                                 }),
                 std::runtime_error);
    EXPECT_TRUE(document.isModified()) << "what was cut before the failure stays cut";
}

TEST(EditSession, LoadAndSaveClearTheFlagAndNewKeepsIt) {
    test::TempFolder folder;
    const std::string path = folder.write("00001A.dlg", "{1}{a}{}{}{}{}{}\r\n");
    Document document;
    PlainEditSession session(document);
    session.perform(EditVerb::AppendLine, [](LineStore& store) { AppendLine(store); });
    ASSERT_TRUE(session.load(path));
    EXPECT_FALSE(document.isModified()) << "the load itself is no edit";
    session.perform(EditVerb::EditCell, [](LineStore& store) { store.setCell(1, ColText, "b"); });
    session.reset();
    EXPECT_TRUE(document.isModified());
    session.saveAs(folder.path("00002B.dlg"));
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(session.load(folder.path("absent.dlg")));
    session.reset();
    EXPECT_FALSE(document.isModified());
}

} // namespace
} // namespace dolmex
