#include "ReferencesPane.h"

#include "core/TextFields.h"
#include "lang/LanguageTables.h"
#include "ui/Cp1251.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace dolmex {

ReferencesPane::ReferencesPane(LineStore& store, const LanguageTables& tables,
                               std::function<int()> currentRow, QObject* parent)
    : QObject(parent), m_store(store), m_tables(tables), m_currentRow(std::move(currentRow)),
      m_index(store) {
    GB2 = new QGroupBox;
    GB2->setObjectName(QStringLiteral("GB2"));
    RefList = new QListWidget(GB2);
    RefList->setObjectName(QStringLiteral("RefList"));
    auto* layout = new QVBoxLayout(GB2);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(RefList);
    connect(RefList, &QListWidget::itemDoubleClicked, this, &ReferencesPane::choose);
    RefList->installEventFilter(this);
    m_store.addObserver(this);
}

ReferencesPane::~ReferencesPane() {
    m_store.removeObserver(this);
}

void ReferencesPane::setTitle(const QString& title) {
    GB2->setTitle(title);
}

QString ReferencesPane::entryText(const LineReference& reference) const {
    std::string kind;
    switch (reference.kind) {
    case ReferenceKind::Response:
        kind = m_tables.mainDescription[md::kResponseReference];
        break;
    case ReferenceKind::GeneratedG:
        kind = "G:";
        break;
    case ReferenceKind::GeneratedM:
        kind = "M:";
        break;
    case ReferenceKind::Result:
        kind = reference.code;
        break;
    }
    // As the navigation list names a line: the word for a line, its number, then the kind.
    return FromCp1251(m_tables.mainDescription[md::kLine] + " " +
                      std::string(m_store.cell(reference.row, ColNumber)) + " - " + kind);
}

void ReferencesPane::refresh() {
    const int row = m_currentRow();
    const std::int32_t number = ParseIntOrMinus1(m_store.cell(row, ColNumber));
    std::vector<int> rows;
    QStringList texts;
    for (const LineReference& reference : m_index.referencesTo(number)) {
        // As in the navigation list, an entry is shown once (a "G:" list may name a line twice).
        const QString text = entryText(reference);
        if (texts.contains(text))
            continue;
        rows.push_back(reference.row);
        texts << text;
    }
    // Repainted only when something shows differently: this runs on every change.
    if (rows == m_rows && texts == entries())
        return;
    m_rows = std::move(rows);
    RefList->clear();
    RefList->addItems(texts);
}

QStringList ReferencesPane::entries() const {
    QStringList texts;
    for (int i = 0; i < RefList->count(); ++i)
        texts << RefList->item(i)->text();
    return texts;
}

void ReferencesPane::lineStoreChanged(const LineStoreChange& change) {
    if (change.kind == LineStoreChange::Kind::TitleChanged || m_refreshQueued)
        return;
    // Once after a command, however many cells it changed: each look-up reads every row.
    m_refreshQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshQueued = false;
        refresh();
    });
}

void ReferencesPane::choose(QListWidgetItem* item) {
    const int index = RefList->row(item);
    if (index >= 0 && index < static_cast<int>(m_rows.size()))
        emit referenceChosen(m_rows[static_cast<std::size_t>(index)]);
}

bool ReferencesPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RefList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && RefList->currentItem()) {
            choose(RefList->currentItem());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dolmex
