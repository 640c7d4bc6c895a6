// The map dock inside the main window, driven by real keys and mouse clicks.

#include "shell/MapDock.h"
#include "shell/TMainForm.h"
#include "support/ProgramFolder.h"
#include "support/TestFiles.h"
#include "ui/MapScene.h"
#include "ui/MapView.h"
#include "ui/Prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <QWheelEvent>

#include <memory>
#include <set>

namespace dolmex {
namespace {

using test::ReadAll;
using test::TempFolder;

// Three blocks: the first answers lead on and end, the second's go back and to the next
// talk, the third is reached by nothing and names a line that does not exist.
const char* kSmallDialog = "{1}{Hello}{}{}{}{}{}\r\n"
                           "{2}{Answer one}{}{1}{}{10}{}\r\n"
                           "{3}{Answer two}{}{1}{gf 1 1}{0}{}\r\n"
                           "{10}{Second}{Second, lady}{}{}{}{}\r\n"
                           "{11}{Back}{0}{1}{}{1}{}\r\n"
                           "{12}{Away}{}{1}{}{-1}{}\r\n"
                           "{20}{Lonely}{}{}{}{}{}\r\n"
                           "{21}{Missing}{}{1}{}{99}{}\r\n";

// `blocks` blocks in a chain: each NPC line's one answer leads to the next block.
std::string Chain(int blocks) {
    std::string text;
    for (int i = 1; i <= blocks; ++i) {
        const std::string npc = std::to_string(i * 10);
        const std::string next = std::to_string(i < blocks ? (i + 1) * 10 : 0);
        text += "{" + npc + "}{Line " + npc + "}{}{}{}{}{}\r\n";
        text += "{" + std::to_string(i * 10 + 1) + "}{Go on}{}{1}{}{" + next + "}{}\r\n";
    }
    return text;
}

class MapDockTest : public ::testing::Test {
protected:
    void SetUp() override { test::SetUpProgramFolder(folder, context); }

    void start(const std::string& bytes) {
        form = std::make_unique<TMainForm>(
            context, prompter, QString::fromStdString(folder.write("00007M.dlg", bytes)));
        form->resize(1200, 800);
        form->show();
        QApplication::setActiveWindow(form.get());
        grid()->setFocus();
    }

    QTableView* grid() const { return form->findChild<QTableView*>(QStringLiteral("SG")); }
    MapDock* dock() const { return form->findChild<MapDock*>(QStringLiteral("MapDock")); }
    MapView* view() const { return form->findChild<MapView*>(QStringLiteral("MapView")); }

    // Ctrl+M on the grid, then waits for the map to be laid out.
    void openMap() {
        QSignalSpy laidOut(dock(), &MapDock::layoutApplied);
        QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier);
        ASSERT_TRUE(dock()->isVisible());
        ASSERT_TRUE(laidOut.count() > 0 || laidOut.wait(10000));
        QTRY_VERIFY(!dock()->layoutPending());
    }

    // How many pixels of `rect` (scene coordinates) an offscreen render paints in `colour`,
    // as a share of the rect.
    static double ShareOf(MapScene& scene, const QRectF& rect, const QColor& colour) {
        QImage image(rect.size().toSize(), QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            scene.render(&painter, QRectF(QPointF(0, 0), rect.size()), rect);
        }
        int hits = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                hits += QColor(image.pixel(x, y)) == colour ? 1 : 0;
        return static_cast<double>(hits) / std::max(1, image.width() * image.height());
    }

    // A real click on the row drawn at `sceneRect`, brought into view first.
    void clickAt(const QRectF& sceneRect, bool twice = false) {
        view()->centerOn(sceneRect.center());
        const QPoint at = view()->mapFromScene(sceneRect.center());
        ASSERT_TRUE(view()->viewport()->rect().contains(at));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, at);
    }

    void trigger(const QString& name) const { form->action(name)->trigger(); }

