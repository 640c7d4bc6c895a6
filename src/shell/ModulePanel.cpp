#include "ModulePanel.h"

#include "lang/LanguageTables.h"
#include "module/ModuleFiles.h"
#include "ui/Cp1251.h"

#include <QBrush>
#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <functional>
#include <limits>

namespace dolmex {

namespace {

// The filtered rows, with the counts that call for attention in red.
class ShownModule : public ModuleFilter {
public:
    using ModuleFilter::ModuleFilter;

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::ForegroundRole)
            return ModuleFilter::data(index, role);
        const int sortValue = index.data(ModuleModel::SortRole).toInt();
        const bool problems = index.column() == ModuleModel::Problems && sortValue > 0 &&
                              sortValue < std::numeric_limits<int>::max();
        const bool unreadable = index.column() == ModuleModel::Lines && sortValue < 0;
        return problems || unreadable ? QVariant(QBrush(QColor(0xb0, 0x10, 0x20))) : QVariant();
    }
};

// Keys in the filter box that reach the list: Down goes into it, Enter opens its row.
class FilterKeys : public QObject {
public:
    FilterKeys(QTableView* list, std::function<void()> open, QObject* parent)
        : QObject(parent), m_list(list), m_open(std::move(open)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down) {
            if (!m_list->currentIndex().isValid() && m_list->model()->rowCount() > 0)
                m_list->setCurrentIndex(m_list->model()->index(0, 0));
            m_list->setFocus();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_open();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView* m_list;
    std::function<void()> m_open;
};

// "…/Greywater/dlg" is the module Greywater; any other folder goes by its own name.
QString ModuleName(const QString& folder) {
    const QFileInfo info(folder);
    if (info.fileName().compare(QLatin1String("dlg"), Qt::CaseInsensitive) == 0 &&
        !info.dir().dirName().isEmpty())
        return info.dir().dirName();
    return info.fileName();
}

} // namespace

ModulePanel::ModulePanel(const LanguageTables& tables, QWidget* parent)
    : QDockWidget(parent), m_tables(tables) {
    setObjectName(QStringLiteral("ModulePanel"));
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    ModuleFilterBox = new QLineEdit(area);
    ModuleFilterBox->setObjectName(QStringLiteral("ModuleFilter"));
    ModuleFilterBox->setClearButtonEnabled(true);
    ModuleList = new QTableView(area);
    ModuleList->setObjectName(QStringLiteral("ModuleList"));
    m_filter = new ShownModule(this);
    m_filter->setSourceModel(&m_model);
    ModuleList->setModel(m_filter);
    ModuleList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ModuleList->setSelectionMode(QAbstractItemView::SingleSelection);
    ModuleList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ModuleList->setTabKeyNavigation(false);
    ModuleList->setWordWrap(false);
    ModuleList->setAlternatingRowColors(true);
    ModuleList->verticalHeader()->hide();
    ModuleList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ModuleList->verticalHeader()->setDefaultSectionSize(ModuleList->fontMetrics().height() + 4);
    ModuleList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ModuleList->horizontalHeader()->setSectionResizeMode(ModuleModel::Name, QHeaderView::Stretch);
    ModuleList->horizontalHeader()->setHighlightSections(false);
    ModuleList->setSortingEnabled(true);
    ModuleList->sortByColumn(ModuleModel::Number, Qt::AscendingOrder);
    ModuleStatus = new QLabel(area);
    ModuleStatus->setObjectName(QStringLiteral("ModuleStatus"));
    layout->addWidget(ModuleFilterBox);
    layout->addWidget(ModuleList, 1);
    layout->addWidget(ModuleStatus);
    setWidget(area);

    const auto open = [this](const QModelIndex& index) {
        const QString path = m_filter->path(index);
        if (!path.isEmpty())
            emit openRequested(path);
    };
    connect(ModuleList, &QAbstractItemView::activated, this, open);
    ModuleFilterBox->installEventFilter(new FilterKeys(
        ModuleList,
        [this, open] {
            const QModelIndex current = ModuleList->currentIndex();
            open(current.isValid() ? current : m_filter->index(0, 0));
        },
        this));
    connect(ModuleFilterBox, &QLineEdit::textChanged, m_filter, &ModuleFilter::setFilterWords);

    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &ModulePanel::refresh);
    connect(&m_disk, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
    connect(&m_disk, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        m_reported.insert(path);
        m_settle.start();
    });
    connect(&m_reading, &QFutureWatcherBase::resultsReadyAt, this, &ModulePanel::takeResults);
    connect(&m_reading, &QFutureWatcherBase::finished, this, &ModulePanel::readingFinished);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_dirty)
            refresh();
    });
    showStatus();
}

