// The SIMA editor by its control names, offscreen, with the scripted prompt answering: ticks
// and editing, deleting and saving with the file's other lines in place, and the transfer
// that writes ZAHYO_SD.dat and sends it, saves it, or fails naming the point.

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "coords/SimaFile.h"
#include "coords/ui/frmSIMEDIT.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/CodePage.h"
#include "platform/ScriptedPrompt.h"
#include "support/TestEnvironment.h"

namespace {

using platform::PromptAnswer;
using Kind = platform::ScriptedPrompt::Kind;

const QStringList kLines{QStringLiteral("G00,01,現場,"), QStringLiteral("A00,"),
                         QStringLiteral("A01,    1,T1      ,  -12345.678,   23456.789,35.120,"),
                         QStringLiteral("Z00,note,"), QStringLiteral("A01,    2,T2      ,  -12300.000,   23500.000,,"),
                         QStringLiteral("A01,    3,K1      ,1,2,,"), QStringLiteral("A99,"), QStringLiteral("Z,")};

class SimaEditFormTest : public testing::Test {
  protected:
    void SetUp() override { folder_ = test::NewFolder(QStringLiteral("simedit")); }
    std::unique_ptr<coords_ui::frmSIMEDIT> Form(const QString& format, bool fileMode = true, QStringList lines = kLines,
                                                const QString& maker = QStringLiteral("SOKKIA")) {
        coords_ui::SimaEditContext context{fileMode, fileMode ? folder_ + QStringLiteral("/site.sim") : QString(), lines,
                                           {format, maker, folder_, folder_, [this](const QString& f) { sent_ = f; }}};
        return std::make_unique<coords_ui::frmSIMEDIT>(context, prompt_);
    }
    QTableWidget* Grid(QWidget* form) { return test::Child<QTableWidget>(form, "Fg1"); }
    QString Count(QWidget* form) { return test::Child<QLineEdit>(form, "Text3")->text(); }

    QString folder_;
    QString sent_;
    platform::ScriptedPrompt prompt_;
};

TEST_F(SimaEditFormTest, TicksEditsAndSaveKeepOtherLines) {
    auto form = Form(QStringLiteral("3GD"));
    QTableWidget* grid = Grid(form.get());
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), QStringLiteral("測 点 名 "));
    EXPECT_EQ(Count(form.get()), QStringLiteral("3"));
    test::ClickCell(grid, 2, 1);
    EXPECT_EQ(Count(form.get()), QStringLiteral("2"));
    EXPECT_TRUE(grid->item(2, 1)->text().isEmpty());

    // Typing on X opens the editor with the key; letters are refused; Enter commits.
    form->show();
    grid->setCurrentCell(1, 4);
    QTest::keyClick(grid, '1');
    auto* editor = test::Child<QLineEdit>(form.get(), "Text1");
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, "23a,.456");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(grid->item(1, 4)->text(), QStringLiteral("123.456"));
    EXPECT_EQ(grid->currentColumn(), 5);

    prompt_.AnswerMessage(PromptAnswer::Yes);
    test::Click(form.get(), "SIMDATASAVE");
    QStringList expected = kLines;
    expected[4] = QStringLiteral("A01,    2,T2      ,    123.456,   23500.000,,");
    EXPECT_EQ(test::ReadBytes(folder_ + QStringLiteral("/site.sim")),
              platform::cp932::Encode(expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    test::Click(form.get(), "SIMDATASAVE");
    EXPECT_EQ(prompt_.Records().back().text, QStringLiteral("データに変更はありません。\n何かキーを押してください。"));
    form->hide();
}

TEST_F(SimaEditFormTest, DeleteAsksForTheBlockAndRenumbers) {
    auto form = Form(QStringLiteral("3GD"));
    QTableWidget* grid = Grid(form.get());
    test::Click(form.get(), "LINEDEL");
    EXPECT_EQ(prompt_.Records().back().text, QStringLiteral("削除する行Noを選択してください。"));
    grid->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 6), true);
    prompt_.AnswerMessage(PromptAnswer::Yes);
    test::Click(form.get(), "LINEDEL");
    EXPECT_EQ(prompt_.Records().back().text, QStringLiteral("No 2～3 の行を削除します。\nよろしいですか？"));
    EXPECT_EQ(prompt_.Records().back().title, QStringLiteral("削除の確認"));
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(Count(form.get()), QStringLiteral("1"));
    EXPECT_EQ(form->Sheet().Lines(), (QStringList{kLines[0], kLines[1], kLines[2], kLines[3], kLines[6], kLines[7]}));
}

// Finishing with ticked rows: the card warning, then ZAHYO_SD.dat handed to the sending.
TEST_F(SimaEditFormTest, FinishSendsTheTickedPoints) {
    auto form = Form(QStringLiteral("SC1"), false);
    EXPECT_FALSE(test::Child<QPushButton>(form.get(), "SIMDATASAVE")->isVisibleTo(form.get()));
    test::ClickCell(Grid(form.get()), 0, 1);
    prompt_.AnswerMessage(PromptAnswer::Yes);
    test::Click(form.get(), "SIMDATASEND");
    EXPECT_EQ(prompt_.Records().back().text, QStringLiteral("カ－ドは初期化されます！！\n\n転送しますか？"));
    EXPECT_EQ(sent_, folder_ + QStringLiteral("/ZAHYO_SD.dat"));
    EXPECT_EQ(test::ReadBytes(sent_), QByteArray("00002,Fd,0000,,,,-12300.000,23500.000, ,\r\n00003,Fd,0000,,,,1.000,2.000, ,\r\n"));
    EXPECT_EQ(form->Sheet().SelectedCount(), 0);
}

// GSI is saved under a name the user picks, GSI_8 on "No".
TEST_F(SimaEditFormTest, GsiIsSavedInsteadOfSent) {
    auto form = Form(QStringLiteral("GSI"));
    prompt_.AnswerMessage(PromptAnswer::Yes);
    prompt_.AnswerMessage(PromptAnswer::No);
    prompt_.ChooseFile(folder_ + QStringLiteral("/FILE01.GSI"));
    form->reject();  // closing with ticked rows transfers them
    EXPECT_TRUE(sent_.isEmpty());
    const QList<platform::ScriptedPrompt::Record> dialogs = prompt_.RecordsOf(Kind::SaveFile);
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_EQ(dialogs[0].request.fileName, QStringLiteral("FILE01.GSI"));
    const QByteArray saved = test::ReadBytes(folder_ + QStringLiteral("/FILE01.GSI"));
    EXPECT_TRUE(saved.startsWith("110001+000000T1 81..10+23456789 82..10-12345678 83..10+00035120 \r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.endsWith(" ! ----+\r\n"));
}

// A new file's one empty row cannot be exported: the failure names the point and its line.
TEST_F(SimaEditFormTest, NewFileTransferFails) {
    auto form = Form(QStringLiteral("APA"), true, {});
    ASSERT_EQ(Grid(form.get())->rowCount(), 1);
    prompt_.AnswerMessage(PromptAnswer::Yes);
    test::Click(form.get(), "SIMDATASEND");
    const QString told = prompt_.Records().back().text;
    EXPECT_TRUE(told.startsWith(QStringLiteral("座標ファイル作成に失敗しました。\n4 行目の点"))) << told.toStdString();
    EXPECT_TRUE(sent_.isEmpty());
}

}  // namespace
