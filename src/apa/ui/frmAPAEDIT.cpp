#include "apa/ui/frmAPAEDIT.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

#include "apa/ObservationCode.h"
#include "host/state/ProcessValues.h"
#include "host/state/SharedMessages.h"
#include "platform/ui/CellEditorKeys.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/GridHeads.h"

namespace apa {
namespace {

const QString kSaveFilter = QStringLiteral("vuvﾌｧｲﾙ (*.APA)|*.APA|すべてのﾌｧｲﾙ (*.*)|*.*|");
const QString kCannotSave = QStringLiteral("観測データを保存できません。");
const QString kSaveElsewhere = QStringLiteral("別の名前で保存しますか？");

// The grid's heads, and widths that fit what its columns hold.
void SetUpColumns(QTableWidget* grid) {
    platform::SetGridHeads(grid, GridHeaderFormat());
    // Wide enough for "359.5959" and "12345.678" and twelve-character names.
    grid->setColumnWidth(0, 44);
    for (int column = 1; column < kGridColumns; ++column)
        grid->setColumnWidth(column, column == 1 || column == 8 ? 120 : column >= 4 ? 88 : 68);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setDefaultSectionSize(22);
}

Qt::Alignment CellAlignment(int column) {
    if (column == 0) return Qt::AlignCenter;
    return IsNumberColumn(column) ? Qt::AlignRight | Qt::AlignVCenter
                                  : Qt::AlignLeft | Qt::AlignVCenter;
}

// No default button: Enter belongs to the boxes and the cell editor, never to 先頭 or 終了.
QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// A row number as the delete question shows it, with a leading blank where a sign would go.
QString RowText(int row) {
    return u' ' + QString::number(row);
}

}  // namespace

frmAPAEDIT::frmAPAEDIT(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAPAEDIT"));
    setWindowTitle(QStringLiteral("観測手簿の編集・確認"));
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 10));
    auto* layout = new QVBoxLayout(this);

    auto* title = new QLabel(QStringLiteral("観    測    手    簿"), this);
    title->setObjectName(QStringLiteral("COMENT1"));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(QFont(QStringLiteral("ＭＳ 明朝"), 16));
    layout->addWidget(title);

    auto* header = new QGridLayout;
    BuildHeader(this, header);
    layout->addLayout(header);

    auto* navigation = new QHBoxLayout;
    auto* rows = new QHBoxLayout;
    BuildButtons(navigation, rows);
    layout->addLayout(navigation);

    BuildGrid();
    layout->addWidget(grid_, 1);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("COMENT"));
    hint_->setMinimumHeight(22);
    auto* note = new QLabel(QStringLiteral("↑ 左ｸﾘｯｸ後\n   右ｸﾘｯｸ"), this);
    note->setObjectName(QStringLiteral("COMENT2"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note);
    bottom->addWidget(hint_, 1);
    bottom->addLayout(rows);
    layout->addLayout(bottom);
    BuildMenu();
    resize(900, 620);

    const host::ProcessValues& values = host::Process();
    loaded_ = values.LoadStatus == 0;
    if (!loaded_) {
        grid_->setEnabled(false);
        for (QLineEdit* box : boxes_) box->setEnabled(false);
        return;
    }
    editor_.Open(values.DataLines.mid(1), values.DataFile);
    paste_->setEnabled(false);
    ShowStation();
}

// The boxes report their last focus loss while the dialog takes them down: by then the
// editor they would write to is gone.
frmAPAEDIT::~frmAPAEDIT() {
    for (QLineEdit* box : boxes_) {
        box->disconnect(this);
        box->removeEventFilter(this);
    }
    cellEditor_->removeEventFilter(this);
}

