// Loading and saving a 200,000-line dialog, each beside a plain line-by-line read and
// write of the same file: the editor's own work should cost little over the raw I/O.

#include "BenchDialog.h"
#include "RatioReporter.h"

#include "core/DialogReader.h"
#include "core/DialogWriter.h"
#include "core/MemoryTuning.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace {

struct Fixture {
    QTemporaryDir dir;
    std::string input = dir.filePath("00001Big.dlg").toStdString();
    std::string output = dir.filePath("00002Out.dlg").toStdString();
    dolmex::DialogLines rows;

    Fixture() {
        std::ofstream(input, std::ios::binary) << GenerateDialog();
        rows = dolmex::ReadDialogFile(input);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void PlainReadLines(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(Shared().input, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(std::move(line));
        benchmark::DoNotOptimize(lines.data());
    }
}

void LoadDialog(benchmark::State& state) {
    for (auto _ : state) {
        auto rows = dolmex::ReadDialogFile(Shared().input);
        benchmark::DoNotOptimize(rows);
    }
}

void PlainWriteLines(benchmark::State& state) {
    std::vector<std::string> lines;
    {
        std::ifstream in(Shared().input, std::ios::binary);
        for (std::string line; std::getline(in, line);)
            lines.push_back(std::move(line));
    }
    for (auto _ : state) {
        std::ofstream out(Shared().output, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
    }
}

void SaveDialog(benchmark::State& state) {
    for (auto _ : state)
        dolmex::WriteDialogFile(Shared().output, Shared().rows);
}

} // namespace

BENCHMARK(PlainReadLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(LoadDialog)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(PlainWriteLines)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(SaveDialog)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char** argv) {
    // The editor and the command-line tool tune the allocator the same way at start-up.
    dolmex::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({
        {"LoadDialog", "PlainReadLines", 3.0},
        {"SaveDialog", "PlainWriteLines", 3.0},
    });
    // Memory of holding the dialog, against the size of its file.
    Shared();
    const std::size_t before = dolmex::bench::HeapInUse();
    const std::size_t held = [&] {
        const auto rows = dolmex::ReadDialogFile(Shared().input);
        return dolmex::bench::HeapInUse() - before;
    }();
    const double fileSize =
        static_cast<double>(QFileInfo(QString::fromStdString(Shared().input)).size());
    reporter.addRow("HoldDialog", "FileSize", static_cast<double>(held) / fileSize, 4.0,
                    std::to_string(held / (1024 * 1024)) + "MiB");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
