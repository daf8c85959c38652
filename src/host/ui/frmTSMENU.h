#pragma once
// The main menu: the program's one top-level window, with its eight commands, the status
// labels of the data format, serial settings and data folder, and their menus.

#include <QMainWindow>
#include <memory>

class QAction;
class QMenu;
class QPushButton;

namespace platform {
class ClickLabel;
class FileError;
class Prompt;
class SingleInstance;
}  // namespace platform

namespace host {

class frmTSMENU : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmTSMENU(QWidget* parent = nullptr);
    ~frmTSMENU() override;

    // The window's load step. False when another instance of the program already runs:
    // that one is asked to come forward, and this window must not be shown.
    bool Load();
    // Closes every other window of the program, one at a time.
    void ProgramTerm();
    // Shows the window on top, as far as the window system lets a program do that.
    void BringForward();
    // Closes the window on the program's own behalf (no ProgEnd).
    void CloseByProgram();

    void RefreshStatus();
    void ShowDataPath();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void BuildMenus();
    QMenu* BuildFormatMenu();
    QMenu* BuildEditMenu();
    void ChooseFormat(const QString& tsType, const QString& format);
    void ShowDataFolderDialog();
    void ShowCommSettings();
    void EndProgram();
    void ShowFileError(const platform::FileError& error);
    // Creates the data folder when missing; false, after telling the user, when it cannot.
    bool EnsureDataFolder();

    void ReceiveData();    // item 1
    void ShowEditMenu();   // item 2
    void EditData(const QString& code);
    void ConvertData();    // item 3
    // Loads the data file of this code; when none is loaded and the user asks for new data,
    // starts from nothing. False when the user declines.
    bool OpenOrStartNew(platform::Prompt& prompt, const QString& code);
    void EditNotebook();   // item 4
    void PrintNotebook();  // item 5
    void SendSimaFile();   // item 6
    void SendDistrict();   // item 7
    void EditSimaPoints(bool fileMode);
    void SendFile(const QString& file);
    void TransferForm(int mode, const QString& file);

    QPushButton* buttons_[8] = {};
    platform::ClickLabel* formatLabel_ = nullptr;
    platform::ClickLabel* commLabel_ = nullptr;
    platform::ClickLabel* folderLabel_ = nullptr;
    QMenu* formatMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* editAll_ = nullptr;
    QAction* editOwn_ = nullptr;
    bool closingByProgram_ = false;
    std::unique_ptr<platform::SingleInstance> instance_;  // held while the menu is open
};

}  // namespace host
