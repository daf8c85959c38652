// The menu form driven by its control names: its defaults, the format menu, its items' files
// and dialogs, the data-folder dialog and a second start.

#include <QAction>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "host/HostFixture.h"
#include "host/MenuCommands.h"
#include "host/MenuSettings.h"
#include "host/MenuStatus.h"
#include "host/ui/frmTSMENU.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/Folders.h"

using host::Process;

class MenuFormTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        Process().RegName = QStringLiteral("東町");
    }
    // Opens the menu; stored settings, if any, must be in place before.
    host::frmTSMENU& Open() {
        menu_ = std::make_unique<host::frmTSMENU>();
        EXPECT_TRUE(menu_->Load());
        menu_->show();
        return *menu_;
    }
    template <typename T>
    T* Find(const char* name) {
        T* child = menu_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString Label(const char* name) { return Find<QLabel>(name)->text(); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    QByteArray StoredBytes() { return test::ReadBytes(Store().Path()); }

    std::unique_ptr<host::frmTSMENU> menu_;
};

// The data folder defaults to one in the work folder; its label wraps at sixteen characters
// and its tool tip holds the whole path. A store that cannot be written still gives the menu
// its defaults, and a format chosen then holds for the session: each time the user is told.
TEST_F(MenuFormTest, DefaultsHoldWhenTheStoreCannotBeWritten) {
    const QString blocker = DataFile(QStringLiteral("plain-file"), "x");
    platform::SettingsStore::SetUserStorePath(blocker + QStringLiteral("/Brandel.ini"));
    Open();
    const QString dataPath = platform::WorkFolder() + QStringLiteral("/TSDATA/");
    EXPECT_EQ(Label("TCMSET"), QStringLiteral(" SOKKIA･APA"));
    EXPECT_EQ(Label("RSSETSET"), QStringLiteral("9600,n,8,1,1"));
    EXPECT_EQ(Label("DRVSET"), dataPath.left(16) + u'\n' + dataPath.mid(16));
    EXPECT_EQ(Find<QLabel>("DRVSET")->toolTip(), dataPath);
    EXPECT_FALSE(Find<QPushButton>("TSMENU3")->isEnabled());
    EXPECT_FALSE(Find<QAction>("HENSYUETC")->isEnabled());
    EXPECT_FALSE(Find<QAction>("HENSYUALL")->isEnabled());

    Trigger("LEICAGSI");
    EXPECT_EQ(Label("TCMSET"), QStringLiteral(" LEICA･GSI"));
    ASSERT_EQ(Messages().size(), 2);
    for (const QString& message : Messages())
        EXPECT_TRUE(message.startsWith(QStringLiteral("設定を保存できません。"))) << message.toStdString();
    EXPECT_EQ(prompt_.Records().constLast().icon, platform::PromptIcon::Critical);
}

// One entry of each kind: raw-only formats, convertible ones, and "all".
TEST_F(MenuFormTest, FormatEntriesSetProcessStoreAndButtons) {
    const struct {
        const char* control;
        const char* tsType;
        const char* format;
        bool convert, editOwn, editAll;
    } entries[] = {
        {"TOPCONAPA", "TOPCON", "APA", false, false, false},
        {"NIKONDR2", "NIKON", "DR2", true, true, false},
        {"APANONACKNAK", "APA", "APA", false, false, false},
        {"TCMNON", "???", "*", true, false, true},
    };
    Open();
    for (const auto& e : entries) {
        Trigger(e.control);
        const QStringList chosen = {QString::fromLatin1(e.format), QString::fromLatin1(e.tsType)};
        EXPECT_EQ((QStringList{Process().Format, Process().TStype}), chosen) << e.control;
        EXPECT_EQ((QStringList{Store().Peek(u"Trevanto"_qs, u"Format"_qs), Store().Peek(u"Trevanto"_qs, u"TStype"_qs)}),
                  chosen) << e.control;
        EXPECT_EQ(Find<QPushButton>("TSMENU3")->isEnabled(), e.convert) << e.control;
        EXPECT_EQ(Find<QAction>("HENSYUETC")->isEnabled(), e.editOwn) << e.control;
        EXPECT_EQ(Find<QAction>("HENSYUALL")->isEnabled(), e.editAll) << e.control;
    }
}

TEST_F(MenuFormTest, CancelEntryChangesNothing) {
    Open();
    Trigger("TOPCONFC5");
    const QByteArray stored = StoredBytes();
    Trigger("TCMCANCEL");
    EXPECT_EQ(StoredBytes(), stored);
    EXPECT_EQ(Process().Format, QStringLiteral("FC5"));
    EXPECT_EQ(Label("TCMSET"), QStringLiteral(" TOPCON･FC5"));
}

TEST_F(MenuFormTest, CoordinateItemsRefuseFormatsWithoutUpload) {
    Open();
    for (const char* entry : {"NIKONDR2", "SOKKIA3PD", "TCMNON"})
        for (const char* item : {"TSMENU6", "TSMENU8"}) {
            prompt_.ClearRecords();
            Trigger(entry);
            Click(item);
            ASSERT_EQ(prompt_.Records().size(), 1) << entry << item;
            EXPECT_EQ(prompt_.Records().constFirst().text,
                      QStringLiteral("送信する デ－タ形式を 指定して下さい。\n何かキーを押してください。"));
        }
}

// Item 6 opens the SIMA editor on the chosen file, with saving; finishing without ticks
// just closes it, and the menu keeps the editor's lines.
TEST_F(MenuFormTest, ItemSixEditsTheChosenSimaFile) {
    Open();
    const QString sim = DataFile(QStringLiteral("site.sim"), "Z00,x,\r\nA00,\r\nA01,1,T1,1,2,,\r\nA01,2,T2,3,4,,\r\nA99,\r\nZ,\r\n");
    prompt_.ChooseFile(sim);
    test::WhenShown([](QWidget* editor) {
        EXPECT_EQ(editor->objectName(), QStringLiteral("frmSIMEDIT"));
        EXPECT_TRUE(test::Child<QPushButton>(editor, "SIMDATASAVE")->isVisible());
        EXPECT_EQ(test::Child<QTableWidget>(editor, "Fg1")->rowCount(), 2);
        test::Click(editor, "SelectAllOf");
        test::Click(editor, "SIMDATASEND");
    });
    Click("TSMENU6");
    EXPECT_EQ(Process().DataFile, sim);
    EXPECT_EQ(Process().DataCount, 6);
    EXPECT_EQ(Process().DataLines.value(3), QStringLiteral("A01,1,T1,1,2,,"));
}

TEST_F(MenuFormTest, NotebookEditorAsksToStartNewData) {
    Open();
    prompt_.CancelFile();
    prompt_.AnswerMessage(platform::PromptAnswer::No);
    Click("TSMENU4");
    const auto box = prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message);
    ASSERT_EQ(box.size(), 1);
    EXPECT_EQ(box[0].buttons, platform::PromptButtons::YesNo);
}

