#pragma once
// The program's own host: drives KobelinDlg the way a surveying application does.

#include <QString>

#include "host/KobelinDlg.h"

namespace trevanto_host {

class DemoHost : public host::KobelinDlgEvents {
public:
    DemoHost(QString databasePath, qint32 regId, QString regName);

    // Hands over the district and opens the menu; false when the menu did not open
    // (another instance runs).
    bool Start();
    host::KobelinDlg& Dialog() { return dlg_; }

    void RefreshRegion(qint32 regionId) override;
    void SaveStart(bool& saveOk) override;
    void ProgramEnd() override;

private:
    host::KobelinDlg dlg_;
    QString databasePath_;
    qint32 regId_;
    QString regName_;
};

}  // namespace trevanto_host
