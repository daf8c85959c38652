#include <QAction>
#include <QApplication>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
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

// The data folder defaults to one in the work folder; its label wraps at sixteen
// characters and its tool tip holds the whole path.
TEST_F(MenuFormTest, FirstStartShowsAndStoresTheDefaults) {
    Open();
    const QString dataPath = platform::WorkFolder() + QStringLiteral("/TSDATA/");
    EXPECT_EQ(Store().Peek(QStringLiteral("Trevanto"), QStringLiteral("DataPath")), dataPath);
    EXPECT_EQ(Label("TCMSET"), QStringLiteral(" SOKKIA･APA"));
    EXPECT_EQ(Label("RSSETSET"), QStringLiteral("9600,n,8,1,1"));
    EXPECT_EQ(Label("DRVSET"), dataPath.left(16) + u'\n' + dataPath.mid(16));
    EXPECT_EQ(Find<QLabel>("DRVSET")->toolTip(), dataPath);
    EXPECT_FALSE(Find<QPushButton>("TSMENU3")->isEnabled());
    EXPECT_FALSE(Find<QAction>("HENSYUETC")->isEnabled());
    EXPECT_FALSE(Find<QAction>("HENSYUALL")->isEnabled());
}

TEST_F(MenuFormTest, EveryFormatEntrySetsLabelButtonsAndStore) {
    const struct {
        const char* control;
        const char* tsType;
        const char* format;
        const char16_t* label;
        bool convert, editOwn, editAll;
    } entries[] = {
        {"SOKKIAAPA", "SOKKIA", "APA", u" SOKKIA･APA", false, false, false},
        {"SOKKIA3GD", "SOKKIA", "3GD", u" SOKKIA･3GD", true, true, false},
        {"SOKKIA3PD", "SOKKIA", "3PD", u" SOKKIA･3PD", true, true, false},
        {"SOKKIASDF", "SOKKIA", "SDF", u" SOKKIA･SDF", true, true, false},
        {"SOKKIASC1", "SOKKIA", "SC1", u" SOKKIA･SC1", true, true, false},
        {"SOKKIASCR", "SOKKIA", "SCR", u" SOKKIA･SCR", true, true, false},
        {"TOPCONAPA", "TOPCON", "APA", u" TOPCON･APA", false, false, false},
        {"TOPCONFC5", "TOPCON", "FC5", u" TOPCON･FC5", true, true, false},
        {"LEICAAPA", "LEICA", "APA", u" LEICA･APA", false, false, false},
        {"LEICAGSI", "LEICA", "GSI", u" LEICA･GSI", true, true, false},
        {"NIKONAPA", "NIKON", "APA", u" NIKON･APA", false, false, false},
        {"NIKONDR2", "NIKON", "DR2", u" NIKON･DR2", true, true, false},
        {"PENTAXAPA", "PENTAX", "APA", u" PENTAX･APA", false, false, false},
        {"APANONACKNAK", "APA", "APA", u"APA･ACK/ANKなし", false, false, false},
        {"FILEAPA", "FILE", "APA", u" FILE･APA", false, false, false},
        {"TCMNON", "???", "*", u" すべて ", true, false, true},
    };
    Open();
    ASSERT_EQ(std::size(entries), host::FormatChoices().size());
    for (const auto& e : entries) {
        Trigger(e.control);
        const QStringList chosen = {QString::fromLatin1(e.format), QString::fromLatin1(e.tsType)};
        EXPECT_EQ((QStringList{Process().Format, Process().TStype}), chosen) << e.control;
        EXPECT_EQ((QStringList{Store().Peek(u"Trevanto"_qs, u"Format"_qs), Store().Peek(u"Trevanto"_qs, u"TStype"_qs)}),
                  chosen) << e.control;
        EXPECT_EQ(Label("TCMSET"), QString::fromUtf16(e.label)) << e.control;
        EXPECT_EQ(Find<QPushButton>("TSMENU3")->isEnabled(), e.convert) << e.control;
        EXPECT_EQ(Find<QAction>("HENSYUETC")->isEnabled(), e.editOwn) << e.control;
        EXPECT_EQ(Find<QAction>("HENSYUALL")->isEnabled(), e.editAll) << e.control;
    }
}

