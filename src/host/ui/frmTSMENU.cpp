#include "host/ui/frmTSMENU.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "apa/ui/frmAPAEDIT.h"
#include "calcstore/clsConvert2.h"
#include "comm/ui/frmRSSEND.h"
#include "comm/ui/frmRSSET.h"
#include "convert/ui/ConvertCommand.h"
#include "coords/ui/frmSIMEDIT.h"
#include "host/MenuCommands.h"
#include "host/MenuMessages.h"
#include "host/MenuSettings.h"
#include "host/MenuStatus.h"
#include "host/NotebookCommand.h"
#include "host/OpenDataFile.h"
#include "host/state/ProcessValues.h"
#include "host/ui/frmDRVSET.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/ui/frmPRINT.h"
#include "platform/FileError.h"
#include "platform/Folders.h"
#include "platform/Prompt.h"
#include "platform/Settings.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "platform/ui/ClickLabel.h"
#include "traverse/ui/frmPRINTINP.h"

namespace host {
namespace {

struct Item {
    const char* control;
    const char16_t* caption;
};

// Button controls in item order; items 7 and 8 sit on TSMENU8 and TSMENU7.
const Item kItems[8] = {
    {"TSMENU1", u"１．観測デ－タの受信及びファイル登録 "},
    {"TSMENU2", u"２．観測デ－タファイルの確認・編集   "},
    {"TSMENU3", u"３．ＡＰＡフォ－マットへファイル出力 "},
    {"TSMENU4", u"４．観測手簿の編集（ＡＰＡ野帳形式） "},
    {"TSMENU5", u"５．観測手簿の印字出力（ＡＰＡより） "},
    {"TSMENU6", u"６．座標デ－タの送信（SIMAﾌｫｰﾏｯﾄ）  "},
    {"TSMENU8", u"７．座標デ－タの送信（地区より）     "},
    {"TSMENU7", u"８．      終    了                 "},
};

platform::ClickLabel* StatusLabel(const char* name, QWidget* parent) {
    auto* label = new platform::ClickLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(150);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QAction* NamedAction(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

}  // namespace

frmTSMENU::frmTSMENU(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmTSMENU"));
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 11));
    BuildControls();
    BuildMenus();
}

frmTSMENU::~frmTSMENU() = default;

void frmTSMENU::BuildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* status = new QGridLayout;
    formatLabel_ = StatusLabel("TCMSET", central);
    commLabel_ = StatusLabel("RSSETSET", central);
    folderLabel_ = StatusLabel("DRVSET", central);
    status->addWidget(new QLabel(QStringLiteral("データ形式"), central), 0, 0);
    status->addWidget(new QLabel(QStringLiteral("通信条件"), central), 0, 1);
    status->addWidget(new QLabel(QStringLiteral("登録ドライブ"), central), 0, 2);
    status->addWidget(formatLabel_, 1, 0);
    status->addWidget(commLabel_, 1, 1);
    status->addWidget(folderLabel_, 1, 2);
    layout->addLayout(status);

    for (int i = 0; i < 8; ++i) {
        buttons_[i] = new QPushButton(central);
        buttons_[i]->setObjectName(QString::fromLatin1(kItems[i].control));
        buttons_[i]->setMinimumHeight(36);
        // Left-aligned, the item numbers and titles line up down the column.
        buttons_[i]->setStyleSheet(QStringLiteral("text-align: left; padding-left: 24px;"));
        layout->addWidget(buttons_[i]);
    }
    setCentralWidget(central);