    TempFolder folder;
    ProgramContext context;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MapDockTest, CtrlMTogglesTheDockBesideTheGrid) {
    start(kSmallDialog);
    QAction* item = form->action(QStringLiteral("Map1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    EXPECT_EQ(item->text(), "Map");
    EXPECT_FALSE(dock()->isVisible());
    openMap();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(dock()->windowTitle(), "Map");
    EXPECT_TRUE(grid()->isVisible()) << "both are usable at once";
    EXPECT_GT(grid()->width(), dock()->width());
    QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(dock()->isVisible());
    EXPECT_FALSE(item->isChecked());
    // Closed by its own button, the dock unticks the menu item too.
    QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(dock()->isVisible());
    dock()->close();
    EXPECT_FALSE(item->isChecked());
}

TEST_F(MapDockTest, OneNodePerBlockAndTheCurrentBlockHighlighted) {
    start(kSmallDialog);
    form->setCurrentRow(5); // line 11, the first answer of the second block
    openMap();
    MapScene& scene = dock()->scene();
    ASSERT_EQ(scene.nodeCount(), 3);
    int nodeItems = 0;
    for (QGraphicsItem* item : scene.items())
        nodeItems += item->type() == MapNodeItem::Type ? 1 : 0;
    EXPECT_EQ(nodeItems, 3);
    const std::pair<int, const char*> numbers[] = {{0, "1"}, {1, "10"}, {2, "20"}};
    for (const auto& [node, number] : numbers)
        EXPECT_EQ(scene.nodeItem(node)->node().number, number);
    EXPECT_EQ(scene.nodeItem(1)->toolTip(), "Second, lady") << "the gender text on hover";
    EXPECT_FALSE(scene.nodeItem(2)->node().reachable);

    EXPECT_EQ(scene.currentNode(), 1);
    EXPECT_EQ(scene.nodeItem(1)->currentAnswer(), 0);
    const QRectF answer = scene.nodeItem(1)->rowRect(0);
    EXPECT_GT(ShareOf(scene, answer, MapScene::currentAnswerColour()), 0.3);
    for (int node : {0, 2}) {
        EXPECT_FALSE(scene.nodeItem(node)->isCurrent()) << node;
        EXPECT_EQ(ShareOf(scene, scene.nodeItem(node)->rowRect(0), MapScene::currentAnswerColour()),
                  0.0)
            << node;
    }

    // The cursor moves in the grid: the map follows, the NPC line's header lights up.
    QTest::keyClick(grid(), Qt::Key_Up);
    ASSERT_EQ(form->currentRow(), 4);
    EXPECT_EQ(scene.nodeItem(1)->currentAnswer(), -1);
    EXPECT_GT(ShareOf(scene, scene.nodeItem(1)->rowRect(-1), MapScene::currentColour()), 0.3);
    QTest::keyClick(grid(), Qt::Key_Up);
    EXPECT_EQ(scene.currentNode(), 0);
    EXPECT_FALSE(scene.nodeItem(1)->isCurrent());
    EXPECT_TRUE(view()
                    ->mapToScene(view()->viewport()->rect())
                    .boundingRect()
                    .intersects(scene.nodeItem(0)->rowRect(1)))
        << "the current row is in view";
}

TEST_F(MapDockTest, EdgesEndInMarksForEndsNextTalksAndMissingLines) {
    start(kSmallDialog);
    openMap();
    std::multiset<std::pair<MapTargetKind, QString>> marks;
    for (QGraphicsItem* item : dock()->scene().items()) {
        if (item->type() == MapEdgeItem::Type) {
            const auto* edge = static_cast<MapEdgeItem*>(item);
            if (edge->edge().target != MapTargetKind::Node)
                marks.insert({edge->edge().target, edge->markText()});
        }
    }
    const std::multiset<std::pair<MapTargetKind, QString>> expected{
        {MapTargetKind::End, "end"},
        {MapTargetKind::NextTalk, "next: 1"},
        {MapTargetKind::Dangling, "99?"}};
    EXPECT_EQ(marks, expected);
}

TEST_F(MapDockTest, AClickOnAnAnswerMovesTheGridAndADoubleClickOpensTheWizard) {
    start(kSmallDialog);
    openMap();
    MapScene& scene = dock()->scene();
    ASSERT_EQ(form->currentRow(), 1);
    EXPECT_FALSE(form->action(QStringLiteral("Back1"))->isEnabled());

    clickAt(scene.nodeItem(1)->rowRect(1)); // line 12
    EXPECT_EQ(form->currentRow(), 6);
    EXPECT_EQ(scene.nodeItem(1)->currentAnswer(), 1);
    EXPECT_TRUE(form->action(QStringLiteral("Back1"))->isEnabled()) << "remembered as a jump";
    trigger(QStringLiteral("Back1"));
    EXPECT_EQ(form->currentRow(), 1);

    clickAt(scene.nodeItem(2)->rowRect(-1)); // the header of the third block
    EXPECT_EQ(form->currentRow(), 7);

    QSignalSpy wizard(form.get(), &TMainForm::openWizardRequested);
    clickAt(scene.nodeItem(0)->rowRect(0), true); // line 2
    ASSERT_EQ(wizard.count(), 1);
    EXPECT_EQ(wizard.front().front().toInt(), 2);
    EXPECT_EQ(form->currentRow(), 2);

    // A drag pans the map and chooses nothing.
    const QPoint from = view()->mapFromScene(scene.nodeItem(2)->rowRect(0).center());
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view()->viewport(), from + QPoint(40, 30));
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, from + QPoint(40, 30));
    EXPECT_EQ(form->currentRow(), 2);
}

