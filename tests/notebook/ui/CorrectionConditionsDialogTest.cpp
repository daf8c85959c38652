// The distance-correction conditions dialog over the user's PrintHsub setting.

#include <QLineEdit>
#include <QRadioButton>

#include "notebook/ui/DialogDriver.h"
#include "notebook/ui/frmPRINTHSUB.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Settings.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

class CorrectionConditionsDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::SettingsStore::SetUserStorePath(test::NewFolder(QStringLiteral("conditions")) +
                                                  QStringLiteral("/Brandel.ini"));
        platform::SetActivePrompt(&prompt_);
    }
    void TearDown() override {
        EXPECT_TRUE(prompt_.Records().isEmpty());
        platform::SetActivePrompt(nullptr);
    }

    static void Store(const QString& text) {
        platform::SettingsStore::User().Save(u"Trevanto"_qs, u"PrintHsub"_qs, text);
    }
    static QString Stored() {
        return platform::SettingsStore::User().Peek(u"Trevanto"_qs, u"PrintHsub"_qs);
    }
    static QString TextOf(QWidget* dialog) {
        return qobject_cast<notebook_ui::frmPRINTHSUB*>(dialog)->Text();
    }

    platform::ScriptedPrompt prompt_;
};

TEST_F(CorrectionConditionsDialogTest, AStoredTextWithoutCommasIsReplacedAndSaved) {
    Store(u"1111"_qs);
    test::WhenShown([](QWidget* dialog) {
        EXPECT_EQ(Stored(), u"1111,,1.000000");  // saved as the dialog opens
        EXPECT_TRUE(test::Child<QRadioButton>(dialog, "Option1_0")->isChecked());
        EXPECT_EQ(test::Child<QLineEdit>(dialog, "Text2")->text(), u"1.000000");
        test::Click(dialog, "CANCEL");
    });
    EXPECT_FALSE(notebook_ui::EditCorrectionConditions(nullptr));
    EXPECT_EQ(Stored(), u"1111,,1.000000");
}

TEST_F(CorrectionConditionsDialogTest, EveryClickAndEditRewritesItsPart) {
    Store(u"1111,,1.000000"_qs);
    test::WhenShown([](QWidget* dialog) {
        auto* first = test::Child<QLineEdit>(dialog, "Text1");
        auto* scale = test::Child<QLineEdit>(dialog, "Text2");
        test::Click(dialog, "Option1_1");
        EXPECT_EQ(TextOf(dialog), u"2111,,1.000000");
        // The choice for stations without a registered elevation goes with the registered ones.
        EXPECT_FALSE(test::Child<QRadioButton>(dialog, "Option11_1")->isEnabled());
        EXPECT_FALSE(first->isEnabled());
        test::Click(dialog, "Option1_0");
        EXPECT_TRUE(first->isEnabled());
        test::Click(dialog, "Option11_1");
        QTest::keyClicks(first, u"1,5"_qs);  // no comma gets in to split the text
        EXPECT_EQ(TextOf(dialog), u"1211,15,1.000000");
        test::Click(dialog, "Option3_1");
        test::Click(dialog, "Option4_1");
        EXPECT_EQ(TextOf(dialog), u"1222,15,1.000000");
        EXPECT_FALSE(scale->isEnabled());
        test::Click(dialog, "Option4_0");
        scale->clear();
        QTest::keyClicks(scale, u"0.9999"_qs);
        EXPECT_EQ(TextOf(dialog), u"1221,15,0.9999");
        EXPECT_EQ(Stored(), u"1111,,1.000000");  // kept only on 設定終了
        test::Click(dialog, "EDITEND");
    });
    EXPECT_EQ(notebook_ui::EditCorrectionConditions(nullptr), u"1221,15,0.9999"_qs);
    EXPECT_EQ(Stored(), u"1221,15,0.9999");
}

TEST_F(CorrectionConditionsDialogTest, CancelLeavesTheSettingAndClosingKeepsTheChoice) {
    Store(u"2111,,0.999900"_qs);
    test::WhenShown([](QWidget* dialog) {
        test::Click(dialog, "Option1_0");
        test::Click(dialog, "CANCEL");
    });
    EXPECT_FALSE(notebook_ui::EditCorrectionConditions(nullptr));
    EXPECT_EQ(Stored(), u"2111,,0.999900");

    test::WhenShown([](QWidget* dialog) {
        test::Click(dialog, "Option3_1");
        dialog->close();
    });
    EXPECT_EQ(notebook_ui::EditCorrectionConditions(nullptr), u"2121,,0.999900"_qs);
    EXPECT_EQ(Stored(), u"2121,,0.999900");
}

}  // namespace
