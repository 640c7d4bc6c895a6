// Describing a player line whose tests and results name numbers of all nine message kinds,
// in a module with nine message files of 100,000 lines each. The first refresh reads the
// files; every later one (the editor refreshes on each key press) must use what it kept.

#include "RatioReporter.h"

#include "core/LineStore.h"
#include "interp/FileMessageSource.h"
#include "interp/LineDescriber.h"
#include "lang/LanguageTables.h"

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace {

using namespace dolmex;

constexpr int kMessageLines = 100'000;

struct Fixture {
    QTemporaryDir dir;
    std::string moduleRoot = dir.path().toStdString() + "/";
    LanguageTables tables;
    LineStore store;

    Fixture() {
        for (int kind = 0; kind < kMessageKindCount; ++kind) {
            const std::string path =
                MessageFilePathIn(moduleRoot, MessageFilePath(static_cast<MessageKind>(kind)));
            QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
            std::ofstream out(path, std::ios::binary);
            for (int n = 0; n < kMessageLines; ++n)
                out << '{' << n << "}{Region/Message " << n << " of kind " << kind
                    << ", a text of ordinary length/}\r\n";
        }
        const char* codes[] = {"ar", "in", "rq", "qu", "rp", "ss", "gf", "gv", "pf", "mm"};
        for (const char* code : codes) {
            tables.test.add({code, "Test #1 ?2{is set,is clear,is below,is above,any} #2"});
            tables.result.add({code, "Result #1 #2"});
        }
        for (int i = 0; i < tables.mainDescription.capacity(); ++i)
            tables.mainDescription.set(i, "entry " + std::to_string(i));
        store.replaceAll({
            {"1", "Hello there", "", "", "", "", "", "npc"},
            {"2", "What news of the river?", "1", "5",
             "ar 512, in 1200-1205, rq 300, qu 40, rp 77, ss 9000, gf 12345, gv 54321, pf 99999",
             "1", "gv 7 1, gf 3-9, mm 10, qu 41, ss 42", "player"},
        });
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void Describe(LineDescriber& describer) {
    const LineDescription d = describer.MakeLineDescr(Shared().store, 2, StatusPanels{});
    benchmark::DoNotOptimize(d.lines.data());
}

void ColdRefresh(benchmark::State& state) {
    for (auto _ : state) {
        FileMessageSource source(Shared().moduleRoot);
        LineDescriber describer(Shared().tables, source);
        Describe(describer);
    }
}

void WarmRefresh(benchmark::State& state) {
    FileMessageSource source(Shared().moduleRoot);
    LineDescriber describer(Shared().tables, source);
    Describe(describer);
    for (auto _ : state)
        Describe(describer);
}

} // namespace

// Both in one unit: the reporter compares the figures as they are printed.
BENCHMARK(ColdRefresh)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(WarmRefresh)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char** argv) {
    Shared();
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({{"WarmRefresh", "ColdRefresh", 0.01, 2.0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
