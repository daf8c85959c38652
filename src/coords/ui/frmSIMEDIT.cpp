#include "coords/ui/frmSIMEDIT.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "coords/SimaFile.h"
#include "notebook/ui/CheckGrid.h"
#include "notebook/ui/DialogButtons.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/ui/CellEditorKeys.h"
#include "platform/ui/GridHeads.h"

namespace coords_ui {
namespace {

constexpr int kColumns = 7;
const QString kHeads = QStringLiteral("^  No |^ﾁｪｯｸ|^測点番号|^測 点 名 |^Ｘ 座 標|^Ｙ 座 標|^Ｚ 座 標");
const QString kConfirm = QStringLiteral("確認");
const QString kPressAKey = QStringLiteral("何かキーを押してください。");

// Column widths in pixels: the number, tick and point-number columns hold a few characters;
// name, X, Y and Z keep the grid's design widths (1350, 1650, 1650, 1350 twips at 15 a pixel).
constexpr std::array<int, kColumns> kWidths{50, 50, 80, 90, 110, 110, 90};

Qt::Alignment Alignment(int column) {
    if (column == 3) return Qt::AlignLeft;
    if (column >= 2) return Qt::AlignRight;
    return Qt::AlignHCenter;
}

// Number, X, Y and Z are number columns.
bool IsNumberColumn(int column) { return column == 2 || column >= 4; }

coords::PointField FieldOf(int column) { return static_cast<coords::PointField>(column - 1); }

QString RowText(int row) { return QString::number(row); }

}  // namespace

frmSIMEDIT::frmSIMEDIT(SimaEditContext context, platform::Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      context_(std::move(context)),
      prompt_(prompt),
      sheet_(context_.fileMode && (context_.dataFile.isEmpty() || context_.lines.isEmpty()) ? coords::NewSimaLines()
                                                                                            : context_.lines) {
    setObjectName(QStringLiteral("frmSIMEDIT"));
    setWindowTitle(QStringLiteral("転送座標の選択・編集"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* tickHint = new QLabel(QStringLiteral("選択する座標のﾁｪｯｸ"), this);
    tickHint->setObjectName(QStringLiteral("COMENT1"));
    auto* menuHint = new QLabel(QStringLiteral("↑ 左ｸﾘｯｸ後\n   右ｸﾘｯｸ"), this);
    menuHint->setObjectName(QStringLiteral("COMENT2"));
    auto* countLabel = new QLabel(QStringLiteral("選択数"), this);
    count_ = new QLineEdit(this);
    count_->setObjectName(QStringLiteral("Text3"));
    count_->setReadOnly(true);
    count_->setAlignment(Qt::AlignRight);
    count_->setMaximumWidth(70);
    top->addWidget(tickHint);
    top->addStretch(1);
    top->addWidget(countLabel);
    top->addWidget(count_);
    layout->addLayout(top);
    BuildGrid();
    layout->addWidget(grid_, 1);
    layout->addWidget(menuHint);
    layout->addLayout(BuildButtons());
    BuildMenu();
    save_->setVisible(context_.fileMode);
    Fill();
    resize(640, 480);
}

void frmSIMEDIT::BuildGrid() {
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("Fg1"));
    platform::SetGridHeads(grid_, kHeads);
    for (int column = 0; column < kColumns; ++column) grid_->setColumnWidth(column, kWidths[column]);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->installEventFilter(this);
    cellEditor_ = new QLineEdit(grid_->viewport());
    cellEditor_->setObjectName(QStringLiteral("Text1"));
    cellEditor_->hide();
    cellEditor_->installEventFilter(this);
    connect(grid_, &QTableWidget::cellClicked, this, &frmSIMEDIT::CellClicked);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column >= 2) StartEdit(grid_->item(row, column) ? grid_->item(row, column)->text() : QString());
    });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] { CommitEdit(); });
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(grid_->viewport()->mapToGlobal(at)); });
}

