#include "MapDock.h"

#include "core/FileBytes.h"
#include "core/IoError.h"
#include "core/PathText.h"
#include "lang/LanguageTables.h"
#include "ui/Cp1251.h"
#include "ui/MapScene.h"
#include "ui/MapView.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace dolmex {

namespace {

constexpr int kDefaultSteps = 2;
// After a move of the cursor the neighbourhood follows, sooner than after typing.
constexpr int kFollowPauseMs = 150;
// An exported image is drawn larger than the map's points, so its text stays sharp, but
// never past what an image can hold.
constexpr qreal kImageScale = 2.0;
constexpr qreal kLargestImageSide = 16000;

int BlockOfRow(const DialogGraph& graph, int row) {
    const int node = graph.nodeOfRow(row);
    if (node >= 0 || graph.nodes.empty())
        return std::max(node, 0);
    // A row in no block (a separator, say): the block above it.
    const auto above = std::upper_bound(graph.nodes.begin(), graph.nodes.end(), row,
                                        [](int r, const MapNode& n) { return r < n.row; });
    return above == graph.nodes.begin() ? 0 : static_cast<int>(above - graph.nodes.begin()) - 1;
}

QByteArray PngOf(DialogGraph graph, const MapMarkTexts& texts) {
    MapLayout layout = LayOutGraph(graph, texts);
    MapScene scene;
    scene.setTexts(texts);
    scene.setMap(std::move(graph), std::move(layout));
    const QRectF source = scene.sceneRect();
    const qreal scale =
        std::min({kImageScale, kLargestImageSide / std::max<qreal>(1, source.width()),
                  kLargestImageSide / std::max<qreal>(1, source.height())});
    const QSize size(std::max(1, qRound(source.width() * scale)),
                     std::max(1, qRound(source.height() * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        scene.render(&painter, QRectF(QPointF(0, 0), size), source);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

int CentreRow(const DialogGraph& whole, int row) {
    return whole.nodes.empty() ? -1
                               : whole.nodes[static_cast<std::size_t>(BlockOfRow(whole, row))].row;
}

DialogGraph ShownGraph(const DialogGraph& whole, bool neighbourhood, int row, int steps) {
    if (!neighbourhood || whole.nodes.empty())
        return whole;
    return Neighbourhood(whole, BlockOfRow(whole, row), steps);
}

MapResult RunMapJob(const MapJob& job) {
    MapResult result;
    result.revision = job.revision;
    result.whole =
        job.whole ? job.whole : std::make_shared<const DialogGraph>(BuildDialogGraph(*job.rows));
    // A dialog just opened shows its neighbourhood when it is large, the whole when not.
    result.neighbourhood =
        job.chooseMode ? static_cast<int>(result.whole->nodes.size()) > MapDock::kLargeDialog
                       : job.neighbourhood;
    result.shown = ShownGraph(*result.whole, result.neighbourhood, job.currentRow, job.steps);
    result.centreRow = CentreRow(*result.whole, job.currentRow);
    result.layout = LayOutGraph(result.shown, job.marks);
    return result;
}

MapDock::MapDock(LineStore& store, const LanguageTables& tables, Prompter& prompter,
                 std::function<int()> currentRow, QWidget* parent)
    : QDockWidget(parent), m_store(store), m_tables(tables), m_prompter(prompter),
      m_currentRow(std::move(currentRow)) {
    setObjectName(QStringLiteral("MapDock"));
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    createToolBar(area);
    m_scene = new MapScene(this);
    m_view = new MapView(*m_scene, area);
    layout->addWidget(m_view, 1);
    setWidget(area);

    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &MapDock::requestLayout);
    connect(&m_watcher, &QFutureWatcher<MapResult>::finished, this, &MapDock::finished);
    connect(m_view, &MapView::rowClicked, this, &MapDock::rowChosen);
    connect(m_view, &MapView::rowDoubleClicked, this, &MapDock::wizardRequested);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_dirty)
            requestLayout();
    });
    m_store.addObserver(this);
}

MapDock::~MapDock() {
    m_store.removeObserver(this);
    // The run holds only its own copies, but it must not outlive the program's thread pool.
    m_watcher.waitForFinished();
}

void MapDock::createToolBar(QWidget* area) {
    auto* bar = new QWidget(area);
    bar->setObjectName(QStringLiteral("MapToolBar"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    MapNeighbourhood = new QCheckBox(bar);
    MapNeighbourhood->setObjectName(QStringLiteral("MapNeighbourhood"));
    MapSteps = new QSpinBox(bar);
    MapSteps->setObjectName(QStringLiteral("MapSteps"));
    MapSteps->setRange(1, 5);
    MapSteps->setValue(kDefaultSteps);
    MapSteps->setEnabled(false);
    const auto button = [bar](const char* name, const QString& label, QAction* action) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setDefaultAction(action);
        b->setText(label);
        b->setAutoRaise(true);
        return b;
    };
    // The zoom keys work wherever the keyboard is inside the dock.
    const auto zoomAction = [this](const QKeySequence& keys, auto slot) {
        auto* action = new QAction(this);
        action->setShortcuts({keys});
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    QAction* zoomIn = zoomAction(QKeySequence::ZoomIn, [this] { m_view->zoomIn(); });
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut =
        zoomAction(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { m_view->zoomOut(); });
    QAction* fit = zoomAction(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { m_view->fit(); });
    m_zoomOut = button("MapZoomOut", QStringLiteral("\u2212"), zoomOut);
    m_zoomIn = button("MapZoomIn", QStringLiteral("+"), zoomIn);
    m_fit = button("MapFit", QStringLiteral("\u2922"), fit);
    MapLegend = new QLabel(bar);
    MapLegend->setObjectName(QStringLiteral("MapLegend"));
    // Hovered, or clicked for those who do not wait for hints.
    connect(MapLegend, &QLabel::linkActivated, this, [this] {
        QToolTip::showText(MapLegend->mapToGlobal(QPoint(0, MapLegend->height())), legend(),
                           MapLegend);
    });
    row->addWidget(MapNeighbourhood);
    row->addWidget(MapSteps);
    row->addStretch(1);
    row->addWidget(m_zoomOut);
    row->addWidget(m_zoomIn);
    row->addWidget(m_fit);
    row->addSpacing(6);
    row->addWidget(MapLegend);
    static_cast<QVBoxLayout*>(area->layout())->addWidget(bar);

    connect(MapNeighbourhood, &QCheckBox::toggled, this, [this](bool on) {
        MapSteps->setEnabled(on);
        requestLayout();
    });
    connect(MapSteps, &QSpinBox::valueChanged, this, [this] {
        if (MapNeighbourhood->isChecked())
            requestLayout();
    });
}

QString MapDock::text(int entry) const {
    return FromCp1251(m_tables.mainDescription[entry]);
}

QString MapDock::legend() const {
    // Each entry with a sample of what it explains, drawn in the map's own colours.
    const auto line = [](const QString& sample, const QString& words) {
        return QStringLiteral("<tr><td align=center>%1</td><td>%2</td></tr>")
            .arg(sample, words.toHtmlEscaped());
    };
    // The samples are UTF-8 in the source: box lines, arrows, gender signs.
    const auto stroke = [](const char* colour, const char* sample) {
        return QStringLiteral("<span style=\"color:%1\"><b>%2</b></span>")
            .arg(QLatin1String(colour), QString::fromUtf8(sample));
    };
    QString html = QStringLiteral("<table cellspacing=3>");
    html += line(stroke("#303030", "\u2500\u2500\u2500\u25b6"), text(md::kMapResponse));
    html += line(stroke("#1f5fa8", "\u2012 \u2012 \u2012\u25b6"), text(md::kMapJump));
    html +=
        line(stroke("#2e7d32", "\u00b7\u00b7\u00b7\u00b7\u00b7\u25b6"), text(md::kMapGenerated));
    html += line(QStringLiteral("[%1]").arg(text(md::kMapEnd).toHtmlEscaped()),
                 text(md::kResponseZero));
    html += line(QStringLiteral("[%1]").arg(text(md::kMapNextTalk).arg(12).toHtmlEscaped()),
                 text(md::kNegativeResponse) + QStringLiteral(" 12"));
    html += line(QStringLiteral("<span style=\"background:#c62828;color:white\">&nbsp;99&nbsp;"
                                "</span>"),
                 text(md::kMapDangling));
    html += line(QStringLiteral("<span style=\"background:#e6e6e6;color:#808080\">&nbsp;10"
                                "&nbsp;</span>"),
                 text(md::kMapUnreachable));
    html += line(stroke("#a06000", "?"), text(md::kMapTests));
    html += line(stroke("#a06000", "\u2642 \u2640 \u22655"), text(md::kMapCondition));
    html += line(QStringLiteral("<span style=\"background:#ffd870\">&nbsp;10&nbsp;</span>"),
                 text(md::kMapCurrent));
    return html + QStringLiteral("</table>");
}

void MapDock::setTexts() {
    setWindowTitle(text(md::kMapTitle));
    MapNeighbourhood->setText(text(md::kMapNeighbourhood));
    MapNeighbourhood->setToolTip(text(md::kMapStepsHint));
    MapSteps->setToolTip(text(md::kMapStepsHint));
    m_zoomIn->setToolTip(text(md::kMapZoomIn));
    m_zoomOut->setToolTip(text(md::kMapZoomOut));
    m_fit->setToolTip(text(md::kMapFit));
    MapLegend->setText(
        QStringLiteral("<a href=\"legend\">%1</a>").arg(text(md::kMapLegend).toHtmlEscaped()));
    MapLegend->setToolTip(legend());
    m_marks.end = text(md::kMapEnd);
    m_marks.nextTalk = text(md::kMapNextTalk);
    m_scene->setTexts(m_marks);
    // The marks are drawn in words of the language: drawn again in the new one.
    m_dirty = true;
    if (isVisible())
        requestLayout();
}

bool MapDock::showsNeighbourhood() const {
    return MapNeighbourhood->isChecked();
}

bool MapDock::layoutPending() const {
    return m_running || m_waiting || m_pause.isActive();
}

void MapDock::lineStoreChanged(const LineStoreChange& change) {
    if (change.kind == LineStoreChange::Kind::TitleChanged)
        return;
    m_dirty = true;
    // A whole new set of rows comes from a command, not from typing: no pause to wait for.
    m_pause.start(change.kind == LineStoreChange::Kind::Reset ? 0 : kTypingPauseMs);
}

void MapDock::dialogReplaced() {
    // Another dialog chooses its own mode and zoom, and is shown as soon as it is read.
    m_freshDialog = true;
    m_dirty = true;
    m_pause.start(0);
}

void MapDock::followRow(int row) {
    const int node = m_scene->setCurrentRow(row);
    if (MapNodeItem* item = m_scene->nodeItem(node))
        m_view->ensureVisible(item->rowRect(item->currentAnswer()), 30, 30);
    if (!MapNeighbourhood->isChecked() || !m_whole || m_wholeRevision != m_store.revision())
        return;
    if (CentreRow(*m_whole, row) != m_centreRow && !m_pause.isActive())
        m_pause.start(kFollowPauseMs);
}

MapJob MapDock::makeJob() const {
    MapJob job;
    job.revision = m_store.revision();
    if (m_whole && m_wholeRevision == job.revision) {
        job.whole = m_whole;
    } else {
        // A copy, not the store: the store goes on changing while the job runs.
        auto rows = std::make_shared<LineStore>();
        rows->replaceAll(m_store.lines());
        job.rows = std::move(rows);
    }
    job.currentRow = m_currentRow();
    job.neighbourhood = MapNeighbourhood->isChecked();
    job.steps = MapSteps->value();
    job.chooseMode = m_freshDialog;
    job.marks = m_marks;
    return job;
}

void MapDock::requestLayout() {
    m_pause.stop();
    if (!isVisible()) {
        m_dirty = true;
        return;
    }
    MapJob job = makeJob();
    if (m_running) {
        m_waiting = std::move(job); // supersedes any request that was waiting
        return;
    }
    start(std::move(job));
}

void MapDock::start(MapJob job) {
    m_running = true;
    m_dirty = false;
    m_watcher.setFuture(QtConcurrent::run([job = std::move(job)] { return RunMapJob(job); }));
}

void MapDock::finished() {
    m_running = false;
    MapResult result = m_watcher.result();
    if (m_waiting) {
        // A newer request came in while this one ran: what it shows would be out of date.
        MapJob job = std::move(*m_waiting);
        m_waiting.reset();
        if (!job.whole && result.revision == job.revision)
            job.whole = result.whole;
        start(std::move(job));
        return;
    }
    apply(std::move(result));
}

void MapDock::apply(MapResult result) {
    const bool fresh = m_freshDialog;
    // A result of rows since replaced leaves the new dialog its own choice of mode.
    if (result.revision == m_store.revision())
        m_freshDialog = false;
    m_whole = result.whole;
    m_wholeRevision = result.revision;
    m_centreRow = result.centreRow;
    if (result.neighbourhood != MapNeighbourhood->isChecked()) {
        // The mode chosen for a large dialog, without asking for another layout.
        const QSignalBlocker blocker(MapNeighbourhood);
        MapNeighbourhood->setChecked(result.neighbourhood);
        MapSteps->setEnabled(result.neighbourhood);
    }
    m_scene->setMap(std::move(result.shown), std::move(result.layout));
    const int node = m_scene->setCurrentRow(m_currentRow());
    if (fresh || !m_everShown) {
        m_everShown = true;
        m_view->resetTransform();
        // A map that reads at a fair size is shown whole; a larger one at its own size.
        m_view->fit();
        if (m_view->zoom() < 0.6)
            m_view->resetTransform();
    }
    if (MapNodeItem* item = m_scene->nodeItem(node))
        m_view->centerOn(item->rowRect(item->currentAnswer()).center());
    emit layoutApplied();
}

void MapDock::exportMap(const QString& proposal) {
    const QString filter = text(md::kMapSvgFilter) + QStringLiteral("|*.svg|") +
                           text(md::kMapPngFilter) + QStringLiteral("|*.png");
    const std::optional<QString> chosen = m_prompter.saveFileName(filter, proposal);
    if (!chosen)
        return;
    QString path = *chosen;
    const bool png =
        QFileInfo(path).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0;
    // A name without a kind is a drawing; a folder stays a folder, and the write says so.
    if (QFileInfo(path).suffix().isEmpty() && !QFileInfo(path).isDir())
        path += QStringLiteral(".svg");
    // The blocks as the map shows them, from the rows as they are now.
    DialogGraph shown = ShownGraph(BuildDialogGraph(m_store), MapNeighbourhood->isChecked(),
                                   m_currentRow(), MapSteps->value());
    const QByteArray bytes = png ? PngOf(std::move(shown), m_marks) : RenderSvg(shown, m_marks);
    try {
        WriteFileAtomically(
            PathBytes(path),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const IoError& error) {
        m_prompter.ioError(IoErrorText(error));
    }
}

} // namespace dolmex
