#pragma once
// The path combo of the registration dialog: the district root first, then the top-level
// folders with the shown folder's chain opened below its own, each indented by its depth.
// Item keys are "ID0" for the root and "ID" + id for a folder.

#include <QComboBox>

#include "calcstore/CalcFolders.h"

namespace calcstore_ui {

class FolderPathBox : public QComboBox {
  public:
    static constexpr int kKeyRole = Qt::UserRole;
    static constexpr int kDepthRole = Qt::UserRole + 1;

    explicit FolderPathBox(QWidget* parent = nullptr);

    // Fills the combo and selects the path's folder.
    void Show(const QString& regionName, const calcstore::FolderPath& path);
    // The folder id of an item; 0 for the root.
    qint32 FolderAt(int index) const;
};

}  // namespace calcstore_ui