    connect(buttons_[0], &QPushButton::clicked, this, &frmTSMENU::ReceiveData);
    connect(buttons_[1], &QPushButton::clicked, this, &frmTSMENU::ShowEditMenu);
    connect(buttons_[2], &QPushButton::clicked, this, &frmTSMENU::ConvertData);
    connect(buttons_[3], &QPushButton::clicked, this, &frmTSMENU::EditNotebook);
    connect(buttons_[4], &QPushButton::clicked, this, &frmTSMENU::PrintNotebook);
    connect(buttons_[5], &QPushButton::clicked, this, &frmTSMENU::SendSimaFile);
    connect(buttons_[6], &QPushButton::clicked, this, &frmTSMENU::SendDistrict);
    connect(buttons_[7], &QPushButton::clicked, this, &frmTSMENU::EndProgram);
    connect(formatLabel_, &platform::ClickLabel::clicked, this, [this] {
        formatMenu_->popup(formatLabel_->mapToGlobal(formatLabel_->rect().bottomLeft()));
    });
    connect(commLabel_, &platform::ClickLabel::clicked, this, &frmTSMENU::ShowCommSettings);
    connect(folderLabel_, &platform::ClickLabel::clicked, this, &frmTSMENU::ShowDataFolderDialog);
}

void frmTSMENU::BuildMenus() {
    formatMenu_ = BuildFormatMenu();
    menuBar()->addMenu(formatMenu_);
    QAction* comm = menuBar()->addAction(QStringLiteral("・通信条件の設定 "));
    comm->setObjectName(QStringLiteral("RSSETMENU"));
    connect(comm, &QAction::triggered, this, &frmTSMENU::ShowCommSettings);
    QAction* folder = menuBar()->addAction(QStringLiteral("・登録ドライブの設定"));
    folder->setObjectName(QStringLiteral("DATADRVSET"));
    connect(folder, &QAction::triggered, this, &frmTSMENU::ShowDataFolderDialog);
    editMenu_ = BuildEditMenu();
}

QMenu* frmTSMENU::BuildFormatMenu() {
    auto* menu = new QMenu(QStringLiteral("・データ形式の設定  "), this);
    menu->setObjectName(QStringLiteral("TCMMENU"));
    for (const FormatChoice& choice : FormatChoices()) {
        connect(NamedAction(menu, choice.control, choice.caption), &QAction::triggered, this,
                [this, choice] { ChooseFormat(choice.tsType, choice.format); });
    }
    NamedAction(menu, QStringLiteral("TCMCANCEL"), QStringLiteral("キャンセル"));
    return menu;
}

QMenu* frmTSMENU::BuildEditMenu() {
    auto* menu = new QMenu(QStringLiteral("編集データ形式"), this);
    menu->setObjectName(QStringLiteral("HENSYUAPAETC"));
    connect(NamedAction(menu, QStringLiteral("HENSYUAPA"), QStringLiteral("APA標準フォーマット")),
            &QAction::triggered, this, [this] { EditData(QStringLiteral("APA")); });
    editOwn_ =
        NamedAction(menu, QStringLiteral("HENSYUETC"), QStringLiteral("設定各社フォーマット"));
    editAll_ = NamedAction(menu, QStringLiteral("HENSYUALL"), QStringLiteral("すべての形式"));
    for (QAction* action : {editOwn_, editAll_})
        connect(action, &QAction::triggered, this, [this] { EditData(Process().Format); });
    connect(NamedAction(menu, QStringLiteral("HENSYUNEW"), QStringLiteral("データ新規作成")),
            &QAction::triggered, this, [this] { EditData(QString()); });
    NamedAction(menu, QStringLiteral("HENSYUCANCEL"), QStringLiteral("キャンセル"));
    return menu;
}

bool frmTSMENU::Load() {
    // The program runs while its menu is open: the lock goes when the window closes.
    auto instance = std::make_unique<platform::SingleInstance>(QStringLiteral("trevanto"));
    if (!instance->Acquire()) {
        instance->RequestActivation();
        return false;
    }
    instance->SetActivationHandler([this] { BringForward(); });
    instance_ = std::move(instance);

    setWindowTitle(MenuTitle(Process().RegName));
    for (int i = 0; i < 8; ++i) buttons_[i]->setText(QString::fromUtf16(kItems[i].caption));
    QString work;
    try {
        work = platform::WorkFolder();
    } catch (const platform::FileError& e) {
        ShowFileError(e);
        work = e.Path();
    }
    try {
        LoadSettings(platform::SettingsStore::User(), Process(), work);
    } catch (const platform::FileError& e) {
        ShowFileError(e);  // the menu opens with the defaults all the same
    }
    EnsureDataFolder();  // so that every file dialog opens there
    RefreshStatus();
    commLabel_->setText(Process().RSset);
    ShowDataPath();
    return true;
}

