#include "traverse/ui/frmPRINTINP.h"

#include <QHBoxLayout>
#include <algorithm>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calcstore/clsConvert2.h"
#include "notebook/ui/CheckGrid.h"
#include "notebook/ui/DialogButtons.h"
#include "notebook/ui/frmPRINTINP1.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"
#include "platform/ui/GridHeads.h"
#include "traverse/DistrictPoints.h"
#include "traverse/TraverseRegistration.h"
#include "traverse/ui/frmPRINTINPSUB.h"

namespace traverse_ui {
namespace {

constexpr int kCheckColumn = 1;

}  // namespace

frmPRINTINP::frmPRINTINP(TraverseContext context, calcstore::clsConvert2& handOff, platform::Prompt& prompt,
                         platform::SettingsStore& store, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), handOff_(handOff), prompt_(prompt), store_(store) {
    setObjectName(QStringLiteral("frmPRINTINP"));
    setWindowTitle(QStringLiteral("トラバ－ス計算入力データ作成"));
    auto* layout = new QVBoxLayout(this);
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("Fg1"));
    platform::SetGridHeads(grid_, QStringLiteral("^  No |ﾁｪｯｸ|^観 測 点 名|^視 準 点 名|^観測距離|補正"));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(grid_, &QTableWidget::cellClicked, this,
            [this](int row) { SetChecked(row, !checked_[static_cast<size_t>(row)]); });
    layout->addWidget(grid_, 1);

    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblCount"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));
    auto* labels = new QHBoxLayout;
    labels->addWidget(count_);
    labels->addWidget(status_, 1);
    layout->addLayout(labels);

    auto* buttons = new QHBoxLayout;
    auto* all = notebook_ui::NamedButton(QStringLiteral("SelectAllOn"), QStringLiteral("全点選択"), this);
    auto* none = notebook_ui::NamedButton(QStringLiteral("SelectAllOf"), QStringLiteral("全点解除"), this);
    auto* save = notebook_ui::NamedButton(QStringLiteral("SelectSave"), QStringLiteral("ﾄﾗﾊﾞｰ登録"), this);
    auto* end = notebook_ui::NamedButton(QStringLiteral("EDITEND"), QStringLiteral("終　了"), this);
    for (QPushButton* b : {all, none, save, end}) buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });
    connect(save, &QPushButton::clicked, this, &frmPRINTINP::Register);
    connect(end, &QPushButton::clicked, this, &QDialog::accept);

    Fill();
    resize(620, 480);
}

void frmPRINTINP::Fill() {
    rows_ = traverse::TraverseRows(notebook::ReadTraverseSource(context_.notebookPath));
    checked_.assign(rows_.size(), false);
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const traverse::TraverseRow& r = rows_[static_cast<size_t>(row)];
        grid_->setItem(row, 0, notebook_ui::GridCell(QString::number(row + 1), Qt::AlignHCenter));
        grid_->setItem(row, kCheckColumn, notebook_ui::GridCell(QString(), Qt::AlignHCenter));
        grid_->setItem(row, 2, notebook_ui::GridCell(r.station, Qt::AlignLeft));
        grid_->setItem(row, 3, notebook_ui::GridCell(r.target, Qt::AlignLeft));
        grid_->setItem(row, 4, notebook_ui::GridCell(r.distance, Qt::AlignRight));
        grid_->setItem(row, 5, notebook_ui::GridCell(r.corrected ? QStringLiteral("有り") : QString(), Qt::AlignHCenter));
    }
    grid_->setColumnWidth(0, 44);
    grid_->setColumnWidth(kCheckColumn, 48);
    grid_->setColumnWidth(2, 150);
    grid_->setColumnWidth(3, 150);
    grid_->setColumnWidth(4, 100);
    grid_->horizontalHeader()->setStretchLastSection(true);
    CheckAll(false);
}

int frmPRINTINP::CheckedCount() const { return static_cast<int>(std::count(checked_.begin(), checked_.end(), true)); }

void frmPRINTINP::SetChecked(int row, bool checked) {
    checked_[static_cast<size_t>(row)] = checked;
    grid_->item(row, kCheckColumn)->setText(checked ? notebook_ui::kCheckMark : QString());
    count_->setText(QStringLiteral("選択 ") + QString::number(CheckedCount()) + QStringLiteral(" / ") +
                    QString::number(rows_.size()));
}

void frmPRINTINP::CheckAll(bool checked) {
    for (int row = 0; row < grid_->rowCount(); ++row) SetChecked(row, checked);
    if (grid_->rowCount() == 0) count_->setText(QStringLiteral("選択 0 / 0"));
}

std::vector<int> frmPRINTINP::Checked() const {
    std::vector<int> checked;
    for (size_t i = 0; i < checked_.size(); ++i)
        if (checked_[i]) checked.push_back(static_cast<int>(i));
    return checked;
}

// Under three rows the user may go on selecting (Yes) or leave the form (No).
bool frmPRINTINP::ConfirmSelection(const std::vector<int>& checked) {
    if (traverse::CheckSelection(rows_, checked) != traverse::SelectionFault::TooFewRows) return true;
    if (prompt_.Message(traverse::kTooFewRows + u'\n' + traverse::kContinueSelecting, traverse::kTooFewRowsTitle,
                        platform::PromptIcon::Exclamation, platform::PromptButtons::YesNo) == platform::PromptAnswer::No)
        reject();
    return false;
}

// One live point of the name is it; among several the user checks one (none checked: new).
traverse::DistrictMatch frmPRINTINP::Resolve(const QString& name) {
    if (context_.districtPath.isEmpty()) return {};
    auto district = platform::Database::Open(context_.districtPath);
    const std::vector<notebook::SameNamePoint> points = notebook::SameNamePoints(*district, name);
    if (points.size() == 1) return traverse::MatchOf(points.front());
    if (points.empty()) return {};
    const auto chosen = notebook_ui::ChooseSameNamePoint(this, *district, name);
    return chosen ? traverse::MatchOf(*chosen) : traverse::DistrictMatch{};
}

void frmPRINTINP::Register() {
    const std::vector<int> checked = Checked();
    if (!ConfirmSelection(checked)) return;
    std::optional<traverse::TraverseOptions> options;
    try {
        options = EditTraverseOptions(this, store_);
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), QString(), platform::PromptIcon::Critical);
        return;
    }
    if (!options) return;
    if (traverse::CheckSelection(rows_, checked) == traverse::SelectionFault::BlankName) {
        prompt_.Show(traverse::kBlankName + u'\n' + traverse::kCheckNames, traverse::kBlankNameTitle,
                     platform::PromptIcon::Critical);
        return;
    }
    traverse::Registration result = traverse::Registration::Failed;
    try {
        result = traverse::RegisterTraverse(rows_, checked, *options,
                                            [this](const QString& name) { return Resolve(name); }, context_.source,
                                            handOff_, &prompt_);
    } catch (const platform::DbError& e) {
        prompt_.Show(e.Description(), traverse::kSaveErrorTitle, platform::PromptIcon::Critical);
        return;
    }
    if (result == traverse::Registration::Failed)
        prompt_.Show(traverse::kSaveError, traverse::kSaveErrorTitle, platform::PromptIcon::Critical);
    else if (result == traverse::Registration::Saved)
        status_->setText(QStringLiteral("登録しました: ") + handOff_.CalcName());
}

void ShowTraverseForm(QWidget* parent, const TraverseContext& context, calcstore::clsConvert2& handOff) {
    frmPRINTINP form(context, handOff, platform::ActivePrompt(), platform::SettingsStore::User(), parent);
    form.exec();
}

}  // namespace traverse_ui
