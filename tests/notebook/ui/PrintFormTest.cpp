// The print form on a machine without printers, driven by its control names: settings kept
// and restored, the questions and dialogs before each report, and the files it writes.

#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>

#include "notebook/NotebookDatabase.h"
#include "notebook/ObservationNotebook.h"
#include "notebook/ui/DialogDriver.h"
#include "notebook/ui/frmPRINT.h"
#include "platform/CodePage.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Settings.h"
#include "platform/TextFile.h"
#include "support/FieldBook.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

using platform::PromptAnswer;
using platform::PromptIcon;

const QString kHeightQuestion = QStringLiteral(" 高さ（標高）計算をしますか ？");

class PrintFormTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::NewFolder(QStringLiteral("print"));
        platform::SettingsStore::SetUserStorePath(folder_ + QStringLiteral("/Brandel.ini"));
        platform::SetActivePrompt(&prompt_);
        const QStringList lines =
            platform::SplitLines(platform::cp932::Decode(test::TwoSetFieldBook("ST1")));
        ASSERT_TRUE(notebook::BuildObservationNotebook(lines, {}, folder_));
    }
    void TearDown() override { platform::SetActivePrompt(nullptr); }

    std::unique_ptr<notebook_ui::frmPRINT> NewForm() {
        auto form = std::make_unique<notebook_ui::frmPRINT>(
            notebook_ui::PrintContext{folder_, QString(), QStringLiteral("地区"), std::nullopt, {}}, prompt_,
            platform::SettingsStore::User());
        return form;
    }
    QString Path(const char* name) const { return folder_ + u'/' + QLatin1String(name); }
    QString PageNumberOfFirstStation() const {
        auto db = platform::Database::Open(Path("SHUBO.MDB"));
        return db->OpenRecordset(QStringLiteral("SELECT FLD16 FROM HEDDER ORDER BY ID"))->Field(u"FLD16"_qs).toString();
    }

    QString folder_;
    platform::ScriptedPrompt prompt_;
};

TEST_F(PrintFormTest, WithoutPrintersThePreviewAndFilesRemainAndTheFormSaysWhy) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    notebook_ui::frmPRINT form({folder_, {}, {}, std::nullopt, {}}, prompt_, platform::SettingsStore::User());
    EXPECT_TRUE(prompt_.Records().isEmpty());
    for (int i = 0; i < 9; ++i) {
        auto* button = form.findChild<QPushButton*>(QStringLiteral("Command1_") + QString::number(i));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isEnabled(), i % 3 != 1) << i;
    }
    EXPECT_FALSE(test::Child<QLabel>(&form, "lblPrinterNote")->isHidden());
    EXPECT_FALSE(test::Child<QComboBox>(&form, "cmbPrinter")->isEnabled());
}

TEST_F(PrintFormTest, SavedSettingsComeBackAndTheResetOnlyShowsTheDefaults) {
    {
        auto form = NewForm();
        test::Child<QComboBox>(form.get(), "cmbFont")->setCurrentText(u"ＭＳ 明朝"_qs);
        test::Child<QComboBox>(form.get(), "cmbFontSize")->setCurrentText(u"10.5"_qs);
        test::Child<QComboBox>(form.get(), "cmbSpacing")->setCurrentIndex(1);
        test::Child<QComboBox>(form.get(), "cmbOrientation")->setCurrentIndex(0);
        auto* paper = test::Child<QComboBox>(form.get(), "cmbPaper");
        paper->setCurrentIndex(paper->findData(QPageSize(QPageSize::JisB5).windowsId()));
        test::Child<QSpinBox>(form.get(), "txtTop")->setValue(0);
        test::Child<QSpinBox>(form.get(), "txtRight")->setValue(25);
        test::Child<QSpinBox>(form.get(), "txtPageNumber")->setValue(12);
        test::Click(form.get(), "cmdSave");
    }
    const auto& store = platform::SettingsStore::User();
    EXPECT_EQ(store.Peek(u"Trevanto\\PrintCR"_qs, u"ﾌｫﾝﾄ番号"_qs), u"ＭＳ 明朝");
    EXPECT_EQ(store.Peek(u"Trevanto\\PrintCR"_qs, u"印字改行"_qs), u"空ける");
    EXPECT_EQ(store.Peek(u"Trevanto\\PrintCR"_qs, u"用紙ｻｲｽﾞ"_qs), u"13");  // JIS B5, as printer drivers number it

    auto form = NewForm();
    EXPECT_EQ(form->Settings().fontName, u"ＭＳ 明朝");
    EXPECT_EQ(form->Settings().fontSize, u"10.5");
    EXPECT_TRUE(form->Settings().openSpacing);
    EXPECT_EQ(form->Settings().orientation, notebook::report::kPortrait);
    EXPECT_EQ(test::Child<QComboBox>(form.get(), "cmbPaper")->currentData().toInt(),
              QPageSize(QPageSize::JisB5).windowsId());
    EXPECT_EQ(form->Settings().marginTop, 0);
    EXPECT_EQ(form->Settings().marginRight, 25);
    EXPECT_EQ(form->Settings().firstPage, 12);

    test::Click(form.get(), "cmdReset");
    EXPECT_EQ(form->Settings().fontName, u"ＭＳ ゴシック");
    EXPECT_EQ(form->Settings().marginTop, 10);
    EXPECT_EQ(form->Settings().firstPage, 1);
    EXPECT_EQ(store.Peek(u"Trevanto\\PrintCR"_qs, u"ページ番号"_qs), u"12");  // not saved by the reset
}

