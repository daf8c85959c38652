// The communication settings form by its control names: what it selects on opening, the
// maker's defaults, and the question on closing.

#include <QPushButton>
#include <QRadioButton>

#include "comm/ui/frmRSSET.h"
#include "notebook/ui/DialogDriver.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Settings.h"
#include "support/TestEnvironment.h"

namespace {

using platform::PromptAnswer;

class CommSettingsFormTest : public testing::Test {
  protected:
    void SetUp() override { store_ = std::make_unique<platform::SettingsStore>(test::NewFolder(QStringLiteral("rs")) + QStringLiteral("/Brandel.ini")); }

    std::unique_ptr<comm_ui::frmRSSET> Form(const QString& rsset, const QString& rsfuro,
                                            const QString& format = QStringLiteral("3GD"),
                                            const QString& maker = QStringLiteral("SOKKIA")) {
        return std::make_unique<comm_ui::frmRSSET>(comm_ui::CommSettingsContext{rsset, rsfuro, format, maker}, prompt_,
                                                   *store_);
    }
    static bool Checked(QWidget* form, const char* name) { return test::Child<QRadioButton>(form, name)->isChecked(); }
    QString Stored(const char* key) const { return store_->Peek(QStringLiteral("Trevanto"), QString::fromLatin1(key)); }

    platform::ScriptedPrompt prompt_;
    std::unique_ptr<platform::SettingsStore> store_;
};

TEST_F(CommSettingsFormTest, DefaultsSelectTheirButtonsAndClosingAsksNothing) {
    auto form = Form(QStringLiteral("9600,n,8,1,1"), QStringLiteral("2"));
    for (const char* name : {"Option1_3", "Option2_1", "Option3_1", "Option4_1", "Option5_1", "optFuro_1"})
        EXPECT_TRUE(Checked(form.get(), name)) << name;
    form->reject();
    EXPECT_TRUE(prompt_.Records().isEmpty());
    EXPECT_FALSE(form->Kept());
}

// 115200 is no choice: no baud button, and it stays unless the user picks one. Only the flow
// changed, and that alone is offered for saving.
TEST_F(CommSettingsFormTest, UnknownValueStaysAndFlowAloneIsAChange) {
    auto form = Form(QStringLiteral("115200,n,8,1,2"), QStringLiteral("2"));
    for (int row = 1; row <= 6; ++row)
        EXPECT_FALSE(Checked(form.get(), ("Option1_" + std::to_string(row)).c_str()));
    test::Child<QRadioButton>(form.get(), "optFuro_0")->click();
    prompt_.AnswerMessage(PromptAnswer::Yes);
    form->reject();
    ASSERT_EQ(prompt_.Records().size(), 1);
    EXPECT_EQ(Stored("RSset"), QStringLiteral("115200,n,8,1,2"));
    EXPECT_EQ(Stored("RSFuro"), QStringLiteral("0"));
    ASSERT_TRUE(form->Kept());
}

// Four fields leave the port empty; closing writes the empty field, which is a change.
// Answering no keeps the store as it was.
TEST_F(CommSettingsFormTest, MissingPortIsOfferedAndNoDiscards) {
    auto form = Form(QStringLiteral("9600,n,8,1"), QStringLiteral("2"));
    for (int row = 1; row <= 9; ++row) EXPECT_FALSE(Checked(form.get(), ("Option5_" + std::to_string(row)).c_str()));
    EXPECT_EQ(form->Settings().Text(), QStringLiteral("9600,n,8,1,"));
    prompt_.AnswerMessage(PromptAnswer::No);
    form->accept();
    EXPECT_EQ(prompt_.Records().size(), 1);
    EXPECT_FALSE(form->Kept());
    EXPECT_TRUE(Stored("RSset").isEmpty());
}

TEST_F(CommSettingsFormTest, MakerDefaultsForLeicaGsi) {
    auto form = Form(QStringLiteral("9600,n,8,1,3"), QStringLiteral("2"), QStringLiteral("GSI"), QStringLiteral("LEICA"));
    test::Child<QPushButton>(form.get(), "btnORGSET")->click();
    for (const char* name : {"Option1_5", "Option2_2", "Option3_2", "Option4_1", "Option5_3", "optFuro_0"})
        EXPECT_TRUE(Checked(form.get(), name)) << name;
    prompt_.AnswerMessage(PromptAnswer::Yes);
    form->reject();
    EXPECT_EQ(Stored("RSset"), QStringLiteral("2400,e,7,1,3"));
    EXPECT_EQ(Stored("RSFuro"), QStringLiteral("0"));
}

}  // namespace
