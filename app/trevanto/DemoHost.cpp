#include "trevanto/DemoHost.h"

#include <QCoreApplication>

#include "platform/DbError.h"

namespace trevanto_host {

DemoHost::DemoHost(QString databasePath, qint32 regId, QString regName)
    : databasePath_(std::move(databasePath)), regId_(regId), regName_(std::move(regName)) {
    dlg_.SetEvents(this);
}

void DemoHost::Start() {
    dlg_.SetRegID(regId_);
    dlg_.SetRegName(regName_);
    dlg_.SetDataBaseName(databasePath_);
    dlg_.SetNumbers();
    dlg_.OpenDlg();
}

void DemoHost::RefreshRegion(qint32) {}

HandedCalculation ReadHandedCalculation(const host::KobelinDlg& dlg) {
    HandedCalculation calc;
    calc.calcNo = dlg.CalcNo();
    calc.name = dlg.CalcName();
    calc.parentId = dlg.CalcParentID();
    for (qint32 i = 1; i <= dlg.ZahyouCount(); ++i) {
        HandedPoint point;
        dlg.GetZahyouData(i, point.name, point.id, point.z);
        dlg.GetZahyouMemo(i, point.memo);
        calc.points.append(point);
    }
    for (qint32 i = 1; i <= dlg.GetParameterCount(); ++i)
        calc.parameters.append({dlg.GetParameterType(i).toInt(), dlg.GetParameterValue(i)});
    for (qint32 c = 0; c < dlg.GetElementsColsCount(); ++c)
        calc.columnTypes.append(dlg.GetElementsColsType(c).toInt());
    for (qint32 r = 0; r < dlg.GetElementsRowsCount(); ++r) {
        QList<QVariant> row;
        for (qint32 c = 0; c < calc.columnTypes.size(); ++c) row.append(dlg.GetElementsArray(r, c));
        calc.rows.append(row);
    }
    return calc;
}

// Stores the calculation, then tells each point its new id.
void DemoHost::SaveStart(bool& saveOk) {
    try {
        const HandedCalculation calc = ReadHandedCalculation(dlg_);
        const StoredCalculation stored = StoreCalculation(databasePath_, calc);
        for (const HandedPoint& point : calc.points)
            dlg_.SetZahyouID(QStringLiteral("C%1").arg(point.id),
                             stored.newPointIds.value(point.id));
        lastStored_ = stored.calcId;
        lastStoredName_ = calc.name;
        lastError_.clear();
        saveOk = true;
    } catch (const std::exception& e) {
        lastError_ = QString::fromUtf8(e.what());
        saveOk = false;
    }
}

void DemoHost::ProgramEnd() {
    dlg_.ProgramTerm();
    QCoreApplication::quit();
}

}  // namespace trevanto_host
