// The module panel's reading of a module of 2,000 dialogs, 20 MB: every file read and
// checked, each summary put into the panel's model, beside only reading every file. The
// check should cost less than the reading does.

#include "RatioReporter.h"

#include "core/DialogReader.h"
#include "core/MemoryTuning.h"
#include "core/PathText.h"
#include "module/DialogSummary.h"
#include "module/ModuleFiles.h"
#include "module/ModuleModel.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kFiles = 2000;

// A dialog shaped as a character's talk is: a greeting that picks the first block, then
// blocks of an NPC line (a comment, a text for each gender) and five to seven answers with
// conditions, each opening a topic of its own, going back, or ending the talk; 9 to 18
// blocks, 10 KB on average. Every seventh file has an answer that leads nowhere.
std::string ModuleDialog(int file) {
    const int blocks = 9 + file % 10;
    const auto number = [](int block) { return std::to_string(10 * (block + 1)); };
    std::string text = "//Greeting: the first block for everyone\r\n{1}{G:1 fl " +
                       std::to_string(file % 50 + 1) + " 1, 0 10}{}{}{}{}{}\r\n\r\n";
    for (int b = 0; b < blocks; ++b) {
        text += "//Block " + std::to_string(b) + ": the ferryman talks about the river\r\n";
        text += "{" + number(b) +
                "}{The river is high this spring, and the ferry waits for no one who dawdles."
                "}{The river is high this spring, lady, and the ferry waits for no one.}{}{}{}{"
                "lf " +
                std::to_string(b + 1) + " 1}\r\n";
        const int answers = 5 + (file + b) % 3;
        for (int k = 1; k <= answers; ++k) {
            std::string response = "0";
            if (k <= 2 && 2 * b + k < blocks)
                response = number(2 * b + k);
            else if (k == 3 && b > 0)
                response = number((b - 1) / 2);
            else if (k == 4 && file % 7 == 0 && b == 1)
                response = "99999"; // no line has this number
            const std::string tests = k % 2 ? "gf 12 1, sk 3 " + std::to_string(k * 5) : "";
            const std::string results = k == answers ? "gv 4 +1, mm 17" : "";
            text += "{" + std::to_string(10 * (b + 1) + k) + "}{Tell me about the crossing, " +
                    std::to_string(k) + ", and what it costs a traveller.}{}{" +
                    std::to_string(k % 3 == 0 ? -4 : 4) + "}{" + tests + "}{" + response + "}{" +
                    results + "}\r\n";
        }
        text += "\r\n";
    }
    return text;
}

struct Fixture {
    QTemporaryDir dir;
    QStringList files;
    qint64 bytes = 0;

    Fixture() {
        const QString folder = dir.filePath(QStringLiteral("Module/dlg"));
        QDir().mkpath(folder);
        for (int i = 1; i <= kFiles; ++i) {
            const std::string text = ModuleDialog(i);
            bytes += static_cast<qint64>(text.size());
            char name[32];
            std::snprintf(name, sizeof name, "/%05dSpeaker%d.dlg", i, i % 97);
            std::ofstream(dolmex::PathBytes(folder + QString::fromLatin1(name)), std::ios::binary)
                << text;
        }
        files = dolmex::DialogFilesBelow(folder);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void ReadModule(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t rows = 0;
        for (const QString& file : Shared().files) {
            dolmex::LoadNotes notes;
            rows += dolmex::ReadDialogFile(dolmex::PathBytes(file), &notes).size();
        }
        benchmark::DoNotOptimize(rows);
    }
}

// What the panel's workers do for each file, on one thread, and what the window then
// does with each summary: its row in the model.
void SummarizeModule(benchmark::State& state) {
    for (auto _ : state) {
        dolmex::ModuleModel model;
        for (const QString& file : Shared().files)
            model.update(dolmex::SummarizeDialog(file));
        if (model.rowCount() != kFiles || model.withProblems() == 0)
            state.SkipWithError("not every file summarized, or no problem found");
        benchmark::DoNotOptimize(model);
    }
}

} // namespace

BENCHMARK(ReadModule)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(SummarizeModule)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    std::printf("module: %d files, %.1f MB\n", kFiles,
                static_cast<double>(Shared().bytes) / (1024.0 * 1024.0));
    dolmex::bench::RatioReporter reporter({
        {"SummarizeModule", "ReadModule", 2.0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