// A store that cannot be written still gives the menu its defaults, and says so.
TEST_F(MenuFormTest, UnwritableSettingsOpenWithTheDefaults) {
    const QString blocker = DataFile(QStringLiteral("plain-file"), "x");
    platform::SettingsStore::SetUserStorePath(blocker + QStringLiteral("/Brandel.ini"));
    Open();
    EXPECT_EQ(Label("TCMSET"), QStringLiteral(" SOKKIA･APA"));
    EXPECT_EQ(Label("RSSETSET"), QStringLiteral("9600,n,8,1,1"));
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith(QStringLiteral("設定を保存できません。")));
}

// The choice holds for the session; the user learns that it was not kept.
TEST_F(MenuFormTest, FormatThatCannotBeStoredIsReported) {
    Open();
    const QString blocker = DataFile(QStringLiteral("plain-file"), "x");
    platform::SettingsStore::SetUserStorePath(blocker + QStringLiteral("/Brandel.ini"));
    Trigger("LEICAGSI");
    EXPECT_EQ(Label("TCMSET"), QStringLiteral(" LEICA･GSI"));
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith(QStringLiteral("設定を保存できません。")))
        << Messages()[0].toStdString();
    EXPECT_EQ(prompt_.Records().constLast().icon, platform::PromptIcon::Critical);
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
    for (const char* entry : {"NIKONDR2", "SOKKIA3PD", "TCMNON"}) {
        for (const char* item : {"TSMENU6", "TSMENU8"}) {
            prompt_.ClearRecords();
            Trigger(entry);
            Click(item);
            ASSERT_EQ(prompt_.Records().size(), 1) << entry << item;
            const auto& box = prompt_.Records().constFirst();
            EXPECT_EQ(box.text,
                      QStringLiteral(
                          "送信する デ－タ形式を 指定して下さい。\n何かキーを押してください。"));
            EXPECT_EQ(box.icon, platform::PromptIcon::Exclamation);
        }
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
    EXPECT_EQ(box[0].text, QStringLiteral(" データを新規作成しますか ？"));
    EXPECT_EQ(box[0].buttons, platform::PromptButtons::YesNo);
    EXPECT_EQ(box[0].icon, platform::PromptIcon::Question);
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
    auto answer = [](const QString& text, const char* button) {
        QTimer::singleShot(0, [text, button] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            if (!text.isNull())
                dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(text);
            dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
    };
    answer(chosen, "Command1");
    Trigger("DATADRVSET");
    EXPECT_EQ(Process().DataPath, chosen + u'/');
    EXPECT_EQ(Store().Peek(QStringLiteral("Trevanto"), QStringLiteral("DataPath")), chosen + u'/');
    EXPECT_EQ(Label("DRVSET"), host::WrapDataPath(chosen + u'/'));

    answer(QStringLiteral("/elsewhere"), "Command2");
    Trigger("DATADRVSET");
    EXPECT_EQ(Process().DataPath, chosen + u'/');
}

TEST_F(MenuFormTest, DataFolderDialogOpensAtTheFolderAndKeepsAFolderItCannotMake) {
    Open();
    const QString deep = folder_ + QStringLiteral("/a/b/現場");
    host::SetDataFolder(Store(), Process(), deep);
    const QString blocker = DataFile(QStringLiteral("plain-file"), "x");
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* tree = dialog->findChild<QTreeView*>(QStringLiteral("Dir1"));
        const auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        EXPECT_EQ(model->filePath(tree->currentIndex()), deep);
        EXPECT_TRUE(tree->isExpanded(tree->currentIndex().parent()));
        // Once the folders are read, the current one is in view.
        QTRY_VERIFY_WITH_TIMEOUT(
            tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex()).center()),
            5000);
        dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))
            ->setText(blocker + QStringLiteral("/x"));
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        EXPECT_TRUE(dialog->isVisible());  // stays for another choice
        dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    });
    Trigger("DATADRVSET");
    EXPECT_EQ(Process().DataPath, deep + u'/');
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].endsWith(blocker + QStringLiteral("/x/")))
        << Messages()[0].toStdString();
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
