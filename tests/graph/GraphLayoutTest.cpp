#include "graph/GraphLayout.h"
#include "GraphFixtures.h"

#include <gtest/gtest.h>

#include <thread>

namespace dolmex {
namespace {

using test::GraphOf;

// Graphviz rounds to hundredths of a point and clips edges a little short of a node.
constexpr double kSlack = 2.0;

QRectF Grown(const QRectF& box) {
    return box.adjusted(-kSlack, -kSlack, kSlack, kSlack);
}

void ExpectSound(const DialogGraph& graph, const MapLayout& layout, const char* name) {
    SCOPED_TRACE(name);
    ASSERT_EQ(layout.nodes.size(), graph.nodes.size());
    ASSERT_EQ(layout.edges.size(), graph.edges.size());
    ASSERT_FALSE(layout.bounds.isEmpty());
    for (std::size_t i = 0; i < layout.nodes.size(); ++i) {
        const NodePlacement& node = layout.nodes[i];
        EXPECT_FALSE(node.box.isEmpty()) << i;
        EXPECT_TRUE(Grown(layout.bounds).contains(node.box)) << i;
        for (std::size_t j = i + 1; j < layout.nodes.size(); ++j) {
            // Boxes may touch at their rounded edges, never overlap.
            EXPECT_FALSE(node.box.adjusted(1, 1, -1, -1).intersects(layout.nodes[j].box))
                << i << " and " << j;
        }
        const MapNode& mapNode = graph.nodes[i];
        ASSERT_EQ(node.answerBoxes.size(), mapNode.answers.size()) << i;
        EXPECT_EQ(node.header.isEmpty(), !mapNode.npcLine) << i;
        double top = node.header.isEmpty() ? node.box.top() : node.header.bottom();
        for (const QRectF& answer : node.answerBoxes) {
            EXPECT_TRUE(Grown(node.box).contains(answer)) << i;
            EXPECT_NEAR(answer.top(), top, 0.01) << i;
            EXPECT_GE(answer.height(), 20.0) << i;
            top = answer.bottom();
        }
        EXPECT_NEAR(top, node.box.bottom(), 0.01) << i;
    }
    for (std::size_t i = 0; i < layout.edges.size(); ++i) {
        const EdgeRoute& route = layout.edges[i];
        const MapEdge& edge = graph.edges[i];
        ASSERT_GE(route.points.size(), 4u) << i;
        EXPECT_EQ((route.points.size() - 1) % 3, 0u) << i;
        // Each route belongs to its own edge: it starts at its source and ends at its target.
        const NodePlacement& from = layout.nodes[static_cast<std::size_t>(edge.fromNode)];
        EXPECT_TRUE(Grown(from.box).contains(route.points.front())) << i;
        const QRectF target = edge.target == MapTargetKind::Node
                                  ? layout.nodes[static_cast<std::size_t>(edge.toNode)].box
                                  : route.markBox;
        EXPECT_EQ(route.markBox.isEmpty(), edge.target == MapTargetKind::Node) << i;
        EXPECT_TRUE(Grown(target).contains(route.arrowTip))
            << i << ": " << route.arrowTip.x() << "," << route.arrowTip.y();
    }
}

TEST(GraphLayout, PlacesEveryNodeAnswerAndEdge) {
    const DialogGraph sample = test::SampleGraph();
    ExpectSound(sample, LayOutGraph(sample), "sample");
    const DialogGraph mixed = GraphOf(test::kMixed);
    ExpectSound(mixed, LayOutGraph(mixed), "mixed");
    const DialogGraph part = Neighbourhood(sample, 2, 1);
    ExpectSound(part, LayOutGraph(part), "neighbourhood");
    const DialogGraph orphans = GraphOf("{5}{Orphan}{}{1}{}{10}{}\n{10}{Npc}{}{}{}{}{}\n");
    ExpectSound(orphans, LayOutGraph(orphans), "orphans");
}

TEST(GraphLayout, TopToBottomWithYGrowingDownwards) {
    // 10 leads to 20 leads to 30: each block lies below the one before.
    const DialogGraph graph = GraphOf("{10}{A}{}{}{}{}{}\n{11}{a}{}{1}{}{20}{}\n"
                                      "{20}{B}{}{}{}{}{}\n{21}{b}{}{1}{}{30}{}\n"
                                      "{30}{C}{}{}{}{}{}\n");
    const MapLayout layout = LayOutGraph(graph);
    ASSERT_EQ(layout.nodes.size(), 3u);
    EXPECT_LT(layout.nodes[0].box.bottom(), layout.nodes[1].box.top());
    EXPECT_LT(layout.nodes[1].box.bottom(), layout.nodes[2].box.top());
    EXPECT_NEAR(layout.nodes[0].box.top(), 0.0, kSlack + 4);
    EXPECT_TRUE(layout.nodes[0].header.top() < layout.nodes[0].answerBoxes[0].top());
}

TEST(GraphLayout, EmptyGraphGivesAnEmptyLayout) {
    const MapLayout layout = LayOutGraph(DialogGraph{});
    EXPECT_TRUE(layout.nodes.empty());
    EXPECT_TRUE(layout.edges.empty());
}

TEST(GraphLayout, ThreadsTakeTurnsInGraphviz) {
    const DialogGraph graph = test::SampleGraph();
    const MapLayout alone = LayOutGraph(graph);
    std::vector<MapLayout> layouts(4);
    std::vector<std::thread> threads;
    for (MapLayout& layout : layouts)
        threads.emplace_back([&graph, &layout] { layout = LayOutGraph(graph); });
    for (std::thread& thread : threads)
        thread.join();
    for (const MapLayout& layout : layouts) {
        EXPECT_EQ(layout.bounds, alone.bounds);
        ASSERT_EQ(layout.nodes.size(), alone.nodes.size());
        for (std::size_t i = 0; i < alone.nodes.size(); ++i)
            EXPECT_EQ(layout.nodes[i].box, alone.nodes[i].box) << i;
    }
}

TEST(GraphLayout, SvgComesFromGraphviz) {
    const std::string svg = RenderSvg(test::SampleGraph()).toStdString();
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 200);
    for (const char* text : {"<svg", "<title>line10</title>", "<g id=\"e4\" class=\"edge\"",
                             "Ho there, traveller!", "next 20", "</svg>"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
}

} // namespace
} // namespace dolmex
