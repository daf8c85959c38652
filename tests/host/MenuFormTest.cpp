#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "host/HostFixture.h"
#include "host/MenuSettings.h"
#include "host/MenuStatus.h"
#include "host/ui/frmTSMENU.h"
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

TEST_F(MenuFormTest, FirstStartShowsAndStoresTheDefaults) {
    Open();
    EXPECT_EQ(menu_->windowTitle(), QStringLiteral("ﾄｰﾀﾙｽﾃｰｼｮﾝﾃﾞｰﾀ処理ｼｽﾃﾑﾒﾆｭ- -地区名(東町)"));
    const struct {
        const char* control;
        const char16_t* caption;
    } buttons[] = {
        {"TSMENU1", u"１．観測デ－タの受信及びファイル登録 "},
        {"TSMENU2", u"２．観測デ－タファイルの確認・編集   "},
        {"TSMENU3", u"３．ＡＰＡフォ－マットへファイル出力 "},
        {"TSMENU4", u"４．観測手簿の編集（ＡＰＡ野帳形式） "},
        {"TSMENU5", u"５．観測手簿の印字出力（ＡＰＡより） "},
        {"TSMENU6", u"６．座標デ－タの送信（SIMAﾌｫｰﾏｯﾄ）  "},
        {"TSMENU8", u"７．座標デ－タの送信（地区より）     "},
        {"TSMENU7", u"８．      終    了                 "},
    };
    for (const auto& b : buttons)
        EXPECT_EQ(Find<QPushButton>(b.control)->text(), QString::fromUtf16(b.caption));

    const QString dataPath = platform::WorkFolder() + QStringLiteral("/TSDATA/");
    EXPECT_EQ(Store().Peek(QStringLiteral("Trevanto"), QStringLiteral("DataPath")), dataPath);
    EXPECT_EQ(Store().Peek(QStringLiteral("Trevanto"), QStringLiteral("RSFuro")),
              QStringLiteral("2"));
    EXPECT_EQ(Label("TCMSET"), QStringLiteral(" SOKKIA･APA"));
    EXPECT_EQ(Label("RSSETSET"), QStringLiteral("9600,n,8,1,1"));
    EXPECT_EQ(Label("DRVSET"), dataPath.left(16) + u'\n' + dataPath.mid(16));
    EXPECT_FALSE(Find<QPushButton>("TSMENU3")->isEnabled());
    EXPECT_FALSE(Find<QAction>("HENSYUETC")->isEnabled());
    EXPECT_FALSE(Find<QAction>("HENSYUALL")->isEnabled());

    EXPECT_EQ(Find<QMenu>("TCMMENU")->title(), QStringLiteral("・データ形式の設定  "));
    EXPECT_EQ(Find<QAction>("RSSETMENU")->text(), QStringLiteral("・通信条件の設定 "));
    EXPECT_EQ(Find<QAction>("DATADRVSET")->text(), QStringLiteral("・登録ドライブの設定"));
    EXPECT_EQ(Find<QMenu>("HENSYUAPAETC")->title(), QStringLiteral("編集データ形式"));
}

TEST_F(MenuFormTest, EveryFormatEntrySetsLabelButtonsAndStore) {
    Open();
    for (const host::FormatChoice& choice : host::FormatChoices()) {
        Find<QAction>(choice.control.toLatin1().constData())->trigger();
        const QString format = choice.format;
        EXPECT_EQ(Process().Format, format);
        EXPECT_EQ(Process().TStype, choice.tsType);
        EXPECT_EQ(Store().Peek(QStringLiteral("Trevanto"), QStringLiteral("Format")), format);
        EXPECT_EQ(Store().Peek(QStringLiteral("Trevanto"), QStringLiteral("TStype")),
                  choice.tsType);
        QString label = u' ' + choice.tsType + QStringLiteral("･") + format;
        if (format == QStringLiteral("*")) label = QStringLiteral(" すべて ");
        if (choice.control == QStringLiteral("APANONACKNAK"))
            label = QStringLiteral("APA･ACK/ANKなし");
        EXPECT_EQ(Label("TCMSET"), label) << choice.control.toStdString();
        EXPECT_EQ(Find<QPushButton>("TSMENU3")->isEnabled(), format != QStringLiteral("APA"));
        EXPECT_EQ(Find<QAction>("HENSYUALL")->isEnabled(), format == QStringLiteral("*"));
        EXPECT_EQ(Find<QAction>("HENSYUETC")->isEnabled(),
                  format != QStringLiteral("APA") && format != QStringLiteral("*"));
    }
    EXPECT_EQ(Find<QAction>("TCMCANCEL")->text(), QStringLiteral("キャンセル"));
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

TEST_F(MenuFormTest, DataFolderLabelWrapsAtSixteen) {
    Store().Save(QStringLiteral("Trevanto"), QStringLiteral("DataPath"),
                 QStringLiteral("/srv/sokuryo/ab/"));
    Open();
    EXPECT_EQ(Label("DRVSET"), QStringLiteral("/srv/sokuryo/ab/"));
    menu_.reset();
    Store().Save(QStringLiteral("Trevanto"), QStringLiteral("DataPath"),
                 QStringLiteral("/srv/sokuryo/abc/"));
    Open();
    EXPECT_EQ(Label("DRVSET"), QStringLiteral("/srv/sokuryo/abc\n/"));
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
            EXPECT_EQ(box.title, QStringLiteral("確認"));
        }
    }
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

TEST_F(MenuFormTest, DataFolderDialogConfirmAndCancel) {
    Open();
    const QString chosen = folder_ + QStringLiteral("/現場2");
    auto answer = [](const QString& text, const char* button) {
        QTimer::singleShot(0, [text, button] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("データ登録ドライブの設定"));
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
}
