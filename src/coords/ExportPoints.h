#pragma once
// The ticked points of the editor read for the export: coordinates rounded to millimetres on
// their decimal digits and, for the formats whose fields hold only -99999.999 to 999999.999
// (SDR 3G, the card formats, GSI with 8-character words), moved into that range by an
// offset and the wrap-arounds. Everything here counts in whole millimetres, so no binary
// fraction decides a digit.

#include <QList>
#include <QString>
#include <stdexcept>

namespace coords {

// A ticked row of the editor, its cells as they read.
struct TickedPoint {
    int row = 0;   // the grid's running number, from 1
    int line = 0;  // the point line's number in the file, from 1
    QString name, x, y, z;
};

struct ExportPoint {
    int row = 0;
    int line = 0;
    QString name;  // trimmed
    qint64 x = 0, y = 0, z = 0;  // millimetres; X north, Y east
    bool hasZ = false;           // an empty Z cell is no height, not 0
};

// What stops an export: a value that does not read or does not fit, named with its point.
class ExportError : public std::runtime_error {
  public:
    explicit ExportError(QString told) : std::runtime_error("export"), told_(std::move(told)) {}
    const QString& Told() const { return told_; }

  private:
    QString told_;
};

// "5 行目の点 T1（No 3）" for messages.
QString PointLabel(int row, int line, const QString& name);
inline QString PointLabel(const ExportPoint& p) { return PointLabel(p.row, p.line, p.name); }

// Millimetres as metres with three decimals ("-12.250").
QString MetreText(qint64 mm);

// Reads every ticked point; throws ExportError naming the first point whose X or Y does not
// read as a number, or whose Z is neither empty nor a number. With `offsets`, X and Y are
// brought into -99999.999 to 999999.999 as the offset rule says.
QList<ExportPoint> ReadExportPoints(const QList<TickedPoint>& ticked, bool offsets);

// The offset for the largest and smallest value (millimetres): a multiple of 1,000,000 m
// when the largest is above 999,999.999, replaced by one of 100,000 m when the smallest is
// below -99,999.999.
qint64 OffsetFor(qint64 largest, qint64 smallest);

}  // namespace coords
