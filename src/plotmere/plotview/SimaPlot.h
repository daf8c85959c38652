#pragma once
// The points and parcels of a SIMA coordinate file, for plotting: "A01,No,Name,X,Y,Z," point
// records, and the parcels "D00,…" / "B01,No,Name," … / "D99," that join points in order.
// The file is CP932, or UTF-8 when it starts with a byte-order mark or decodes as UTF-8.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace plotmere {

struct SimaPlotPoint {
    QString number;
    QString name;
    double x = 0;  // north
    double y = 0;  // east
    double z = 0;  // 0 when the file gives none or one that does not read
};

struct SimaPlot {
    std::vector<SimaPlotPoint> points;
    // Each parcel as its boundary's points (0-based indices into points), in order; a point
    // number given twice names its first point.
    std::vector<std::vector<int>> parcels;
    // One text per record that does not read: its line number and why.
    QStringList faults;
};

SimaPlot ReadSimaPlot(const QByteArray& bytes);

}  // namespace plotmere