void frmAPAEDIT::BuildHeader(QWidget* parent, QGridLayout* layout) {
    for (int i = 0; i < kHeaderBoxCount; ++i) {
        auto* label = new platform::ClickLabel(QString::fromUtf16(HeaderBoxes()[i].label), parent);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        auto* box = new QLineEdit(parent);
        box->setObjectName(QStringLiteral("Text2_%1").arg(i));
        box->setValidator(new QRegularExpressionValidator(TypeableText(), box));
        box->installEventFilter(this);
        boxes_[i] = box;
        layout->addWidget(label, i / 5, (i % 5) * 2);
        layout->addWidget(box, i / 5, (i % 5) * 2 + 1);
        const auto hint = [this, i] { ShowHint(HeaderHint(i, boxes_[2]->text().trimmed())); };
        connect(label, &platform::ClickLabel::clicked, this, hint);
        connect(box, &QLineEdit::returnPressed, this, [this, i] {
            QLineEdit* next = boxes_[(i + 1) % kHeaderBoxCount];
            next->setFocus();
            ShowHint(HeaderHint((i + 1) % kHeaderBoxCount, boxes_[2]->text().trimmed()));
        });
        connect(box, &QLineEdit::editingFinished, this, [this, i] { CommitBox(i); });
    }
}

void frmAPAEDIT::BuildGrid() {
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("Fg1"));
    SetUpColumns(grid_);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
    cellEditor_ = new QLineEdit(grid_->viewport());
    cellEditor_->setObjectName(QStringLiteral("Text1"));
    cellEditor_->setValidator(new QRegularExpressionValidator(TypeableText(), cellEditor_));
    cellEditor_->hide();
    cellEditor_->installEventFilter(this);
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { CurrentCellChanged(row, column); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this,
            [this] { StartEdit(grid_->currentItem() ? grid_->currentItem()->text() : QString()); });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == 0)
            grid_->setRangeSelected(QTableWidgetSelectionRange(row, 1, row, kGridColumns - 1),
                                    true);
    });
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(grid_->viewport()->mapToGlobal(at)); });
}

void frmAPAEDIT::BuildButtons(QHBoxLayout* navigation, QHBoxLayout* rows) {
    const struct {
        const char* name;
        const char16_t* caption;
    } buttons[] = {
        {"DATATOP", u"先頭"}, {"DATABACK", u"前へ"},    {"DATANEXT", u"次へ"},
        {"DATAEND", u"最終"}, {"DATAINS", u"測点追加"},
    };
    QPushButton* made[5];
    for (int i = 0; i < 5; ++i) {
        made[i] = Button(this, buttons[i].name, QString::fromUtf16(buttons[i].caption));
        navigation->addWidget(made[i]);
    }
    navigation->addStretch();
    const auto navigate = [this](auto move) {
        return [this, move] {
            CommitEdit();
            if (loaded_) move();
            ShowStation();
        };
    };
    connect(made[0], &QPushButton::clicked, this, navigate([this] { editor_.ShowFirst(); }));
    connect(made[1], &QPushButton::clicked, this, navigate([this] { editor_.ShowPrevious(); }));
    connect(made[2], &QPushButton::clicked, this, navigate([this] { editor_.ShowNext(); }));
    connect(made[3], &QPushButton::clicked, this, navigate([this] { editor_.ShowLast(); }));
    connect(made[4], &QPushButton::clicked, this, navigate([this] { editor_.AddStation(); }));

    QPushButton* insert = Button(this, "LINEINS", QStringLiteral("行挿入"));
    QPushButton* remove = Button(this, "LINEDEL", QStringLiteral("行削除"));
    QPushButton* save = Button(this, "APADATASAVE", QStringLiteral("終 了"));
    rows->addWidget(insert);
    rows->addWidget(remove);
    rows->addWidget(save);
    connect(insert, &QPushButton::clicked, this, &frmAPAEDIT::InsertRows);
    connect(remove, &QPushButton::clicked, this, &frmAPAEDIT::DeleteRows);
    connect(save, &QPushButton::clicked, this, [this] {
        if (FinishEditing()) accept();
    });
}

