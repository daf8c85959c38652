#include "calcstore/ui/CalcDialogChooser.h"

namespace calcstore_ui {

CalcDialogChooser::CalcDialogChooser(std::function<CalcDialogSetup()> setup)
    : setup_(std::move(setup)) {}

std::optional<calcstore::CalcEntryChoice> CalcDialogChooser::Choose(
    const QString& defaultName, qint32 /*calcNo: every type is placed the same way*/,
    const calcstore::RegionRefresh& refreshRegion) {
    const CalcDialogSetup setup = setup_();
    if (!setup.prompt || !setup.store) return std::nullopt;
    frmCalcDialog dialog(setup.district, *setup.prompt, *setup.store, setup.parent);
    QObject::connect(&dialog, &frmCalcDialog::RefreshRegion, &dialog, [&](qint32 regionId) {
        if (refreshRegion) refreshRegion(regionId);
    });
    dialog.SetEntryName(defaultName);
    dialog.exec();
    if (dialog.EntryName().isEmpty()) return std::nullopt;
    return calcstore::CalcEntryChoice{dialog.EntryName(), dialog.FolderID()};
}

}  // namespace calcstore_ui
