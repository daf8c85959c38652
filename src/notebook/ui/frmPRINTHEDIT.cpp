#include "notebook/ui/frmPRINTHEDIT.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "notebook/ui/DialogButtons.h"
#include "notebook/ui/frmPRINTINP1.h"
#include "platform/Prompt.h"
#include "platform/ui/GridHeads.h"

namespace notebook_ui {
namespace {

const QString kCaption = QStringLiteral("観測点の標高編集");
constexpr int kNameColumn = 1;
constexpr int kElevationColumn = 2;
constexpr int kCommentColumn = 3;

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

}  // namespace

frmPRINTHEDIT::frmPRINTHEDIT(std::vector<notebook::StationElevation> rows,
                             platform::Database* district, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), district_(district) {
    setObjectName(QStringLiteral("frmPRINTHEDIT"));
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("Fg1"));
    platform::SetGridHeads(grid_, QStringLiteral("^  No |^観 測 点 名|^標   高|^コメント"));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (int row = 0; row < grid_->rowCount(); ++row) {
        grid_->setItem(row, 0, Cell(QString::number(row + 1), Qt::AlignHCenter));
        grid_->setItem(row, kNameColumn, Cell(QString(), Qt::AlignLeft));
        grid_->setItem(row, kElevationColumn, Cell(QString(), Qt::AlignRight));
        grid_->setItem(row, kCommentColumn, Cell(QString(), Qt::AlignLeft));
        ShowRow(row);
    }
    // Wide enough for twelve-character names and "-1234.567".
    grid_->setColumnWidth(0, 44);
    grid_->setColumnWidth(kNameColumn, 150);
    grid_->setColumnWidth(kElevationColumn, 100);
    grid_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid_, 1);

    editor_ = new QLineEdit(grid_->viewport());
    editor_->setObjectName(QStringLiteral("Text1"));
    editor_->setAlignment(Qt::AlignRight);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::returnPressed, this, [this] {
        const int row = editRow_;
        if (!CommitEdit(true)) return;
        if (row + 1 < grid_->rowCount()) grid_->setCurrentCell(row + 1, kElevationColumn);
    });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (editRow_ >= 0 && row != editRow_) CommitEdit(false);
        if (row >= 0 && column == kElevationColumn) StartEdit(row);
    });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == kElevationColumn && editRow_ != row) StartEdit(row);
    });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row) { Choose(row); });

    // Enter belongs to the elevation being typed, never to a button.
    layout->addLayout(ConfirmCancelRow(this, QStringLiteral("EDITCANCEL"), [this] { Confirm(); }));
    resize(520, 400);
}

// The editor reports its last focus loss while the dialog takes it down.
frmPRINTHEDIT::~frmPRINTHEDIT() { editor_->removeEventFilter(this); }

void frmPRINTHEDIT::ShowRow(int row) {
    const notebook::StationElevation& s = rows_[static_cast<size_t>(row)];
    grid_->item(row, kNameColumn)->setText(s.station);
    grid_->item(row, kElevationColumn)->setText(s.elevation);
    grid_->item(row, kCommentColumn)->setText(s.comment);
}

void frmPRINTHEDIT::StartEdit(int row) {
    editRow_ = row;
    editor_->setGeometry(grid_->visualRect(grid_->model()->index(row, kElevationColumn)));
    editor_->setText(rows_[static_cast<size_t>(row)].elevation);
    editor_->selectAll();
    editor_->show();
    editor_->setFocus();
}

bool frmPRINTHEDIT::CommitEdit(bool stayOnRefusal) {
    if (editRow_ < 0) return true;
    const int row = editRow_;
    const QString typed = editor_->text();
    const std::optional<QString> elevation = notebook::TypedElevation(typed);
    if (!elevation) {
        platform::ActivePrompt().Show(
            QStringLiteral("「") + typed.trimmed() +
                QStringLiteral("」は数値ではありません。\n標高はメートル単位の数値で入力して下さい。"),
            kCaption, platform::PromptIcon::Exclamation);
        if (stayOnRefusal) {
            editor_->selectAll();
            editor_->setFocus();
        } else {
            CancelEdit();
        }
        return false;
    }
    rows_[static_cast<size_t>(row)].elevation = *elevation;
    ShowRow(row);
    CancelEdit();
    return true;
}

void frmPRINTHEDIT::CancelEdit() {
    editRow_ = -1;
    editor_->hide();
    grid_->setFocus();
}

void frmPRINTHEDIT::Choose(int row) {
    notebook::StationElevation& s = rows_[static_cast<size_t>(row)];
    if (!district_ || s.comment != notebook::kChooseElevation) return;
    CancelEdit();
    if (const auto point = ChooseSameNamePoint(this, *district_, s.station)) {
        s = notebook::WithChosenPoint(s, *point);
        ShowRow(row);
    }
}

void frmPRINTHEDIT::Confirm() {
    if (CommitEdit(true)) accept();
}

bool frmPRINTHEDIT::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            CancelEdit();
            return true;
        }
        // Focus that moves to a button or another window takes a number along; text that is
        // none stays for Enter, another row or 設定終了 to refuse, so that it is refused once.
        if (event->type() == QEvent::FocusOut && editor_->isVisible() &&
            notebook::TypedElevation(editor_->text()))
            CommitEdit(false);
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::vector<notebook::StationElevation>> EditStationElevations(
    QWidget* parent, std::vector<notebook::StationElevation> rows, platform::Database* district) {
    frmPRINTHEDIT form(std::move(rows), district, parent);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.Rows();
}

}  // namespace notebook_ui