TEST_F(MapDockTest, AnEditIsLaidOutAgainOnlyWhileTheMapIsShown) {
    start(kSmallDialog);
    openMap();
    QSignalSpy laidOut(dock(), &MapDock::layoutApplied);
    // Typed into the NPC line's text in edit mode, as a person does.
    QTest::keyClick(grid(), Qt::Key_F4);
    grid()->setCurrentIndex(grid()->model()->index(0, ColText));
    QTest::keyClick(grid(), Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" there"));
    QTest::keyClick(grid(), Qt::Key_F4);
    ASSERT_EQ(form->document().store().cell(1, ColText), "Hello there");
    QTRY_VERIFY_WITH_TIMEOUT(laidOut.count() >= 1, 10000);
    QTRY_VERIFY(!dock()->layoutPending());
    EXPECT_EQ(dock()->scene().nodeItem(0)->node().text, "Hello there");

    // Hidden, the map waits; shown again, it catches up.
    QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_FALSE(dock()->isVisible());
    laidOut.clear();
    form->document().store().insertLines(7, {DialogLine{"15", "Inserted NPC line"}});
    QTRY_VERIFY(!dock()->layoutPending());
    EXPECT_EQ(laidOut.count(), 0);
    EXPECT_EQ(dock()->scene().nodeCount(), 3);
    QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(laidOut.count() >= 1, 10000);
    EXPECT_EQ(dock()->scene().nodeCount(), 4);
}

TEST_F(MapDockTest, TheNeighbourhoodShowsTheBlocksNearTheCurrentOneAndFollowsIt) {
    start(Chain(8));
    form->setCurrentRow(7); // line 40, the fourth block
    openMap();
    ASSERT_EQ(dock()->scene().nodeCount(), 8);
    auto* box = form->findChild<QCheckBox*>(QStringLiteral("MapNeighbourhood"));
    auto* steps = form->findChild<QSpinBox*>(QStringLiteral("MapSteps"));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(steps->minimum(), 1);
    EXPECT_EQ(steps->maximum(), 5);
    QSignalSpy laidOut(dock(), &MapDock::layoutApplied);
    steps->setValue(1);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    const auto shownNumbers = [this] {
        std::set<QString> numbers;
        for (int i = 0; i < dock()->scene().nodeCount(); ++i)
            numbers.insert(dock()->scene().nodeItem(i)->node().number);
        return numbers;
    };
    QTRY_VERIFY_WITH_TIMEOUT(laidOut.count() >= 1 && !dock()->layoutPending(), 10000);
    EXPECT_EQ(shownNumbers(), (std::set<QString>{"30", "40", "50"}));

    // The cursor moves on two blocks: the neighbourhood moves with it.
    form->setCurrentRow(11); // line 60
    QTRY_VERIFY_WITH_TIMEOUT(shownNumbers() == (std::set<QString>{"50", "60", "70"}), 10000);
    EXPECT_GE(dock()->scene().currentNode(), 0);

    // Requests in quick succession: whatever ran meanwhile, the last one is what shows.
    steps->setValue(2);
    steps->setValue(3);
    QTRY_VERIFY_WITH_TIMEOUT(!dock()->layoutPending(), 10000);
    EXPECT_EQ(shownNumbers(), (std::set<QString>{"30", "40", "50", "60", "70", "80"}));
}

