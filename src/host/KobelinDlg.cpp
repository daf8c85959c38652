#include "host/KobelinDlg.h"

#include <QApplication>

#include "calcstore/Numberings.h"
#include "calcstore/ui/CalcDialogChooser.h"
#include "host/state/ProcessValues.h"
#include "host/ui/frmTSMENU.h"
#include "platform/AutomationError.h"
#include "platform/Database.h"
#include "platform/Settings.h"
#include "platform/Translations.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/QtPrompt.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("KobelinDlg");

}  // namespace

KobelinDlg::KobelinDlg() : handOff_(std::make_unique<calcstore::clsConvert2>()) {
    platform::SetSystemDatabase(QStringLiteral("system.mdw"));
    handOff_->SetEvents(this);
    Process().HandOff = handOff_.get();
    // In a process with windows, the numbering rules that SetNumbers reads can tell the user
    // what is wrong with them before the menu opens.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        platform::InstallQtPromptIfNone();
}

KobelinDlg::~KobelinDlg() {
    CloseMenu();
    if (handOff_ && Process().HandOff == handOff_.get()) Process().HandOff = nullptr;
}

// The one way the menu goes: its windows closed, then the menu itself, deleted once control
// is back in the event loop, since the call may come from inside one of the menu's own
// handlers (item 8 ends the program through the host).
void KobelinDlg::CloseMenu() {
    if (!menu_) return;
    menu_->ProgramTerm();
    menu_->CloseByProgram();
    menu_->deleteLater();
    menu_.clear();
}

void KobelinDlg::SetNumbers() {
    calcstore::ProcessNumberings().ReadAllDB(Process().DataBaseName);
}

void KobelinDlg::OpenDlg() {
    if (menu_) {
        menu_->raise();
        menu_->activateWindow();
        return;
    }
    platform::InstallQtPromptIfNone();
    platform::InstallQtTranslations();
    platform::RegisterJapaneseFontSubstitutes();
    auto menu = std::make_unique<frmTSMENU>();
    if (!menu->Load())
        throw platform::AutomationError(
            kAlreadyRunning, kSource,
            QStringLiteral("トータルステーションデータ処理システムは既に"
                           "起動しています。"));
    menu_ = menu.release();
    InstallCalcDialog();
    menu_->show();
}

// From now on GetCalcName asks with the registration dialog, over the window that asks, for
// the district the host has handed over by the time it shows.
void KobelinDlg::InstallCalcDialog() {
    if (!handOff_) return;
    handOff_->SetCalcNameChooser(std::make_unique<calcstore_ui::CalcDialogChooser>([this] {
        const ProcessValues& values = Process();
        return calcstore_ui::CalcDialogSetup{
            {values.DataBaseName, values.RegID, values.RegName},
            platform::HasActivePrompt() ? &platform::ActivePrompt() : nullptr,
            &platform::SettingsStore::User(),
            // Over the form that asks (traverse creation is modal over the print form).
            QApplication::activeModalWidget() ? QApplication::activeModalWidget() : menu_.data()};
    }));
}

void KobelinDlg::SetSimaFile(const QString& file) {
    Process().SimaFile = file;
}
QString KobelinDlg::SimaFile() const {
    return Process().SimaFile;
}
void KobelinDlg::SetRegID(qint32 id) {
    Process().RegID = id;
}
qint32 KobelinDlg::RegID() const {
    return Process().RegID;
}
void KobelinDlg::SetRegName(const QString& name) {
    Process().RegName = name;
}
QString KobelinDlg::RegName() const {
    return Process().RegName;
}
void KobelinDlg::SetDataBaseName(const QString& path) {
    Process().DataBaseName = path;
}
QString KobelinDlg::DataBaseName() const {
    return Process().DataBaseName;
}

calcstore::clsConvert2& KobelinDlg::HandOff() const {
    if (!handOff_)
        throw platform::AutomationError(91, kSource,
                                        QStringLiteral("オブジェクト変数が設定されていません。"));
    return *handOff_;
}

qint32 KobelinDlg::CalcNo() const {
    return HandOff().CalcNo();
}
QString KobelinDlg::CalcName() const {
    return HandOff().CalcName();
}
qint32 KobelinDlg::CalcParentID() const {
    return HandOff().CalcParentID();
}
qint32 KobelinDlg::ZahyouCount() const {
    return HandOff().ZahyouCount();
}

void KobelinDlg::GetZahyouData(const QVariant& index, QString& name, qint32& id, double& z) const {
    const calcstore::clsCoord& point = HandOff().ItemZahyou(index);
    name = point.TenName();
    id = point.ID();
    z = point.Z();
}

qint32 KobelinDlg::GetNewZahyou(qint32 oldId) const {
    return HandOff().GetNewZahyouID(oldId);
}

void KobelinDlg::SetZahyouID(const QVariant& index, qint32 id) {
    HandOff().ItemZahyou(index).SetID(id);
}

qint32 KobelinDlg::GetParameterCount() const {
    return HandOff().GetParameterCount();
}
QVariant KobelinDlg::GetParameterType(qint32 index) const {
    return HandOff().GetParameterType(index);
}
QVariant KobelinDlg::GetParameterValue(qint32 index) const {
    return HandOff().GetParameterValue(index);
}

qint32 KobelinDlg::GetElementsColsCount() const {
    const calcstore::Elements* elements = HandOff().ElementsIfAny();
    return elements ? elements->Cols() : 0;
}

QVariant KobelinDlg::GetElementsColsType(qint32 index) const {
    const calcstore::Elements* elements = HandOff().ElementsIfAny();
    if (!elements) throw platform::AutomationError::SubscriptOutOfRange(QStringLiteral("Elements"));
    return elements->ColsType(index);
}

qint32 KobelinDlg::GetElementsRowsCount() const {
    const calcstore::Elements* elements = HandOff().ElementsIfAny();
    return elements ? elements->Rows() : 0;
}

QVariant KobelinDlg::GetElementsArray(qint32 row, qint32 col) const {
    const calcstore::Elements* elements = HandOff().ElementsIfAny();
    const calcstore::InputItem* cell = elements ? elements->ItemArray(row, col) : nullptr;
    if (!cell)
        throw platform::AutomationError(91, QStringLiteral("Elements"),
                                        QStringLiteral("オブジェクト変数が設定されていません。"));
    return cell->Value();
}

void KobelinDlg::ProgramTerm() {
    CloseMenu();
    if (!handOff_) return;
    handOff_->Clear();
    if (Process().HandOff == handOff_.get()) Process().HandOff = nullptr;
    handOff_.reset();
}

frmTSMENU* KobelinDlg::MenuWindow() const {
    return menu_.data();
}

QString KobelinDlg::GetAppTitle() const {
    return menu_ ? menu_->windowTitle() : QString();
}

void KobelinDlg::GetZahyouMemo(const QVariant& index, QString& memo) const {
    memo = HandOff().ItemZahyou(index).Memo();
}

void KobelinDlg::RefreshRegion(qint32 regionId) {
    if (events_) events_->RefreshRegion(regionId);
}

void KobelinDlg::SaveStart(bool& saveOk) {
    if (events_) events_->SaveStart(saveOk);
}

void KobelinDlg::ProgramEnd() {
    if (events_) events_->ProgramEnd();
}

}  // namespace host