TEST_F(PrintFormTest, FileOutputCopiesTheTextNotebookOrWritesTheReport) {
    auto form = NewForm();
    test::Child<QSpinBox>(form.get(), "txtPageNumber")->setValue(7);
    for (const char* name : {"copy.txt", "report.PDF", "report.rtf"}) {
        prompt_.AnswerMessage(PromptAnswer::No);
        prompt_.ChooseFile(Path(name));
        test::Click(form.get(), "Command1_6");
    }
    prompt_.AnswerMessage(PromptAnswer::No);
    prompt_.CancelFile();
    test::Click(form.get(), "Command1_6");

    EXPECT_EQ(platform::ReadFileBytes(Path("copy.txt")), platform::ReadFileBytes(Path("SHUBO1.DAT")));
    EXPECT_TRUE(platform::ReadFileBytes(Path("report.PDF")).startsWith("%PDF-"));
    EXPECT_TRUE(platform::ReadFileBytes(Path("report.rtf")).startsWith("{\\rtf1"));
    EXPECT_EQ(PageNumberOfFirstStation(), u"7");
    const auto records = prompt_.Records();
    ASSERT_EQ(records.size(), 8);  // question and save dialog, four times, and nothing else
    EXPECT_EQ(records[0].text, kHeightQuestion);
    EXPECT_EQ(records[0].icon, PromptIcon::Question);
}

TEST_F(PrintFormTest, TheStationEditorWritesHeightsOnlyWhenConfirmed) {
    auto form = NewForm();
    auto db = platform::Database::Open(Path("SHUBO.MDB"));
    db->Execute(QStringLiteral("UPDATE \"テーブル4\" SET KIKAIH = '12.345' WHERE KIKAITEN = 'ST1'"));
    db.reset();
    const auto stationElevation = [this] {
        return platform::Database::Open(Path("SHUBO.MDB"))
            ->OpenRecordset(QStringLiteral("SELECT KIKAIH FROM \"テーブル4\" WHERE KIKAITEN = 'ST1'"))
            ->Field(u"KIKAIH"_qs)
            .toString();
    };
    for (const char* button : {"EDITCANCEL", "EDITEND"}) {
        prompt_.AnswerMessage(PromptAnswer::Yes);
        prompt_.CancelFile();
        test::WhenShown([button](QWidget* editor) {
            EXPECT_EQ(editor->windowTitle(), u"観測点の標高編集");
            test::Click(editor, button);
        });
        test::Click(form.get(), "Command1_3");
        // Cancelled, the old heights stay; confirmed, the editor's (a new point: none).
        EXPECT_EQ(stationElevation(), button == std::string("EDITEND") ? QString() : u"12.345"_qs) << button;
    }
}

TEST_F(PrintFormTest, CancelledConditionsStopReportOneBeforeAnyFile) {
    auto form = NewForm();
    test::WhenShown([](QWidget* conditions) { test::Click(conditions, "CANCEL"); });
    test::Click(form.get(), "Command1_0");
    EXPECT_TRUE(prompt_.Records().isEmpty());

    prompt_.ChooseFile(Path("sheet.pdf"));
    test::WhenShown([](QWidget* conditions) { test::Click(conditions, "EDITEND"); });
    test::Click(form.get(), "Command1_0");
    EXPECT_TRUE(platform::ReadFileBytes(Path("sheet.pdf")).startsWith("%PDF-"));
}

TEST_F(PrintFormTest, ThePreviewShowsTheReport) {
    auto form = NewForm();
    int pages = 0;
    QObject::connect(form.get(), &notebook_ui::frmPRINT::PreviewOpening, [&pages](QDialog* preview) {
        QTimer::singleShot(0, preview, [preview, &pages] {
            auto* widget = preview->findChild<QPrintPreviewWidget*>();
            ASSERT_NE(widget, nullptr);
            pages = widget->pageCount();
            preview->reject();
        });
    });
    prompt_.AnswerMessage(PromptAnswer::No);
    test::Click(form.get(), "Command1_8");
    EXPECT_EQ(pages, 1);
}

// The traverse button opens what the menu hands the form, over the form itself; without it
// the button stays disabled.
TEST_F(PrintFormTest, TraverseButtonOpensTraverseCreation) {
    auto without = NewForm();
    EXPECT_FALSE(test::Child<QPushButton>(without.get(), "cmdTraverse")->isEnabled());
    QWidget* opened = nullptr;
    notebook_ui::frmPRINT form({folder_, {}, {}, std::nullopt, [&](QWidget* parent) { opened = parent; }}, prompt_,
                               platform::SettingsStore::User());
    test::Child<QPushButton>(&form, "cmdTraverse")->click();
    EXPECT_EQ(opened, &form);
}

}  // namespace
