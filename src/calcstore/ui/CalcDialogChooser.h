#pragma once
// The chooser the program installs on the hand-off object: it shows frmCalcDialog.

#include <functional>

#include "calcstore/CalcNameChooser.h"
#include "calcstore/ui/frmCalcDialog.h"

namespace calcstore_ui {

// What one showing of the dialog needs. Gathered each time it shows, so that it follows
// the district the host has handed over by then.
struct CalcDialogSetup {
    CalcDialogDistrict district;
    platform::Prompt* prompt = nullptr;        // required
    platform::SettingsStore* store = nullptr;  // required
    QWidget* parent = nullptr;                 // the window the dialog is modal over
};

class CalcDialogChooser : public calcstore::CalcNameChooser {
  public:
    explicit CalcDialogChooser(std::function<CalcDialogSetup()> setup);

    // Shows the dialog with the default name; nullopt when the user cancels (or nothing to
    // show it with was given). Renamed folders call refreshRegion with the district's id.
    std::optional<calcstore::CalcEntryChoice> Choose(
        const QString& defaultName, qint32 calcNo,
        const calcstore::RegionRefresh& refreshRegion) override;

  private:
    std::function<CalcDialogSetup()> setup_;
};

}  // namespace calcstore_ui