void frmAPAEDIT::BuildMenu() {
    menu_ = new QMenu(QStringLiteral("データ編集"), this);
    menu_->setObjectName(QStringLiteral("MenuDataEdit"));
    const auto add = [this](const char* name, const QString& caption, void (frmAPAEDIT::*slot)()) {
        QAction* action = menu_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    cut_ = add("MenuDataCut", QStringLiteral("切り取り"), &frmAPAEDIT::CutRows);
    copy_ = add("MenuDataCopy", QStringLiteral("ｺﾋﾟｰ"), &frmAPAEDIT::CopyRows);
    paste_ = add("MenuDataPast", QStringLiteral("貼り付け"), &frmAPAEDIT::PasteRows);
    delete_ = add("MenuDataDel", QStringLiteral("行の削除"), &frmAPAEDIT::DeleteRows);
    insert_ = add("MenuDataIns", QStringLiteral("行の挿入"), &frmAPAEDIT::InsertRows);
    add("MenuDataCancel", QStringLiteral("ｷｬﾝｾﾙ"), &frmAPAEDIT::SelectCurrentCellOnly);
}

void frmAPAEDIT::ShowStation() {
    for (int i = 0; i < kHeaderBoxCount; ++i) boxes_[i]->setText(editor_.Box(i));
    const QSignalBlocker blocker(grid_);
    grid_->clearContents();
    grid_->setRowCount(editor_.RowCount());
    for (int row = 0; row < editor_.RowCount(); ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            auto* item = new QTableWidgetItem(editor_.Cell(row, column));
            item->setTextAlignment(CellAlignment(column));
            grid_->setItem(row, column, item);
        }
    }
    UpdateRowActions();
}

void frmAPAEDIT::UpdateRowActions() {
    const bool rows = editor_.RowCount() > 0;
    for (QAction* action : {delete_, cut_, copy_}) action->setEnabled(rows);
}

void frmAPAEDIT::ShowHint(const QString& hint) {
    hint_->setText(hint);
}

void frmAPAEDIT::CurrentCellChanged(int row, int column) {
    CommitEdit();
    if (row < 0 || column <= 0) {
        ShowHint(QString());
        return;
    }
    ShowHint(QString::fromUtf16(GridColumns()[column].hint));
}

void frmAPAEDIT::StartEdit(const QString& initial) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (!loaded_ || row < 0 || column < 1 || editor_.IsRemeasureRow(row)) return;
    editRow_ = row;
    editColumn_ = column;
    const QRect cell = grid_->visualRect(grid_->model()->index(row, column));
    cellEditor_->setGeometry(cell);
    const int maxLength = GridColumns()[column].maxLength;
    cellEditor_->setMaxLength(maxLength > 0 ? maxLength : 32767);  // QLineEdit's default
    cellEditor_->setText(initial);
    cellEditor_->setAlignment(CellAlignment(column));
    cellEditor_->show();
    cellEditor_->setFocus();
    cellEditor_->end(false);
}

// A refused text leaves the cell as it was. From the editor's own keys the editor stays
// open on it, so that the user can mend what was typed; anywhere else it is dropped.
bool frmAPAEDIT::CommitEdit(bool keepRefused) {
    if (editRow_ < 0) return true;
    const int row = editRow_;
    const int column = editColumn_;
    const QString typed = cellEditor_->text();
    const std::optional<QString> shown = editor_.CommitCell(row, column, typed);
    if (!shown) {
        Refuse(typed, QStringLiteral("は入力できません。"),
               QString::fromUtf16(GridColumns()[column].hint));
        if (keepRefused) return false;
    } else if (QTableWidgetItem* item = grid_->item(row, column)) {
        item->setText(shown->trimmed());
    }
    editRow_ = editColumn_ = -1;
    cellEditor_->hide();
    grid_->setFocus();
    return shown.has_value();
}

// A refused text gives way to what the field holds.
void frmAPAEDIT::CommitBox(int box) {
    const QString typed = boxes_[box]->text();
    if (!loaded_ || editor_.SetBox(box, typed)) return;
    boxes_[box]->setText(editor_.Box(box));
    Refuse(typed.trimmed(), QStringLiteral("は数ではありません。"),
           HeaderHint(box, boxes_[2]->text().trimmed()));
}

// The bell alone goes unnoticed on a machine without sound: the hint line says what was
// refused and what the field takes.
void frmAPAEDIT::Refuse(const QString& typed, const QString& why, const QString& hint) {
    platform::ActivePrompt().Beep();
    ShowHint(QStringLiteral("「") + typed + QStringLiteral("」") + why + u' ' + hint);
}

// Every close path decides on "modified" only after this: a box still being typed in has
// not reported its text yet.
void frmAPAEDIT::CommitBoxes() {
    for (int i = 0; i < kHeaderBoxCount; ++i)
        if (boxes_[i]->text() != editor_.Box(i)) CommitBox(i);
}

void frmAPAEDIT::CancelEdit() {
    editRow_ = editColumn_ = -1;
    cellEditor_->hide();
    grid_->setFocus();
}

