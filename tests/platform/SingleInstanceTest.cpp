#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/SingleInstance.h"
#include "platform/Translations.h"

TEST(SingleInstance, LaterStartAsksTheFirstToComeForward) {
    platform::SingleInstance first(QStringLiteral("instance-test"));
    ASSERT_TRUE(first.Acquire());
    int asked = 0;
    first.SetActivationHandler([&asked] { ++asked; });

    platform::SingleInstance later(QStringLiteral("instance-test"));
    EXPECT_FALSE(later.Acquire());
    EXPECT_TRUE(later.RequestActivation());
    QElapsedTimer timer;
    timer.start();
    while (asked == 0 && timer.elapsed() < 5000) QCoreApplication::processEvents();
    EXPECT_EQ(asked, 1);

    platform::SingleInstance nobody(QStringLiteral("instance-test-none"));
    EXPECT_FALSE(nobody.RequestActivation());
}

// Qt's own buttons and messages speak Japanese (qt6-translations-l10n is installed).
TEST(Translations, QtSpeaksJapanese) {
    ASSERT_TRUE(platform::InstallQtTranslations());
    EXPECT_TRUE(platform::InstallQtTranslations());  // once is enough
    EXPECT_NE(QCoreApplication::translate("QCommandLineParser", "Unknown option '%1'."),
              QStringLiteral("Unknown option '%1'."));
}
