#include "GraphFixtures.h"

#include <gtest/gtest.h>

namespace dolmex {
namespace {

using test::EdgeTexts;
using test::GraphOf;
using test::kMixed;

std::vector<int> NodeRows(const DialogGraph& graph) {
    std::vector<int> rows;
    for (const MapNode& node : graph.nodes)
        rows.push_back(node.row);
    return rows;
}

std::string Dot(const DialogGraph& graph) {
    return ToDot(graph).toStdString();
}

TEST(DialogGraph, BlocksAnswersEdgesAndReachability) {
    const DialogGraph graph = GraphOf(kMixed);
    EXPECT_EQ(NodeRows(graph), (std::vector<int>{1, 7, 8, 9, 11}));
    const std::vector<std::string> edges = {
        "2>end",    "3>row7@1",     "3=row9@3", "4>next7",   "5>dangling99",
        "7~row8@2", "7~dangling77", "8~row7@1", "10>row8@2", "12>row3@0",
    };
    EXPECT_EQ(EdgeTexts(graph), edges);
    std::vector<bool> reachable;
    for (const MapNode& node : graph.nodes)
        reachable.push_back(node.reachable);
    EXPECT_EQ(reachable, (std::vector<bool>{true, true, true, true, false}));

    const MapNode& first = graph.nodes[0];
    EXPECT_TRUE(first.npcLine);
    EXPECT_EQ(first.number, QStringLiteral("1"));
    EXPECT_EQ(first.text,
              QStringLiteral("Hello there, traveller, and welcome to ") + QChar(0x2026));
    EXPECT_EQ(first.text.size(), 40);
    EXPECT_EQ(first.genderText, QStringLiteral("Hi \"girl\""));
    ASSERT_EQ(first.answers.size(), 4u);
    EXPECT_EQ(graph.nodes[4].text, QStringLiteral("Никто"));

    struct AnswerCase {
        std::size_t index;
        int row;
        bool tests, condition;
        int gender, intelligence;
    };
    for (const AnswerCase& c :
         {AnswerCase{0, 2, false, false, -1, 1}, AnswerCase{1, 3, true, true, 0, -4},
          AnswerCase{3, 5, false, false, -1, 1}}) {
        const MapAnswer& answer = first.answers[c.index];
        EXPECT_EQ(answer.row, c.row);
        EXPECT_EQ(answer.hasTests, c.tests) << c.row;
        EXPECT_EQ(answer.hasCondition, c.condition) << c.row;
        EXPECT_EQ(answer.gender, c.gender) << c.row;
        EXPECT_EQ(answer.intelligence, c.intelligence) << c.row;
    }
    EXPECT_EQ(graph.nodes[3].answers[0].intelligence, 2);
    EXPECT_TRUE(graph.nodes[3].answers[0].hasCondition);
}

TEST(DialogGraph, NodeOfRowFindsTheBlockAndTheAnswer) {
    const DialogGraph graph = GraphOf(kMixed);
    const struct {
        int row, node, answer;
    } cases[] = {{0, -1, -1}, {1, 0, -1}, {3, 0, 1},  {5, 0, 3},  {6, -1, -1},
                 {7, 1, -1},  {9, 3, -1}, {10, 3, 0}, {12, 4, 0}, {13, -1, -1}};
    for (const auto& c : cases) {
        int answer = 99;
        EXPECT_EQ(graph.nodeOfRow(c.row, &answer), c.node) << c.row;
        EXPECT_EQ(answer, c.answer) << c.row;
    }
}

TEST(DialogGraph, OddDialogs) {
    const struct {
        const char* dialog;
        std::vector<int> nodeRows;
        std::vector<std::string> edges;
        std::vector<std::string> ids;
    } cases[] = {
        // Player lines before the first NPC line are a block of their own.
        {"{5}{Orphan}{}{1}{}{10}{}\n{10}{Npc}{}{}{}{}{}\n",
         {1, 2},
         {"1>row2@1"},
         {"row1", "line10"}},
        // The last line carrying a number is the one named; a second node of a number gets
        // a suffix, one without a whole number its row.
        {"{7}{A}{}{}{}{}{}\n{8}{B}{}{1}{}{7}{}\n{7}{C}{}{}{}{}{}\n{x}{D}{}{}{}{}{}\n",
         {1, 3, 4},
         {"2>row3@1"},
         {"line7", "line7_2", "row4"}},
        // A response that is not a whole number reads as -1, as the description panel has it;
        // an intelligence of blanks makes a player line, as block layout has it.
        {"{1}{A}{}{}{}{abc}{}\n{2}{B}{}{ }{}{-2147483648}{}\n",
         {1},
         {"1>next1", "2>next2147483647"},
         {"line1"}},
        // A line naming itself, and the three jumping results.
        {"{1}{A}{}{}{}{1}{et 2 1, uw 0 1, jo 9 1, xx 0 1}\n",
         {1},
         {"1>row1@0", "1=row1@0", "1=row1@0", "1=row1@0"},
         {"line1"}},
        {"", {}, {}, {}},
    };
    for (const auto& c : cases) {
        const DialogGraph graph = GraphOf(c.dialog);
        EXPECT_EQ(NodeRows(graph), c.nodeRows) << c.dialog;
        EXPECT_EQ(EdgeTexts(graph), c.edges) << c.dialog;
        std::vector<std::string> ids;
        for (const QByteArray& id : DotNodeIds(graph))
            ids.push_back(id.toStdString());
        EXPECT_EQ(ids, c.ids) << c.dialog;
    }
}

TEST(DialogGraph, NeighbourhoodKeepsTheNodesWithinSteps) {
    const DialogGraph graph = GraphOf(kMixed);
    const struct {
        int centre, steps;
        std::vector<int> nodeRows;
        std::vector<std::string> edges;
    } cases[] = {
        {4, 0, {11}, {}},
        {4, 1, {1, 11}, {"2>end", "4>next7", "5>dangling99", "12>row3@0"}},
        {4,
         2,
         {1, 7, 9, 11},
         {"2>end", "3>row7@1", "3=row9@2", "4>next7", "5>dangling99", "7~dangling77", "12>row3@0"}},
        // Edges count both ways: node 8 is named by 7 and by row 10.
        {2, 1, {7, 8, 9}, {"7~row8@1", "7~dangling77", "8~row7@0", "10>row8@1"}},
        {0, 5, {1, 7, 8, 9, 11}, EdgeTexts(graph)},
        {-1, 2, {}, {}},
        {5, 2, {}, {}},
    };
    for (const auto& c : cases) {
        const DialogGraph part = Neighbourhood(graph, c.centre, c.steps);
        EXPECT_EQ(NodeRows(part), c.nodeRows) << c.centre << " " << c.steps;
        EXPECT_EQ(EdgeTexts(part), c.edges) << c.centre << " " << c.steps;
    }
    const DialogGraph part = Neighbourhood(graph, 4, 1);
    EXPECT_FALSE(part.nodes[1].reachable);
    EXPECT_EQ(part.nodeOfRow(12), 1);
}

TEST(DialogGraph, DotStylesEdgesAndEscapesTexts) {
    const std::string dot = Dot(GraphOf(kMixed));
    const char* const expected[] = {
        "line1 [label=<<TABLE",
        "tooltip=\"Hi \\\"girl\\\"\"",
        "<B>30</B> Jumped &lt;to&gt; &amp; &#39;back&#39;</TD>",
        "<B>40</B> Никто</TD>",
        "<TD PORT=\"a1\" ALIGN=\"LEFT\" HEIGHT=\"22\"><B>3</B> Go on <FONT POINT-SIZE=\"8\" "
        "COLOR=\"#a06000\">?♂≤4</FONT>",
        "  line1:a0:e -> mark0 [id=\"e0\"];\n",
        "  line1:a1:e -> line10 [id=\"e1\"];\n",
        "  line1:a1:e -> line30 [id=\"e2\", style=dashed];\n",
        "  mark3 [label=\"next 7\"",
        "  mark4 [label=\"99?\", shape=box, style=rounded, fontsize=8, width=0.3, height=0.2, "
        "margin=\"0.05,0.02\", color=\"red\", fontcolor=\"red\"];\n",
        "  line1:a3:e -> mark4 [id=\"e4\", color=\"red\"];\n",
        "  line10 -> line20 [id=\"e5\", style=dotted];\n",
        "  line10 -> mark6 [id=\"e6\", style=dotted, color=\"red\"];\n",
        // Nothing leads to line 40: grey, and so is what leaves it, to the row of line 3.
        "</TABLE>>, fontcolor=\"#909090\"];\n",
        "  line40:a0:e -> line1:a1:w [id=\"e9\", color=\"#b0b0b0\"];\n",
    };
    for (const char* text : expected)
        EXPECT_NE(dot.find(text), std::string::npos) << text << "\n" << dot;
    EXPECT_EQ(dot.rfind("digraph dialog {\n", 0), 0u);
    EXPECT_EQ(dot.substr(dot.size() - 2), "}\n");

    MapMarkTexts marks;
    marks.end = QStringLiteral("конец");
    marks.dangling = QStringLiteral("нет %1");
    const std::string local = ToDot(GraphOf(kMixed), marks).toStdString();
    EXPECT_NE(local.find("mark0 [label=\"конец\""), std::string::npos);
    EXPECT_NE(local.find("mark4 [label=\"нет 99\""), std::string::npos);
}

TEST(DialogGraph, ControlCharactersDoNotReachTheLabel) {
    // Byte 0x98 has no character in Windows-1251 and shows as a control character.
    const std::string dot =
        Dot(GraphOf(std::string("{1}{a\x01") + "b\x98" + "c}{\\ \x02}{}{}{}{}\n"));
    EXPECT_NE(dot.find("<B>1</B> a b c</TD>"), std::string::npos) << dot;
    EXPECT_NE(dot.find("tooltip=\"\\\\  \""), std::string::npos) << dot;
}

TEST(DialogGraph, TheSampleGivesTheGoldenDot) {
    const std::string golden = test::ReadAll(DOLMEX_SOURCE_DIR "/tests/data/00001Ferryman.dot");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(Dot(test::SampleGraph()), golden);
}

} // namespace
} // namespace dolmex
