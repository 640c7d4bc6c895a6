#pragma once

#include "core/LineStore.h"
#include "graph/DialogGraph.h"
#include "graph/GraphLayout.h"

#include <QDockWidget>
#include <QFutureWatcher>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace dolmex {

class MapScene;
class MapView;
class Prompter;
struct LanguageTables;

// What one layout run starts from: a copy of the rows (the store goes on changing while the
// run works), or the whole graph of rows that did not change since.
struct MapJob {
    std::shared_ptr<const LineStore> rows;
    std::shared_ptr<const DialogGraph> whole;
    std::uint64_t revision = 0;
    int currentRow = 1;
    bool neighbourhood = false;
    int steps = 2;
    // A dialog just opened: the neighbourhood is shown when the whole would be too large,
    // whatever `neighbourhood` says.
    bool chooseMode = false;
    MapMarkTexts marks;
};

struct MapResult {
    std::shared_ptr<const DialogGraph> whole;
    std::uint64_t revision = 0;
    DialogGraph shown;
    MapLayout layout;
    bool neighbourhood = false;
    int centreRow = -1; // the row of the block the neighbourhood is about
};

// The row of the block holding `row`, or of the last block above it; -1 without blocks.
int CentreRow(const DialogGraph& whole, int row);
// The blocks the map shows of `whole`: all of them, or those within `steps` of the block
// holding `row` (or the last block above it).
DialogGraph ShownGraph(const DialogGraph& whole, bool neighbourhood, int row, int steps);
// Builds the graph when needed, picks the blocks shown and lays them out; runs on a worker.
MapResult RunMapJob(const MapJob& job);

// The "Map" dock beside the grid: the dialog as a graph of its blocks, laid out again off
// the window's thread shortly after the edits stop, following the grid's current row and
// moving it when a block or an answer is clicked.
class MapDock : public QDockWidget, private LineStoreObserver {
    Q_OBJECT

public:
    // A dialog with more blocks than this opens showing the neighbourhood only.
    static constexpr int kLargeDialog = 1000;
    static constexpr int kTypingPauseMs = 400;

    // `currentRow` tells which row the grid's cursor is on; the store must outlive the dock.
    MapDock(LineStore& store, const LanguageTables& tables, Prompter& prompter,
            std::function<int()> currentRow, QWidget* parent = nullptr);
    ~MapDock() override;

    // Takes its texts from the language just read.
    void setTexts();
    // Another dialog was opened (or a new one started) in the store.
    void dialogReplaced();
    // The grid's cursor moved: highlights the row's block and brings it into view.
    void followRow(int row);
    // Asks for a file and writes the map to it, as SVG or, for a ".png" name, as an image.
    // `proposal` is what the save dialog proposes.
    void exportMap(const QString& proposal);

    MapScene& scene() { return *m_scene; }
    MapView& view() { return *m_view; }
    bool showsNeighbourhood() const;
    // A layout is being made or waits for the typing to stop.
    bool layoutPending() const;

signals:
    // A block or an answer was clicked: its data row.
    void rowChosen(int row);
    // Double-clicked: the row is to be opened in the line wizard.
    void wizardRequested(int row);
    // A new layout is on screen.
    void layoutApplied();

private:
    void lineStoreChanged(const LineStoreChange& change) override;
    void createToolBar(QWidget* area);
    void requestLayout();
    void start(MapJob job);
    void finished();
    void apply(MapResult result);
    MapJob makeJob() const;
    QString text(int entry) const;
    QString legend() const;

    LineStore& m_store;
    const LanguageTables& m_tables;
    Prompter& m_prompter;
    std::function<int()> m_currentRow;

    MapScene* m_scene = nullptr;
    MapView* m_view = nullptr;
    QCheckBox* MapNeighbourhood = nullptr;
    QSpinBox* MapSteps = nullptr;
    QToolButton* m_zoomIn = nullptr;
    QToolButton* m_zoomOut = nullptr;
    QToolButton* m_fit = nullptr;
    QLabel* MapLegend = nullptr;

    QTimer m_pause;
    QFutureWatcher<MapResult> m_watcher;
    std::optional<MapJob> m_waiting; // the newest request while a run is in flight
    bool m_running = false;
    bool m_dirty = true;       // the map does not show the rows as they are
    bool m_freshDialog = true; // no layout of this dialog yet
    bool m_everShown = false;
    std::shared_ptr<const DialogGraph> m_whole; // of the rows at m_wholeRevision
    std::uint64_t m_wholeRevision = 0;
    int m_centreRow = -1;
    MapMarkTexts m_marks;
};

} // namespace dolmex