TEST_F(MenuFormTest, PopUpMenusOpenFromButtonAndLabel) {
    Open();
    Click("TSMENU2");
    EXPECT_TRUE(Find<QMenu>("HENSYUAPAETC")->isVisible());
    Find<QMenu>("HENSYUAPAETC")->hide();
    QTest::mouseClick(Find<QLabel>("TCMSET"), Qt::LeftButton);
    EXPECT_TRUE(Find<QMenu>("TCMMENU")->isVisible());
    Find<QMenu>("TCMMENU")->hide();
}

TEST_F(MenuFormTest, FileModeReceiveCopiesIntoTheDataFolder) {
    Store().Save(QStringLiteral("Trevanto"), QStringLiteral("DataPath"),
                 folder_ + QStringLiteral("/受信/"));
    Open();
    Trigger("FILEAPA");
    const QString source = folder_ + QStringLiteral("/card/A.APA");
    test::WriteBytes(source, "A,01,\r\n");
    prompt_.ChooseFile(source);
    prompt_.ChooseFile(folder_ + QStringLiteral("/受信/A.APA"));
    Click("TSMENU1");
    EXPECT_EQ(test::ReadBytes(folder_ + QStringLiteral("/受信/A.APA")), QByteArray("A,01,\r\n"));
}

TEST_F(MenuFormTest, ItemThreeConvertsIntoTheDataFolder) {
    Store().Save(QStringLiteral("Trevanto"), QStringLiteral("DataPath"),
                 folder_ + QStringLiteral("/観測/"));
    Open();
    Trigger("LEICAGSI");
    const QString source = folder_ + QStringLiteral("/card/JOB1.GSI");
    test::WriteBytes(source, "410001+00000050 42....+00000ST1 \r\n410002+00000059 \r\n");
    prompt_.ChooseFile(source);
    Click("TSMENU3");
    EXPECT_EQ(test::ReadBytes(folder_ + QStringLiteral("/観測/JOB1.APA")),
              QByteArray("A,01,\r\nB,,,,,,,,,\r\nC,,,,,,,\r\nD,ST1     ,,,0,9911001,,,\r\nE,0,\r\nZ,\r\n"));
}

