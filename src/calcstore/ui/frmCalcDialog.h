#pragma once
// The calculation registration dialog "名称設定": the user names the new calculation entry
// and chooses the folder of the district's calculation tree it goes in. Folders can be made
// and renamed on the way; those changes are stored at once, also when the user cancels.
// Calculations themselves are never written here: the host registers the chosen entry.

#include <QDialog>

#include "calcstore/CalcFolders.h"

class QLineEdit;

namespace platform {
class Prompt;
class SettingsStore;
}  // namespace platform

namespace calcstore_ui {

class CalcEntryList;
class FolderPathBox;

// The district the dialog browses.
struct CalcDialogDistrict {
    QString databasePath;  // the district's calculation database
    qint32 regionId = 0;   // sent with RefreshRegion
    QString regionName;    // the root's text, and part of the settings keys
};

class frmCalcDialog : public QDialog {
    Q_OBJECT
  public:
    frmCalcDialog(CalcDialogDistrict district, platform::Prompt& prompt,
                  platform::SettingsStore& store, QWidget* parent = nullptr);

    // In: the name offered. Out: the name confirmed, empty when the user cancelled.
    const QString& EntryName() const { return entryName_; }
    void SetEntryName(const QString& name) { entryName_ = name; }
    // The folder shown, and on return the one chosen (0 the root). -1 until set or loaded:
    // the dialog then opens where the user left it in this district.
    qint32 FolderID() const { return folderId_; }
    void SetFolderID(qint32 id) { folderId_ = id; }

    void reject() override;  // cancel: no name
    void done(int result) override;

  signals:
    // A folder received a new name; regionId is the district's.
    void RefreshRegion(qint32 regionId);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    void Load();
    void ShowPath();
    void ListFolder();
    void EnterFolder(qint32 id);
    void GoUp();
    void NewFolder();
    std::optional<QString> RenameFolder(qint32 id, const QString& typed);
    void Confirm();
    void SavePlace();

    CalcDialogDistrict district_;
    platform::Prompt& prompt_;
    platform::SettingsStore& store_;
    calcstore::CalcFolders folders_;
    QString entryName_;
    qint32 folderId_ = -1;
    bool loaded_ = false;

    FolderPathBox* path_ = nullptr;
    CalcEntryList* list_ = nullptr;
    QLineEdit* name_ = nullptr;
};

}  // namespace calcstore_ui
