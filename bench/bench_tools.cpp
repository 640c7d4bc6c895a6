// Renumbering a 100,000-line dialog with every option on, beside loading the same file:
// the whole run (numbers, references, "Q:" list and report lines) should stay under
// 100 ms and cost about as much as reading the file.

#include "RatioReporter.h"

#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/MemoryTuning.h"
#include "lang/LanguageTables.h"
#include "tools/Renumber.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace {

constexpr int kLines = 100'000;

// Blocks of one commented NPC line and nine player lines, numbered in fives, with
// responses, greeting lists, "M:" texts, jumping results and quest texts.
std::string GenerateDialog() {
    std::string text;
    text.reserve(kLines * 90);
    for (int i = 1; i <= kLines; ++i) {
        const std::string n = std::to_string(i * 5);
        const std::string next = std::to_string(i * 5 + 5);
        if (i % 10 == 1) {
            text += "//Block " + n + "\r\n";
            text +=
                "{" + n + "}{G:1 fl 30, 2 " + next + ", 3 " + n + "}{M:4," + next + "}{}{}{}{}\r\n";
        } else if (i % 10 == 5) {
            text += "{" + n + "}{Q:" + std::to_string(i % 97 + 1) + "}{}{1}{}{" + next + "}{}\r\n";
        } else {
            text += "{" + n + "}{Ask about the river}{}{1}{gf 12 1, sk 3 20}{" + next +
                    "}{gv 4 +1, uw 3 " + n + ", jo 0 " + next + "}\r\n";
        }
    }
    return text;
}

struct Fixture {
    QTemporaryDir dir;
    std::string input = dir.filePath("00001Big.dlg").toStdString();
    dolmex::DialogLines rows;
    dolmex::LanguageTables tables;

    Fixture() {
        std::ofstream(input, std::ios::binary) << GenerateDialog();
        rows = dolmex::ReadDialogFile(input);
        for (int n = 0; n <= 32; ++n)
            tables.mainDescription.set(n, "Entry " + std::to_string(n));
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void LoadDialog(benchmark::State& state) {
    for (auto _ : state) {
        auto rows = dolmex::ReadDialogFile(Shared().input);
        benchmark::DoNotOptimize(rows);
    }
}

void RenumberEverything(benchmark::State& state) {
    const dolmex::RenumberOptions options; // continuous, step 1, every rewrite, "Q:" list
    for (auto _ : state) {
        auto outcome = dolmex::RenumberLines(Shared().rows, options);
        auto report = dolmex::RenumberReport(*outcome, kLines, Shared().tables);
        benchmark::DoNotOptimize(report);
    }
}

} // namespace

BENCHMARK(LoadDialog)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(RenumberEverything)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({
        {"RenumberEverything", "LoadDialog", 2.0, 100.0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
