#pragma once
// The SIMA editor "転送座標の選択・編集": the points of a SIMA file (or of the district) in a
// grid, ticked for transfer, edited in place, with rows inserted, deleted, copied and
// pasted; saved back to the file, and handed to the coordinate export for the instrument.

#include <QDialog>

#include "coords/ExportTransfer.h"
#include "coords/SimaSheet.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace platform {
class Prompt;
}

namespace coords_ui {

struct SimaEditContext {
    bool fileMode = true;  // opened with a SIMA file or new data: saving is offered
    QString dataFile;      // the SIMA file; empty for new data and the district's points
    QStringList lines;     // the file's (or the district's) lines
    coords::TransferSetting transfer;
};

class frmSIMEDIT : public QDialog {
    Q_OBJECT
  public:
    frmSIMEDIT(SimaEditContext context, platform::Prompt& prompt, QWidget* parent = nullptr);

    const coords::SimaSheet& Sheet() const { return sheet_; }
    // The file saved last (a new file gets its name when first saved).
    const QString& DataFile() const { return context_.dataFile; }

    // Finishing and closing hand the ticked points to the transfer first.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildGrid();
    QHBoxLayout* BuildButtons();
    void BuildMenu();
    void Fill();
    void ShowCount();
    void CellClicked(int row, int column);
    void StartEdit(const QString& initial);
    void CommitEdit();
    void CancelEdit();
    bool EditorKey(QKeyEvent* key);
    bool GridKey(QKeyEvent* key);
    bool SelectedRows(int& first, int& last) const;
    void DeleteRows();
    void InsertRows();
    void CopyRows();
    void CutRows();
    void PasteRows();
    void TickAll(bool on);
    void Save();
    void Finish();

    SimaEditContext context_;
    platform::Prompt& prompt_;
    coords::SimaSheet sheet_;
    QTableWidget* grid_ = nullptr;
    QLineEdit* cellEditor_ = nullptr;
    QLineEdit* count_ = nullptr;
    QPushButton* save_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* paste_ = nullptr;
    QList<QAction*> rowActions_;  // cut, copy, delete: with rows only
    int editRow_ = -1;
    int editColumn_ = -1;
    bool finished_ = false;
};

// Shows the editor with the program's prompt until the user ends it; returns the lines as
// the editor left them and the file it saved to.
SimaEditContext EditSimaPoints(QWidget* parent, SimaEditContext context);

}  // namespace coords_ui
