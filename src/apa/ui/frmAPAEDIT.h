#pragma once
// The observation editor: a field book one station at a time, header values in fifteen
// boxes, sightings in the grid with a floating cell editor, row operations and saving.
// It edits the lines the main menu loaded (DataLines) and writes them back to DataFile.

#include <QDialog>
#include <array>

#include "apa/ApaEditor.h"

class QAction;
class QGridLayout;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace apa {

class frmAPAEDIT : public QDialog {
    Q_OBJECT
  public:
    explicit frmAPAEDIT(QWidget* parent = nullptr);
    ~frmAPAEDIT() override;

    const ApaEditor& Editor() const { return editor_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void BuildHeader(QWidget* parent, QGridLayout* layout);
    void BuildGrid();
    void BuildButtons(QHBoxLayout* navigation, QHBoxLayout* rows);
    void BuildMenu();
    void ShowStation();
    void ShowHint(const QString& hint);
    void Refuse(const QString& typed, const QString& why, const QString& hint);
    void CurrentCellChanged(int row, int column);

    void CommitBox(int box);
    void CommitBoxes();
    void StartEdit(const QString& initial);
    // Writes the cell being edited; false when its text was refused.
    bool CommitEdit(bool keepRefused = false);
    void CancelEdit();
    bool EditorKey(QKeyEvent* key);
    bool GridKey(QKeyEvent* key);
    void MoveTo(int row, int column);

    bool ValidSelection(int& first, int& last) const;
    void DeleteRows();
    void InsertRows();
    void CopyRows();
    void CutRows();
    void PasteRows();
    void SelectCurrentCellOnly();
    void UpdateRowActions();

    // Asks whether to keep the edits; true when the form may close.
    bool FinishEditing();
    // Writes the field book to DataFile, asking for a name when there is none; a write
    // that fails says why and offers another name. False when nothing was written (the
    // edits stay in the form).
    bool Save();
    // The save dialog; false when cancelled or failed (a failure is reported).
    bool AskSavePath(QString& path);

    ApaEditor editor_;
    bool loaded_ = false;
    std::array<QLineEdit*, kHeaderBoxCount> boxes_{};
    QLabel* hint_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLineEdit* cellEditor_ = nullptr;
    int editRow_ = -1;
    int editColumn_ = -1;
    QMenu* menu_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* insert_ = nullptr;
};

}  // namespace apa
