#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "apa/ui/frmAPAEDIT.h"
#include "host/HostFixture.h"
#include "host/OpenDataFile.h"

using host::Process;

class ApaEditFormTest : public HostFixture {
  protected:
    // Loads a copy of the fixture the way menu item 4 does, and opens the editor on it.
    void Open(const QString& fixture = QStringLiteral("GENBA.APA")) {
        path_ = DataFile(fixture,
                         test::ReadBytes(QStringLiteral(TREVANTO_TEST_DATA "/apa/") + fixture));
        prompt_.ChooseFile(path_);
        ASSERT_TRUE(host::OpenDataFile(prompt_, Process(), QStringLiteral("***")));
        form_ = std::make_unique<apa::frmAPAEDIT>();
        form_->show();
        QApplication::setActiveWindow(form_.get());
        grid_ = Find<QTableWidget>("Fg1");
        editor_ = Find<QLineEdit>("Text1");
    }
    template <typename T>
    T* Find(const char* name) {
        T* child = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit* Box(int i) {
        return form_->findChild<QLineEdit*>(QStringLiteral("Text2_%1").arg(i));
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    void SelectRows(int first, int last) {
        grid_->clearSelection();
        grid_->setCurrentCell(first, 1);
        grid_->setRangeSelected(QTableWidgetSelectionRange(first, 1, last, 8), true);
    }
    // Types into a cell: the first key opens the cell editor, the rest go to it.
    void Type(int row, int column, const QString& text) {
        grid_->setCurrentCell(row, column);
        QTest::keyClick(grid_, text[0].toLatin1());
        QTest::keyClicks(editor_, text.mid(1));
    }
    QString CellText(int row, int column) { return grid_->item(row, column)->text(); }

    QString path_;
    std::unique_ptr<apa::frmAPAEDIT> form_;
    QTableWidget* grid_ = nullptr;
    QLineEdit* editor_ = nullptr;
};

TEST_F(ApaEditFormTest, EditAndSaveWritesTheExpectedFile) {
    Open();
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("観測手簿の編集・確認"));
    EXPECT_EQ(Box(7)->text(), QStringLiteral("YAMADA"));

    Box(0)->setText(QStringLiteral("K1"));
    QTest::keyClick(Box(0), Qt::Key_Return);  // writes the box back and moves to the next one

    Type(0, 4, QStringLiteral("12.3456"));
    QTest::keyClick(editor_, Qt::Key_Return);
    EXPECT_EQ(CellText(0, 4), QStringLiteral("12.3456"));
    EXPECT_EQ(grid_->currentColumn(), 5);  // Enter moves right

    grid_->setCurrentCell(0, 5);
    QTest::keyClick(grid_, 'a');  // letters do not even start an edit in a number column
    EXPECT_FALSE(editor_->isVisible());
    Type(0, 5, QStringLiteral("9x0.5"));  // and are refused while editing
    QTest::keyClick(editor_, Qt::Key_Return);
    EXPECT_EQ(CellText(0, 5), QStringLiteral("90.5000"));

    Type(1, 1, QStringLiteral("P7"));
    QTest::keyClick(editor_, Qt::Key_Escape);  // Escape drops the edit
    EXPECT_EQ(CellText(1, 1), QStringLiteral("T3"));

    SelectRows(1, 1);
    Click("LINEINS");
    EXPECT_EQ(grid_->rowCount(), 6);

    SelectRows(3, 4);
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    Click("LINEDEL");
    EXPECT_EQ(Messages().constLast(),
              QStringLiteral("No  4～ 5 の行を削除します。\nよろしいですか？"));
    EXPECT_EQ(grid_->rowCount(), 4);

    SelectRows(0, 0);
    Find<QAction>("MenuDataCopy")->trigger();
    SelectRows(1, 1);
    Find<QAction>("MenuDataPast")->trigger();
    EXPECT_EQ(grid_->rowCount(), 5);
    EXPECT_EQ(CellText(1, 1), QStringLiteral("T2"));

    Click("DATANEXT");
    EXPECT_EQ(Box(0)->text(), QStringLiteral("ST2     "));
    Click("DATAINS");  // an empty station before ST2, left out when saving
    EXPECT_EQ(Box(0)->text(), QString());

    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    Click("APADATASAVE");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(test::ReadBytes(path_),
              test::ReadBytes(QStringLiteral(TREVANTO_TEST_DATA "/apa/GENBA-edited.APA")));
    EXPECT_EQ(Process().DataCount, 0);
}

// Regression: Enter in a header box pressed the dialog's default button (先頭).
TEST_F(ApaEditFormTest, EnterInAHeaderBoxStaysOnTheStation) {
    Open();
    Click("DATANEXT");
    Box(13)->setFocus();
    Box(13)->setText(QStringLiteral("10:05"));
    QTest::keyClick(Box(13), Qt::Key_Return);
    EXPECT_EQ(Box(0)->text(), QStringLiteral("ST2     "));
    EXPECT_TRUE(form_->isVisible());
    EXPECT_TRUE(form_->Editor().Lines().contains(
        QStringLiteral("D,ST2     ,,1.400,1,9911001,10:05,10:20,")));
}

TEST_F(ApaEditFormTest, ClosingWithoutChangesAsksNothing) {
    Open();
    Click("DATANEXT");
    Box(0)->setFocus();
    Box(3)->setFocus();  // visiting a box changes nothing
    form_->close();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message).isEmpty());
}

