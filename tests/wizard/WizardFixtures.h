#pragma once

#include "core/Document.h"
#include "editing/EditSession.h"
#include "lang/LanguageTables.h"
#include "support/NameTables.h"
#include "wizard/WizardModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dolmex::test {

// Language tables whose descriptions show the arguments they were given, so list rows
// read plainly: "flag 12 set".
inline LanguageTables MakeWizardTables() {
    LanguageTables t;
    const auto test = [&](const char* code, const char* templ) { t.test.add({code, templ}); };
    test("gf", "flag #1 ?2{set,clear,clear,set,set}");
    test("pf", "pcflag #1 ?2{set,clear,clear,set,set}");
    test("gv", "var #1");
    test("gv", "var again #1");
    test("ra", "race &R1 ?1{is,is,is not,is,is}");
    test("tr", "training &S1 &D2");
    test("qu", "quest #1 &Q2");
    test("sk", "skill &S1");
    test("sc", "college &C1");
    test("al", "alignment #1");
    const auto result = [&](const char* code, const char* templ) { t.result.add({code, templ}); };
    result("al", "alignment ?1{plus,plus,minus,plus,below,above,other} #1");
    result("gf", "set flag #1 to #2");
    result("jo", "joins #1");
    result("uw", "rejoins #1");
    result("tr", "trains &S1 &D2");
    result("et", "teaches &S1");
    result("qu", "quest #1 &Q2");
    result("np", "item #1 #2");
    result("lv", "leaves");
    test::FillNameTables(t);
    for (int i = 0; i < 4; ++i)
        t.skillKind.set(i, "kind" + std::to_string(i));
    t.mainDescription.set(13, "unknown");
    t.player.set(0, "NPC");
    t.player.set(1, "Player");
    for (int i = 0; i < 7; ++i)
        t.gender.set(i, "gender" + std::to_string(i));
    // Kinds of generated lines: flag 1 NPC lines, 2 player lines, above 4 takes parameters.
    const auto kind = [&](char letter, std::uint8_t flags, const char* name) {
        t.generatedDialog[static_cast<std::size_t>(letter - 'A')] = {flags, name, {}, {}};
    };
    kind('A', 5, "Areas");  // NPC, parameters
    kind('B', 7, "Barter"); // both, parameters
    kind('C', 3, "Chat");   // both, none
    kind('D', 2, "Dare");   // player, none
    kind('E', 6, "Echo");   // player, parameters
    return t;
}

inline DialogLine Line(std::string n, std::string text, std::string gender, std::string in,
                       std::string tests, std::string response, std::string results,
                       std::string comment = {}) {
    return {std::move(n),     std::move(text),     std::move(gender),  std::move(in),
            std::move(tests), std::move(response), std::move(results), std::move(comment)};
}

class RecordingHost : public WizardHost {
public:
    void wizardApplied(int row) override { applied.push_back(row); }
    void wizardCloseRequested() override { ++closeRequests; }

    std::vector<int> applied;
    int closeRequests = 0;
};

class WizardTest : public ::testing::Test {
protected:
    // Loads the dialog, opens the wizard on `row` and shows it.
    void openOn(std::vector<DialogLine> lines, int row = 1) {
        doc.store().replaceAll(DialogLines(lines.begin(), lines.end()));
        doc.setModified(false);
        model.open(row);
        model.FormActivate();
    }
    void openLine(DialogLine line) { openOn({std::move(line)}); }

    const WizardControls& c() const { return model.controls(); }
    const std::string& cell(int column) const {
        return model.workingRow()[static_cast<std::size_t>(column)];
    }

    LanguageTables tables = MakeWizardTables();
    Document doc;
    PlainEditSession session{doc};
    RecordingHost host;
    WizardModel model{tables, session, &host};
};

} // namespace dolmex::test