TEST(MapJobTest, TheNeighbourhoodIsAboutTheBlockHoldingTheRowOrTheOneAbove) {
    LineStore store;
    // Two blocks with a separator between them.
    const DialogLines rows{PackedLine{"10", "Hello"}, PackedLine{"11", "Answer", "", "1"},
                           PackedLine{}, PackedLine{"20", "Again"},
                           PackedLine{"21", "Answer", "", "1"}};
    store.replaceAll(rows);
    const DialogGraph whole = BuildDialogGraph(store);
    ASSERT_EQ(whole.nodes.size(), 2u);
    const std::pair<int, int> centres[] = {{1, 1}, {2, 1}, {3, 1}, {4, 4}, {5, 4}, {99, 4}};
    for (const auto& [row, centre] : centres)
        EXPECT_EQ(CentreRow(whole, row), centre) << row;
    EXPECT_EQ(CentreRow(DialogGraph{}, 1), -1);

    MapJob job;
    job.rows = std::make_shared<LineStore>();
    job.currentRow = 4;
    job.neighbourhood = true;
    job.steps = 1;
    EXPECT_TRUE(RunMapJob(job).shown.nodes.empty()) << "an empty dialog has nothing to show";
    auto copy = std::make_shared<LineStore>();
    copy->replaceAll(rows);
    job.rows = copy;
    const MapResult result = RunMapJob(job);
    EXPECT_EQ(result.centreRow, 4);
    EXPECT_EQ(result.whole->nodes.size(), 2u);
    ASSERT_EQ(result.layout.nodes.size(), result.shown.nodes.size());
    EXPECT_FALSE(result.layout.bounds.isEmpty());
}

TEST_F(MapDockTest, ALargeDialogOpensInTheNeighbourhood) {
    start(Chain(MapDock::kLargeDialog + 1));
    openMap();
    EXPECT_TRUE(dock()->showsNeighbourhood());
    EXPECT_LT(dock()->scene().nodeCount(), 20);
    EXPECT_GE(dock()->scene().currentNode(), 0);

    // A small dialog opened after it is shown whole again.
    QSignalSpy laidOut(dock(), &MapDock::layoutApplied);
    prompter.setNextFileName(QString::fromStdString(folder.write("00008S.dlg", Chain(3))));
    trigger(QStringLiteral("N3"));
    QTRY_VERIFY_WITH_TIMEOUT(laidOut.count() >= 1 && !dock()->layoutPending(), 10000);
    EXPECT_FALSE(dock()->showsNeighbourhood());
    EXPECT_EQ(dock()->scene().nodeCount(), 3);
}

