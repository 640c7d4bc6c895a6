// The main window on a 100,000-line dialog: opening it, and the refresh after a key press
// that moves the cursor, each beside the same work without a window; then both again with
// the map shown, whose layout runs off the window's thread; last the key press with the
// window's painting switched off, which tells the window's own work from Qt's drawing.

#include "RatioReporter.h"

#include "core/Document.h"
#include "core/MemoryTuning.h"
#include "interp/FileMessageSource.h"
#include "interp/LineDescriber.h"
#include "lang/LanguageLoader.h"
#include "shell/MapDock.h"
#include "shell/TMainForm.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <fstream>
#include <memory>

namespace {

constexpr int kLines = 100'000;

struct Fixture {
    QTemporaryDir dir;
    std::string path = dir.filePath("00001Big.dlg").toStdString();
    dolmex::ProgramContext context;
    dolmex::ScriptedPrompter prompter;
    std::unique_ptr<dolmex::TMainForm> form;

    Fixture() {
        std::ofstream out(path, std::ios::binary);
        for (int i = 1; i <= kLines; ++i) {
            if (i % 10 == 1)
                out << "//Block " << i << "\r\n{" << i
                    << "}{Well met, traveller.}{Well met, lady.}{}{}{" << i + 1 << "}{}\r\n";
            else
                out << "{" << i << "}{Ask about the river}{}{1}{gf 12 1, sk 3 20}{" << i + 9
                    << "}{gv 4 +1, mm 17}\r\n";
        }
        out.close();
        context.programDir = std::string(DOLMEX_SOURCE_DIR) + "/lang/";
        context.settingsPath = dir.filePath("dolmex.ctl").toStdString();
        form = std::make_unique<dolmex::TMainForm>(context, prompter);
        form->show();
        QApplication::processEvents();
    }
};

// Owned by main rather than a function static: the window must be gone before the
// application object is.
std::unique_ptr<Fixture> g_shared;

Fixture& Shared() {
    if (!g_shared)
        g_shared = std::make_unique<Fixture>();
    return *g_shared;
}

void LoadWithoutWindow(benchmark::State& state) {
    for (auto _ : state) {
        dolmex::Document document;
        document.LoadDlg(Shared().path);
        benchmark::DoNotOptimize(document.store().rowCount());
    }
}

void OpenInWindow(benchmark::State& state) {
    Fixture& f = Shared();
    const QString path = QString::fromStdString(f.path);
    for (auto _ : state) {
        f.form->LoadDlg(path);
        QApplication::processEvents();
    }
}

void RefreshWithoutWindow(benchmark::State& state) {
    Fixture& f = Shared();
    dolmex::Document document;
    document.LoadDlg(f.path);
    dolmex::FileMessageSource messages(document.moduleRoot());
    dolmex::LineDescriber describer(f.context.tables, messages);
    dolmex::StatusPanels status;
    int row = 1;
    for (auto _ : state) {
        row = row % 1000 + 1;
        auto description = describer.MakeLineDescr(document.store(), row, status);
        benchmark::DoNotOptimize(description);
    }
}

void KeyPressInWindow(benchmark::State& state) {
    Fixture& f = Shared();
    f.form->LoadDlg(QString::fromStdString(f.path));
    auto* grid = f.form->findChild<QTableView*>(QStringLiteral("SG"));
    for (auto _ : state) {
        if (f.form->currentRow() >= 1000)
            f.form->setCurrentRow(1);
        QTest::keyClick(grid, Qt::Key_Down);
        QApplication::processEvents();
    }
}

void ShowMap(Fixture& f, bool shown) {
    auto* toggle = f.form->findChild<QAction*>(QStringLiteral("Map1"));
    if (toggle->isChecked() != shown)
        toggle->trigger();
    QApplication::processEvents();
}

// Waits for the map's layout, counting only the time the window's thread was busy: the
// longest single pass of the event loop is what a user would feel as a freeze.
double SettleMap(Fixture& f) {
    auto* dock = f.form->findChild<dolmex::MapDock*>(QStringLiteral("MapDock"));
    double longest = 0;
    QElapsedTimer pass;
    while (dock->layoutPending()) {
        pass.start();
        QApplication::processEvents(); // what is queued, without waiting for more
        longest = std::max(longest, pass.nsecsElapsed() / 1e6);
        QThread::msleep(1);
    }
    return longest;
}

void OpenWithMapShown(benchmark::State& state) {
    Fixture& f = Shared();
    ShowMap(f, true);
    const QString path = QString::fromStdString(f.path);
    double longestPass = 0;
    for (auto _ : state) {
        f.form->LoadDlg(path);
        QApplication::processEvents();
        state.PauseTiming();
        longestPass = std::max(longestPass, SettleMap(f));
        state.ResumeTiming();
    }
    state.counters["longest_pass_ms"] = longestPass;
    ShowMap(f, false);
}

void KeyPressWithMapShown(benchmark::State& state) {
    Fixture& f = Shared();
    ShowMap(f, true);
    f.form->LoadDlg(QString::fromStdString(f.path));
    SettleMap(f);
    auto* grid = f.form->findChild<QTableView*>(QStringLiteral("SG"));
    for (auto _ : state) {
        if (f.form->currentRow() >= 1000)
            f.form->setCurrentRow(1);
        QTest::keyClick(grid, Qt::Key_Down);
        QApplication::processEvents();
    }
    ShowMap(f, false);
}

// The same key press with the window's painting switched off: what the window costs beyond
// drawing what changed.
void KeyPressWithoutPainting(benchmark::State& state) {
    Fixture& f = Shared();
    ShowMap(f, false);
    f.form->LoadDlg(QString::fromStdString(f.path));
    auto* grid = f.form->findChild<QTableView*>(QStringLiteral("SG"));
    f.form->setUpdatesEnabled(false);
    for (auto _ : state) {
        if (f.form->currentRow() >= 1000)
            f.form->setCurrentRow(1);
        QTest::keyClick(grid, Qt::Key_Down);
        QApplication::processEvents();
    }
    f.form->setUpdatesEnabled(true);
}

} // namespace

BENCHMARK(LoadWithoutWindow)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(OpenInWindow)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(RefreshWithoutWindow)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(KeyPressInWindow)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(OpenWithMapShown)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(KeyPressWithMapShown)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

BENCHMARK(KeyPressWithoutPainting)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({
        {"OpenInWindow", "LoadWithoutWindow", 0, 1000.0},
        {"KeyPressInWindow", "RefreshWithoutWindow", 0, 16.0},
        {"KeyPressWithoutPainting", "RefreshWithoutWindow", 0},
        {"OpenWithMapShown", "LoadWithoutWindow", 0, 1000.0},
        {"KeyPressWithMapShown", "RefreshWithoutWindow", 0, 16.0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    g_shared.reset();
    benchmark::Shutdown();
    return 0;
}
