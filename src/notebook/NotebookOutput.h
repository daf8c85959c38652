#pragma once
// What a reduction hands on, in the order it is made: the notebook's text lines (SHUBO1.DAT)
// and the rows of the notebook database. A file writer stores them; a test keeps them.

#include <QString>
#include <array>
#include <optional>

#include "notebook/CorrectionTables.h"
#include "notebook/ReductionTable.h"

namespace notebook {

// A row of DATA: one notebook table line. fields[n] is FLDn (1 to 22); empty text is
// stored as Null.
struct DataRow {
    qint32 id = 0;
    std::array<QString, 23> fields;
    QString& operator[](int n) { return fields[static_cast<size_t>(n)]; }
    const QString& operator[](int n) const { return fields[static_cast<size_t>(n)]; }
};

// A row of HEDDER: one station's header block; fields[n] is FLDn (1 to 16).
struct HeaderRow {
    qint32 id = 0;
    std::array<QString, 17> fields;
    QString& operator[](int n) { return fields[static_cast<size_t>(n)]; }
    const QString& operator[](int n) const { return fields[static_cast<size_t>(n)]; }
};

class NotebookOutput {
  public:
    virtual ~NotebookOutput() = default;
    virtual void Line(const QString& text) = 0;
    virtual void Data(const DataRow& row) = 0;
    virtual void Header(const HeaderRow& row) = 0;
    virtual void Reduction(const ReductionRow& row) = 0;
    virtual void CorrectionInput(const CorrectionInputRow& row) = 0;
};

}  // namespace notebook
