#include "DialogGrid.h"

#include "SteadyScrollBar.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <vector>

namespace dolmex {

namespace {

// The column titles, highlighted as a table view's own titles are, but repainted on a change
// of selection only where a title's highlight changes. A plain header repaints every title
// whenever the selected row changes, though a row selection highlights them all alike.
class ColumnTitles : public QHeaderView {
public:
    explicit ColumnTitles(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setSectionsClickable(true);
        setHighlightSections(true);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (logicalIndex >= static_cast<int>(m_painted.size()))
            m_painted.resize(static_cast<std::size_t>(logicalIndex) + 1, kUnpainted);
        m_painted[static_cast<std::size_t>(logicalIndex)] = highlight(logicalIndex);
        QHeaderView::paintSection(painter, rect, logicalIndex);
    }

    QRegion visualRegionForSelection(const QItemSelection& selection) const override {
        if (!highlightSections() || !selectionModel())
            return QHeaderView::visualRegionForSelection(selection);
        QRegion region;
        for (int section = 0; section < count(); ++section) {
            const auto index = static_cast<std::size_t>(section);
            if (index < m_painted.size() && m_painted[index] == highlight(section))
                continue;
            region += QRect(sectionViewportPosition(section), 0, sectionSize(section),
                            viewport()->height());
        }
        return region;
    }

private:
    static constexpr int kUnpainted = -1;

    // What a title's look takes from the selection: whether it crosses it, and whether the
    // whole column is in it.
    int highlight(int section) const {
        const QItemSelectionModel* selection = selectionModel();
        if (!highlightSections() || !selection)
            return 0;
        return (selection->columnIntersectsSelection(section, rootIndex()) ? 1 : 0) |
               (selection->isColumnSelected(section, rootIndex()) ? 2 : 0);
    }

    mutable std::vector<int> m_painted;
};

} // namespace

DialogGrid::DialogGrid(QWidget* parent) : QTableView(parent) {
    setHorizontalHeader(new ColumnTitles(this));
    setVerticalScrollBar(new SteadyScrollBar(Qt::Vertical, this));
}

void DialogGrid::finishEditing() {
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QItemSelectionModel::SelectionFlags DialogGrid::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
    const auto justThis = QItemSelectionModel::ClearAndSelect |
                          (selectionBehavior() == SelectRows ? QItemSelectionModel::Rows
                                                             : QItemSelectionModel::NoUpdate);
    if (!event)
        return justThis;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (!(key->modifiers() & Qt::ShiftModifier) || selectionMode() == SingleSelection)
            return justThis;
    }
    return QTableView::selectionCommand(index, event);
}

} // namespace dolmex