QHBoxLayout* frmSIMEDIT::BuildButtons() {
    auto* row = new QHBoxLayout;
    auto* insert = notebook_ui::NamedButton(QStringLiteral("LINEINS"), QStringLiteral("行挿入"), this);
    auto* remove = notebook_ui::NamedButton(QStringLiteral("LINEDEL"), QStringLiteral("行削除"), this);
    auto* all = notebook_ui::NamedButton(QStringLiteral("SelectAllOn"), QStringLiteral("全点選択"), this);
    auto* none = notebook_ui::NamedButton(QStringLiteral("SelectAllOf"), QStringLiteral("全点解除"), this);
    save_ = notebook_ui::NamedButton(QStringLiteral("SIMDATASAVE"), QStringLiteral("登 録"), this);
    auto* finish = notebook_ui::NamedButton(QStringLiteral("SIMDATASEND"), QStringLiteral("終 了"), this);
    for (QPushButton* b : {insert, remove, all, none}) row->addWidget(b);
    row->addStretch(1);
    row->addWidget(save_);
    row->addWidget(finish);
    connect(insert, &QPushButton::clicked, this, &frmSIMEDIT::InsertRows);
    connect(remove, &QPushButton::clicked, this, &frmSIMEDIT::DeleteRows);
    connect(all, &QPushButton::clicked, this, [this] { TickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { TickAll(false); });
    connect(save_, &QPushButton::clicked, this, &frmSIMEDIT::Save);
    connect(finish, &QPushButton::clicked, this, &frmSIMEDIT::Finish);
    return row;
}

void frmSIMEDIT::BuildMenu() {
    menu_ = new QMenu(QStringLiteral("データ編集"), this);
    menu_->setObjectName(QStringLiteral("MenuDataEdit"));
    const auto item = [this](const char* name, const QString& text, void (frmSIMEDIT::*slot)()) {
        QAction* action = menu_->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        if (slot) connect(action, &QAction::triggered, this, slot);
        return action;
    };
    rowActions_ << item("MenuDataCut", QStringLiteral("切り取り"), &frmSIMEDIT::CutRows)
                << item("MenuDataCopy", QStringLiteral("ｺﾋﾟｰ"), &frmSIMEDIT::CopyRows);
    paste_ = item("MenuDataPast", QStringLiteral("貼り付け"), &frmSIMEDIT::PasteRows);
    paste_->setEnabled(false);
    rowActions_ << item("MenuDataDel", QStringLiteral("行削除"), &frmSIMEDIT::DeleteRows);
    item("MenuDataIns", QStringLiteral("行挿入"), &frmSIMEDIT::InsertRows);
    item("MenuDataCancel", QStringLiteral("キャンセル"), nullptr);
}

void frmSIMEDIT::Fill() {
    grid_->setRowCount(sheet_.RowCount());
    for (int row = 0; row < sheet_.RowCount(); ++row) {
        const coords::SimaPoint p = sheet_.Row(row);
        const QStringList cells{RowText(row + 1), sheet_.Ticked(row) ? coords::kTick : QString(), p.number, p.name, p.x, p.y, p.z};
        for (int column = 0; column < kColumns; ++column)
            grid_->setItem(row, column, notebook_ui::GridCell(cells[column], Alignment(column)));
    }
    for (QAction* action : rowActions_) action->setEnabled(sheet_.RowCount() > 0);
    ShowCount();
}

void frmSIMEDIT::ShowCount() { count_->setText(QString::number(sheet_.SelectedCount())); }

void frmSIMEDIT::CellClicked(int row, int column) {
    if (column != 1) return;
    sheet_.SetTicked(row, !sheet_.Ticked(row));
    grid_->item(row, 1)->setText(sheet_.Ticked(row) ? coords::kTick : QString());
    ShowCount();
}

void frmSIMEDIT::TickAll(bool on) {
    sheet_.SetAllTicked(on);
    Fill();
}

void frmSIMEDIT::StartEdit(const QString& initial) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (row < 0 || column < 2) return;
    editRow_ = row;
    editColumn_ = column;
    cellEditor_->setGeometry(grid_->visualRect(grid_->model()->index(row, column)));
    cellEditor_->setAlignment(Alignment(column));
    cellEditor_->setText(initial);
    cellEditor_->show();
    cellEditor_->setFocus();
    cellEditor_->end(false);
}

