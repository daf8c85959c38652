#include "host/ui/frmDRVSET.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

#include "host/MenuCommands.h"
#include "host/state/ProcessValues.h"
#include "host/state/SharedMessages.h"
#include "platform/FileError.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"

namespace host {
namespace {

// The mounted volumes stand for the drives; the one holding the path is chosen.
QString VolumeOf(const QString& path) {
    const QStorageInfo info(QDir(path).exists() ? path : QDir::rootPath());
    return info.isValid() ? info.rootPath() : QDir::rootPath();
}

}  // namespace

frmDRVSET::frmDRVSET(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDRVSET"));
    setWindowTitle(QStringLiteral("データ登録ドライブの設定"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("データ登録ドライブとディレクトリを選択してください"), this), 0,
        0, 1, 2);

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    layout->addWidget(text_, 1, 0, 1, 2);

    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive1"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) drives_->addItem(volume.rootPath());
    layout->addWidget(drives_, 2, 0);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QDir::rootPath());
    folders_ = new QTreeView(this);
    folders_->setObjectName(QStringLiteral("Dir1"));
    folders_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);
    folders_->header()->hide();
    layout->addWidget(folders_, 3, 0);

    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("File1"));
    files_->setEnabled(false);
    layout->addWidget(files_, 2, 1, 2, 1);

    auto* buttons = new QHBoxLayout;
    auto* confirm = new QPushButton(QStringLiteral("確　定"), this);
    confirm->setObjectName(QStringLiteral("Command1"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 4, 0, 1, 2);
    resize(560, 360);

    const QString dataPath = Process().DataPath;
    text_->setText(dataPath);
    drives_->setCurrentIndex(drives_->findText(VolumeOf(dataPath)));
    if (QDir(dataPath).exists()) {
        ShowInTree(dataPath);
        ShowFolder(dataPath);
    }

    connect(model_, &QFileSystemModel::directoryLoaded, this, &frmDRVSET::FolderRead);
    connect(drives_, &QComboBox::currentTextChanged, this, &frmDRVSET::ShowDrive);
    connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                const QString folder = model_->filePath(index);
                text_->setText(folder);
                ShowFolder(folder);
            });
    connect(confirm, &QPushButton::clicked, this, &frmDRVSET::Confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmDRVSET::ShowDrive(const QString& root) {
    ShowInTree(root);
}

// The folder becomes the tree's current one with every folder above it opened. The model
// reads folders in the background: once the folder's own parent is read and sorted, the
// view scrolls to it again.
void frmDRVSET::ShowInTree(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    const QModelIndex index = model_->index(path);
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
        folders_->expand(above);
    folders_->setCurrentIndex(index);
    folders_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    awaited_ = QFileInfo(path).absolutePath();
    scrollTarget_ = path;
}

void frmDRVSET::FolderRead(const QString& folder) {
    if (QDir::cleanPath(folder) != awaited_) return;
    awaited_.clear();
    folders_->scrollTo(model_->index(scrollTarget_), QAbstractItemView::PositionAtCenter);
}

void frmDRVSET::ShowFolder(const QString& folder) {
    files_->clear();
    files_->addItems(QDir(folder).entryList(QDir::Files, QDir::Name));
}

// A folder that cannot be made (or kept) is reported, and the dialog stays for another.
void frmDRVSET::Confirm() {
    try {
        SetDataFolder(platform::SettingsStore::User(), Process(), text_->text());
    } catch (const platform::FileError& e) {
        platform::ActivePrompt().Show(e.Explanation() + u'\n' + e.Path(), msg::kTitleConfirm,
                                      platform::PromptIcon::Critical);
        return;
    }
    accept();
}

}  // namespace host
