// Module-wide work over 2,000 dialog files of about 10 KB each (20 MB), as dolmex-cli and the
// editor's find in module do it, against reading every file once:
// - the module panel's reading (every file read and checked on the panel's workers, its row
//   in the panel's model): within 2x; the same on one thread is reported beside it;
// - check (read, every finding, the text output to a null device): within 3x;
// - export to a PO file: under 2 s;
// - find in module of a plain word: reported.

#include "RatioReporter.h"

#include "core/Cp1251.h"
#include "core/DialogReader.h"
#include "core/MemoryTuning.h"
#include "core/PathText.h"
#include "module/DialogFindings.h"
#include "module/DialogSummary.h"
#include "module/ModuleFiles.h"
#include "module/ModuleModel.h"
#include "module/ModuleSearch.h"
#include "translate/DialogTranslation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <cstdio>
#include <fstream>

namespace {

constexpr int kFiles = 2'000;

// Writes nothing, as stdout sent to /dev/null.
class NullDevice : public QIODevice {
public:
    NullDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override { return length; }
};

// One dialog of a module, about 10 KB: blocks of an NPC line (with a gender text and a
// comment above it) and its answers, which have tests and results and lead on to the next
// block, some only for one gender or a bright character; the last block's answers end the
// talk. Every tenth dialog has a slip: an answer names a line that no line has.
std::string ModuleDialog(int index) {
    std::string text;
    const int blocks = 12 + index % 3;
    for (int block = 1; block <= blocks; ++block) {
        const int npc = block * 10;
        const std::string next = block < blocks ? std::to_string(npc + 10) : "0";
        text += "//Block " + std::to_string(block) + ": the ferry at dawn\r\n";
        text += "{" + std::to_string(npc) +
                "}{Well met, traveller. The ferry leaves at dawn, if the river allows.}"
                "{Well met, lady. The ferry leaves at dawn.}{}{}{}{}\r\n";
        for (int answer = 1; answer <= 8; ++answer) {
            const std::string gender = answer == 7 ? "0" : answer == 8 ? "1" : "";
            const std::string intelligence = answer == 6 ? "12" : "1";
            const std::string response =
                index % 10 == 9 && block == 2 && answer == 1 ? "777" : next;
            text += "{" + std::to_string(npc + answer) + "}{Ask about the river and the toll}{" +
                    gender + "}{" + intelligence + "}{gf 12 1, sk 3 20}{" + response +
                    "}{gv 4 +1, mm 17}\r\n";
        }
    }
    return text;
}

struct Module {
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("Module/dlg"));
    std::size_t bytes = 0;

    Module() {
        // Ten subfolders of 200 dialogs.
        for (int i = 0; i < kFiles; ++i) {
            const QString sub = folder + QStringLiteral("/part%1").arg(i / 200);
            QDir().mkpath(sub);
            const std::string text = ModuleDialog(i);
            bytes += text.size();
            char name[32];
            std::snprintf(name, sizeof name, "/%05dSpeaker.dlg", i + 1);
            std::ofstream(dolmex::PathBytes(sub + QLatin1String(name)), std::ios::binary) << text;
        }
    }
};

Module& Shared() {
    static Module module;
    return module;
}

void ReadModule(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const QString& file : dolmex::DialogFilesBelow(Shared().folder)) {
            dolmex::LoadNotes notes;
            lines += dolmex::ReadDialogFile(dolmex::PathBytes(file), &notes).size();
        }
        if (lines < static_cast<std::size_t>(kFiles) * 100)
            state.SkipWithError("the module was not read");
        benchmark::DoNotOptimize(lines);
    }
    state.counters["MB"] = static_cast<double>(Shared().bytes) / 1e6;
}

// What the panel's workers do for each file, on one thread, and what the window then does
// with each summary: its row in the model.
void SummarizeModule(benchmark::State& state) {
    for (auto _ : state) {
        dolmex::ModuleModel model;
        for (const QString& file : dolmex::DialogFilesBelow(Shared().folder))
            model.update(dolmex::SummarizeDialog(file));
        if (model.rowCount() != kFiles || model.withProblems() == 0)
            state.SkipWithError("not every file summarized, or no problem found");
        benchmark::DoNotOptimize(model);
    }
}