void frmSIMEDIT::CommitEdit() {
    if (editRow_ < 0) return;
    const int row = editRow_;
    const int column = editColumn_;
    editRow_ = editColumn_ = -1;
    cellEditor_->hide();
    // A text that would split the point line leaves the cell as it was.
    if (sheet_.Commit(row, FieldOf(column), cellEditor_->text()))
        grid_->item(row, column)->setText(cellEditor_->text().trimmed());
    else
        prompt_.Beep();
    grid_->setFocus();
}

void frmSIMEDIT::CancelEdit() {
    editRow_ = editColumn_ = -1;
    cellEditor_->hide();
    grid_->setFocus();
}

// Enter commits and moves right, then to the tick column of the next row; Up and Down
// commit and move a row; Escape drops the edit.
bool frmSIMEDIT::EditorKey(QKeyEvent* key) {
    const int row = editRow_;
    const int column = editColumn_;
    const platform::CellEditorKey action = platform::ClassifyEditorKey(*key, IsNumberColumn(column));
    switch (action) {
        case platform::CellEditorKey::CommitRight:
            CommitEdit();
            if (column < kColumns - 1)
                grid_->setCurrentCell(row, column + 1);
            else if (row + 1 < sheet_.RowCount())
                grid_->setCurrentCell(row + 1, 1);
            return true;
        case platform::CellEditorKey::CommitUp:
        case platform::CellEditorKey::CommitDown: {
            CommitEdit();
            const int to = row + (action == platform::CellEditorKey::CommitUp ? -1 : 1);
            if (to >= 0 && to < sheet_.RowCount()) grid_->setCurrentCell(to, column);
            return true;
        }
        case platform::CellEditorKey::Cancel:
            CancelEdit();
            return true;
        case platform::CellEditorKey::Refuse: return true;
        case platform::CellEditorKey::Type: return key->text() == u",";  // it would split the line
    }
    return false;
}

// A printable key on a cell opens the editor with that character.
bool frmSIMEDIT::GridKey(QKeyEvent* key) {
    const int column = grid_->currentColumn();
    const std::optional<QString> text = platform::TypedOnCell(*key);
    if (column < 2 || !text) return false;
    if (*text != u"," && (!IsNumberColumn(column) || !platform::RefusedInNumberColumn(*text))) StartEdit(*text);
    return true;
}

bool frmSIMEDIT::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == cellEditor_) return EditorKey(key);
        if (watched == grid_) return GridKey(key);
    }
    if (event->type() == QEvent::FocusOut && watched == cellEditor_ && cellEditor_->isVisible()) CommitEdit();
    return QDialog::eventFilter(watched, event);
}

// The selected block of rows, from the current row to the end of the selection.
bool frmSIMEDIT::SelectedRows(int& first, int& last) const {
    const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
    if (ranges.isEmpty() || sheet_.RowCount() == 0) return false;
    first = ranges.constFirst().topRow();
    last = ranges.constFirst().bottomRow();
    return first >= 0;
}

void frmSIMEDIT::DeleteRows() {
    CommitEdit();
    int first = 0;
    int last = 0;
    if (!SelectedRows(first, last)) {
        prompt_.Show(QStringLiteral("削除する行Noを選択してください。"), QStringLiteral("行削除の確認"),
                     platform::PromptIcon::Critical);
        return;
    }
    const QString rows = first == last ? RowText(first + 1) : RowText(first + 1) + QStringLiteral("～") + RowText(last + 1);
    if (prompt_.Message(QStringLiteral("No ") + rows + QStringLiteral(" の行を削除します。\nよろしいですか？"),
                        QStringLiteral("削除の確認"), platform::PromptIcon::Exclamation,
                        platform::PromptButtons::YesNo) != platform::PromptAnswer::Yes)
        return;
    sheet_.DeleteRows(first, last);
    grid_->clearSelection();
    Fill();
}

