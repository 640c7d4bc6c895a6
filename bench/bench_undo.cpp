// What an undo step costs on a 100,000-line dialog: memory in proportion to what the step
// changed, not to the dialog, and a history of a thousand steps.

#include "RatioReporter.h"

#include "core/Document.h"
#include "core/MemoryTuning.h"
#include "editing/LineCommands.h"
#include "lang/LanguageTables.h"
#include "tools/Renumber.h"
#include "ui/UndoHistory.h"

#include <QUndoStack>

#include <functional>

namespace {

constexpr int kLines = 100'000;

dolmex::DialogLines Dialog() {
    dolmex::DialogLines rows;
    for (int i = 1; i <= kLines; ++i)
        rows.push_back(dolmex::DialogLine{std::to_string(i * 10), "Ask about the river crossing",
                                          "", i % 10 == 1 ? "" : "1", "gf 12 1, sk 3 20",
                                          std::to_string(i * 10 + 10), "gv 4 +1, mm 17",
                                          i % 10 == 1 ? "Block start" : ""});
    return rows;
}

struct Session {
    dolmex::Document document;
    QUndoStack stack;
    dolmex::UndoHistory history{document, stack};

    Session() {
        document.store().replaceAll(Dialog());
        stack.clear();
    }

    // Heap bytes one step keeps in the history.
    std::size_t step(const std::function<void(dolmex::Document&)>& change) {
        const std::size_t before = dolmex::bench::HeapInUse();
        history.perform(dolmex::EditVerb::ChangeLines,
                        [&](dolmex::LineStore&) { change(document); });
        return dolmex::bench::HeapInUse() - before;
    }
};

void CellEditStep(benchmark::State& state) {
    static Session session;
    int row = 1;
    for (auto _ : state)
        session.document.store().setCell(row++ % kLines + 1, dolmex::ColText, "Changed text");
}

} // namespace

BENCHMARK(CellEditStep)->Unit(benchmark::kMicrosecond)->Iterations(1000);

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({});

    Session session;
    const std::size_t dialogBytes = [] {
        const std::size_t before = dolmex::bench::HeapInUse();
        dolmex::Document copy;
        copy.store().replaceAll(Dialog());
        return dolmex::bench::HeapInUse() - before;
    }();
    dolmex::LanguageTables tables;
    const std::pair<const char*, std::function<void(dolmex::Document&)>> steps[] = {
        {"UndoStepCellEdit",
         [](dolmex::Document& d) { d.store().setCell(500, dolmex::ColText, "x"); }},
        {"UndoStepDelete10Lines",
         [](dolmex::Document& d) {
             dolmex::DeleteLines(d.store(), {100, 109});
         }},
        {"UndoStepMoveUp",
         [](dolmex::Document& d) {
             dolmex::RowBlock b{300, 302};
             dolmex::MoveLinesUp(d.store(), b);
         }},
        {"UndoStepRenumberAll",
         [&](dolmex::Document& d) {
             dolmex::Renumber(d.store(), dolmex::RenumberOptions{}, tables);
         }},
    };
    for (const auto& [name, change] : steps) {
        const std::size_t bytes = session.step(change);
        reporter.addRow(name, "DialogInMemory", static_cast<double>(bytes) / dialogBytes,
                        std::string(name) == "UndoStepRenumberAll" ? 1.0 : 0.001,
                        std::to_string(bytes / 1024) + "KiB");
    }
    for (int i = 0; i < 1000; ++i)
        session.step(
            [i](dolmex::Document& d) { d.store().setCell(i + 1, dolmex::ColGender, "g"); });
    reporter.addRow("UndoHistorySteps", "1000 steps", 1000.0 / session.stack.count(), 1.0,
                    std::to_string(session.stack.count()));

    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
