#include "trevanto/HandedTraverseText.h"

#include "apa/AngleText.h"
#include "calcstore/clsCoord.h"
#include "traverse/CalculationKinds.h"

namespace trevanto_host {
namespace {

using traverse::ValueKind;

const QString kNotGivenText = QStringLiteral("未指定");
const QString kRouteCount = QStringLiteral("路線の視準数");

QString Metres(double value) { return QString::number(value, 'f', 3) + QStringLiteral(" m"); }

QString Angle(double packed) { return apa::FormatDms(apa::PackedDmsSeconds(QString::number(packed, 'f', 4))); }

QString PointText(qint32 id, const QHash<qint32, QString>& names) {
    return names.value(id, QStringLiteral("?")) + QStringLiteral(" (") + QString::number(id) + u')';
}

QString ValueText(const traverse::ValueSlot& slot, const StoredValue& v, const QHash<qint32, QString>& names) {
    const double number = v.number.toDouble();
    const bool measure = slot.kind != ValueKind::Point && slot.kind != ValueKind::Count && slot.kind != ValueKind::Text;
    if (measure && number == traverse::kNotGiven) return kNotGivenText;
    switch (slot.kind) {
        case ValueKind::Point: return PointText(static_cast<qint32>(number), names);
        case ValueKind::Angle: return Angle(number);
        case ValueKind::Length: return Metres(number);
        case ValueKind::Height: return number == calcstore::clsCoord::NoHeight() ? QStringLiteral("-") : Metres(number);
        case ValueKind::Coordinate: return Metres(number);
        case ValueKind::NotGiven: return Angle(number);
        case ValueKind::Count: return QString::number(qint64(number));
        case ValueKind::Text: return u'"' + v.text.toString() + u'"';
    }
    return {};
}

// "T1 (1) → T2 (2)", with the backsight after the pair when the row holds one.
QString RowText(const traverse::CalculationKind& kind, const QList<StoredValue>& row,
                const QHash<qint32, QString>& names) {
    QStringList points, values;
    for (qsizetype c = 0; c < row.size() && c < qsizetype(kind.columns.size()); ++c) {
        const traverse::ValueSlot& slot = kind.columns[size_t(c)];
        const QString text = ValueText(slot, row[c], names);
        if (slot.kind == ValueKind::Point)
            points << text;
        else
            values << QString::fromUtf16(slot.meaning) + u' ' + text;
    }
    QString line = points.size() == 3 ? points[0] + QStringLiteral(" → ") + points[2] + QStringLiteral("  後視 ") + points[1]
                                      : points.join(QStringLiteral(" → "));
    return line + QStringLiteral("  ") + values.join(QStringLiteral("  "));
}

}  // namespace

bool IsHandedTraverse(qint32 calcNo, const QList<StoredValue>& parameters, const QList<qint32>& columnTypes) {
    const traverse::CalculationKind* kind = traverse::KindOfCalcNo(calcNo);
    if (!kind || parameters.size() != qsizetype(kind->parameters.size()) ||
        columnTypes.size() != qsizetype(kind->columns.size()))
        return false;
    for (qsizetype i = 0; i < parameters.size(); ++i)
        if (parameters[i].type != kind->parameters[size_t(i)].type) return false;
    for (qsizetype i = 0; i < columnTypes.size(); ++i)
        if (columnTypes[i] != kind->columns[size_t(i)].type) return false;
    return true;
}

QStringList HandedTraverseText(qint32 calcNo, const QList<StoredValue>& parameters,
                               const QList<QList<StoredValue>>& rows, const QHash<qint32, QString>& names) {
    const traverse::CalculationKind& kind = *traverse::KindOfCalcNo(calcNo);
    QStringList out;
    out << QStringLiteral("パラメータ (%1)").arg(parameters.size());
    qsizetype route = -1;
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        const traverse::ValueSlot& slot = kind.parameters[size_t(i)];
        const QString meaning = QString::fromUtf16(slot.meaning);
        if (meaning == kRouteCount) route = parameters[i].number.toInt();
        out << QString::number(i + 1).rightJustified(4) + QStringLiteral("  ") + meaning + QStringLiteral("  ") +
                   ValueText(slot, parameters[i], names);
    }
    out << QStringLiteral("要素 (%1 行)").arg(rows.size());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (r == 0 && route > 0) out << QStringLiteral("  路線");
        if (r == route && route >= 0) out << QStringLiteral("  放射");
        out << QString::number(r + 1).rightJustified(4) + QStringLiteral("  ") + RowText(kind, rows[r], names);
    }
    return out;
}

}  // namespace trevanto_host