void frmAPAEDIT::MoveTo(int row, int column) {
    if (editor_.RowCount() == 0) return;
    grid_->setCurrentCell(std::clamp(row, 0, editor_.RowCount() - 1), column);
}

// Enter commits and moves right (then to the next row, then back to the first); Up and
// Down commit and move within the rows; Escape drops the edit. Number columns take no
// character above "9".
bool frmAPAEDIT::EditorKey(QKeyEvent* key) {
    const int row = editRow_;
    const int column = editColumn_;
    switch (platform::ClassifyEditorKey(*key, IsNumberColumn(column))) {
        case platform::CellEditorKey::CommitRight:
            if (!CommitEdit(true)) return true;
            if (column < kGridColumns - 1)
                MoveTo(row, column + 1);
            else
                MoveTo(row + 1 < editor_.RowCount() ? row + 1 : 0, 1);
            return true;
        case platform::CellEditorKey::CommitUp:
        case platform::CellEditorKey::CommitDown:
            if (!CommitEdit(true)) return true;
            MoveTo(row + (key->key() == Qt::Key_Up ? -1 : 1), column);
            return true;
        case platform::CellEditorKey::Cancel:
            CancelEdit();
            return true;
        case platform::CellEditorKey::Refuse: return true;
        case platform::CellEditorKey::Type: return false;
    }
    return false;
}

bool frmAPAEDIT::GridKey(QKeyEvent* key) {
    const int column = grid_->currentColumn();
    const std::optional<QString> text = platform::TypedOnCell(*key);
    if (column < 1 || !text) return false;
    if (*text == QStringLiteral(" ")) {
        StartEdit(grid_->currentItem() ? grid_->currentItem()->text() : QString());
        return true;
    }
    if (IsNumberColumn(column) && platform::RefusedInNumberColumn(*text)) return true;
    if (TypeableText().match(*text).hasMatch()) StartEdit(*text);  // the editor's rule, first key too
    return true;
}

bool frmAPAEDIT::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == cellEditor_) return EditorKey(key);
        if (watched == grid_) return GridKey(key);
    }
    if (event->type() == QEvent::FocusIn) {
        for (int i = 0; i < kHeaderBoxCount; ++i)
            if (watched == boxes_[i]) ShowHint(HeaderHint(i, boxes_[2]->text().trimmed()));
    }
    if (event->type() == QEvent::FocusOut && watched == cellEditor_ && cellEditor_->isVisible())
        CommitEdit();
    return QDialog::eventFilter(watched, event);
}

// A valid selection spans columns 1 to the last, in whole rows.
bool frmAPAEDIT::ValidSelection(int& first, int& last) const {
    const QList<QTableWidgetSelectionRange> ranges = grid_->selectedRanges();
    if (ranges.size() != 1 || editor_.RowCount() == 0) return false;
    const QTableWidgetSelectionRange& r = ranges.constFirst();
    if (r.leftColumn() > 1 || r.rightColumn() != kGridColumns - 1 || r.topRow() < 0) return false;
    first = r.topRow();
    last = r.bottomRow();
    return true;
}

void frmAPAEDIT::DeleteRows() {
    CommitEdit();
    platform::Prompt& prompt = platform::ActivePrompt();
    int first = 0;
    int last = 0;
    if (!ValidSelection(first, last)) {
        prompt.Show(QStringLiteral("削除する行Noを選択してください。"),
                    QStringLiteral("行削除の確認"), platform::PromptIcon::Critical);
        return;
    }
    const QString rows = first == last
                             ? RowText(first + 1)
                             : RowText(first + 1) + QStringLiteral("～") + RowText(last + 1);
    const QString question =
        QStringLiteral("No ") + rows + QStringLiteral(" の行を削除します。\nよろしいですか？");
    if (prompt.Message(question, QStringLiteral("削除の確認"), platform::PromptIcon::Exclamation,
                       platform::PromptButtons::YesNo) != platform::PromptAnswer::Yes)
        return;
    editor_.DeleteRows(first, last);
    ShowStation();
    if (editor_.RowCount() > 0) grid_->setCurrentCell(std::min(first, editor_.RowCount() - 1), 1);
}

