#pragma once
// The object a host application drives: it hands over the work district and the path of
// its calculation database, opens the main menu, answers three events and reads back the
// calculation the user produced while SaveStart runs.
//
// Members 11 to 24 and 27 read the hand-off object; they throw platform::AutomationError
// after ProgramTerm, and for a point or parameter that does not exist.

#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

#include "calcstore/clsConvert2.h"

namespace host {

class frmTSMENU;

// Exit status of a program whose menu would not load because another instance runs.
inline constexpr int kSecondInstanceExit = 3;

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

    void SetNumbers();                                                                      // 1
    void OpenDlg();                                                                         // 2
    void SetSimaFile(const QString& file);                                                  // 3
    QString SimaFile() const;                                                               // 4
    void SetRegID(qint32 id);                                                               // 5
    qint32 RegID() const;                                                                   // 6
    void SetRegName(const QString& name);                                                   // 7
    QString RegName() const;                                                                // 8
    void SetDataBaseName(const QString& path);                                              // 9
    QString DataBaseName() const;                                                           // 10
    qint32 CalcNo() const;                                                                  // 11
    QString CalcName() const;                                                               // 12
    qint32 CalcParentID() const;                                                            // 13
    qint32 ZahyouCount() const;                                                             // 14
    void GetZahyouData(const QVariant& index, QString& name, qint32& id, double& z) const;  // 15
    qint32 GetNewZahyou(qint32 oldId) const;                                                // 16
    void SetZahyouID(const QVariant& index, qint32 id);                                     // 17
    qint32 GetParameterCount() const;                                                       // 18
    QVariant GetParameterType(qint32 index) const;                                          // 19
    QVariant GetParameterValue(qint32 index) const;                                         // 20
    qint32 GetElementsColsCount() const;                                                    // 21
    QVariant GetElementsColsType(qint32 index) const;                                       // 22
    qint32 GetElementsRowsCount() const;                                                    // 23
    QVariant GetElementsArray(qint32 row, qint32 col) const;                                // 24
    void ProgramTerm();                                                                     // 25
    QString GetAppTitle() const;                                                            // 26
    void GetZahyouMemo(const QVariant& index, QString& memo) const;                         // 27

    // The menu window while it is open, for tests and the demo host.
    frmTSMENU* MenuWindow() const;

  private:
    void RefreshRegion(qint32 regionId) override;
    void SaveStart(bool& saveOk) override;
    void ProgramEnd() override;
    calcstore::clsConvert2& HandOff() const;

    KobelinDlgEvents* events_ = nullptr;
    std::unique_ptr<calcstore::clsConvert2> handOff_;
    QPointer<frmTSMENU> menu_;
};

}  // namespace host
