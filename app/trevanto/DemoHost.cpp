#include "trevanto/DemoHost.h"

#include <QCoreApplication>

namespace trevanto_host {

DemoHost::DemoHost(QString databasePath, qint32 regId, QString regName)
    : databasePath_(std::move(databasePath)), regId_(regId), regName_(std::move(regName)) {
    dlg_.SetEvents(this);
}

bool DemoHost::Start() {
    dlg_.SetRegID(regId_);
    dlg_.SetRegName(regName_);
    dlg_.SetDataBaseName(databasePath_);
    dlg_.SetNumbers();
    dlg_.OpenDlg();
    return !dlg_.GetAppTitle().isEmpty();
}

void DemoHost::RefreshRegion(qint32) {}

void DemoHost::SaveStart(bool& saveOk) { saveOk = false; }

void DemoHost::ProgramEnd() {
    dlg_.ProgramTerm();
    QCoreApplication::quit();
}

}  // namespace trevanto_host