void frmAPAEDIT::InsertRows() {
    CommitEdit();
    int first = 0;
    int last = 0;
    // A station without rows has nothing to select: its first row is added at once.
    if (loaded_ && editor_.RowCount() == 0 && editor_.HasStation()) {
        editor_.InsertRows(0, 1);
        ShowStation();
        grid_->setCurrentCell(0, 1);
        return;
    }
    if (!ValidSelection(first, last)) {
        platform::ActivePrompt().Show(QStringLiteral("追加する行Noを選択してください。"),
                                      host::msg::kTitleConfirm, platform::PromptIcon::Critical);
        return;
    }
    editor_.InsertRows(first, last - first + 1);
    ShowStation();
    grid_->setCurrentCell(first, 1);
}

void frmAPAEDIT::CopyRows() {
    CommitEdit();
    int first = 0;
    int last = 0;
    if (!ValidSelection(first, last)) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(editor_.CopyRows(first, last));
    paste_->setEnabled(true);
}

void frmAPAEDIT::CutRows() {
    int first = 0;
    int last = 0;
    if (!ValidSelection(first, last)) return;
    CopyRows();
    editor_.DeleteRows(first, last);
    ShowStation();
}

void frmAPAEDIT::PasteRows() {
    CommitEdit();
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        platform::ActivePrompt().Show(
            QStringLiteral("クリップボード上にデータがありません。\n[OK] ボタンを押してください。"),
            QStringLiteral("貼り付けエラー"), platform::PromptIcon::Critical);
        return;
    }
    int first = 0;
    int last = 0;
    const int at = ValidSelection(first, last) ? first
                   : grid_->currentRow() >= 0  ? grid_->currentRow()
                                               : editor_.RowCount();
    editor_.PasteRows(at, text);
    ShowStation();
}

void frmAPAEDIT::SelectCurrentCellOnly() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    grid_->clearSelection();
    if (row >= 0 && column >= 0) grid_->setCurrentCell(row, column);
}

bool frmAPAEDIT::FinishEditing() {
    CommitEdit();
    CommitBoxes();
    host::ProcessValues& values = host::Process();
    if (!loaded_ || !editor_.Modified()) {
        values.ClearDataLines();
        return true;
    }
    const platform::PromptAnswer answer = platform::ActivePrompt().Message(
        QStringLiteral("編集したデータを登録しますか？"), QString(), platform::PromptIcon::Question,
        platform::PromptButtons::YesNoCancel);
    if (answer == platform::PromptAnswer::Cancel) return false;
    if (answer == platform::PromptAnswer::Yes && !Save()) return false;
    values.ClearDataLines();
    return true;
}

bool frmAPAEDIT::Save() {
    QString path = host::Process().DataFile;
    if (path.isEmpty() && !AskSavePath(path)) return false;
    for (;;) {
        try {
            WriteApaFile(path, editor_.SaveLines());
            break;
        } catch (const platform::FileError& e) {
            const QString text = kCannotSave + u'\n' + e.Reason() + u'\n' + path +
                                 QStringLiteral("\n\n") + kSaveElsewhere;
            if (platform::ActivePrompt().Message(
                    text, host::msg::kTitleConfirm, platform::PromptIcon::Exclamation,
                    platform::PromptButtons::YesNo) != platform::PromptAnswer::Yes ||
                !AskSavePath(path))
                return false;
        }
    }
    host::Process().DataFile = path;
    editor_.MarkSaved();
    return true;
}

bool frmAPAEDIT::AskSavePath(QString& path) {
    platform::Prompt& prompt = platform::ActivePrompt();
    platform::FileDialogRequest request;
    request.initialFolder = host::Process().DataPath;
    request.filter = kSaveFilter;
    const platform::FileDialogResult chosen = prompt.SaveFile(request);
    if (chosen.status == platform::DialogStatus::Failed)
        prompt.Show(host::msg::kDialogError, host::msg::kTitleConfirm,
                    platform::PromptIcon::Critical);
    if (chosen.status != platform::DialogStatus::Chosen) return false;
    path = chosen.path;
    return true;
}

void frmAPAEDIT::closeEvent(QCloseEvent* event) {
    if (result() == QDialog::Accepted || FinishEditing())
        event->accept();
    else
        event->ignore();
}

void frmAPAEDIT::reject() {
    if (FinishEditing()) QDialog::reject();
}

}  // namespace apa