// In front of the selected row, as many rows as are selected; a grid without rows takes
// one at its end.
void frmSIMEDIT::InsertRows() {
    CommitEdit();
    int first = 0;
    int last = 0;
    if (sheet_.RowCount() == 0) {
        sheet_.InsertRows(0, 1);
    } else if (SelectedRows(first, last)) {
        sheet_.InsertRows(first, last - first + 1);
    } else {
        prompt_.Show(QStringLiteral("追加する行Noを選択してください。"), kConfirm, platform::PromptIcon::Critical);
        return;
    }
    Fill();
}

void frmSIMEDIT::CopyRows() {
    int first = 0;
    int last = 0;
    if (!SelectedRows(first, last)) return;
    QApplication::clipboard()->setText(sheet_.CopyText(first, last));
    paste_->setEnabled(true);
}

void frmSIMEDIT::CutRows() {
    CopyRows();
    DeleteRows();
}

void frmSIMEDIT::PasteRows() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) {
        prompt_.Show(QStringLiteral("クリップボード上にデータがありません。\n[OK] ボタンを押してください。"),
                     QStringLiteral("貼り付けエラー"), platform::PromptIcon::None);
        return;
    }
    int first = 0;
    int last = 0;
    if (sheet_.RowCount() > 0 && !SelectedRows(first, last)) {
        prompt_.Show(QStringLiteral("追加する行Noを選択してください。"), kConfirm, platform::PromptIcon::Critical);
        return;
    }
    if (sheet_.Paste(first, text) < 0)
        prompt_.Show(QStringLiteral("貼り付けるデータに「,」があります。\n[OK] ボタンを押してください。"),
                     QStringLiteral("貼り付けエラー"), platform::PromptIcon::None);
    Fill();
}

void frmSIMEDIT::Save() {
    CommitEdit();
    if (!sheet_.Changed()) {
        prompt_.Show(QStringLiteral("データに変更はありません。\n") + kPressAKey, kConfirm, platform::PromptIcon::None);
        return;
    }
    if (prompt_.Message(QStringLiteral("編集したデータを登録しますか？"), QString(), platform::PromptIcon::Question,
                        platform::PromptButtons::YesNo) != platform::PromptAnswer::Yes)
        return;
    if (context_.dataFile.isEmpty()) {
        platform::FileDialogRequest request;
        request.initialFolder = context_.transfer.dataFolder;
        request.filter = QStringLiteral("SIMAﾌｧｲﾙ (*.sim)|*.sim|すべてのﾌｧｲﾙ (*.*)|*.*|");
        const platform::FileDialogResult chosen = prompt_.SaveFile(request);
        if (chosen.status == platform::DialogStatus::Failed)
            prompt_.Show(QStringLiteral("エラーです。\n") + kPressAKey, kConfirm, platform::PromptIcon::Critical);
        if (chosen.status != platform::DialogStatus::Chosen) return;
        context_.dataFile = chosen.path;
    }
    try {
        coords::WriteSimaFile(context_.dataFile, {sheet_.Lines()});
        sheet_.MarkSaved();
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), kConfirm, platform::PromptIcon::Critical);
    }
}

// The ticked points go to the transfer; then the form closes, ticks cleared.
void frmSIMEDIT::Finish() {
    CommitEdit();
    finished_ = true;
    coords::TransferPoints(prompt_, context_.transfer, sheet_.TickedPoints());
    sheet_.SetAllTicked(false);
    QDialog::reject();
}

void frmSIMEDIT::reject() {
    if (finished_) return QDialog::reject();
    Finish();
}

SimaEditContext EditSimaPoints(QWidget* parent, SimaEditContext context) {
    frmSIMEDIT form(context, platform::ActivePrompt(), parent);
    form.exec();
    context.lines = form.Sheet().Lines();
    context.dataFile = form.DataFile();
    return context;
}

}  // namespace coords_ui
