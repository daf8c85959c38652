#pragma once
// The station-elevation editor: before the distance and height reports the user confirms
// every station's elevation, types the ones the district does not know, and says which point
// is meant where the district holds the name more than once.

#include <QDialog>
#include <optional>
#include <vector>

#include "notebook/StationElevations.h"

class QLineEdit;
class QTableWidget;

namespace platform {
class Database;
}

namespace notebook_ui {

class frmPRINTHEDIT : public QDialog {
    Q_OBJECT
  public:
    // district may be null: then no station can be chosen among points of its name.
    frmPRINTHEDIT(std::vector<notebook::StationElevation> rows, platform::Database* district,
                  QWidget* parent = nullptr);
    ~frmPRINTHEDIT() override;

    const std::vector<notebook::StationElevation>& Rows() const { return rows_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowRow(int row);
    void StartEdit(int row);
    // Writes the elevation being typed to its row; false when the text was refused, and
    // then the editor stays open on it unless the user has moved on.
    bool CommitEdit(bool stayOnRefusal);
    void CancelEdit();
    void Choose(int row);
    void Confirm();

    std::vector<notebook::StationElevation> rows_;
    platform::Database* district_;
    QTableWidget* grid_ = nullptr;
    QLineEdit* editor_ = nullptr;
    int editRow_ = -1;
};

// Shows the rows for the user to confirm and edit. Returns them as confirmed with 設定終了,
// or nullopt when the user cancels or closes the window.
std::optional<std::vector<notebook::StationElevation>> EditStationElevations(
    QWidget* parent, std::vector<notebook::StationElevation> rows, platform::Database* district);

}  // namespace notebook_ui
