#pragma once

#include "PackedLine.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dolmex {

// What changed in the store, so a view can repaint only that and the document can
// set its modified flag in one place.
struct LineStoreChange {
    enum class Kind { Reset, CellsChanged, RowsInserted, RowsRemoved, TitleChanged };
    Kind kind = Kind::Reset;
    int firstRow = 0; // grid row (1 = first data row)
    int rowCount = 0;
    int column = -1; // for CellsChanged: the column, or -1 for whole rows
};

class LineStoreObserver {
public:
    virtual ~LineStoreObserver() = default;
    // Called before every change of the rows, so a Qt model can announce it and an undo
    // history can keep what is about to be overwritten; `change` describes what follows.
    virtual void lineStoreAboutToChange(const LineStoreChange&) {}
    virtual void lineStoreChanged(const LineStoreChange& change) = 0;
};

// The open dialog: a title row 0 and data rows 1 to rowCount() - 1, eight text columns.
// It is never without a data row. Every change goes through these methods and is
// reported to the observers.
class LineStore {
public:
    LineStore();

    // Grid row count, title row included (an empty document has 2).
    int rowCount() const { return static_cast<int>(m_rows.size()) + 1; }
    int dataRowCount() const { return static_cast<int>(m_rows.size()); }
    bool isDataRow(int row) const { return row >= 1 && row < rowCount(); }

    // Cell access for data rows; an out-of-range row or column reads as empty. A view
    // stays valid until the row changes.
    std::string_view cell(int row, int column) const;
    // A copy of the row to edit; an out-of-range row gives an empty line.
    DialogLine line(int row) const;
    const DialogLines& lines() const { return m_rows; }
    // Differs after every change, and between any two stores, so what is derived from the
    // rows can be kept until they change.
    std::uint64_t revision() const { return m_revision; }

    const std::string& title(int column) const;
    void setTitle(int column, std::string text);

    void setCell(int row, int column, std::string_view text);
    void setLine(int row, DialogLine line);
    // Replaces the rows from `firstRow` on with `lines` (as many as fit) in one change.
    void setLines(int firstRow, std::vector<DialogLine> lines);
    // The same for rows already in stored form, so a whole-dialog rewrite is not unpacked.
    void setPackedLines(int firstRow, DialogLines lines);
    // Inserts before `row` (rowCount() appends).
    void insertLines(int row, std::vector<DialogLine> lines);
    void insertPackedLines(int row, DialogLines lines);
    // Removes up to `count` rows from `row`; the store keeps at least one (empty) row.
    void removeLines(int row, int count);
    // Replaces everything; an empty list gives the empty document.
    void replaceAll(DialogLines lines);
    // SGClear: one empty data row.
    void SGClear();

    void addObserver(LineStoreObserver* observer);
    void removeObserver(LineStoreObserver* observer);

private:
    void aboutToChange(const LineStoreChange& change);
    void changed(const LineStoreChange& change);

    std::array<std::string, kColumnCount> m_titles;
    DialogLines m_rows;
    std::vector<LineStoreObserver*> m_observers;
    std::uint64_t m_revision;
};

} // namespace dolmex
