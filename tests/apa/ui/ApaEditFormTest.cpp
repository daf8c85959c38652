#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "apa/ui/frmAPAEDIT.h"
#include "host/HostFixture.h"
#include "host/OpenDataFile.h"
#include "platform/FileError.h"
#include "platform/ui/QtPrompt.h"

using host::Process;

class ApaEditFormTest : public HostFixture {
  protected:
    // Loads a copy of the fixture the way menu item 4 does, and opens the editor on it.
    void Open(const QString& fixture = QStringLiteral("GENBA.APA")) {
        OpenBytes(fixture, test::ReadBytes(QStringLiteral(TREVANTO_TEST_DATA "/apa/") + fixture));
    }
    void OpenBytes(const QString& name, const QByteArray& bytes) {
        path_ = DataFile(name, bytes);
        prompt_.ChooseFile(path_);
        ASSERT_TRUE(host::OpenDataFile(prompt_, Process(), QStringLiteral("***")));
        Show();
    }
    // Opens the editor on what is loaded.
    void Show() {
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
    Show();
    ASSERT_EQ(grid_->rowCount(), 1);
    Box(0)->setText(QStringLiteral("A1"));
    QTest::keyClick(Box(0), Qt::Key_Return);
    const QString target = Process().DataPath + QStringLiteral("NEW.APA");
    QDir().mkpath(Process().DataPath);
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    prompt_.ChooseFile(target);
    Click("APADATASAVE");
    EXPECT_EQ(test::ReadBytes(target),
              QByteArray("A,01,\r\nB,,,,,,\r\nC,,,,,,,\r\nD,A1      "
                         ",,,,9911001,,,\r\nE,0,\r\nF,,,,,,,,,,,,\r\nZ,\r\n"));
}

// A box still being typed in when the editor closes had not written its text yet: Escape
// and the close box lost it, and 終了 clicked without taking the focus did too.
TEST_F(ApaEditFormTest, ABoxBeingTypedInIsSavedOnEveryClosePath) {
    const std::function<void()> closes[] = {
        [this] { QTest::keyClick(Box(7), Qt::Key_Escape); },
        [this] { form_->close(); },
        [this] { Find<QPushButton>("APADATASAVE")->click(); },
    };
    for (const auto& close : closes) {
        Open();
        Box(7)->setFocus();
        Box(7)->selectAll();
        QTest::keyClicks(Box(7), QStringLiteral("SUZUKI"));
        prompt_.AnswerMessage(platform::PromptAnswer::Yes);
        close();
        EXPECT_FALSE(form_->isVisible());
        EXPECT_TRUE(test::ReadBytes(path_).contains("B,HDR,SET5,123,SUZUKI,26/12/06,,,\r\n"));
    }
}

// Leaving the station-name box padded the empty name, which counted as an edit: closing
// asked, and Yes wrote a blank station into a field book that had none.
TEST_F(ApaEditFormTest, AFieldBookWithoutStationsClosesWithoutAQuestion) {
    OpenBytes(QStringLiteral("NONE.APA"), "A,01,\r\nZ,\r\n");
    Box(0)->setFocus();
    Box(3)->setFocus();
    Click("APADATASAVE");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_TRUE(Messages().isEmpty());

    OpenBytes(QStringLiteral("NONE.APA"), "A,01,\r\nZ,\r\n");
    Box(0)->setText(QStringLiteral("  "));
    Click("DATAINS");  // an edit, but of nothing that is kept
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    Click("APADATASAVE");
    EXPECT_EQ(test::ReadBytes(path_), QByteArray("A,01,\r\nZ,\r\n"));
}

// A "," typed anywhere shifted every later field of its record; names and memos keep to
// their 12 characters; a number box or a sighting number that would not read is refused
// with the bell, and the field keeps its value.
TEST_F(ApaEditFormTest, TypedTextThatWouldBreakARecordIsRefused) {
    Open();
    Box(4)->setFocus();
    Box(4)->selectAll();
    QTest::keyClicks(Box(4), QStringLiteral("SET,5"));
    EXPECT_EQ(Box(4)->text(), QStringLiteral("SET5"));
    Box(10)->setFocus();
    Box(10)->selectAll();
    QTest::keyClicks(Box(10), QStringLiteral("15C"));
    QTest::keyClick(Box(10), Qt::Key_Return);
    EXPECT_EQ(Box(10)->text(), QStringLiteral("15"));
    EXPECT_EQ(Find<QLabel>("COMENT")->text(),
              QStringLiteral("「15C」は数ではありません。 ( 単位： ﾟC )"));

    grid_->setCurrentCell(0, 8);
    QTest::keyClick(grid_, ',');  // not even as the key that opens the cell
    EXPECT_FALSE(editor_->isVisible());
    Type(0, 8, QStringLiteral("A,B"));
    QTest::keyClick(editor_, Qt::Key_Return);
    Type(0, 1, QStringLiteral("ABCDEFGHIJKLMNOP"));
    QTest::keyClick(editor_, Qt::Key_Return);
    Type(0, 6, QStringLiteral("1,5"));
    QTest::keyClick(editor_, Qt::Key_Return);
    Type(0, 3, QStringLiteral("x1001"));
    QTest::keyClick(editor_, Qt::Key_Return);
    EXPECT_EQ(Find<QLabel>("COMENT")->text(),
              QStringLiteral("「x1001」は入力できません。 < 番号： 5文字 "
                             "(rl正反・1239対回・1->999方向番号) >"));
    EXPECT_TRUE(editor_->isVisible());  // still on the cell, to be mended
    EXPECT_EQ(editor_->text(), QStringLiteral("x1001"));
    QTest::keyClick(editor_, Qt::Key_Escape);
    EXPECT_EQ(CellText(0, 8), QStringLiteral("AB"));
    EXPECT_EQ(CellText(0, 1), QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(CellText(0, 6), QStringLiteral("15.000"));
    EXPECT_EQ(CellText(0, 3), QStringLiteral("r1001"));
    EXPECT_EQ(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Beep).size(), 2);

    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    Click("APADATASAVE");
    const QByteArray saved = test::ReadBytes(path_);
    EXPECT_TRUE(saved.contains("B,HDR,SET5,123,YAMADA,26/12/06,,,\r\nC,1,2,15,1013,0,1,\r\n"));
    EXPECT_TRUE(
        saved.contains("F,ABCDEFGHIJKL,AB,1.600,r1001,  0.0000, 90.0000,  15.000,,,,000,\r\n"));
}

// Bytes that are not Shift-JIS came back as "?" in lines nobody edited. Now every line
// keeps them, the edited ones in their other fields too.
TEST_F(ApaEditFormTest, BytesThatAreNotShiftJisSurviveTheEditor) {
    const QByteArray head =
        "A,01,\r\nB,HDR,SET5,123,YAMADA,26/12/06,,,\r\nC,1,2,15,1013,0,1,\r\n"
        "D,ST1     ,,1.500,0,9911002,09:00,09:30,\r\nE,0,\r\n";
    const QByteArray tail = "G,\xFF\xFE kept,\r\nZ,\r\n";
    const QByteArray t2 = "F,T2      ,memo,1.600,r1001,  0.0000, 90.0000, 123.456,,,,000,\r\n";
    const QByteArray t3 = "F,T3      ,\xE2\x9C\x93\x80,1.600,r1002, 45.1230,,,,,,000,\r\n";
    OpenBytes(QStringLiteral("UTF8.APA"), head + t2 + t3 + tail);
    ASSERT_EQ(Messages().size(), 1);  // the file says it is not clean
    Type(1, 2, QStringLiteral("1.7"));
    QTest::keyClick(editor_, Qt::Key_Return);
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    Click("APADATASAVE");
    QByteArray edited = t3;
    edited.replace(",1.600,", ",1.700,");
    EXPECT_EQ(test::ReadBytes(path_), head + t2 + edited + tail);
}

// A save that failed left only Yes (failing again), No (losing the edits) or Cancel. It
// says why, and offers another name.
TEST_F(ApaEditFormTest, AFailedSaveSaysWhyAndOffersAnotherName) {
    Open();
    Type(0, 1, QStringLiteral("Q1"));
    QTest::keyClick(editor_, Qt::Key_Return);
    ASSERT_TRUE(QDir(Process().DataPath).removeRecursively());  // the folder vanished
    const QString elsewhere =
        test::NewFolder(QStringLiteral("elsewhere")) + QStringLiteral("/G2.APA");
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);  // register the edits
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);  // under another name
    prompt_.ChooseFile(elsewhere);
    Click("APADATASAVE");
    EXPECT_FALSE(form_->isVisible());
    const auto asked = prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[1].text, QStringLiteral("観測データを保存できません。\n") +
                                 platform::FaultReason(platform::FileFault::Missing) + u'\n' +
                                 path_ + QStringLiteral("\n\n別の名前で保存しますか？"));
    EXPECT_EQ(asked[1].buttons, platform::PromptButtons::YesNo);
    EXPECT_TRUE(test::ReadBytes(elsewhere).contains("F,Q1      ,memo,"));
    EXPECT_EQ(Process().DataFile, elsewhere);

    // No keeps the form and its edits.
    const QString gone = Process().DataPath + QStringLiteral("GENBA.APA");
    Open();
    Type(0, 1, QStringLiteral("Q2"));
    QTest::keyClick(editor_, Qt::Key_Return);
    ASSERT_TRUE(QDir(Process().DataPath).removeRecursively());
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    prompt_.AnswerMessage(platform::PromptAnswer::No);
    Click("APADATASAVE");
    EXPECT_TRUE(form_->isVisible());
    EXPECT_TRUE(form_->Editor().Modified());
    EXPECT_FALSE(QFile::exists(gone));
}

