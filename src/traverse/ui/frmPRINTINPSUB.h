#pragma once
// The conditions of traverse creation: backsight zero, the calculation to make, computed
// elevations, overwriting sighted points. The choices are kept in the user's settings as
// the options text (TraverseOptions.h).

#include <QDialog>
#include <optional>

#include "traverse/TraverseOptions.h"

class QButtonGroup;
class QVBoxLayout;

namespace platform {
class SettingsStore;
}

namespace traverse_ui {

inline const QString kOptionsSection = QStringLiteral("Trevanto");
inline const QString kOptionsKey = QStringLiteral("TraverseOptions");

class frmPRINTINPSUB : public QDialog {
    Q_OBJECT
  public:
    frmPRINTINPSUB(const traverse::TraverseOptions& options, QWidget* parent = nullptr);

    // The choices the radio buttons show.
    traverse::TraverseOptions Options() const;

  private:
    QButtonGroup* Group(const QString& caption, const QString& name, const QStringList& labels, int checked,
                        const QString& hint);

    QVBoxLayout* column_ = nullptr;
    QButtonGroup* zero_ = nullptr;
    QButtonGroup* type_ = nullptr;
    QButtonGroup* elevations_ = nullptr;
    QButtonGroup* overwrite_ = nullptr;
};

// Shows the dialog over the stored options (a text that is not one becomes TRAV1121).
// 設定終了 saves and returns the choices; キャンセル or closing the window returns nullopt
// and changes nothing. Throws platform::FileError when the settings cannot be written.
std::optional<traverse::TraverseOptions> EditTraverseOptions(QWidget* parent, platform::SettingsStore& store);

}  // namespace traverse_ui
