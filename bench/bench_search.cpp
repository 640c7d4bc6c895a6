// Finding, replacing and asking what names a line, on a 200,000-line dialog.
// - Find next from the first row to the only match, in the last row, against one plain
//   std::string_view::find pass over every cell: within 3x.
// - "Which lines name line N?" on a warm index: under 5 ms.
// - Replacing 10,000 matches as one undoable step, with the grid's model, the undo history
//   and the reference index watching: under 100 ms.

#include "BenchDialog.h"
#include "RatioReporter.h"

#include "core/DialogReader.h"
#include "core/Document.h"
#include "core/MemoryTuning.h"
#include "search/ReferenceIndex.h"
#include "search/Replace.h"
#include "search/StoreSearch.h"
#include "ui/LineStoreModel.h"
#include "ui/UndoHistory.h"

#include <QUndoStack>

namespace {

constexpr int kReplaced = 10'000;

struct Fixture {
    dolmex::Document document;
    QUndoStack stack;
    dolmex::UndoHistory history{document, stack};
    dolmex::LineStoreModel model{history};
    dolmex::ReferenceIndex index{document.store()};

    Fixture() {
        dolmex::DialogLines rows = dolmex::ParseDialog(GenerateDialog());
        // The one match of the find, in the last row; a mark in every 20th row's comment.
        dolmex::PackedLine& last = rows.back();
        last.set(dolmex::ColText, std::string(last[dolmex::ColText]) + " Ferryman");
        for (std::size_t i = 0; i < kReplaced; ++i)
            rows[i * (rows.size() / kReplaced)].set(dolmex::ColComment, "mark here");
        document.store().replaceAll(std::move(rows));
        stack.clear();
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

dolmex::CellMatcher Matcher(const char* pattern, bool matchCase) {
    dolmex::FindQuery query;
    query.pattern = QString::fromLatin1(pattern);
    query.matchCase = matchCase;
    return dolmex::CellMatcher::compile(query);
}

void PlainFindPass(benchmark::State& state) {
    const dolmex::DialogLines& rows = Shared().document.store().lines();
    for (auto _ : state) {
        std::size_t found = 0;
        for (const dolmex::PackedLine& line : rows) {
            for (int c = 0; c < dolmex::kColumnCount; ++c)
                found += line[c].find("Ferryman") != std::string_view::npos;
        }
        benchmark::DoNotOptimize(found);
    }
}

void FindNext(benchmark::State& state, bool matchCase) {
    const dolmex::CellMatcher matcher = Matcher(matchCase ? "Ferryman" : "ferRYMAN", matchCase);
    const dolmex::CellMatch first{1, 0, {0, 0}};
    for (auto _ : state) {
        bool wrapped = false;
        auto found = dolmex::FindNext(Shared().document.store(), matcher, &first, false, &wrapped);
        if (!found || found->row != kLines || wrapped)
            state.SkipWithError("the match in the last row was not found");
        benchmark::DoNotOptimize(found);
    }
}

void FindNextMatchCase(benchmark::State& state) {
    FindNext(state, true);
}

void FindNextIgnoreCase(benchmark::State& state) {
    FindNext(state, false);
}

// What the find bar counts at each keystroke: every match of the dialog.
void FindAll(benchmark::State& state, const dolmex::FindQuery& query) {
    const dolmex::CellMatcher matcher = dolmex::CellMatcher::compile(query);
    for (auto _ : state) {
        const auto matches = dolmex::FindAll(Shared().document.store(), matcher);
        if (matches.empty())
            state.SkipWithError("nothing was found");
        benchmark::DoNotOptimize(matches);
    }
}

void FindAllPlain(benchmark::State& state) {
    dolmex::FindQuery query;
    query.pattern = QStringLiteral("ferryman");
    FindAll(state, query);
}

void FindAllRegex(benchmark::State& state) {
    dolmex::FindQuery query;
    query.pattern = QStringLiteral("Ferr[y]man");
    query.regex = true;
    FindAll(state, query);
}

void ReferencesToWarm(benchmark::State& state) {
    dolmex::ReferenceIndex& index = Shared().index;
    benchmark::DoNotOptimize(index.referencesTo(1)); // reads every row once
    int block = 0;
    for (auto _ : state) {
        // Each block's NPC line names the line after it.
        auto references = index.referencesTo(block * 10 + 2);
        if (references.empty())
            state.SkipWithError("no line names the number");
        block = (block + 7) % (kLines / 10);
        benchmark::DoNotOptimize(references);
    }
}

void ReplaceAllOneStep(benchmark::State& state) {
    Fixture& f = Shared();
    const dolmex::CellMatcher mark = Matcher("mark", true);
    const dolmex::CellMatcher note = Matcher("note", true);
    bool forth = true;
    for (auto _ : state) {
        const int replaced =
            dolmex::ReplaceAll(f.history, f.document.store(), forth ? mark : note,
                               forth ? QStringLiteral("note") : QStringLiteral("mark"));
        if (replaced != kReplaced)
            state.SkipWithError("not every mark was replaced");
        forth = !forth;
    }
    if (f.stack.count() != static_cast<int>(state.iterations()))
        state.SkipWithError("a replace-all was not one step");
}

} // namespace

BENCHMARK(PlainFindPass)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FindNextMatchCase)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FindNextIgnoreCase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(FindAllPlain)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FindAllRegex)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(ReferencesToWarm)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(ReplaceAllOneStep)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({
        {"FindNextMatchCase", "PlainFindPass", 3.0},
        {"FindNextIgnoreCase", "PlainFindPass", 3.0},
        {"FindAllPlain", "PlainFindPass", 0},
        {"FindAllRegex", "PlainFindPass", 0},
        {"ReferencesToWarm", "PlainFindPass", 0, 5.0},
        {"ReplaceAllOneStep", "PlainFindPass", 0, 100.0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
