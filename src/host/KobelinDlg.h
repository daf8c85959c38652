#pragma once
// The object a host application drives: it hands over the work district and the path of
// its calculation database, opens the main menu, answers three events and reads back the
// calculation the user produced while SaveStart runs.
//
// The calculation getters (CalcNo to GetElementsArray, and GetZahyouMemo) read the hand-off
// object live; they throw platform::AutomationError after ProgramTerm, and for a point or
// parameter that does not exist. KobelinDlg never ends the host's event loop and closes no
// window but its own.

#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

#include "calcstore/clsConvert2.h"

namespace host {

class frmTSMENU;

// Exit status of a program whose menu would not open because the program already runs.
inline constexpr int kSecondInstanceExit = 3;
// The error number OpenDlg throws with then, in the range components number their own
// automation errors in.
inline constexpr qint32 kAlreadyRunning = static_cast<qint32>(0x80040201);

// The host's side of the three events.
class KobelinDlgEvents {
  public:
    virtual ~KobelinDlgEvents() = default;
    virtual void RefreshRegion(qint32 regionId) = 0;
    // Store the calculation and set saveOk to true when it was stored.
    virtual void SaveStart(bool& saveOk) = 0;
    // The user ended the program: call ProgramTerm.
    virtual void ProgramEnd() = 0;
};

class KobelinDlg : private calcstore::clsConvert2Events {
  public:
    inline static const char* const kProgId = "Trevanto.KobelinDlg";

    KobelinDlg();
    ~KobelinDlg() override;
    KobelinDlg(const KobelinDlg&) = delete;
    KobelinDlg& operator=(const KobelinDlg&) = delete;

    void SetEvents(KobelinDlgEvents* events) { events_ = events; }

    // Reads the district's numbering rules (DataBaseName must be set).
    void SetNumbers();
    // Opens the main menu and returns at once; a second call brings it forward. Throws
    // platform::AutomationError kAlreadyRunning, after asking the running program to come
    // forward, when the program already runs in another process.
    void OpenDlg();
    void SetSimaFile(const QString& file);
    QString SimaFile() const;
    void SetRegID(qint32 id);
    qint32 RegID() const;
    void SetRegName(const QString& name);
    QString RegName() const;
    void SetDataBaseName(const QString& path);
    QString DataBaseName() const;
    qint32 CalcNo() const;
    QString CalcName() const;
    qint32 CalcParentID() const;
    qint32 ZahyouCount() const;
    void GetZahyouData(const QVariant& index, QString& name, qint32& id, double& z) const;
    qint32 GetNewZahyou(qint32 oldId) const;
    void SetZahyouID(const QVariant& index, qint32 id);
    qint32 GetParameterCount() const;
    QVariant GetParameterType(qint32 index) const;
    QVariant GetParameterValue(qint32 index) const;
    qint32 GetElementsColsCount() const;
    QVariant GetElementsColsType(qint32 index) const;
    qint32 GetElementsRowsCount() const;
    QVariant GetElementsArray(qint32 row, qint32 col) const;
    // Closes the menu and the program's windows, empties and releases the hand-off object.
    void ProgramTerm();
    // The menu's title; empty while the menu is not open.
    QString GetAppTitle() const;
    void GetZahyouMemo(const QVariant& index, QString& memo) const;

    // The menu window while it is open, for tests and the demo host.
    frmTSMENU* MenuWindow() const;

  private:
    void RefreshRegion(qint32 regionId) override;
    void SaveStart(bool& saveOk) override;
    void ProgramEnd() override;
    calcstore::clsConvert2& HandOff() const;
    void CloseMenu();
    void InstallCalcDialog();

    KobelinDlgEvents* events_ = nullptr;
    std::unique_ptr<calcstore::clsConvert2> handOff_;
    QPointer<frmTSMENU> menu_;
};

}  // namespace host
