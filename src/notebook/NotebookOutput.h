#pragma once
// What a reduction hands on, in the order it is made: the notebook's text lines (SHUBO1.DAT)
// and the rows of the notebook database. A file writer stores them; a test keeps them.

#include <QString>
#include <array>
#include <optional>

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

// A row of テーブル4, the per-target reduction table: a station row (kikaiten set) followed
// by its target rows (sijunten set). id is the table's own auto-number; empty texts and an
// absent readH are Null.
struct ReductionRow {
    qint32 id = 0;
    qint32 type = 0;  // the run's row number when the row was written
    QString kikaiten, ih, kikaih, h, sijunten, vang, sokudis, culcdis, fh, dh, culch;
    std::optional<qint32> readh;
    QString hang, memo, hang2;
};

// A row of KYORIHOSEI_, the distance-correction input: one per target with a measured
// distance. Every number is "0.000" text; "*" where a value cannot be formed.
//   fld1 station, fld2 target, fld3 α (90° − zenith, d-mm-ss)
//   fld4, fld5, fld7   vertical component, height difference, horizontal distance of the
//                      first face (r); fldMinus4, fldMinus5, fldMinus7 the same of the
//                      second face (l)
//   fld6               slope distance (the target's mean)
//   fldPlus7           horizontal distance from the zenith reduced from both faces
struct CorrectionInputRow {
    qint32 id = 0;
    QString fld1, fld2, fld3, fld4, fld5, fld6, fld7, fldMinus4, fldMinus5, fldMinus7, fldPlus7;
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
