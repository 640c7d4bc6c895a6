#include "ModuleFindDock.h"

#include "FindBar.h"
#include "lang/LanguageTables.h"
#include "module/ModuleFiles.h"
#include "ui/Cp1251.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPromise>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace dolmex {

void ModuleMatchModel::setMatches(std::vector<ModuleMatch> matches, const QString& folder) {
    beginResetModel();
    m_matches = std::move(matches);
    m_folder = folder;
    endResetModel();
}

void ModuleMatchModel::setHeaders(QStringList headers) {
    m_headers = std::move(headers);
    emit headerDataChanged(Qt::Horizontal, 0, kSectionCount - 1);
}

void ModuleMatchModel::setColumnNames(QStringList names) {
    m_columnNames = std::move(names);
    if (!m_matches.empty())
        emit dataChanged(index(0, kColumn), index(rowCount() - 1, kColumn));
}

int ModuleMatchModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_matches.size());
}

int ModuleMatchModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kSectionCount;
}

QVariant ModuleMatchModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ModuleMatch& found = match(index.row());
    if (role == Qt::ToolTipRole && index.column() == kFile)
        return QDir::toNativeSeparators(found.file);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case kFile:
        return QDir::toNativeSeparators(
            m_folder.isEmpty() ? found.file : QDir(m_folder).relativeFilePath(found.file));
    case kRow:
        return found.row;
    case kColumn:
        return found.column < m_columnNames.size() ? m_columnNames[found.column]
                                                   : QString::number(found.column);
    case kText:
        // One line in the table, however many the cell holds.
        return QString(found.text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return {};
}

QVariant ModuleMatchModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

ModuleFindDock::ModuleFindDock(const LanguageTables& tables, std::function<QString()> moduleFolder,
                               std::function<OpenDialog()> unsavedDialog, QWidget* parent)
    : QDockWidget(parent), m_tables(tables), m_moduleFolder(std::move(moduleFolder)),
      m_unsavedDialog(std::move(unsavedDialog)) {
    setObjectName(QStringLiteral("ModuleFind"));
    auto* area = new QWidget(this);
    m_findLabel = new QLabel(area);
    ModuleFindText = new QLineEdit(area);
    ModuleFindText->setObjectName(QStringLiteral("ModuleFindText"));
    ModuleFindText->setClearButtonEnabled(true);
    m_findLabel->setBuddy(ModuleFindText);
    ModuleFindBtn = new QPushButton(area);
    ModuleFindBtn->setObjectName(QStringLiteral("ModuleFindBtn"));
    ModuleMatchCase = new QCheckBox(area);
    ModuleMatchCase->setObjectName(QStringLiteral("ModuleMatchCase"));
    ModuleWholeWords = new QCheckBox(area);
    ModuleWholeWords->setObjectName(QStringLiteral("ModuleWholeWords"));
    ModuleRegex = new QCheckBox(area);
    ModuleRegex->setObjectName(QStringLiteral("ModuleRegex"));
    ModuleFindStatus = new QLabel(area);
    ModuleFindStatus->setObjectName(QStringLiteral("ModuleFindStatus"));
    ModuleFindStatus->setWordWrap(true);
    ModuleFindResults = new QTableView(area);
    ModuleFindResults->setObjectName(QStringLiteral("ModuleFindResults"));
    ModuleFindResults->setModel(&m_model);
    ModuleFindResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    ModuleFindResults->setSelectionMode(QAbstractItemView::SingleSelection);
    ModuleFindResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ModuleFindResults->setWordWrap(false);
    ModuleFindResults->verticalHeader()->hide();
    ModuleFindResults->verticalHeader()->setDefaultSectionSize(
        ModuleFindResults->fontMetrics().height() + 6);
    ModuleFindResults->horizontalHeader()->setStretchLastSection(true);
    ModuleFindResults->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto* findRow = new QHBoxLayout;
    findRow->setContentsMargins(0, 0, 0, 0);
    findRow->addWidget(m_findLabel);
    findRow->addWidget(ModuleFindText, 1);
    findRow->addWidget(ModuleFindBtn);
    auto* optionRow = new QHBoxLayout;
    optionRow->setContentsMargins(0, 0, 0, 0);
    for (QWidget* box :
         std::initializer_list<QWidget*>{ModuleMatchCase, ModuleWholeWords, ModuleRegex})
        optionRow->addWidget(box);
    optionRow->addStretch(1);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(findRow);
    layout->addLayout(optionRow);
    layout->addWidget(ModuleFindStatus);
    layout->addWidget(ModuleFindResults, 1);
    setWidget(area);

    connect(ModuleFindText, &QLineEdit::returnPressed, this, &ModuleFindDock::startSearch);
    connect(ModuleFindBtn, &QPushButton::clicked, this, &ModuleFindDock::startSearch);
    connect(ModuleFindResults, &QTableView::activated, this, [this](const QModelIndex& index) {
        if (!index.isValid())
            return;
        const ModuleMatch& found = m_model.match(index.row());
        emit matchChosen(found.file, found.row, found.column);
    });
    connect(&m_watcher, &QFutureWatcher<ModuleFindResult>::progressValueChanged, this,
            [this](int done) {
                if (m_running)
                    showStatus(
                        text(md::kModuleFindSearching).arg(done).arg(m_watcher.progressMaximum()));
            });
    connect(&m_watcher, &QFutureWatcher<ModuleFindResult>::finished, this,
            &ModuleFindDock::finished);
}

