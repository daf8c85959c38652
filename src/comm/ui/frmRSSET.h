#pragma once
// The communication settings form: baud rate, parity, data bits, stop bits, the PC's port
// and flow control, with the maker's defaults for the selected instrument format. Closing
// offers to keep a change; there is no cancel.

#include <QDialog>
#include <optional>

#include "comm/settings/LineSettings.h"

class QButtonGroup;
class QPushButton;

namespace platform {
class Prompt;
class SettingsStore;
}  // namespace platform

namespace comm_ui {

// What the form starts from: the stored values and the menu's format and maker.
struct CommSettingsContext {
    QString rsset;
    QString rsfuro;
    QString format;
    QString maker;
};

class frmRSSET : public QDialog {
    Q_OBJECT
  public:
    frmRSSET(const CommSettingsContext& context, platform::Prompt& prompt, platform::SettingsStore& store,
             QWidget* parent = nullptr);

    // The settings as the form holds them now.
    const comm::LineSettings& Settings() const { return settings_; }
    // The settings kept on closing; nullopt when nothing changed or the user said no.
    const std::optional<comm::LineSettings>& Kept() const { return kept_; }

  protected:
    void done(int result) override;

  private:
    QWidget* FieldFrame(comm::LineField field, const QString& caption);
    QWidget* FlowFrame();
    void Show();
    void ApplyMakerDefaults();

    CommSettingsContext context_;
    platform::Prompt& prompt_;
    platform::SettingsStore& store_;
    comm::LineSettings settings_;
    std::optional<comm::LineSettings> kept_;
    QButtonGroup* groups_[comm::kLineFields] = {};
    QButtonGroup* flow_ = nullptr;
    bool closing_ = false;
};

// Shows the form; returns the settings the user kept (already saved in the store), or
// nullopt (nothing changed, the user said no, or the store could not be written, which the
// user is told).
std::optional<comm::LineSettings> EditCommSettings(QWidget* parent, const CommSettingsContext& context);

}  // namespace comm_ui
