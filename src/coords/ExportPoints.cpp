#include "coords/ExportPoints.h"

#include <algorithm>

#include "apa/ApaLine.h"
#include "platform/CodePage.h"
#include "platform/DecimalText.h"

namespace coords {
namespace {

constexpr qint64 kLowest = -99'999'999;   // -99,999.999 m
constexpr qint64 kHighest = 999'999'999;  // 999,999.999 m
constexpr int kMaxIntegerDigits = 12;     // a metre value beyond this is no coordinate

// The typed number in millimetres, halves away from zero; nullopt when it does not read.
std::optional<qint64> Millimetres(const QString& text) {
    if (!apa::ReadsAsNumber(text)) return std::nullopt;
    const QString rounded = platform::RoundDecimalText(text, 3);
    const bool negative = rounded.startsWith(u'-');
    const QString digits = QString(rounded).remove(u'-').remove(u'.');
    if (digits.size() > kMaxIntegerDigits + 3) return std::nullopt;
    bool ok = false;
    const qint64 mm = digits.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return negative ? -mm : mm;
}

qint64 Coordinate(const QString& text, const TickedPoint& p, const char* axis) {
    if (const auto mm = Millimetres(text)) return *mm;
    const QString why = apa::ReadsAsNumber(text) ? QStringLiteral(" が大きすぎます（") : QStringLiteral(" が数値ではありません（");
    throw ExportError(PointLabel(p.row, p.line, p.name.trimmed()) + QStringLiteral(": ") + QString::fromLatin1(axis) + why +
                      text + QStringLiteral("）。"));
}

qint64 Shifted(qint64 value, qint64 offset) {
    value -= offset;
    if (value < kLowest) value += (kLowest - value + 99'999'999) / 100'000'000 * 100'000'000;
    if (value > kHighest) value -= (value - kHighest + 999'999'999) / 1'000'000'000 * 1'000'000'000;
    return value;
}

}  // namespace

QString PointLabel(int row, int line, const QString& name) {
    return QString::number(line) + QStringLiteral(" 行目の点 ") + name + QStringLiteral("（No ") + QString::number(row) + u'）';
}

QString MetreText(qint64 mm) {
    const qint64 a = mm < 0 ? -mm : mm;
    return (mm < 0 ? QStringLiteral("-") : QString()) + QString::number(a / 1000) + u'.' +
           QString::number(a % 1000).rightJustified(3, u'0');
}

qint64 OffsetFor(qint64 largest, qint64 smallest) {
    qint64 offset = 0;
    if (largest > kHighest) offset = largest / 1'000'000'000 * 1'000'000'000;
    if (smallest < kLowest) offset = smallest / 100'000'000 * 100'000'000;
    return offset;
}

QList<ExportPoint> ReadExportPoints(const QList<TickedPoint>& ticked, bool offsets) {
    QList<ExportPoint> points;
    for (const TickedPoint& t : ticked) {
        ExportPoint p{t.row, t.line, t.name.trimmed(), Coordinate(t.x, t, "X"), Coordinate(t.y, t, "Y"), 0, false};
        if (platform::cp932::Decode(platform::cp932::Encode(p.name)) != p.name)
            throw ExportError(PointLabel(p) + QStringLiteral(": 点名に器械の文字コード（シフトJIS）で書けない文字があります。"));
        if (!t.z.trimmed().isEmpty()) {
            p.z = Coordinate(t.z, t, "Z");
            p.hasZ = true;
        }
        points.append(p);
    }
    if (!offsets || points.isEmpty()) return points;
    const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(), [](auto& a, auto& b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(), [](auto& a, auto& b) { return a.y < b.y; });
    const qint64 dx = OffsetFor(maxX->x, minX->x);
    const qint64 dy = OffsetFor(maxY->y, minY->y);
    for (ExportPoint& p : points) {
        p.x = Shifted(p.x, dx);
        p.y = Shifted(p.y, dy);
    }
    return points;
}

}  // namespace coords