TEST_F(MenuFormTest, DataFolderDialogConfirmAndCancel) {
    Open();
    const QString chosen = folder_ + QStringLiteral("/現場2");
    for (const auto& [text, button] : {std::pair{chosen, "Command1"}, std::pair{u"/elsewhere"_qs, "Command2"}}) {
        test::WhenShown([text = text, button = button](QWidget* dialog) {
            test::Child<QLineEdit>(dialog, "Text1")->setText(text);
            test::Click(dialog, button);
        });
        Trigger("DATADRVSET");
        EXPECT_EQ(Process().DataPath, chosen + u'/');
        EXPECT_EQ(StoredDataPath(), chosen + u'/');
        EXPECT_EQ(Label("DRVSET"), host::WrapDataPath(chosen + u'/'));
    }
}

// The dialog opens at the data folder, in view; a folder it cannot make keeps it open.
TEST_F(MenuFormTest, DataFolderDialogOpensAtTheFolderAndKeepsAFolderItCannotMake) {
    Open();
    const QString deep = folder_ + QStringLiteral("/a/b/現場");
    host::SetDataFolder(Store(), Process(), deep);
    const QString blocker = DataFile(QStringLiteral("plain-file"), "x");
    test::WhenShown([&](QWidget* dialog) {
        auto* tree = test::Child<QTreeView>(dialog, "Dir1");
        const auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        EXPECT_EQ(model->filePath(tree->currentIndex()), deep);
        EXPECT_TRUE(tree->isExpanded(tree->currentIndex().parent()));
        QTRY_VERIFY_WITH_TIMEOUT(
            tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex()).center()), 5000);
        test::Child<QLineEdit>(dialog, "Text1")->setText(blocker + QStringLiteral("/x"));
        test::Click(dialog, "Command1");
        EXPECT_TRUE(dialog->isVisible());  // stays for another choice
        test::Click(dialog, "Command2");
    });
    Trigger("DATADRVSET");
    EXPECT_EQ(Process().DataPath, deep + u'/');
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].endsWith(blocker + QStringLiteral("/x/"))) << Messages()[0].toStdString();
}

TEST_F(MenuFormTest, SecondInstanceEndsAtOnce) {
    Open();  // this process holds the instance lock now
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TREVANTO_HOME"), folder_ + QStringLiteral("/second"));
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(TREVANTO_EXE), {});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 3);
    EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError())
                    .contains(QStringLiteral("既に起動しています")));
}