// As the panel fills: the files summarized on its workers, every core of the machine, and
// each summary put into the model as it comes back.
void FillModulePanel(benchmark::State& state) {
    for (auto _ : state) {
        dolmex::ModuleModel model;
        const QList<dolmex::DialogSummary> summaries = QtConcurrent::blockingMapped(
            dolmex::DialogFilesBelow(Shared().folder), &dolmex::SummarizeDialog);
        for (const dolmex::DialogSummary& summary : summaries)
            model.update(summary);
        if (model.rowCount() != kFiles || model.withProblems() == 0)
            state.SkipWithError("not every file summarized, or no problem found");
        benchmark::DoNotOptimize(model);
    }
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
}

// As dolmex-cli check writes its text output.
void CheckModule(benchmark::State& state) {
    NullDevice device;
    QTextStream out(&device);
    for (auto _ : state) {
        std::size_t problems = 0;
        for (const QString& file : dolmex::DialogFilesBelow(Shared().folder)) {
            dolmex::LoadNotes notes;
            const dolmex::DialogLines lines =
                dolmex::ReadDialogFile(dolmex::PathBytes(file), &notes);
            for (const dolmex::DialogFinding& finding : dolmex::FindDialogProblems(lines, notes)) {
                out << file << ':' << finding.row << ": ";
                if (finding.source == dolmex::DialogFinding::Source::Reading)
                    out << "file line " << finding.fileLine << ": ";
                out << dolmex::FromCp1251(finding.text) << '\n';
                ++problems;
            }
        }
        out.flush();
        if (problems == 0)
            state.SkipWithError("no problem was found");
        benchmark::DoNotOptimize(problems);
    }
}

// As dolmex-cli export does: every file's entries, then one PO file.
void ExportModule(benchmark::State& state) {
    const std::string po = dolmex::PathBytes(Shared().dir.filePath(QStringLiteral("module.po")));
    for (auto _ : state) {
        std::vector<dolmex::PoEntry> entries;
        for (const QString& file : dolmex::DialogFilesBelow(Shared().folder)) {
            const dolmex::DialogLines lines = dolmex::ReadDialogFile(dolmex::PathBytes(file));
            std::vector<dolmex::PoEntry> more =
                dolmex::PoEntriesFor(QFileInfo(file).fileName(), file, lines);
            entries.insert(entries.end(), std::make_move_iterator(more.begin()),
                           std::make_move_iterator(more.end()));
        }
        dolmex::WritePoFile(po, entries);
        benchmark::DoNotOptimize(entries);
    }
}

void FindInModule(benchmark::State& state) {
    dolmex::FindQuery query;
    query.pattern = QStringLiteral("ferry");
    const dolmex::CellMatcher matcher = dolmex::CellMatcher::compile(query);
    for (auto _ : state) {
        const dolmex::ModuleFindResult result =
            dolmex::FindInFiles(dolmex::DialogFilesBelow(Shared().folder), matcher);
        if (result.matches.empty())
            state.SkipWithError("nothing was found");
        benchmark::DoNotOptimize(result);
    }
}

} // namespace

BENCHMARK(ReadModule)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(FillModulePanel)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->UseRealTime();
BENCHMARK(SummarizeModule)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(CheckModule)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(ExportModule)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(FindInModule)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse(); // as dolmex-cli starts
    benchmark::Initialize(&argc, argv);
    Shared(); // written before the clock runs
    dolmex::bench::RatioReporter reporter({
        {"FillModulePanel", "ReadModule", 2.0},
        {"SummarizeModule", "ReadModule", 0},
        {"CheckModule", "ReadModule", 3.0},
        {"ExportModule", "ReadModule", 0, 2000.0},
        {"FindInModule", "ReadModule", 0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