void frmTSMENU::RefreshStatus() {
    const ProcessValues& values = Process();
    const MenuStatus status = ComputeMenuStatus(values.Format, values.TStype);
    formatLabel_->setText(status.formatLabel);
    editAll_->setEnabled(status.editAllEnabled);
    editOwn_->setEnabled(status.editOwnEnabled);
    commLabel_->setText(values.RSset);
    buttons_[2]->setEnabled(status.convertEnabled);
}

void frmTSMENU::ShowDataPath() {
    folderLabel_->setText(WrapDataPath(Process().DataPath));
    folderLabel_->setToolTip(Process().DataPath);  // a long folder does not fit the label
}

void frmTSMENU::ChooseFormat(const QString& tsType, const QString& format) {
    ProcessValues& values = Process();
    values.TStype = tsType;
    values.Format = format;
    try {
        SaveFormatSettings(platform::SettingsStore::User(), values);
    } catch (const platform::FileError& e) {
        ShowFileError(e);  // the choice holds for this session only
    }
    RefreshStatus();
}

void frmTSMENU::ShowFileError(const platform::FileError& error) {
    platform::ActivePrompt().Show(error.Explanation() + u'\n' + error.Path(), msg::kTitleConfirm,
                                  platform::PromptIcon::Critical);
}

bool frmTSMENU::EnsureDataFolder() {
    if (QDir().mkpath(Process().DataPath)) return true;
    ShowFileError(platform::FileError(Process().DataPath, msg::kNoDataFolder));
    return false;
}

void frmTSMENU::ShowDataFolderDialog() {
    frmDRVSET dialog(this);
    dialog.exec();
    ShowDataPath();
}

void frmTSMENU::ShowCommSettings() {
    ProcessValues& values = Process();
    if (const auto kept = comm_ui::EditCommSettings(this, {values.RSset, values.RSFuro, values.Format, values.TStype})) {
        values.RSset = kept->Text();
        values.RSFuro = kept->FlowText();
    }
    commLabel_->setText(values.RSset);
}

// The windows of the program are the menu's own (every form is owned by it); the host's
// windows in the same process are not ours to close. The innermost closes first.
void frmTSMENU::ProgramTerm() {
    const QList<QWidget*> owned = findChildren<QWidget*>();
    for (auto it = owned.crbegin(); it != owned.crend(); ++it) {
        QWidget* window = *it;
        if (window->isWindow() && window->isVisible()) window->close();
    }
}

