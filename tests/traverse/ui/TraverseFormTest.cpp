// Traverse creation from the print form's notebook, driven by control names: the grid, the
// selection checks, the conditions dialog, the same-name chooser and the hand-over.

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

#include "calcstore/clsConvert2.h"
#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/CodePage.h"
#include "platform/Database.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Settings.h"
#include "platform/TextFile.h"
#include "support/TestEnvironment.h"
#include "support/TraverseFieldBook.h"
#include "traverse/ui/frmPRINTINP.h"
#include "traverse/ui/frmPRINTINPSUB.h"
#include "trevanto/DemoDistrict.h"

namespace {

using platform::PromptAnswer;
using platform::PromptIcon;

// The host: keeps what it is handed, and stores it or not as told.
class Host : public calcstore::clsConvert2Events {
  public:
    explicit Host(calcstore::clsConvert2& handOff) : handOff_(handOff) {}
    void RefreshRegion(qint32) override {}
    void ProgramEnd() override {}
    void SaveStart(bool& saveOk) override {
        ++saves;
        calcNo = handOff_.CalcNo();
        points.clear();
        for (int i = 1; i <= handOff_.ZahyouCount(); ++i) {
            const calcstore::clsCoord& p = handOff_.ItemZahyou(i);
            points << p.TenName() + u'=' + QString::number(p.ID());
        }
        rows = handOff_.GetElements().Rows();
        saveOk = store;
    }
    bool store = true;
    int saves = 0;
    qint32 calcNo = 0;
    QStringList points;
    int rows = 0;

  private:
    calcstore::clsConvert2& handOff_;
};

class Chooser : public calcstore::CalcNameChooser {
  public:
    std::optional<calcstore::CalcEntryChoice> Choose(const QString& defaultName, qint32,
                                                     const calcstore::RegionRefresh&) override {
        return calcstore::CalcEntryChoice{defaultName, 0};
    }
};

class TraverseFormTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::NewFolder(QStringLiteral("traverse"));
        platform::SettingsStore::SetUserStorePath(folder_ + QStringLiteral("/Brandel.ini"));
        platform::SetActivePrompt(&prompt_);
        const QStringList lines = platform::SplitLines(platform::cp932::Decode(test::ClosedTraverseFieldBook()));
        ASSERT_TRUE(notebook::BuildObservationNotebook(lines, {}, folder_));
        district_ = trevanto_host::EnsureDemoDistrict(folder_);
        handOff_.SetEvents(&host_);
        handOff_.SetCalcNameChooser(std::make_unique<Chooser>());
        form_ = std::make_unique<traverse_ui::frmPRINTINP>(
            traverse_ui::TraverseContext{folder_ + u'/' + notebook::kNotebookFileName, district_, QStringLiteral("loop.APA")},
            handOff_, prompt_, platform::SettingsStore::User());
        grid_ = test::Child<QTableWidget>(form_.get(), "Fg1");
    }
    void TearDown() override { platform::SetActivePrompt(nullptr); }

    void Check(std::initializer_list<int> rows) {
        for (int row : rows) test::ClickCell(grid_, row, 0);
    }
    // Answers the conditions dialog with the type `type` (1 to 6), or cancels it (0).
    static void AnswerConditions(int type, std::function<void()> then = {}) {
        test::WhenShown([type, then](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("トラバーファイル作成の条件設定"));
            if (type == 0) {
                test::Click(dialog, "CANCEL");
                return;
            }
            test::Child<QRadioButton>(dialog, ("optType_" + std::to_string(type)).c_str())->click();
            if (then) then();
            test::Click(dialog, "EDITEND");
        });
    }
    QString StoredOptions() const {
        return platform::SettingsStore::User().Peek(traverse_ui::kOptionsSection, traverse_ui::kOptionsKey);
    }

    QString folder_, district_;
    platform::ScriptedPrompt prompt_;
    calcstore::clsConvert2 handOff_;
    Host host_{handOff_};
    std::unique_ptr<traverse_ui::frmPRINTINP> form_;
    QTableWidget* grid_ = nullptr;
};

TEST_F(TraverseFormTest, GridListsEveryTargetAndClicksToggleItsCheck) {
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("トラバ－ス計算入力データ作成"));
    ASSERT_EQ(grid_->rowCount(), 9);
    EXPECT_EQ(grid_->horizontalHeaderItem(2)->text(), QStringLiteral("観 測 点 名"));
    EXPECT_EQ(grid_->item(4, 2)->text(), QStringLiteral("T2"));
    EXPECT_EQ(grid_->item(4, 3)->text(), QStringLiteral("杭1"));
    EXPECT_EQ(grid_->item(4, 4)->text(), QStringLiteral("23.456"));
    Check({1, 3, 3, 4});
    EXPECT_EQ(form_->CheckedCount(), 2);
    EXPECT_EQ(grid_->item(1, 1)->text(), QStringLiteral("○"));
    EXPECT_EQ(grid_->item(3, 1)->text(), QString());
    test::Click(form_.get(), "SelectAllOn");
    EXPECT_EQ(form_->CheckedCount(), 9);
    EXPECT_EQ(test::Child<QLabel>(form_.get(), "lblCount")->text(), QStringLiteral("選択 9 / 9"));
    test::Click(form_.get(), "SelectAllOf");
    EXPECT_EQ(form_->CheckedCount(), 0);
}

