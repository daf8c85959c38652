#pragma once
// Traverse input creation: the targets of the notebook just made, one grid row each, from
// which the user checks the sights of a traverse and registers it with the host.

#include <QDialog>
#include <vector>

#include "traverse/TraverseAssembly.h"

class QLabel;
class QTableWidget;

namespace calcstore {
class clsConvert2;
}

namespace platform {
class Prompt;
class SettingsStore;
}  // namespace platform

namespace traverse_ui {

struct TraverseContext {
    QString notebookPath;  // SHUBO.MDB the notebook was written to
    QString districtPath;  // the district's calculation database; empty: every point is new
    QString source;        // the field book's file name, for the networks' parameters
};

class frmPRINTINP : public QDialog {
    Q_OBJECT
  public:
    frmPRINTINP(TraverseContext context, calcstore::clsConvert2& handOff, platform::Prompt& prompt,
                platform::SettingsStore& store, QWidget* parent = nullptr);

    int CheckedCount() const;

  private:
    void Fill();
    void SetChecked(int row, bool checked);
    void CheckAll(bool checked);
    void Register();
    std::vector<int> Checked() const;
    bool ConfirmSelection(const std::vector<int>& checked);
    traverse::DistrictMatch Resolve(const QString& name);

    TraverseContext context_;
    calcstore::clsConvert2& handOff_;
    platform::Prompt& prompt_;
    platform::SettingsStore& store_;
    std::vector<traverse::TraverseRow> rows_;
    std::vector<bool> checked_;
    QTableWidget* grid_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* status_ = nullptr;
};

// Shows the form with the program's prompt and the user's settings, until the user ends it.
void ShowTraverseForm(QWidget* parent, const TraverseContext& context, calcstore::clsConvert2& handOff);

}  // namespace traverse_ui