void frmTSMENU::BringForward() {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

void frmTSMENU::CloseByProgram() {
    closingByProgram_ = true;
    close();
    closingByProgram_ = false;
}

void frmTSMENU::closeEvent(QCloseEvent* event) {
    if (!closingByProgram_) EndProgram();
    event->accept();
    instance_.reset();
}

void frmTSMENU::EndProgram() {
    if (Process().HandOff) Process().HandOff->ProgEnd();
}

void frmTSMENU::ReceiveData() {
    ProcessValues& values = Process();
    EnsureDataFolder();
    if (values.Format == QStringLiteral("APA") && values.TStype == QStringLiteral("FILE")) {
        CopyApaFileIntoDataFolder(platform::ActivePrompt(), values);
        return;
    }
    TransferForm(static_cast<int>(comm_ui::TransferMode::Receive), QString());
}

// The transfer form, which may change the line settings the menu shows.
void frmTSMENU::TransferForm(int mode, const QString& file) {
    ProcessValues& values = Process();
    comm_ui::frmRSSEND form({static_cast<comm_ui::TransferMode>(mode), values.Format, values.TStype, values.RSset,
                             values.RSFuro, values.DataPath, file},
                            platform::ActivePrompt(), platform::SettingsStore::User(), this);
    form.exec();
    values.RSset = form.Context().rsset;
    values.RSFuro = form.Context().rsfuro;
    commLabel_->setText(values.RSset);
    if (!form.ReceivedFile().isEmpty()) values.DataFile = form.ReceivedFile();
}

void frmTSMENU::SendFile(const QString& file) { TransferForm(static_cast<int>(comm_ui::TransferMode::Send), file); }

void frmTSMENU::ShowEditMenu() {
    editMenu_->popup(buttons_[1]->mapToGlobal(buttons_[1]->rect().center()));
}

void frmTSMENU::EditData(const QString& code) {
    try {
        EditDataFile(platform::ActivePrompt(), Process(), code, platform::WorkFolder());
    } catch (const platform::FileError& e) {
        ShowFileError(e);
    }
}

void frmTSMENU::ConvertData() {
    EnsureDataFolder();
    convert::ConvertDataFile(platform::ActivePrompt(), Process());
}

bool frmTSMENU::OpenOrStartNew(platform::Prompt& prompt, const QString& code) {
    if (OpenDataFile(prompt, Process(), code)) return true;
    if (prompt.Message(msg::kCreateNew, QString(), platform::PromptIcon::Question, platform::PromptButtons::YesNo) !=
        platform::PromptAnswer::Yes)
        return false;
    // New data: whatever a refused file left behind is not carried into the editor.
    Process().DataFile.clear();
    Process().ClearDataLines();
    Process().LoadStatus = 0;
    return true;
}

void frmTSMENU::EditNotebook() {
    if (!OpenOrStartNew(platform::ActivePrompt(), kCodeApaFieldBook)) return;
    apa::frmAPAEDIT editor(this);
    editor.exec();
}

void frmTSMENU::PrintNotebook() {
    platform::Prompt& prompt = platform::ActivePrompt();
    if (!OpenDataFile(prompt, Process(), kCodeApaFieldBook)) return;
    QString folder;
    try {
        folder = platform::WorkFolder();
        if (!MakeObservationNotebook(prompt, Process(), platform::SettingsStore::User(), folder)) return;
    } catch (const platform::FileError& e) {
        ShowFileError(e);  // the work folder cannot be made
        return;
    }
    notebook_ui::PrintContext context{folder, Process().DataBaseName, Process().RegName,
                                      StoredSurveyClass(platform::SettingsStore::User()), {}};
    if (calcstore::clsConvert2* handOff = Process().HandOff) {
        const traverse_ui::TraverseContext traverse{QDir(folder).filePath(notebook::kNotebookFileName),
                                                    Process().DataBaseName, QFileInfo(Process().DataFile).fileName()};
        context.createTraverse = [traverse, handOff](QWidget* parent) {
            traverse_ui::ShowTraverseForm(parent, traverse, *handOff);
        };
    }
    notebook_ui::ShowPrintForm(this, context);
}

void frmTSMENU::SendSimaFile() {
    platform::Prompt& prompt = platform::ActivePrompt();
    if (!CheckSendFormat(prompt, Process().Format)) return;
    if (!OpenOrStartNew(prompt, kCodeSima)) return;
    EditSimaPoints(true);
}

void frmTSMENU::SendDistrict() {
    platform::Prompt& prompt = platform::ActivePrompt();
    if (CheckSendFormat(prompt, Process().Format) && LoadDistrictCoordinates(prompt, Process())) EditSimaPoints(false);
}

// The editor works on the loaded lines and leaves them as it left them; the file it saved
// to becomes the current file.
void frmTSMENU::EditSimaPoints(bool fileMode) {
    ProcessValues& values = Process();
    coords_ui::SimaEditContext context;
    context.fileMode = fileMode;
    context.dataFile = fileMode ? values.DataFile : QString();
    context.lines = values.DataLines.mid(1, values.DataCount);
    context.transfer = {values.Format, values.TStype, values.DataPath, platform::WorkFolder(),
                        [this](const QString& file) { SendFile(file); }};
    const coords_ui::SimaEditContext after = coords_ui::EditSimaPoints(this, context);
    values.ClearDataLines();
    for (const QString& line : after.lines) values.AppendDataLine(line);
    if (fileMode) values.DataFile = after.dataFile;
}

}  // namespace host
