#include "notebook/ui/frmPRINTINP1.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "notebook/ui/CheckGrid.h"
#include "notebook/ui/DialogButtons.h"
#include "notebook/NotebookFormat.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "platform/ui/GridHeads.h"

namespace notebook_ui {
namespace {

const QString kCaption = QStringLiteral("同一点名複数の選択");
constexpr int kCheckColumn = 1;

QString Metres(double value) { return notebook::FormatDigits(value, 1, 3, 0); }

}  // namespace

frmPRINTINP1::frmPRINTINP1(std::vector<notebook::SameNamePoint> points, const QString& name,
                           QWidget* parent)
    : QDialog(parent), points_(std::move(points)) {
    setObjectName(QStringLiteral("frmPRINTINP1"));
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);

    auto* several = new QLabel(name + QStringLiteral(" は、複数点あります。"), this);
    several->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(several);
    auto* hint = new QLabel(QStringLiteral("選択する点のﾁｪｯｸ"), this);
    hint->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(hint);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("Fg1"));
    platform::SetGridHeads(grid_,
                           QStringLiteral("^  No |ﾁｪｯｸ|^Ｘ座標|^Ｙ座標|^Ｚ座標|^登録更新日時"));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setRowCount(static_cast<int>(points_.size()));
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const notebook::SameNamePoint& p = points_[static_cast<size_t>(row)];
        grid_->setItem(row, 0, GridCell(QString::number(row + 1), Qt::AlignHCenter));
        grid_->setItem(row, kCheckColumn, GridCell(QString(), Qt::AlignHCenter));
        grid_->setItem(row, 2, GridCell(p.located ? Metres(p.x) : QString(), Qt::AlignRight));
        grid_->setItem(row, 3, GridCell(p.located ? Metres(p.y) : QString(), Qt::AlignRight));
        grid_->setItem(row, 4, GridCell(p.z ? Metres(*p.z) : QString(), Qt::AlignRight));
        grid_->setItem(row, 5, GridCell(p.updated, Qt::AlignHCenter));
    }
    // Wide enough for "-123456.789" and a date with its time.
    grid_->setColumnWidth(0, 44);
    grid_->setColumnWidth(kCheckColumn, 48);
    for (int column = 2; column <= 4; ++column) grid_->setColumnWidth(column, 110);
    grid_->horizontalHeader()->setStretchLastSection(true);
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row) { Check(row); });
    layout->addWidget(grid_, 1);

    layout->addLayout(ConfirmCancelRow(this, QStringLiteral("CANCEL"), [this] { Confirm(); }));
    resize(640, 300);
}

std::optional<notebook::SameNamePoint> frmPRINTINP1::Chosen() const {
    if (result() != QDialog::Accepted || checked_ < 0) return std::nullopt;
    return points_[static_cast<size_t>(checked_)];
}

// One point only: checking a row takes the mark from any other, and a second click on the
// checked row takes it away.
void frmPRINTINP1::Check(int row) {
    const int previous = checked_;
    if (previous >= 0) grid_->item(previous, kCheckColumn)->setText(QString());
    checked_ = row == previous ? -1 : row;
    if (checked_ >= 0) grid_->item(checked_, kCheckColumn)->setText(kCheckMark);
}

void frmPRINTINP1::Confirm() {
    if (checked_ < 0) {
        platform::ActivePrompt().Show(QStringLiteral("使用する点を選択ﾁｪｯｸして下さい。"), kCaption,
                                      platform::PromptIcon::Exclamation);
        return;
    }
    accept();
}

std::optional<notebook::SameNamePoint> ChooseSameNamePoint(QWidget* parent,
                                                           platform::Database& district,
                                                           const QString& name) {
    std::vector<notebook::SameNamePoint> points;
    try {
        points = notebook::SameNamePoints(district, name);
    } catch (const platform::DbError& e) {
        platform::ActivePrompt().Show(e.Description(), kCaption, platform::PromptIcon::Critical);
        return std::nullopt;
    }
    if (points.empty()) return std::nullopt;
    frmPRINTINP1 form(std::move(points), name, parent);
    form.exec();
    return form.Chosen();
}

}  // namespace notebook_ui
