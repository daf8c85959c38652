#pragma once
// The same-name chooser: the district holds several points of one name, and the user checks
// the one the name stands for.

#include <QDialog>
#include <optional>
#include <vector>

#include "notebook/SameNamePoints.h"

class QTableWidget;

namespace platform {
class Database;
}

namespace notebook_ui {

class frmPRINTINP1 : public QDialog {
    Q_OBJECT
  public:
    frmPRINTINP1(std::vector<notebook::SameNamePoint> points, const QString& name,
                 QWidget* parent = nullptr);

    // The checked point, once the choice is confirmed.
    std::optional<notebook::SameNamePoint> Chosen() const;

  private:
    void Check(int row);
    void Confirm();

    std::vector<notebook::SameNamePoint> points_;
    QTableWidget* grid_ = nullptr;
    int checked_ = -1;
};

// Shows the district's live points of that name and returns the one the user checks and
// confirms; nullopt when the user cancels or closes the window, when the name is not there,
// or when the district cannot be read (the user is told why).
std::optional<notebook::SameNamePoint> ChooseSameNamePoint(QWidget* parent,
                                                           platform::Database& district,
                                                           const QString& name);

}  // namespace notebook_ui
