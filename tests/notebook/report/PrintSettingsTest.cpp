// The print settings as the user keeps them: a store edited by hand or by an older program
// never gives a setting the print form does not offer. (The form's test saves and reads back.)

#include <gtest/gtest.h>

#include <tuple>

#include "notebook/report/PrintSettings.h"
#include "platform/Settings.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

using notebook::report::PrintSettings;
using notebook::report::ReadPrintSettings;

platform::SettingsStore NewStore() {
    return platform::SettingsStore(test::NewFolder(QStringLiteral("print-settings")) +
                                   QStringLiteral("/Brandel.ini"));
}

// Every setting, to compare two at once.
auto Fields(const PrintSettings& s) {
    return std::tie(s.fontName, s.fontSize, s.openSpacing, s.marginTop, s.marginBottom, s.marginLeft,
                    s.marginRight, s.paperSize, s.orientation, s.firstPage);
}

TEST(PrintSettingsTest, StoredValuesTheFormDoesNotOfferReadAsTheDefaults) {
    platform::SettingsStore store = NewStore();
    const auto put = [&store](const QString& key, const QString& value) {
        store.Save(notebook::report::kPrintSection, key, value);
    };
    put(notebook::report::kFontNameKey, QStringLiteral("Arial"));
    put(notebook::report::kFontSizeKey, QStringLiteral("13"));
    put(notebook::report::kLineSpacingKey, QStringLiteral("広い"));
    put(notebook::report::kTopMarginKey, QStringLiteral("-1"));
    put(notebook::report::kBottomMarginKey, QStringLiteral("100"));
    put(notebook::report::kLeftMarginKey, QStringLiteral("7.5"));
    put(notebook::report::kRightMarginKey, QStringLiteral("十"));
    put(notebook::report::kPaperSizeKey, QStringLiteral("A4"));
    put(notebook::report::kOrientationKey, QStringLiteral("3"));
    put(notebook::report::kPageNumberKey, QStringLiteral("0"));
    const PrintSettings offered = ReadPrintSettings(store), defaults;
    EXPECT_EQ(Fields(offered), Fields(defaults));

    // Blanks round a value typed by hand do not spoil it.
    put(notebook::report::kFontSizeKey, QStringLiteral(" 12 "));
    put(notebook::report::kTopMarginKey, QStringLiteral(" 3"));
    put(notebook::report::kPageNumberKey, QStringLiteral("100000"));
    const PrintSettings read = ReadPrintSettings(store);
    EXPECT_EQ(read.fontSize, QStringLiteral("12"));
    EXPECT_EQ(read.marginTop, 3);
    EXPECT_EQ(read.firstPage, 1);
}

}  // namespace
