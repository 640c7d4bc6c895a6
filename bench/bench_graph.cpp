// The dialog map, beside baselines from the same run:
// - Laying out a 2,000-line dialog of 300 blocks with Graphviz's dot engine (table labels,
//   answers as ports): under 1 s. Baseline: dot on the same nodes and edges drawn as plain
//   boxes without labels or ports, which is what Graphviz itself needs for that graph.
// - Building the graph of a 200,000-line dialog: well under 100 ms. Baseline: reading the
//   dialog file's bytes into the line store.
// - The neighbourhood of two steps around a block of that graph, and its layout, which is
//   what the map shows of a large dialog: each under 100 ms.

#include "BenchDialog.h"
#include "RatioReporter.h"

#include "core/DialogReader.h"
#include "core/LineStore.h"
#include "core/MemoryTuning.h"
#include "graph/DialogGraph.h"
#include "graph/GraphLayout.h"

#include <gvc.h>

#include <memory>

namespace {

constexpr int kSmallBlocks = 300;

// 300 blocks, an NPC line and five or six answers each, 2,000 lines, shaped as dialogs are:
// each block opens three topics of its own (blocks 3b+1 to 3b+3), goes back to the block
// that opened it, ends the talk, and goes on to the next topic; every tenth block also
// jumps to a block far away.
std::string SmallDialog() {
    const auto number = [](int block) { return 10 * (block + 1); };
    std::string text;
    for (int b = 0; b < kSmallBlocks; ++b) {
        text += "{" + std::to_string(number(b)) +
                "}{The river is high this spring, and the ferry waits.}{}{}{}{}{}\r\n";
        const int answers = b % 3 == 0 ? 5 : 6;
        for (int k = 1; k <= answers; ++k) {
            int response = 0;
            std::string result;
            if (k <= 3 && 3 * b + k < kSmallBlocks)
                response = number(3 * b + k);
            else if (k == 4 && b > 0)
                response = number((b - 1) / 3);
            else if (k == 6 && b + 1 < kSmallBlocks)
                response = number(b + 1);
            if (k == 6 && b % 10 == 0)
                result = "jo 0 " + std::to_string(number((b * 37) % kSmallBlocks));
            text += "{" + std::to_string(number(b) + k) + "}{Tell me about the crossing, " +
                    std::to_string(k) + ".}{}{1}{gf 12 1}{" + std::to_string(response) + "}{" +
                    result + "}\r\n";
        }
    }
    return text;
}

struct Fixture {
    dolmex::LineStore small;
    dolmex::DialogGraph smallGraph;
    std::string largeBytes = GenerateDialog();
    dolmex::LineStore large;
    dolmex::DialogGraph largeGraph;

    Fixture() {
        small.replaceAll(dolmex::ParseDialog(SmallDialog()));
        smallGraph = dolmex::BuildDialogGraph(small);
        large.replaceAll(dolmex::ParseDialog(largeBytes));
        largeGraph = dolmex::BuildDialogGraph(large);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// The same nodes and edges as plain boxes, for Graphviz's own cost on that graph.
std::string PlainDot(const dolmex::DialogGraph& graph) {
    std::string dot = "digraph plain {\n  node [shape=box, width=2.5, height=1.2];\n";
    for (std::size_t i = 0; i < graph.nodes.size(); ++i)
        dot += "  n" + std::to_string(i) + ";\n";
    for (std::size_t i = 0; i < graph.edges.size(); ++i) {
        const dolmex::MapEdge& edge = graph.edges[i];
        const std::string from = "n" + std::to_string(edge.fromNode);
        if (edge.target == dolmex::MapTargetKind::Node)
            dot += "  " + from + " -> n" + std::to_string(edge.toNode) + ";\n";
        else
            dot += "  m" + std::to_string(i) + " [width=0.3, height=0.2];\n  " + from + " -> m" +
                   std::to_string(i) + ";\n";
    }
    return dot + "}\n";
}

void PlainGraphvizLayout2000(benchmark::State& state) {
    const std::string dot = PlainDot(Shared().smallGraph);
    for (auto _ : state) {
        GVC_t* context = gvContext();
        Agraph_t* graph = agmemread(dot.c_str());
        if (!graph || gvLayout(context, graph, "dot") != 0)
            state.SkipWithError("Graphviz failed");
        if (graph) {
            gvFreeLayout(context, graph);
            agclose(graph);
        }
        gvFreeContext(context);
    }
}

void LayOutGraph2000(benchmark::State& state) {
    const dolmex::DialogGraph& graph = Shared().smallGraph;
    if (graph.nodes.size() != kSmallBlocks)
        state.SkipWithError("the dialog does not have 300 blocks");
    for (auto _ : state) {
        const dolmex::MapLayout layout = dolmex::LayOutGraph(graph);
        if (layout.nodes.size() != graph.nodes.size())
            state.SkipWithError("the layout failed");
        benchmark::DoNotOptimize(layout);
    }
}

void LoadDialog200k(benchmark::State& state) {
    const std::string& bytes = Shared().largeBytes;
    for (auto _ : state) {
        dolmex::LineStore store;
        store.replaceAll(dolmex::ParseDialog(bytes));
        benchmark::DoNotOptimize(store);
    }
}

// The graph is built while the clock runs, and freed while it stands still: what the map
// waits for is the building; the previous graph is freed after the new one is shown.
void BuildDialogGraph200k(benchmark::State& state) {
    for (auto _ : state) {
        auto graph =
            std::make_unique<dolmex::DialogGraph>(dolmex::BuildDialogGraph(Shared().large));
        if (graph->nodes.size() != kLines / 10)
            state.SkipWithError("not one node per block");
        benchmark::DoNotOptimize(graph);
        state.PauseTiming();
        graph.reset();
        state.ResumeTiming();
    }
}

// The same with the graph freed inside the measured time.
void BuildAndFreeDialogGraph200k(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(dolmex::BuildDialogGraph(Shared().large));
}

void Neighbourhood200k(benchmark::State& state) {
    const dolmex::DialogGraph& graph = Shared().largeGraph;
    int centre = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dolmex::Neighbourhood(graph, centre, 2));
        centre = (centre + 7919) % static_cast<int>(graph.nodes.size());
    }
}

void NeighbourhoodLayout200k(benchmark::State& state) {
    const dolmex::DialogGraph& graph = Shared().largeGraph;
    int centre = 0;
    for (auto _ : state) {
        const dolmex::DialogGraph part = dolmex::Neighbourhood(graph, centre, 2);
        benchmark::DoNotOptimize(dolmex::LayOutGraph(part));
        centre = (centre + 7919) % static_cast<int>(graph.nodes.size());
    }
}

} // namespace

BENCHMARK(PlainGraphvizLayout2000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(LayOutGraph2000)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(LoadDialog200k)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BuildDialogGraph200k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BuildAndFreeDialogGraph200k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(Neighbourhood200k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(NeighbourhoodLayout200k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char** argv) {
    dolmex::KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    dolmex::bench::RatioReporter reporter({
        {"LayOutGraph2000", "PlainGraphvizLayout2000", 0, 1000.0},
        {"BuildDialogGraph200k", "LoadDialog200k", 0, 100.0},
        {"BuildAndFreeDialogGraph200k", "LoadDialog200k", 0, 100.0},
        {"Neighbourhood200k", "BuildDialogGraph200k", 0, 100.0},
        {"NeighbourhoodLayout200k", "BuildDialogGraph200k", 0, 100.0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
