#pragma once
// The program's own host: drives KobelinDlg the way a surveying application does.

#include <QString>

#include "host/KobelinDlg.h"
#include "trevanto/CalcArchive.h"

namespace trevanto_host {

class DemoHost : public host::KobelinDlgEvents {
  public:
    DemoHost(QString databasePath, qint32 regId, QString regName);

    // Hands over the district and opens the menu. Throws platform::AutomationError when the
    // menu does not open because the program already runs.
    void Start();
    host::KobelinDlg& Dialog() { return dlg_; }

    void RefreshRegion(qint32 regionId) override;
    void SaveStart(bool& saveOk) override;
    void ProgramEnd() override;

    // The id of the calculation stored last, 0 before any.
    qint32 LastStoredCalc() const { return lastStored_; }
    // Its name, as the host stored it.
    const QString& LastStoredName() const { return lastStoredName_; }
    // The message of the last failed store, empty after a good one.
    const QString& LastError() const { return lastError_; }

  private:
    host::KobelinDlg dlg_;
    QString databasePath_;
    qint32 regId_;
    QString regName_;
    qint32 lastStored_ = 0;
    QString lastStoredName_;
    QString lastError_;
};

// Everything the host reads through KobelinDlg's getters while SaveStart runs.
HandedCalculation ReadHandedCalculation(const host::KobelinDlg& dlg);

}  // namespace trevanto_host
