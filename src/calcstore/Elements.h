#pragma once
// A table of typed calculation input: a list of column types and rows of InputItem cells,
// rows and columns numbered from 0. The cell of row r, column c is keyed "R<r>C<c>".

#include <QString>
#include <QVariantList>
#include <vector>

#include "calcstore/InputItem.h"
#include "platform/KeyedList.h"

namespace calcstore {

class Elements {
  public:
    Elements();

    static QString CellKey(int row, int col);

    void AddCols(qint32 type);
    // Appends a row: one cell per column, converted to the column's type; missing values
    // give empty cells of the type, values beyond the last column are ignored. A value that
    // does not convert throws AutomationError and adds nothing.
    void AddItem(const QVariantList& values);
    int Rows() const { return rows_; }
    int Cols() const { return static_cast<int>(cols_.size()); }
    // The type code of a column; throws AutomationError 9 outside the columns.
    qint32 ColsType(int col) const;
    int Count() const { return cells_.Count(); }
    // A cell by 1-based position or by key; throws AutomationError when missing.
    InputItem& Item(const QVariant& index) const { return cells_.Item(index); }
    // The cell at (row, col), or nullptr when there is none.
    InputItem* ItemArray(int row, int col) const { return cells_.Find(CellKey(row, col)); }
    void Clear();

    template <typename F>
    void ForEach(F&& f) const {
        cells_.ForEach(std::forward<F>(f));
    }

  private:
    std::vector<qint32> cols_;
    int rows_ = 0;
    platform::KeyedList<InputItem> cells_;
};

}  // namespace calcstore
