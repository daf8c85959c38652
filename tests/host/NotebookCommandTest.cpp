// Menu item 5: the notebook of the loaded field book, what the user is told, and a work
// folder that cannot take it.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include "host/HostFixture.h"
#include "host/MenuSettings.h"
#include "host/NotebookCommand.h"
#include "host/ui/frmTSMENU.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/Folders.h"
#include "support/FieldBook.h"

using host::Process;
using platform::PromptIcon;

class NotebookCommandTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        work_ = test::NewFolder(QStringLiteral("work"));
        const QStringList lines = QString::fromLatin1(test::TwoSetFieldBook("ST1"))
                                      .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        Process().DataLines = QStringList{QString()} + lines;
        Process().DataCount = static_cast<qint32>(lines.size());
    }
    void TearDown() override {
        QFile::setPermissions(
            work_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        HostFixture::TearDown();
    }
    bool Make() { return host::MakeObservationNotebook(prompt_, Process(), Store(), work_); }
    QString TextLineCount() const {
        return QString::number(
            test::ReadBytes(work_ + QStringLiteral("/SHUBO1.DAT")).count("\r\n"));
    }

    QString work_;
};

TEST_F(NotebookCommandTest, SaysWhereTheNotebookIsAndHowLong) {
    ASSERT_TRUE(Make());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0], QStringLiteral("観測手簿を作成しました。\n") + work_ +
                                 QStringLiteral("/SHUBO1.DAT\n") + work_ +
                                 QStringLiteral("/SHUBO.MDB\n観測点 1、手簿 ") + TextLineCount() +
                                 QStringLiteral(" 行"));
    EXPECT_EQ(prompt_.Records().constLast().icon, PromptIcon::Information);
    EXPECT_EQ(prompt_.WaitDepth(), 0);
    EXPECT_TRUE(QFileInfo(work_ + QStringLiteral("/SHUBO.MDB")).size() > 0);
}

TEST_F(NotebookCommandTest, SurveyClassSettingListsTheValuesOverItsLimits) {
    Store().Save(host::kSettingsSection, host::kSurveyClassKey, QStringLiteral("3"));
    ASSERT_TRUE(Make());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].endsWith(
        QStringLiteral(" 行\n\n3級の制限を超える値: 1 件\nST1  T2  観測差 30″（制限 20″）")))
        << Messages()[0].toStdString();
}

// What could not be reduced and a district that could not be read are told after the counts.
TEST_F(NotebookCommandTest, UnreducedSightingsAndAnUnreadableDistrictAreTold) {
    Process().DataLines.insert(Process().DataCount, QStringLiteral("D,W1,,1.5,0,1121001,,,"));  // before Z
    Process().DataLines.insert(Process().DataCount + 1, QStringLiteral("F,T9,,1.6,r1x,1.0000,,,,,,000,"));
    Process().DataCount += 2;
    Process().DataBaseName = work_ + QStringLiteral("/gone.mdb");
    ASSERT_TRUE(Make());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].endsWith(
        QStringLiteral("\n\n整約できない視準があります:\nW1: 番号 \"r1x\" の視準 T9 は方向番号がないため整約していません。"
                       "\n\n地区のデータベースを開けないため、観測点の標高は読んでいません:\n") +
        work_ + QStringLiteral("/gone.mdb")))
        << Messages()[0].toStdString();
}

TEST_F(NotebookCommandTest, UnwritableWorkFolderIsToldAndLeftEmpty) {
    QFile::setPermissions(work_, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                     QFileDevice::ReadOther | QFileDevice::ExeOther);
    if (QFileInfo(work_).isWritable()) GTEST_SKIP() << "permissions do not bind this user";
    EXPECT_FALSE(Make());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains(work_)) << Messages()[0].toStdString();
    EXPECT_EQ(prompt_.Records().constLast().icon, PromptIcon::Critical);
    EXPECT_EQ(prompt_.WaitDepth(), 0);
    EXPECT_TRUE(QDir(work_).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

// The menu's button asks for the field book and makes its notebook in the work folder.
TEST_F(NotebookCommandTest, MenuItemFiveReducesTheChosenFileAndOpensThePrintForm) {
    Process().ClearDataLines();
    prompt_.ChooseFile(DataFile(QStringLiteral("現場.APA"), test::TwoSetFieldBook("MENU1")));
    host::frmTSMENU menu;
    ASSERT_TRUE(menu.Load());
    menu.show();
    QString opened;
    test::WhenShown([&opened](QWidget* form) {
        opened = form->objectName();
        test::Click(form, "cmdEnd");
    });
    QTest::mouseClick(menu.findChild<QPushButton*>(QStringLiteral("TSMENU5")), Qt::LeftButton);
    EXPECT_EQ(opened, u"frmPRINT");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains(platform::WorkFolder() + QStringLiteral("/SHUBO1.DAT")));
    EXPECT_TRUE(
        test::ReadBytes(platform::WorkFolder() + QStringLiteral("/SHUBO1.DAT")).contains("MENU1"));
}
