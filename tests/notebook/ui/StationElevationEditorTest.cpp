// The station-elevation editor and the same-name chooser it opens, driven as the user does.

#include <QHeaderView>
#include <QLineEdit>

#include "notebook/StationElevations.h"
#include "notebook/TestDistrict.h"
#include "notebook/ui/DialogDriver.h"
#include "notebook/ui/frmPRINTHEDIT.h"
#include "platform/ScriptedPrompt.h"
#include "support/QtPrinters.h"

namespace {

using Rows = std::vector<notebook::StationElevation>;

class StationElevationEditorTest : public testing::Test {
  protected:
    // Stations A (in the district once), C (twice) and E (new).
    void SetUp() override {
        platform::SetActivePrompt(&prompt_);
        district_ = test::NewDistrict();
        test::AddPoint(*district_, u"A"_qs, 0, 0, 10.25);
        test::AddPoint(*district_, u"C"_qs, -1234.5, 678.25, 1.0,
                       QDateTime(QDate(2023, 11, 2), QTime(8, 30, 0)));
        test::AddPoint(*district_, u"C"_qs, -1234.6, 678.3, 2.0);
        std::vector<notebook::ReductionRow> table(3);
        const char16_t* names[] = {u"A", u"C", u"E"};
        for (int i = 0; i < 3; ++i) {
            table[i].id = i + 1;
            table[i].station = QString::fromUtf16(names[i]);
        }
        rows_ = notebook::StationElevations(table, district_.get());
    }
    void TearDown() override { platform::SetActivePrompt(nullptr); }

    std::optional<Rows> Edit() { return notebook_ui::EditStationElevations(nullptr, rows_, district_.get()); }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& r : prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message)) texts << r.text;
        return texts;
    }

    platform::ScriptedPrompt prompt_;
    std::shared_ptr<platform::Database> district_;
    Rows rows_;
};

QString Text(QTableWidget* grid, int row, int column) { return grid->item(row, column)->text(); }

TEST_F(StationElevationEditorTest, AStationFoundTwiceWaitsUntilThePointIsChosen) {
    test::WhenShown([this](QWidget* editor) {
        auto* grid = test::Child<QTableWidget>(editor, "Fg1");
        EXPECT_EQ((QStringList{Text(grid, 0, 2), Text(grid, 0, 3), Text(grid, 1, 2), Text(grid, 1, 3), Text(grid, 2, 3)}),
                  (QStringList{u"10.250"_qs, u"読込み値"_qs, {}, u"読込み値選択"_qs, u"新　点"_qs}));

        test::WhenShown([](QWidget* chooser) { test::Click(chooser, "CANCEL"); });
        test::DoubleClickCell(grid, 1, 1);
        EXPECT_EQ(Text(grid, 1, 3), u"読込み値選択");  // nothing chosen yet

        test::WhenShown([this](QWidget* chooser) {
            auto* points = test::Child<QTableWidget>(chooser, "Fg1");
            ASSERT_EQ(points->rowCount(), 2);
            EXPECT_EQ((QStringList{Text(points, 0, 2), Text(points, 0, 3), Text(points, 0, 4), Text(points, 0, 5)}),
                      (QStringList{u"-1234.500"_qs, u"678.250"_qs, u"1.000"_qs, u"2023/11/02 08:30:00"_qs}));

            test::Click(chooser, "EDITEND");  // nothing checked: the user is asked to check one
            EXPECT_EQ(Messages(), QStringList{u"使用する点を選択ﾁｪｯｸして下さい。"_qs});
            EXPECT_TRUE(chooser->isVisible());

            test::ClickCell(points, 0, 1);
            test::ClickCell(points, 1, 1);  // the mark moves: one point only
            EXPECT_EQ(Text(points, 0, 1), QString());
            EXPECT_EQ(Text(points, 1, 1), u"○");
            test::Click(chooser, "EDITEND");
        });
        test::DoubleClickCell(grid, 1, 3);
        EXPECT_EQ(Text(grid, 1, 2), u"2.000");
        EXPECT_EQ(Text(grid, 1, 3), u"読込み値");
        test::Click(editor, "EDITEND");
    });
    const std::optional<Rows> confirmed = Edit();
    ASSERT_TRUE(confirmed);
    ASSERT_EQ(confirmed->size(), 3u);
    EXPECT_EQ((*confirmed)[1].elevation, u"2.000");
    EXPECT_EQ((*confirmed)[1].lookUpCode, -3);  // the point chosen
    EXPECT_EQ((*confirmed)[0].lookUpCode, -1);
    EXPECT_EQ((*confirmed)[2].comment, u"新　点");
}

TEST_F(StationElevationEditorTest, TypedElevationsRoundAndANonNumberIsRefused) {
    test::WhenShown([this](QWidget* editor) {
        auto* grid = test::Child<QTableWidget>(editor, "Fg1");
        auto* text = test::Child<QLineEdit>(editor, "Text1");
        grid->setCurrentCell(0, 2);
        ASSERT_TRUE(text->isVisible());
        EXPECT_EQ(text->text(), u"10.250");
        QTest::keyClicks(text, u"12.3456"_qs);  // replaces the selected value
        QTest::keyClick(text, Qt::Key_Return);
        EXPECT_EQ(Text(grid, 0, 2), u"12.346");
        EXPECT_EQ(grid->currentRow(), 1);  // Enter goes on to the next station

        QTest::keyClicks(text, u"abc"_qs);
        QTest::keyClick(text, Qt::Key_Return);
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_TRUE(Messages()[0].startsWith(u"「abc」は数値ではありません。")) << Messages()[0].toStdString();
        EXPECT_EQ(Text(grid, 1, 2), QString());  // not zero
        EXPECT_TRUE(text->isVisible());          // the text stays to be put right

        text->setText(u"-3.0005"_qs);
        grid->setCurrentCell(2, 2);  // leaving the cell writes it back
        EXPECT_EQ(Text(grid, 1, 2), u"-3.001");
        QTest::keyClicks(text, u"9"_qs);
        QTest::keyClick(text, Qt::Key_Escape);  // drops the typing, keeps the dialog
        EXPECT_FALSE(text->isVisible());
        EXPECT_EQ(Text(grid, 2, 2), QString());
        EXPECT_TRUE(editor->isVisible());
        test::Click(editor, "EDITEND");
    });
    const std::optional<Rows> confirmed = Edit();
    ASSERT_TRUE(confirmed);
    EXPECT_EQ((*confirmed)[0].elevation, u"12.346");
    EXPECT_EQ((*confirmed)[1].elevation, u"-3.001");
    EXPECT_EQ((*confirmed)[2].elevation, QString());
}

// Cancelling writes no heights back: whatever was typed is dropped.
TEST_F(StationElevationEditorTest, CancelAndClosingReturnNothing) {
    const auto typeThen = [](std::function<void(QWidget*)> end) {
        test::WhenShown([end](QWidget* editor) {
            test::Child<QTableWidget>(editor, "Fg1")->setCurrentCell(2, 2);
            auto* text = test::Child<QLineEdit>(editor, "Text1");
            QTest::keyClicks(text, u"5"_qs);
            QTest::keyClick(text, Qt::Key_Return);
            end(editor);
        });
    };
    typeThen([](QWidget* editor) { test::Click(editor, "EDITCANCEL"); });
    EXPECT_FALSE(Edit());
    typeThen([](QWidget* editor) { editor->close(); });
    EXPECT_FALSE(Edit());
}

}  // namespace
