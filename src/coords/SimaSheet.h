#pragma once
// The SIMA editor's model: the file's lines, one row per point line in file order with its
// transfer tick, the number of ticked rows and whether anything changed. Row operations
// touch only point lines; every other line keeps its text and its place among them.

#include <QList>
#include <QStringList>

#include "coords/ExportPoints.h"
#include "coords/SimaPoints.h"

namespace coords {

inline const QString kTick = QStringLiteral("○");

class SimaSheet {
  public:
    // Every point row starts ticked.
    explicit SimaSheet(QStringList lines);

    const QStringList& Lines() const { return lines_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Rows count from 0 here; the grid shows them from 1.
    SimaPoint Row(int row) const { return ReadPointLine(lines_[rows_[row].line]); }
    bool Ticked(int row) const { return rows_[row].ticked; }
    void SetTicked(int row, bool on) { rows_[row].ticked = on; }
    void SetAllTicked(bool on);
    int SelectedCount() const;
    bool Changed() const { return changed_; }
    void MarkSaved() { changed_ = false; }

    // Puts the text, padded, into the row's line in place of the field. False, and nothing
    // changed, for text that would split the line: a comma or a line break.
    bool Commit(int row, PointField field, const QString& text);
    // Empty, ticked point lines in front of row `before`; with `before` equal to RowCount(),
    // after the last point line (or, in a file without one, in front of its "A99" line).
    void InsertRows(int before, int count);
    void DeleteRows(int first, int last);

    // Rows first to last as the clipboard holds them: per row the cells of the tick and the
    // five fields, each left-aligned in a slot of 15 characters, without separators.
    QString CopyText(int first, int last) const;
    // Inserts the rows of such a text in front of row `before`; returns how many. A text
    // with a comma in any of its cells would split the lines: nothing is inserted, -1.
    int Paste(int before, const QString& text);

    // The ticked rows, in grid order, as the export reads them.
    QList<TickedPoint> TickedPoints() const;

  private:
    struct RowRef {
        int line;
        bool ticked;
    };
    int InsertionLine(int before) const;
    void FindRows();

    QStringList lines_;
    QList<RowRef> rows_;
    bool changed_ = false;
};

// The slot width of copied rows, and the number of slots per row.
inline constexpr int kCopySlot = 15;
inline constexpr int kCopySlots = 6;

}  // namespace coords
