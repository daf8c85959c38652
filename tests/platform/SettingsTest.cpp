#include <gtest/gtest.h>

#include <QSettings>

#include "platform/FileError.h"
#include "platform/Settings.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

TEST(Settings, MissingOrEmptyValueGetsTheDefaultWrittenBack) {
    const QString path =
        test::NewFolder(QStringLiteral("settings")) + QStringLiteral("/Brandel.ini");
    platform::SettingsStore store(path);
    EXPECT_EQ(
        store.Get(QStringLiteral("Trevanto"), QStringLiteral("Format"), QStringLiteral("APA")),
        QStringLiteral("APA"));
    EXPECT_EQ(store.Peek(QStringLiteral("Trevanto"), QStringLiteral("Format")),
              QStringLiteral("APA"));

    store.Save(QStringLiteral("Trevanto"), QStringLiteral("RSset"), QString());
    EXPECT_EQ(store.Get(QStringLiteral("Trevanto"), QStringLiteral("RSset"),
                        QStringLiteral("9600,n,8,1,1")),
              QStringLiteral("9600,n,8,1,1"));
    EXPECT_EQ(
        platform::SettingsStore(path).Peek(QStringLiteral("Trevanto"), QStringLiteral("RSset")),
        QStringLiteral("9600,n,8,1,1"));

    store.Save(QStringLiteral("Trevanto"), QStringLiteral("TStype"), QStringLiteral("LEICA"));
    EXPECT_EQ(
        store.Get(QStringLiteral("Trevanto"), QStringLiteral("TStype"), QStringLiteral("SOKKIA")),
        QStringLiteral("LEICA"));
}

TEST(Settings, BackslashSectionIsANestedGroup) {
    const QString path =
        test::NewFolder(QStringLiteral("settings")) + QStringLiteral("/Brandel.ini");
    platform::SettingsStore store(path);
    store.Save(QStringLiteral("Trevanto\\PrintCR"), QStringLiteral("Font"),
               QStringLiteral("ＭＳ 明朝"));
    const QSettings raw(path, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Trevanto/PrintCR/Font")).toString(),
              QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(store.Peek(QStringLiteral("Trevanto\\PrintCR"), QStringLiteral("Font")),
              QStringLiteral("ＭＳ 明朝"));
}

// A value typed into the file by hand, commas and all, is the text it is.
TEST(Settings, HandWrittenValueWithCommasReadsAsWritten) {
    const QString folder = test::NewFolder(QStringLiteral("settings"));
    const QString path = folder + QStringLiteral("/Brandel.ini");
    test::WriteBytes(path,
                     "[Trevanto]\nRSset=4800,e,7,1,1\nPrintCR\\Margins=10, 20,30\n"
                     "Quoted=\"9600,n,8,1,1\"\n");
    platform::SettingsStore store(path);
    EXPECT_EQ(store.Get(QStringLiteral("Trevanto"), QStringLiteral("RSset"),
                        QStringLiteral("9600,n,8,1,1")),
              QStringLiteral("4800,e,7,1,1"));
    EXPECT_EQ(store.Peek(QStringLiteral("Trevanto\\PrintCR"), QStringLiteral("Margins")),
              QStringLiteral("10, 20,30"));
    EXPECT_EQ(store.Peek(QStringLiteral("Trevanto"), QStringLiteral("Quoted")),
              QStringLiteral("9600,n,8,1,1"));
    // Nothing was replaced by a default.
    EXPECT_TRUE(test::ReadBytes(path).contains("RSset=4800,e,7,1,1"));
}

// A line that does not read is no reason to refuse the value the user chose.
TEST(Settings, StoreWithALineThatDoesNotReadStillSaves) {
    const QString path =
        test::NewFolder(QStringLiteral("settings")) + QStringLiteral("/Brandel.ini");
    test::WriteBytes(path, "[Trevanto]\nRSR\\Pria, bR");
    platform::SettingsStore store(path);
    EXPECT_NO_THROW(
        store.Save(QStringLiteral("Trevanto"), QStringLiteral("Format"), QStringLiteral("GSI")));
    EXPECT_EQ(store.Peek(QStringLiteral("Trevanto"), QStringLiteral("Format")),
              QStringLiteral("GSI"));
}

TEST(Settings, StoreThatCannotBeWrittenSaysSo) {
    const QString folder = test::NewFolder(QStringLiteral("settings"));
    test::WriteBytes(folder + QStringLiteral("/file"), "x");
    platform::SettingsStore store(folder + QStringLiteral("/file/Brandel.ini"));
    EXPECT_THROW(
        store.Save(QStringLiteral("Trevanto"), QStringLiteral("Format"), QStringLiteral("GSI")),
        platform::FileError);
}