// The layout of the small dialog is still on its way when the large one is opened: its
// late result must not keep the large dialog from choosing its own mode.
TEST_F(MapDockTest, ALargeDialogOpenedWhileALayoutRunsStillOpensInTheNeighbourhood) {
    start(Chain(3));
    QTest::keyClick(grid(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(dock()->layoutPending());
    // Time for the worker to finish, so that its result waits in the event queue, ahead of
    // the request the opening makes.
    QThread::msleep(300);
    prompter.setNextFileName(
        QString::fromStdString(folder.write("00009L.dlg", Chain(MapDock::kLargeDialog + 1))));
    trigger(QStringLiteral("N3"));
    QTRY_VERIFY_WITH_TIMEOUT(!dock()->layoutPending(), 20000);
    EXPECT_TRUE(dock()->showsNeighbourhood());
    EXPECT_LT(dock()->scene().nodeCount(), 20);
}

TEST_F(MapDockTest, KeysAndTheWheelZoomAndCtrl0FitsTheMap) {
    start(Chain(6));
    openMap();
    view()->setFocus();
    const qreal before = view()->zoom();
    QTest::keyClick(view(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(view()->zoom(), before);
    QTest::keyClick(view(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(view()->zoom(), before);

    const qreal beforeWheel = view()->zoom();
    const QPointF centre = view()->viewport()->rect().center();
    QWheelEvent wheel(centre, view()->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view()->viewport(), &wheel);
    EXPECT_GT(view()->zoom(), beforeWheel);

    for (int i = 0; i < 6; ++i)
        QTest::keyClick(view(), Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_0, Qt::ControlModifier);
    const QRectF shown = view()->mapToScene(view()->viewport()->rect()).boundingRect();
    const QRectF map = dock()->scene().itemsBoundingRect();
    EXPECT_TRUE(shown.adjusted(-1, -1, 1, 1).contains(map)) << "the whole map is in view";
}

TEST_F(MapDockTest, ExportWritesSvgOrPngAndReportsAFailure) {
    start(kSmallDialog);
    struct Case {
        const char* name;
        std::optional<std::string> file; // nothing: the dialog is cancelled
        std::string written;             // the file that must appear
        const char* magic;
        int errors;
    };
    const Case cases[] = {
        {"svg", "map.svg", "map.svg", "<svg", 0},
        {"no suffix is svg", "plain", "plain.svg", "<svg", 0},
        {"png", "map.png", "map.png", "\x89PNG", 0},
        {"cancelled", std::nullopt, "", nullptr, 0},
        {"a folder", "", "", nullptr, 1},
    };
    for (const Case& c : cases) {
        prompter.clearShown();
        prompter.setNextFileName(c.file
                                     ? std::optional<QString>(QString::fromStdString(
                                           c.file->empty() ? folder.root() : folder.path(*c.file)))
                                     : std::nullopt);
        trigger(QStringLiteral("ExportMap1"));
        ASSERT_EQ(prompter.count("save"), 1) << c.name;
        EXPECT_TRUE(prompter.shown().front().text.contains("*.png")) << c.name;
        EXPECT_TRUE(prompter.shown().front().start.endsWith("00007M.svg")) << c.name;
        EXPECT_EQ(prompter.count("error"), c.errors) << c.name;
        if (c.magic) {
            const std::string bytes = ReadAll(folder.path(c.written));
            EXPECT_NE(bytes.find(c.magic), std::string::npos) << c.name;
            if (std::string(c.name) == "png") {
                const QImage image = QImage::fromData(
                    QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), "PNG");
                EXPECT_GT(image.width(), 50) << c.name;
                EXPECT_GT(image.height(), 50) << c.name;
            }
        }
    }
}

TEST_F(MapDockTest, TheMapSpeaksTheLanguageChosen) {
    start(kSmallDialog);
    openMap();
    QSignalSpy laidOut(dock(), &MapDock::layoutApplied);
    form->action(QStringLiteral("N38"))->trigger(); // Russian
    EXPECT_EQ(dock()->windowTitle(), QString::fromUtf8("Карта"));
    EXPECT_EQ(form->action(QStringLiteral("ExportMap1"))->text(),
              QString::fromUtf8("Экспорт карты..."));
    const QString legend = form->findChild<QLabel*>(QStringLiteral("MapLegend"))->toolTip();
    for (const char* words : {"ответ", "переход по результату", "строки с таким номером нет"})
        EXPECT_TRUE(legend.contains(QString::fromUtf8(words))) << words;
    // The samples beside the words: the arrow of a line, the gender signs.
    for (char16_t sample : {u'\u25b6', u'\u2642', u'\u2640'})
        EXPECT_TRUE(legend.contains(QChar(sample))) << int(sample);
    QTRY_VERIFY_WITH_TIMEOUT(laidOut.count() >= 1 && !dock()->layoutPending(), 10000);
    bool endInRussian = false;
    for (QGraphicsItem* item : dock()->scene().items()) {
        if (item->type() == MapEdgeItem::Type)
            endInRussian |=
                static_cast<MapEdgeItem*>(item)->markText() == QString::fromUtf8("конец");
    }
    EXPECT_TRUE(endInRussian);
}

} // namespace
} // namespace dolmex
