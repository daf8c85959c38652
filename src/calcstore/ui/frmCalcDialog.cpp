#include "calcstore/ui/frmCalcDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calcstore/CalcDialogSettings.h"
#include "calcstore/CalcMessages.h"
#include "calcstore/ui/CalcEntryList.h"
#include "calcstore/ui/FolderPathBox.h"
#include "platform/DbError.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"

namespace calcstore_ui {
namespace {

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

frmCalcDialog::frmCalcDialog(CalcDialogDistrict district, platform::Prompt& prompt,
                             platform::SettingsStore& store, QWidget* parent)
    : QDialog(parent),
      district_(std::move(district)),
      prompt_(prompt),
      store_(store),
      folders_(district_.databasePath, prompt) {
    setObjectName(QStringLiteral("frmCalcDialog"));
    setWindowTitle(QStringLiteral("名称設定"));
    BuildControls();
    resize(520, 360);
}

void frmCalcDialog::BuildControls() {
    auto* place = new QLabel(QStringLiteral("登録位置"), this);
    place->setObjectName(QStringLiteral("lbl1"));
    path_ = new FolderPathBox(this);
    path_->setObjectName(QStringLiteral("IcTree"));
    // Room for a district name and a folder a few levels down.
    path_->setMinimumContentsLength(16);
    path_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    QPushButton* up = Button("btnUp", QStringLiteral("1つ上のﾌｫﾙﾀﾞへ"), this);
    QPushButton* make = Button("btnNew", QStringLiteral("新しいﾌｫﾙﾀﾞの作成"), this);
    QPushButton* asList = Button("btnList", QStringLiteral("一覧"), this);
    asList->setToolTip(QStringLiteral("一覧表示"));
    QPushButton* asDetail = Button("btnReport", QStringLiteral("詳細"), this);
    asDetail->setToolTip(QStringLiteral("詳細表示"));
    auto* top = new QHBoxLayout;
    top->addWidget(place);
    top->addWidget(path_, 1);
    for (QPushButton* button : {up, make, asList, asDetail}) top->addWidget(button);

    list_ = new CalcEntryList(this);
    list_->setObjectName(QStringLiteral("Lv"));

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txtName"));
    QPushButton* save = Button("btnSave", QStringLiteral("登録"), this);
    save->setDefault(true);  // Enter in the name confirms it
    QPushButton* cancel = Button("btnCancel", QStringLiteral("ｷｬﾝｾﾙ"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(name_, 1);
    bottom->addWidget(save);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);

    connect(path_, &QComboBox::activated, this, [this](int index) {
        folderId_ = path_->FolderAt(index);
        ListFolder();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (CalcEntryList::IsFolder(item)) EnterFolder(CalcEntryList::IdOf(item));
    });
    list_->SetRenamer([this](qint32 id, const QString& typed) { return RenameFolder(id, typed); });
    list_->SetCalculationEditRefused([this] {
        prompt_.Show(QStringLiteral("計算処理の名称を変更する場合は、計算管理ウィンドウで変更して"
                                    "ください。"),
                     QStringLiteral("確認"), platform::PromptIcon::Exclamation);
    });
    connect(up, &QPushButton::clicked, this, [this] { GoUp(); });
    connect(make, &QPushButton::clicked, this, [this] { NewFolder(); });
    connect(asList, &QPushButton::clicked, this,
            [this] { list_->SetViewStyle(calcstore::kListStyle); });
    connect(asDetail, &QPushButton::clicked, this,
            [this] { list_->SetViewStyle(calcstore::kDetailStyle); });
    connect(save, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cancel, &QPushButton::clicked, this, &frmCalcDialog::reject);
}

void frmCalcDialog::showEvent(QShowEvent* event) {
    if (!loaded_) Load();
    QDialog::showEvent(event);
}

// Opens where the user left the dialog in this district, unless the caller chose a folder.
void frmCalcDialog::Load() {
    loaded_ = true;
    const calcstore::CalcDialogPlace place =
        calcstore::ReadCalcDialogPlace(store_, district_.regionName);
    if (folderId_ == -1) folderId_ = place.folderId;
    list_->SetViewStyle(place.viewStyle);
    name_->setText(entryName_);
    ShowPath();
    ListFolder();
}

// A folder whose chain no longer holds (it or a folder above it went) gives way to the root.
void frmCalcDialog::ShowPath() {
    calcstore::FolderPath path;
    try {
        path = folders_.PathTo(folderId_);
    } catch (const platform::DbError& e) {
        calcstore::ShowCalcError(prompt_, e.Description());
    }
    folderId_ = path.folderId;
    path_->Show(district_.regionName, path);
}

void frmCalcDialog::ListFolder() {
    std::vector<calcstore::CalcEntry> entries;
    try {
        entries = folders_.Entries(folderId_);
    } catch (const platform::DbError& e) {
        calcstore::ShowCalcError(prompt_, e.Description());
    }
    list_->Show(entries);
}

void frmCalcDialog::EnterFolder(qint32 id) {
    folderId_ = id;
    ShowPath();
    ListFolder();
}

// The root has no row, so there is nothing above it.
void frmCalcDialog::GoUp() {
    std::optional<qint32> parent;
    try {
        parent = folders_.ParentOf(folderId_);
    } catch (const platform::DbError& e) {
        calcstore::ShowCalcError(prompt_, e.Description());
        return;
    }
    if (!parent) {
        prompt_.Beep();
        return;
    }
    EnterFolder(*parent);
}

// The new folder is selected with its label open, for the user to type its name.
void frmCalcDialog::NewFolder() {
    const qint32 id = folders_.CreateFolder(folderId_);
    if (id == 0) return;
    ShowPath();
    ListFolder();
    list_->setFocus();
    if (QListWidgetItem* item = list_->FolderItem(id)) {
        list_->setCurrentItem(item);
        list_->editItem(item);
    }
}

std::optional<QString> frmCalcDialog::RenameFolder(qint32 id, const QString& typed) {
    const std::optional<QString> stored = folders_.RenameFolder(id, typed);
    if (!stored) return std::nullopt;
    ShowPath();  // the combo may show the folder too
    emit RefreshRegion(district_.regionId);
    return stored;
}

void frmCalcDialog::Confirm() {
    const std::optional<QString> name = folders_.ConfirmEntryName(folderId_, name_->text());
    if (!name) return;
    entryName_ = *name;
    accept();
}

void frmCalcDialog::reject() {
    entryName_.clear();
    QDialog::reject();
}

void frmCalcDialog::done(int result) {
    if (loaded_) SavePlace();
    QDialog::done(result);
}

// The place is a convenience: a store that cannot be written is told, and the dialog closes.
void frmCalcDialog::SavePlace() {
    try {
        calcstore::SaveCalcDialogPlace(store_, district_.regionName,
                                       {folderId_, list_->ViewStyle()});
    } catch (const platform::FileError& e) {
        prompt_.Show(e.Told(), QString(), platform::PromptIcon::Exclamation);
    }
}

}  // namespace calcstore_ui