// Two rows ask whether to go on selecting: yes keeps the form, no closes it; nothing is handed.
TEST_F(TraverseFormTest, TwoRowsAskToGoOn) {
    Check({1, 3});
    prompt_.AnswerMessage(PromptAnswer::Yes);
    test::Click(form_.get(), "SelectSave");
    ASSERT_EQ(prompt_.Records().size(), 1);
    const auto& asked = prompt_.Records().front();
    EXPECT_EQ(asked.text, QStringLiteral("3点以上の測点を選択してください。\n選択処理を続行しますか？"));
    EXPECT_EQ(asked.title, QStringLiteral("測点選択の確認"));
    EXPECT_EQ(asked.icon, PromptIcon::Exclamation);
    EXPECT_EQ(form_->result(), QDialog::Rejected);
    form_->show();
    prompt_.AnswerMessage(PromptAnswer::No);
    test::Click(form_.get(), "SelectSave");
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(host_.saves, 0);
}

// Three rows pass; the conditions choose the closed traverse; the name held by two district
// points is settled in the chooser; the host gets every point once.
TEST_F(TraverseFormTest, ThreeRowsRegisterAClosedTraverse) {
    platform::Database::Open(district_)->Execute(
        QStringLiteral("INSERT INTO COORD (Name, X, Y, Z, Memo, DELFLG) VALUES ('T2', 1, 2, 3, '', 0)"));
    Check({1, 3, 8});
    AnswerConditions(4, [] {
        test::WhenShown([](QWidget* chooser) {
            EXPECT_EQ(chooser->objectName(), QStringLiteral("frmPRINTINP1"));
            test::ClickCell(test::Child<QTableWidget>(chooser, "Fg1"), 0, 1);
            test::Click(chooser, "EDITEND");
        });
    });
    test::Click(form_.get(), "SelectSave");
    EXPECT_EQ(prompt_.Unanswered(), 0);
    EXPECT_EQ(host_.saves, 1);
    EXPECT_EQ(host_.calcNo, 7);
    EXPECT_EQ(host_.points, (QStringList{QStringLiteral("T1=1"), QStringLiteral("T4=4"), QStringLiteral("T2=2"),
                                         QStringLiteral("N1=-1")}));
    EXPECT_EQ(host_.rows, 3);
    EXPECT_EQ(StoredOptions(), QStringLiteral("TRAV1421"));
    EXPECT_EQ(test::Child<QLabel>(form_.get(), "lblStatus")->text(), QStringLiteral("登録しました: 閉合トラバー"));
    EXPECT_EQ(handOff_.ZahyouCount(), 0);  // cleared for the next one
}

TEST_F(TraverseFormTest, CancelledConditionsHandNothingAndRepairTheStoredText) {
    platform::SettingsStore::User().Save(traverse_ui::kOptionsSection, traverse_ui::kOptionsKey, QStringLiteral("X4"));
    Check({1, 3, 4});
    test::WhenShown([](QWidget* dialog) {
        EXPECT_TRUE(test::Child<QRadioButton>(dialog, "optType_1")->isChecked());
        EXPECT_TRUE(test::Child<QRadioButton>(dialog, "optOverwrite_1")->isChecked());
        EXPECT_TRUE(test::Child<QRadioButton>(dialog, "optElevation_2")->isChecked());
        test::Click(dialog, "CANCEL");
    });
    test::Click(form_.get(), "SelectSave");
    EXPECT_EQ(host_.saves, 0);
    EXPECT_EQ(StoredOptions(), QStringLiteral("TRAV1121"));
}

TEST_F(TraverseFormTest, RefusedStoreIsTold) {
    host_.store = false;
    Check({1, 3, 4});
    AnswerConditions(1);
    test::Click(form_.get(), "SelectSave");
    EXPECT_EQ(host_.saves, 1);
    ASSERT_EQ(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message).size(), 1);
    const auto told = prompt_.Records().back();
    EXPECT_EQ(told.text, QStringLiteral("登録に何らかのエラーが発生しました"));
    EXPECT_EQ(told.title, QStringLiteral("登録エラー"));
    EXPECT_EQ(told.icon, PromptIcon::Critical);
}

}  // namespace

namespace {

// A sighting without a name is a grid row of its own; registering it is refused after the
// conditions, and the host is handed nothing. 終了 closes the form.
TEST_F(TraverseFormTest, BlankNameIsRefusedAndTheFormCloses) {
    QByteArray book = test::ClosedTraverseFieldBook();
    book.replace("F,\x8d\x59\x31,", "F,,");  // 杭1 loses its name
    const QStringList lines = platform::SplitLines(platform::cp932::Decode(book));
    ASSERT_TRUE(notebook::BuildObservationNotebook(lines, {}, folder_));
    traverse_ui::frmPRINTINP form({folder_ + u'/' + notebook::kNotebookFileName, district_, {}}, handOff_, prompt_,
                                  platform::SettingsStore::User());
    auto* grid = test::Child<QTableWidget>(&form, "Fg1");
    ASSERT_EQ(grid->item(4, 3)->text(), QString());
    for (int row : {1, 3, 4}) test::ClickCell(grid, row, 0);
    AnswerConditions(1);
    test::Click(&form, "SelectSave");
    ASSERT_EQ(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::Message).size(), 1);
    const auto told = prompt_.Records().back();
    EXPECT_EQ(told.text, QStringLiteral("点名が空白のデータがあります。\n観測データ編集で点名を確認して下さい。"));
    EXPECT_EQ(told.title, QStringLiteral("点名エラー"));
    EXPECT_EQ(told.icon, PromptIcon::Critical);
    EXPECT_EQ(host_.saves, 0);
    form.show();
    test::Click(&form, "EDITEND");
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
