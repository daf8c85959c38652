// The distance-correction conditions as kept in the user's settings.

#include <gtest/gtest.h>

#include "notebook/CorrectionSettings.h"
#include "support/QtPrinters.h"

namespace {

TEST(CorrectionSettingsTest, ATextWithoutItsCommasIsRepairedToTheDefault) {
    EXPECT_EQ(notebook::RepairedPrintHsub(u"1111"_qs), u"1111,,1.000000");
    EXPECT_EQ(notebook::RepairedPrintHsub(QString()), u"1111,,1.000000");
    EXPECT_EQ(notebook::RepairedPrintHsub(u"1,2,3"_qs), u"1111,,1.000000");  // its commas come too early
    EXPECT_EQ(notebook::RepairedPrintHsub(u"2111,,0.999900"_qs), u"2111,,0.999900");
    EXPECT_EQ(notebook::RepairedPrintHsub(u"1111,"_qs), u"1111,,1.000000");
    EXPECT_EQ(notebook::RepairedPrintHsub(u"11111,"_qs), u"11111,");
}

TEST(CorrectionSettingsTest, ConditionsFromTheText) {
    const notebook::CorrectionConditions computed = notebook::ConditionsOf(u"2111,5,0.999900"_qs);
    EXPECT_EQ(computed.elevationSource, notebook::ElevationSource::Computed);
    EXPECT_DOUBLE_EQ(computed.scaleFactor, 0.9999);
    const notebook::CorrectionConditions registered = notebook::ConditionsOf(u"1111,,x"_qs);
    EXPECT_EQ(registered.elevationSource, notebook::ElevationSource::Registered);
    EXPECT_DOUBLE_EQ(registered.scaleFactor, 1.0);  // no number: the plane's own scale
    EXPECT_DOUBLE_EQ(notebook::ConditionsOf(u"1111,,-2"_qs).scaleFactor, 1.0);
    EXPECT_TRUE(registered.scaleCorrection);
    EXPECT_FALSE(registered.elevationWhenUnknown);
    const notebook::CorrectionConditions chosen = notebook::ConditionsOf(u"1212,35.5,0.9999"_qs);
    EXPECT_EQ(chosen.elevationWhenUnknown, 35.5);
    EXPECT_FALSE(chosen.scaleCorrection);
    EXPECT_FALSE(notebook::ConditionsOf(u"1211,,0.9999"_qs).elevationWhenUnknown);  // chosen, not given
    EXPECT_FALSE(notebook::ConditionsOf(u"1111,35.5,0.9999"_qs).elevationWhenUnknown);  // given, not chosen
}

// The dialog rewrites one part at a time; its own test drives the common texts. Here: a
// comma typed into a value, and texts the repair lets through though short of parts or digits.
TEST(CorrectionSettingsTest, OnePartRewrittenTheOthersKept) {
    EXPECT_EQ(notebook::WithValue(u"1211,3.5,0.999900"_qs, notebook::ConditionValue::ScaleFactor, u"1,0"_qs),
              u"1211,3.5,10");  // a comma would add a part
    EXPECT_EQ(notebook::ChoiceOf(u"12,45,1"_qs, 3), 0);
    EXPECT_EQ(notebook::WithChoice(u"12,45,1"_qs, 4, 2), u"1212,45,1");
    EXPECT_EQ(notebook::ValueOf(u"11111,"_qs, notebook::ConditionValue::ScaleFactor), QString());
    EXPECT_EQ(notebook::WithValue(u"11111,"_qs, notebook::ConditionValue::ScaleFactor, u"1.5"_qs),
              u"11111,,1.5");
    EXPECT_EQ(notebook::ChoiceOf(u"1x11,,1"_qs, 2), 0);
}

}  // namespace
