// Test entry: an offscreen application whose work, settings and runtime folders are
// private to the process, so tests never touch the user's files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include "platform/Settings.h"
#include "support/TestEnvironment.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString root = test::Root();
    const QString runtime = root + QStringLiteral("/run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("TREVANTO_HOME", (root + QStringLiteral("/home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    qunsetenv("VISUAL");
    qunsetenv("EDITOR");
    platform::SettingsStore::SetUserStorePath(root + QStringLiteral("/config/Brandel.ini"));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
