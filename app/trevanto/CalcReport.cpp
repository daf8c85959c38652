#include "trevanto/CalcReport.h"

#include <QHash>
#include <QMap>
#include <QStringList>

#include "calcstore/CalcTypes.h"
#include "calcstore/Calcurate.h"
#include "calcstore/InputItem.h"
#include "calcstore/clsCoord.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "trevanto/HandedTraverseText.h"

namespace trevanto_host {
namespace {

struct Entry {
    qint32 id;
    QString name;
    bool folder;
    qint32 calcNo;
};

QString ValueText(qint32 type, const QVariant& text, const QVariant& number) {
    switch (type) {
        case calcstore::kTypeString:
            return u'"' + text.toString() + u'"';
        case calcstore::kTypeDouble:
            return QString::number(number.toDouble(), 'g', 15);
        case calcstore::kTypeBoolean:
            return number.toDouble() != 0 ? QStringLiteral("True") : QStringLiteral("False");
        default:
            return QString::number(qint64(number.toDouble()));
    }
}

StoredValue Stored(platform::Recordset& rs) {
    return {rs.Field(QStringLiteral("ValueType")).toInt(), rs.Field(QStringLiteral("TextValue")),
            rs.Field(QStringLiteral("NumValue"))};
}

QString ValueText(const StoredValue& v) { return ValueText(v.type, v.text, v.number); }

// Parameters and element cells by their value types, for calculations of other shapes.
QStringList PlainInputText(const QList<StoredValue>& parameters, const QMap<int, QList<StoredValue>>& rows,
                           const QList<qint32>& columnTypes) {
    QStringList out;
    out << QStringLiteral("パラメータ (%1)").arg(parameters.size());
    for (qsizetype i = 0; i < parameters.size(); ++i)
        out << QStringLiteral("  ") + QString::number(i + 1) + QStringLiteral("  型") +
                   QString::number(parameters[i].type) + QStringLiteral("  ") + ValueText(parameters[i]);
    QStringList types;
    for (qint32 t : columnTypes) types << QString::number(t);
    out << QStringLiteral("要素 (%1 行 × %2 列, 型 %3)").arg(rows.size()).arg(columnTypes.size()).arg(types.join(u','));
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        QStringList cells;
        for (const StoredValue& v : it.value()) cells << ValueText(v);
        out << QStringLiteral("  R%1: ").arg(it.key()) + cells.join(QStringLiteral(", "));
    }
    return out;
}

QString RightTrimmed(QString text) {
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
    return text;
}

QString HeightText(double z) {
    return calcstore::clsCoord::NoHeight() == z ? QStringLiteral("-") : QString::number(z, 'f', 4);
}

void AppendTree(QStringList& out, const QMap<qint32, QList<Entry>>& children, qint32 parent,
                int depth) {
    for (const Entry& e : children.value(parent)) {
        QString line = QString(depth * 4, u' ') + QStringLiteral("[%1] ").arg(e.id) + e.name;
        if (e.folder)
            line += u'/';
        else
            line += QStringLiteral("  (") + QString::number(e.calcNo) + u' ' +
                    calcstore::CalcTypeDefaultName(e.calcNo) + u')';
        out << line;
        if (e.folder) AppendTree(out, children, e.id, depth + 1);
    }
}

}  // namespace

QString CalcTreeText(const QString& databasePath) {
    auto db = platform::Database::Open(databasePath);
    auto rs = db->OpenRecordset(
        QStringLiteral(
            "SELECT ID, Name, ParentID, Attributes, CalcNo FROM CALC WHERE DelFlg = ? ORDER BY ID"),
        {calcstore::kDelFlgPresent});
    QMap<qint32, QList<Entry>> children;
    for (; !rs->Eof(); rs->MoveNext()) {
        children[rs->Field(QStringLiteral("ParentID")).toInt()].append(
            {rs->Field(QStringLiteral("ID")).toInt(), rs->Field(QStringLiteral("Name")).toString(),
             rs->Field(QStringLiteral("Attributes")).toInt() == calcstore::kAttrFolder,
             rs->Field(QStringLiteral("CalcNo")).toInt()});
    }
    QStringList out;
    AppendTree(out, children, 0, 0);
    return out.join(u'\n') + u'\n';
}

QString CalcText(const QString& databasePath, qint32 calcId) {
    auto db = platform::Database::Open(databasePath);
    auto calc =
        db->OpenRecordset(QStringLiteral("SELECT * FROM CALC WHERE ID = ? AND Attributes = ?"),
                          {calcId, calcstore::kAttrCalculation});
    if (calc->Eof()) throw platform::DbError(QStringLiteral("計算 %1 はありません。").arg(calcId));
    QStringList out;
    const qint32 calcNo = calc->Field(QStringLiteral("CalcNo")).toInt();
    out << QStringLiteral("計算 ") + QString::number(calcId) + QStringLiteral(": ") +
               calc->Field(QStringLiteral("Name")).toString();
    out << QStringLiteral("  種別 %1 %2, フォルダー %3, 作成 %4")
               .arg(calcNo)
               .arg(calcstore::CalcTypeDefaultName(calcNo))
               .arg(calc->Field(QStringLiteral("ParentID")).toInt())
               .arg(calc->Field(QStringLiteral("CreateDate"))
                        .toDateTime()
                        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));

    auto points = db->OpenRecordset(
        QStringLiteral("SELECT COORD.ID AS ID, Name, Z, Memo FROM CALCPOINT, COORD "
                       "WHERE CALCPOINT.CalcID = ? AND COORD.ID = CALCPOINT.CoordID ORDER BY Seq"),
        {calcId});
    out << QStringLiteral("点 (%1)").arg(points->RecordCount());
    QHash<qint32, QString> names;
    for (; !points->Eof(); points->MoveNext()) {
        const qint32 id = points->Field(QStringLiteral("ID")).toInt();
        names.insert(id, points->Field(QStringLiteral("Name")).toString());
        // Joined piece by piece: names and memos are the surveyor's text and may hold "%1".
        const QString line =
            QString::number(id).rightJustified(6) + QStringLiteral("  ") +
            points->Field(QStringLiteral("Name")).toString().leftJustified(12) +
            QStringLiteral("  標高 ") + HeightText(points->Field(QStringLiteral("Z")).toDouble()) +
            QStringLiteral("  ") + points->Field(QStringLiteral("Memo")).toString();
        out << QStringLiteral("  ") + RightTrimmed(line);
    }

    QList<StoredValue> parameters;
    auto params = db->OpenRecordset(
        QStringLiteral("SELECT * FROM CALCPARAM WHERE CalcID = ? ORDER BY Seq"), {calcId});
    for (; !params->Eof(); params->MoveNext()) parameters << Stored(*params);

    auto cells = db->OpenRecordset(
        QStringLiteral("SELECT * FROM CALCELEM WHERE CalcID = ? ORDER BY RowNo, ColNo"), {calcId});
    QMap<int, QList<StoredValue>> rows;
    QMap<int, qint32> columnTypes;
    for (; !cells->Eof(); cells->MoveNext()) {
        const StoredValue v = Stored(*cells);
        columnTypes[cells->Field(QStringLiteral("ColNo")).toInt()] = v.type;
        rows[cells->Field(QStringLiteral("RowNo")).toInt()] << v;
    }
    if (IsHandedTraverse(calcNo, parameters, columnTypes.values()))
        out << HandedTraverseText(calcNo, parameters, rows.values(), names);
    else
        out << PlainInputText(parameters, rows, columnTypes.values());
    return out.join(u'\n') + u'\n';
}

}  // namespace trevanto_host