TEST_F(ApaEditFormTest, CancelKeepsTheFormAndNoDiscards) {
    Open();
    Type(0, 1, QStringLiteral("Q1"));
    QTest::keyClick(editor_, Qt::Key_Return);
    prompt_.AnswerMessage(platform::PromptAnswer::Cancel);
    form_->close();  // the close box asks too, and Cancel keeps the edits on screen
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(prompt_.Records().constLast().buttons, platform::PromptButtons::YesNoCancel);
    prompt_.AnswerMessage(platform::PromptAnswer::No);
    Click("APADATASAVE");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(test::ReadBytes(path_),
              test::ReadBytes(QStringLiteral(TREVANTO_TEST_DATA "/apa/GENBA.APA")));
}

TEST_F(ApaEditFormTest, RowCommandsNeedWholeRows) {
    Open();
    grid_->setCurrentCell(0, 3);  // one cell is no row selection
    Click("LINEDEL");
    Click("LINEINS");
    EXPECT_EQ(Messages(), (QStringList{QStringLiteral("削除する行Noを選択してください。"),
                                       QStringLiteral("追加する行Noを選択してください。")}));
    EXPECT_EQ(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message)[0].title,
              QStringLiteral("行削除の確認"));
    EXPECT_FALSE(Find<QAction>("MenuDataPast")->isEnabled());

    QGuiApplication::clipboard()->clear();
    Find<QAction>("MenuDataPast")->setEnabled(true);
    Find<QAction>("MenuDataPast")->trigger();
    EXPECT_EQ(
        Messages().constLast(),
        QStringLiteral("クリップボード上にデータがありません。\n[OK] ボタンを押してください。"));

    SelectRows(2, 4);
    prompt_.AnswerMessage(platform::PromptAnswer::No);
    Find<QAction>("MenuDataDel")->trigger();
    EXPECT_EQ(Messages().constLast(),
              QStringLiteral("No  3～ 5 の行を削除します。\nよろしいですか？"));
    EXPECT_EQ(grid_->rowCount(), 5);
}

TEST_F(ApaEditFormTest, NewDataAsksWhereToSave) {
    Process().DataFile.clear();
    form_ = std::make_unique<apa::frmAPAEDIT>();
    form_->show();
    grid_ = Find<QTableWidget>("Fg1");
    editor_ = Find<QLineEdit>("Text1");
    ASSERT_EQ(grid_->rowCount(), 1);
    Box(0)->setText(QStringLiteral("A1"));
    QTest::keyClick(Box(0), Qt::Key_Return);
    const QString target = Process().DataPath + QStringLiteral("NEW.APA");
    QDir().mkpath(Process().DataPath);
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    prompt_.ChooseFile(target);
    Click("APADATASAVE");
    EXPECT_EQ(
        prompt_.RecordsOf(platform::ScriptedPrompt::Kind::SaveFile).constFirst().request.filter,
        QStringLiteral("vuvﾌｧｲﾙ (*.APA)|*.APA|すべてのﾌｧｲﾙ (*.*)|*.*|"));
    EXPECT_EQ(test::ReadBytes(target),
              QByteArray("A,01,\r\nB,,,,,,\r\nC,,,,,,,\r\nD,A1      "
                         ",,,,9911001,,,\r\nE,0,\r\nF,,,,,,,,,,,,\r\nZ,\r\n"));
}
