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
}

}  // namespace