ModulePanel::~ModulePanel() {
    // The readers hold only their paths, but must not outlive the program's thread pool.
    m_reading.cancel();
    m_reading.waitForFinished();
}

QString ModulePanel::text(int entry, const char* fallback) const {
    const QString text = FromCp1251(m_tables.mainDescription[entry]);
    return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

void ModulePanel::setTexts() {
    const QString title = text(md::kModuleTitle, "Module");
    setWindowTitle(m_folder.isEmpty() ? title
                                      : title + QStringLiteral(" - ") + ModuleName(m_folder));
    ModuleFilterBox->setPlaceholderText(text(md::kModuleFilter, "Filter by number or name"));
    const QStringList titles{text(md::kModuleNumber, "Number"), text(md::kModuleName, "Name"),
                             text(md::kModuleLines, "Lines"),
                             text(md::kModuleProblems, "Problems")};
    QString unreadable = text(md::kModuleUnreadable, "cannot be read: %1");
    m_model.setTexts(titles, unreadable);
    // The counting columns as wide as their titles (and the sort mark) or five digits, the
    // name takes the rest.
    const QFontMetrics header = ModuleList->horizontalHeader()->fontMetrics();
    const int digits = ModuleList->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    int counts = 0;
    for (int column : {ModuleModel::Number, ModuleModel::Lines, ModuleModel::Problems}) {
        const int width = std::max(digits, header.horizontalAdvance(titles[column]) + 14) + 10;
        ModuleList->setColumnWidth(column, width);
        counts += width;
    }
    // Room for the counts and a name as long as "Ferryman".
    m_preferredWidth = counts +
                       ModuleList->fontMetrics().horizontalAdvance(QStringLiteral("Ferryman")) +
                       ModuleList->verticalScrollBar()->sizeHint().width() + 12;
    showStatus();
}

QSize ModulePanel::sizeHint() const {
    return {std::max(QDockWidget::sizeHint().width(), m_preferredWidth),
            QDockWidget::sizeHint().height()};
}

bool ModulePanel::busy() const {
    return m_running || m_settle.isActive() || !m_toRead.isEmpty() || (m_dirty && isVisible());
}

void ModulePanel::setFolder(const QString& folder) {
    const QString clean =
        folder.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (clean == m_folder)
        return;
    m_folder = clean;
    // What is being read of the old folder is read to the end, but not listed.
    m_reading.cancel();
    m_listed.clear();
    m_toRead.clear();
    m_reported.clear();
    m_model.clear();
    const QStringList watched = m_disk.files() + m_disk.directories();
    if (!watched.isEmpty())
        m_disk.removePaths(watched);
    setTexts();
    m_dirty = true;
    refresh();
}

void ModulePanel::followDialog(const QString& path) {
    if (path.isEmpty())
        return;
    m_current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (m_folder.isEmpty() || !m_current.startsWith(m_folder + QLatin1Char('/')))
        setFolder(DialogFolderOf(path));
    markCurrent();
}

void ModulePanel::markCurrent() {
    const int row = m_model.rowOf(m_current);
    if (row < 0)
        return;
    const QModelIndex shown = m_filter->mapFromSource(m_model.index(row, 0));
    if (!shown.isValid() || ModuleList->currentIndex().row() == shown.row())
        return;
    ModuleList->setCurrentIndex(shown);
    ModuleList->scrollTo(shown);
}

void ModulePanel::refresh() {
    m_settle.stop();
    // A hidden panel reads nothing; it catches up when it shows.
    if (!isVisible()) {
        m_dirty = true;
        return;
    }
    m_dirty = false;
    const QStringList files = m_folder.isEmpty() ? QStringList() : DialogFilesBelow(m_folder);
    m_listed = QSet<QString>(files.begin(), files.end());
    QStringList gone;
    for (const DialogSummary& summary : m_model.summaries()) {
        if (!m_listed.contains(summary.path))
            gone << summary.path;
    }
    for (const QString& path : gone)
        m_model.remove(path);
    QStringList replaced;
    for (const QString& path : files) {
        const bool reported = m_reported.contains(path);
        const int row = m_model.rowOf(path);
        if (row < 0) {
            // Being read already: its result tells whether it changed meanwhile.
            if (!m_inFlight.contains(path) || reported)
                m_toRead.insert(path);
        } else if (reported || m_model.summary(row).stamp != StampOf(path)) {
            m_toRead.insert(path);
            replaced << path;
        }
    }
    m_reported.clear();
    watch(files, replaced);
    startReading();
    showStatus();
    if (!busy())
        emit settled();
}

void ModulePanel::watch(const QStringList& files, const QStringList& replaced) {
    QStringList wanted;
    if (!m_folder.isEmpty()) {
        // Every folder, also those without dialogs yet: a file may be put into one.
        wanted << m_folder;
        QDirIterator below(m_folder, QDir::Dirs | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (below.hasNext())
            wanted << below.next();
        wanted << files;
    }
    const QStringList watchedList = m_disk.files() + m_disk.directories();
    QSet<QString> watched(watchedList.begin(), watchedList.end());
    const QSet<QString> wantedSet(wanted.begin(), wanted.end());
    QStringList drop;
    for (const QString& path : watchedList) {
        if (!wantedSet.contains(path))
            drop << path;
    }
    // A save writes another file under the old name: that one is watched now.
    for (const QString& path : replaced) {
        if (watched.remove(path))
            drop << path;
    }
    if (!drop.isEmpty())
        m_disk.removePaths(drop);
    QStringList add;
    for (const QString& path : wanted) {
        if (!watched.contains(path))
            add << path;
    }
    if (!add.isEmpty())
        m_disk.addPaths(add);
}

void ModulePanel::startReading() {
    if (m_running || m_toRead.isEmpty())
        return;
    QStringList paths(m_toRead.begin(), m_toRead.end());
    // In path order, so the list fills from the top.
    std::sort(paths.begin(), paths.end());
    m_toRead.clear();
    m_inFlight = QSet<QString>(paths.begin(), paths.end());
    m_jobSize = static_cast<int>(paths.size());
    m_running = true;
    m_reading.setFuture(QtConcurrent::mapped(paths, &SummarizeDialog));
}

void ModulePanel::takeResults(int begin, int end) {
    for (int i = begin; i < end; ++i) {
        DialogSummary summary = m_reading.resultAt(i);
        m_inFlight.remove(summary.path);
        // Gone since, or of a folder no longer listed.
        if (!m_listed.contains(summary.path))
            continue;
        if (summary.stamp != StampOf(summary.path))
            m_toRead.insert(summary.path); // written while it was read
        const bool first = m_model.rowOf(summary.path) < 0;
        const bool current = summary.path == m_current;
        m_model.update(std::move(summary));
        if (first && current && !ModuleList->currentIndex().isValid())
            markCurrent();
    }
    showStatus();
}

void ModulePanel::readingFinished() {
    m_running = false;
    m_inFlight.clear();
    startReading();
    showStatus();
    if (!busy())
        emit settled();
}

void ModulePanel::showStatus() {
    QString status;
    if (m_running) {
        status = text(md::kModuleReading, "Reading %1 of %2...")
                     .arg(m_jobSize - static_cast<int>(m_inFlight.size()))
                     .arg(m_jobSize);
    } else if (m_folder.isEmpty()) {
        status = text(md::kModuleNone, "Open a dialog or a module folder");
    } else if (m_model.rowCount() == 0 && !m_dirty) {
        status = text(md::kModuleEmpty, "No dialog files in this folder");
    } else {
        status = text(md::kModuleCount, "Dialogs: %1, with problems: %2")
                     .arg(m_model.rowCount())
                     .arg(m_model.withProblems());
    }
    ModuleStatus->setText(status);
    ModuleStatus->setToolTip(QDir::toNativeSeparators(m_folder));
}

} // namespace dolmex