ModuleFindDock::~ModuleFindDock() {
    // The worker reads no part of the dock, yet it should not outlive the program's windows.
    cancelSearch();
    m_watcher.waitForFinished();
}

QString ModuleFindDock::text(int entry) const {
    return FromCp1251(m_tables.mainDescription[entry]);
}

void ModuleFindDock::setTexts() {
    setWindowTitle(text(md::kModuleFindTitle));
    m_findLabel->setText(text(md::kFindLabel));
    ModuleFindBtn->setText(text(md::kModuleFindButton));
    ModuleMatchCase->setText(text(md::kMatchCase));
    ModuleWholeWords->setText(text(md::kWholeWords));
    ModuleRegex->setText(text(md::kRegularExpression));
    m_model.setHeaders({text(md::kModuleFindFile), text(md::kModuleFindRow),
                        text(md::kModuleFindColumn), text(md::kFirstColumnName + ColText)});
    QStringList names;
    for (int column = 0; column < kColumnCount; ++column)
        names << text(md::kFirstColumnName + column);
    m_model.setColumnNames(names);
}

void ModuleFindDock::open() {
    show();
    raise();
    ModuleFindText->setFocus();
    ModuleFindText->selectAll();
}

void ModuleFindDock::showStatus(const QString& shown, bool error) {
    ModuleFindStatus->setText(shown);
    ModuleFindStatus->setStyleSheet(error ? QStringLiteral("color: #c00000") : QString());
}

void ModuleFindDock::cancelSearch() {
    if (m_cancel)
        *m_cancel = true;
    m_running = false;
}

void ModuleFindDock::startSearch() {
    cancelSearch();
    m_model.setMatches({}, {});
    const FindQuery query =
        QueryOf(*ModuleFindText, *ModuleMatchCase, *ModuleWholeWords, *ModuleRegex);
    if (query.pattern.isEmpty()) {
        showStatus({});
        return;
    }
    const CellMatcher matcher = CellMatcher::compile(query);
    if (!matcher.isValid()) {
        showStatus(text(md::kInvalidPattern) + QLatin1Char(' ') + matcher.errorText(), true);
        return;
    }
    m_folder = m_moduleFolder ? m_moduleFolder() : QString();
    if (m_folder.isEmpty()) {
        showStatus(text(md::kModuleFindNoModule), true);
        return;
    }
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    m_running = true;
    showStatus(text(md::kModuleFindSearching).arg(0).arg(QLatin1Char('?')));
    // The worker compiles its own matcher and gets its own copy of the unsaved lines: nothing
    // of the window's thread is shared with it but the flag that stops it.
    auto unsaved =
        std::make_shared<const OpenDialog>(m_unsavedDialog ? m_unsavedDialog() : OpenDialog());
    m_watcher.setFuture(
        QtConcurrent::run([query, folder = m_folder, cancel = m_cancel,
                           unsaved = std::move(unsaved)](QPromise<ModuleFindResult>& promise) {
            const QStringList files = DialogFilesBelow(folder);
            promise.setProgressRange(0, static_cast<int>(files.size()));
            ModuleFindHooks hooks;
            hooks.cancel = cancel.get();
            hooks.progress = [&](int done, int) { promise.setProgressValue(done); };
            promise.addResult(FindInFiles(files, CellMatcher::compile(query), hooks,
                                          unsaved->file.isEmpty() ? nullptr : unsaved.get()));
        }));
}

void ModuleFindDock::finished() {
    // A search that was stopped (or replaced) ends here too, its matches unwanted.
    if (!m_running)
        return;
    m_running = false;
    if (m_watcher.future().resultCount() == 0)
        return;
    ModuleFindResult result = m_watcher.result();
    if (result.cancelled)
        return;
    QString shown = text(md::kModuleFindFound)
                        .arg(static_cast<qsizetype>(result.matches.size()))
                        .arg(result.filesSearched);
    if (result.filesUnreadable > 0)
        shown += text(md::kModuleFindUnreadable).arg(result.filesUnreadable);
    showStatus(shown, result.matches.empty());
    m_model.setMatches(std::move(result.matches), m_folder);
    // The file names in full where they leave the texts room.
    ModuleFindResults->resizeColumnToContents(ModuleMatchModel::kFile);
    ModuleFindResults->setColumnWidth(
        ModuleMatchModel::kFile, std::min(ModuleFindResults->columnWidth(ModuleMatchModel::kFile),
                                          ModuleFindResults->viewport()->width() / 3));
    ModuleFindResults->resizeColumnToContents(ModuleMatchModel::kRow);
    ModuleFindResults->resizeColumnToContents(ModuleMatchModel::kColumn);
    if (m_model.rowCount() > 0)
        ModuleFindResults->setCurrentIndex(m_model.index(0, 0));
    emit searchFinished();
}

void ModuleFindDock::closeEvent(QCloseEvent* event) {
    cancelSearch();
    showStatus({});
    QDockWidget::closeEvent(event);
}

} // namespace dolmex
