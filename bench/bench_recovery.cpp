// Autosaving a 200,000-line dialog for crash recovery, beside a full synchronous save of the
// same dialog: the part that runs on the window thread must stay short enough for typing
// never to stall (under 16 ms, one frame), whatever the disk does.

#include "BenchDialog.h"
#include "RatioReporter.h"

#include "core/DialogWriter.h"
#include "core/Document.h"
#include "core/DocumentRecovery.h"
#include "core/MemoryTuning.h"
#include "core/SlicedSerializer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Fixture {
    QTemporaryDir dir;
    std::string input = dir.filePath("00001Big.dlg").toStdString();
    std::string output = dir.filePath("00002Out.dlg").toStdString();
    dolmex::Document document;

    Fixture() {
        std::ofstream(input, std::ios::binary) << GenerateDialog();
        document.LoadDlg(input);
    }
    const dolmex::DialogLines& rows() const { return document.store().lines(); }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// What a user waits for on Save: the whole dialog serialised and on disk.
void SaveDialog(benchmark::State& state) {
    for (auto _ : state)
        dolmex::WriteDialogFile(Shared().output, Shared().rows());
}

// The simplest snapshot, measured to choose against it: a copy of every row.
void CopyRows(benchmark::State& state) {
    for (auto _ : state) {
        dolmex::DialogLines copy = Shared().rows();
        benchmark::DoNotOptimize(copy);
    }
}

// One autosave's serialising, slice by slice with the editor's budget: the longest
// slice, and all slices together.
template <bool Longest> void AutosaveSlices(benchmark::State& state) {
    for (auto _ : state) {
        dolmex::SlicedSerializer serializer(Shared().rows());
        Clock::duration longest{}, total{};
        bool done = false;
        while (!done) {
            const auto start = Clock::now();
            done = serializer.step(dolmex::DocumentRecovery::kDefaultSliceBudget);
            const auto slice = Clock::now() - start;
            longest = std::max(longest, slice);
            total += slice;
        }
        benchmark::DoNotOptimize(serializer.takeChunks());
        state.SetIterationTime(Seconds(Longest ? longest : total));
    }
}
void AutosaveLongestSlice(benchmark::State& state) {
    AutosaveSlices<true>(state);
}
void AutosaveWindowThread(benchmark::State& state) {
    AutosaveSlices<false>(state);
}

// The real thing seen from the window thread: while one autosave after an edit runs through
// the event loop, another thread posts an event every half millisecond, the way the window
// system hands over key presses; the longest any of them waited.
void AutosaveInputWait(benchmark::State& state) {
    QTemporaryDir folder;
    dolmex::DocumentRecovery recovery(Shared().document, folder.path());
    recovery.setDelay(std::chrono::milliseconds(0));
    QObject receiver;
    std::atomic<bool> stop = false;
    Clock::duration longestWait{};
    std::thread input([&] {
        while (!stop) {
            const auto posted = Clock::now();
            QMetaObject::invokeMethod(
                &receiver,
                [&, posted] { longestWait = std::max(longestWait, Clock::now() - posted); },
                Qt::QueuedConnection);
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    int edit = 0;
    for (auto _ : state) {
        QCoreApplication::processEvents();
        longestWait = {};
        Shared().document.store().setCell(kLines / 2, dolmex::ColText, std::to_string(++edit));
        while (recovery.autosavePending())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents(); // events posted during the last slice
        state.SetIterationTime(Seconds(longestWait));
        recovery.finishWrites(); // the writer's thread, not measured
    }
    stop = true;
    input.join();
    QCoreApplication::processEvents();
}

} // namespace

BENCHMARK(SaveDialog)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(CopyRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(AutosaveLongestSlice)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(AutosaveWindowThread)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(AutosaveInputWait)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({
        {"AutosaveLongestSlice", "SaveDialog", 0, 16.0},
        {"AutosaveInputWait", "SaveDialog", 0, 16.0},
        {"AutosaveWindowThread", "SaveDialog", 1.0},
        {"CopyRows", "SaveDialog", 0},
    });
    Shared();
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
