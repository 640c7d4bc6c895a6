// Ten thousand random editing commands on random dialogs, with the invariants checked after
// every one: the store keeps a row, every change sets the modified flag, and what is saved
// loads back with every record intact.

#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/Document.h"
#include "editing/EditSession.h"
#include "editing/LineCommands.h"
#include "lang/LanguageLoader.h"
#include "support/Rows.h"
#include "support/TestFiles.h"
#include "tools/BlockLayout.h"
#include "tools/LineBuffers.h"
#include "tools/Renumber.h"
#include "wizard/WizardModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

class RandomDialogs {
public:
    explicit RandomDialogs(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    std::string text() {
        static const char* const words[] = {
            "river", "ferry", "coin",     "Tobin",
            "mist",  "bell",  "\xC4\xE0", "\xEF\xF0\xE8\xE2\xE5\xF2",
            "go_on"};
        std::string t;
        for (int i = below(4) + 1; i > 0; --i)
            t += std::string(words[below(9)]) + (chance(20) ? ", " : " ");
        return t;
    }

    DialogLine line(int number, bool player) {
        DialogLine l;
        l[ColNumber] = std::to_string(number);
        static const char* const generated[] = {"G:1 12, 0 20", "M:3 14", "Q:7", "F:", "A:2"};
        l[ColText] = chance(15) ? generated[below(5)] : text();
        if (player) {
            l[ColGender] = chance(30) ? std::to_string(below(3) - 1) : "";
            l[ColIntelligence] = std::to_string(below(19) - 9);
            l[ColTest] = chance(50) ? "gf " + std::to_string(below(50)) + " 1, sk 3 " +
                                          std::to_string(below(40))
                                    : "";
        } else if (chance(30)) {
            l[ColGender] = text();
        }
        l[ColResponse] = std::to_string(chance(80) ? below(number + 30) : -below(3));
        l[ColResult] =
            chance(40) ? "gv " + std::to_string(below(9)) + " +1, jo 1 " + std::to_string(below(60))
                       : "";
        l[ColComment] = chance(20) ? "note " + text() : "";
        return l;
    }

    DialogLines dialog() {
        DialogLines rows;
        int number = 1;
        for (int block = below(8) + 1; block > 0; --block) {
            rows.push_back(line(number++, false));
            for (int p = below(5); p > 0; --p)
                rows.push_back(line(number++, true));
            if (chance(30))
                rows.push_back(DialogLine{});
        }
        return rows;
    }

private:
    std::mt19937 m_random;
};

// The seven fields of the records (rows with a number) whose cells the format can hold, in
// order. Comments are left out: the format moves the comment of a row without a record to
// the next record.
std::vector<DialogLine> Records(const DialogLines& rows) {
    std::vector<DialogLine> records;
    for (DialogLine row : Unpacked(rows)) {
        row[ColComment].clear();
        bool storable = !row[ColNumber].empty();
        for (const std::string& cell : row)
            storable = storable && cell.find_first_of("{}\r\n") == std::string::npos;
        if (storable)
            records.push_back(row);
    }
    return records;
}

TEST(RandomEditsSoak, TenThousandCommandsKeepTheInvariants) {
    TempFolder folder;
    LanguageTables tables;
    ParseLanguage(ReadAll(DOLMEX_SOURCE_DIR "/lang/english.lng"), tables);
    RandomDialogs random(20261208);
    Document document;
    PlainEditSession session(document);
    LineStore& store = document.store();
    LineBuffers buffers(folder.root() + "/");
    WizardModel wizard(tables, session);
    const std::string savePath = folder.path("00001Soak.dlg");

    const auto anyRow = [&] { return random.below(store.rowCount() - 1) + 1; };
    const auto anyBlock = [&] {
        const int first = anyRow();
        return RowBlock{first, std::min(store.rowCount() - 1, first + random.below(3))};
    };
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"new dialog", [&] { store.replaceAll(random.dialog()); }},
        {"append", [&] { AppendLine(store); }},
        {"insert", [&] { InsertLine(store, anyRow()); }},
        {"delete", [&] { DeleteLines(store, anyBlock()); }},
        {"move up",
         [&] {
             RowBlock b = anyBlock();
             MoveLinesUp(store, b);
         }},
        {"move down",
         [&] {
             RowBlock b = anyBlock();
             MoveLinesDown(store, b);
         }},
        {"copy text", [&] { CopyTextToGender(store, anyRow()); }},
        {"copy gender", [&] { CopyGenderToText(store, anyRow()); }},
        {"edit cell", [&] { store.setCell(anyRow(), random.below(8), random.text()); }},
        {"buffer copy",
         [&] {
             const RowBlock b = anyBlock();
             buffers.Copy(store, b.first, b.last);
         }},
        {"buffer append",
         [&] {
             const RowBlock b = anyBlock();
             buffers.Append(store, b.first, b.last);
         }},
        {"buffer cut",
         [&] {
             const RowBlock b = anyBlock();
             buffers.Cut(store, b.first, b.last);
         }},
        {"buffer cut append",
         [&] {
             const RowBlock b = anyBlock();
             buffers.CutAppend(store, b.first, b.last);
         }},
        {"buffer paste", [&] { buffers.Paste(store, anyRow()); }},
        {"buffer select", [&] { buffers.select(random.below(5) + 1); }},
        {"buffer clear",
         [&] {
             if (random.chance(10))
                 buffers.Clear();
         }},
        {"number block", [&] { NumberBlock(store, anyRow()); }},
        {"separators", [&] { InsertSeparators(store); }},
        {"delete empty", [&] { DeleteEmptyLines(store); }},
        {"clear comments", [&] { session.perform(EditVerb::ClearComments, ClearComments); }},
        {"renumber",
         [&] {
             RenumberOptions options;
             options.blocks = random.chance(50);
             options.step = random.below(5) + 1;
             options.blockSize = options.step + random.below(20) + 1;
             session.perform(EditVerb::Renumber,
                             [&](LineStore& s) { return Renumber(s, options, tables); });
         }},
        {"wizard apply",
         [&] {
             wizard.open(anyRow());
             wizard.FormActivate();
             wizard.typeText(EditBox::LineEdit1, random.text());
             wizard.SpeedButton6Click();
         }},
    };

    for (int step = 0; step < 10'000; ++step) {
        const auto& [name, command] =
            commands[static_cast<std::size_t>(random.below(static_cast<int>(commands.size())))];
        const DialogLines before = store.lines();
        document.setModified(false);
        command();
        ASSERT_GE(store.rowCount(), 2) << "step " << step << ": " << name;
        if (store.lines() != before) {
            ASSERT_TRUE(document.isModified()) << "step " << step << ": " << name;
        }
        if (step % 25 == 0) {
            WriteDialogFile(savePath, store.lines());
            const DialogLines loaded = ReadDialogFile(savePath);
            ASSERT_EQ(Records(loaded), Records(store.lines())) << "step " << step << ": " << name;
            const std::string canonical = SerializeDialog(loaded);
            ASSERT_EQ(SerializeDialog(ParseDialog(canonical)), canonical) << "step " << step;
        }
    }
}

} // namespace
} // namespace dolmex
