#pragma once
// The list of the registration dialog: the present folders and calculations of one folder,
// keyed "FID" + id and "DID" + id. Folders take a new name by editing their label (a click on
// the selected one, or F2); the owner decides whether a new name is taken. Two looks: names in
// columns (style 2), or one row a name under the heading "名称" (style 3).

#include <QListWidget>
#include <functional>
#include <optional>
#include <vector>

#include "calcstore/CalcFolders.h"

class QHeaderView;

namespace calcstore_ui {

class CalcEntryList : public QListWidget {
    Q_OBJECT
  public:
    static constexpr int kKeyRole = Qt::UserRole;

    // Given the folder's id and the typed label; answers the name stored, or nullopt to keep
    // the old label.
    using Renamer = std::function<std::optional<QString>(qint32 id, const QString& typed)>;

    explicit CalcEntryList(QWidget* parent = nullptr);

    void SetRenamer(Renamer renamer) { renamer_ = std::move(renamer); }
    // Runs when the user tries to edit the label of a calculation.
    void SetCalculationEditRefused(std::function<void()> refused) { refused_ = std::move(refused); }

    void Show(const std::vector<calcstore::CalcEntry>& entries);
    void SetViewStyle(int style);
    int ViewStyle() const { return viewStyle_; }

    // The item of a folder of the list, nullptr when it is not listed.
    QListWidgetItem* FolderItem(qint32 id) const;
    static bool IsFolder(const QListWidgetItem* item);
    static qint32 IdOf(const QListWidgetItem* item);

  protected:
    void updateGeometries() override;

  private:
    friend class LabelDelegate;

    Renamer renamer_;
    std::function<void()> refused_;
    QHeaderView* header_ = nullptr;
    int viewStyle_ = 0;
};

}  // namespace calcstore_ui