// 行挿入 needs a selection, and a station whose rows were all deleted has none to offer.
TEST_F(ApaEditFormTest, InsertAddsARowToAStationWithoutRows) {
    Open();
    Click("DATANEXT");
    SelectRows(0, 0);
    prompt_.AnswerMessage(platform::PromptAnswer::Yes);
    Click("LINEDEL");
    ASSERT_EQ(grid_->rowCount(), 0);
    Click("LINEINS");
    ASSERT_EQ(grid_->rowCount(), 1);
    EXPECT_EQ(Messages().size(), 1);  // the delete question only
    Type(0, 1, QStringLiteral("P9"));
    QTest::keyClick(editor_, Qt::Key_Return);
    EXPECT_EQ(CellText(0, 1), QStringLiteral("P9"));
}

// Qt's own file dialog read `a".APA` as the quoted name ".APA" and saved a hidden file.
// A name is taken as typed or refused: the dialog says so and stays open.
TEST(QtPromptSaveDialog, RefusesANameWithAQuote) {
    const QString folder = test::NewFolder(QStringLiteral("dialog"));
    QString refusal;
    const auto typeName = [](const QString& name) {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    };
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            refusal = box->text();
            box->done(QMessageBox::Ok);
            QTimer::singleShot(0, [&] { typeName(QStringLiteral("OK.APA")); });
        });
        typeName(QStringLiteral("a\".APA"));
    });
    platform::QtPrompt prompt;
    platform::FileDialogRequest request;
    request.initialFolder = folder;
    request.filter = QStringLiteral("vuvﾌｧｲﾙ (*.APA)|*.APA|");
    const platform::FileDialogResult chosen = prompt.SaveFile(request);
    EXPECT_EQ(refusal, platform::kQuoteInFileName);
    EXPECT_EQ(chosen.status, platform::DialogStatus::Chosen);
    EXPECT_EQ(chosen.path, folder + QStringLiteral("/OK.APA"));
}
