#pragma once
// The distance-correction conditions dialog: where the elevations of the sea-level
// correction come from, and the scale factor. It edits the user's PrintHsub setting
// (CorrectionSettings.h), one part at a time as the user clicks and types.

#include <QDialog>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QVBoxLayout;

namespace notebook_ui {

class frmPRINTHSUB : public QDialog {
    Q_OBJECT
  public:
    // Reads the setting; a text that cannot be the conditions is replaced by the default and
    // saved back.
    explicit frmPRINTHSUB(QWidget* parent = nullptr);

    // The conditions text as the controls have made it so far.
    const QString& Text() const { return text_; }

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The option group of choice digit `digit`, one radio button per label, in a column
    // of the frame that the caller may add to.
    QVBoxLayout* Choices(QGroupBox* frame, int digit, const QString& name,
                         const std::initializer_list<const char16_t*>& labels);
    void Choose(int digit, int choice);
    void EnableDependents();
    void Save();
    void Finish();

    QString text_;
    bool ended_ = false;  // by 設定終了 or キャンセル
    QButtonGroup* groups_[4] = {};  // the option groups of the choice digits d1 to d4
    QGroupBox* subChoice_ = nullptr;
    QLineEdit* first_ = nullptr;
    QLineEdit* scale_ = nullptr;
};

// Shows the dialog over the stored conditions. Returns the conditions text when the user
// ends with 設定終了 or closes the window (the text is saved then), nullopt after キャンセル.
std::optional<QString> EditCorrectionConditions(QWidget* parent);

}  // namespace notebook_ui
