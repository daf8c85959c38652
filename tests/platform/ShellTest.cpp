#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "platform/ui/QtPrompt.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

// An editor that writes how many arguments it got and the first one.
QString RecordingEditor(const QString& folder) {
    const QString script = folder + QStringLiteral("/editor.sh");
    test::WriteBytes(
        script,
        "#!/bin/sh\nprintf '%s\\n%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/args.tmp\"\n"
        "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n");
    QFile::setPermissions(script,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return script;
}

QByteArray WaitForFile(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(path) && timer.elapsed() < 10000) QThread::msleep(20);
    return test::ReadBytes(path);
}

}  // namespace

TEST(Shell, EditorFromTheEnvironmentGetsThePathAsOneArgument) {
    const QString folder = test::NewFolder(QStringLiteral("shell"));
    qputenv("VISUAL", RecordingEditor(folder).toUtf8());
    const QString editor = platform::FindTextEditor(folder);
    qunsetenv("VISUAL");
    EXPECT_EQ(editor, folder + QStringLiteral("/editor.sh"));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/TESTSURVEY.TXT")));  // work file removed

    const QString awkward = folder + QStringLiteral("/現場 \"1\"; rm -rf x.APA");
    ASSERT_TRUE(platform::StartTextEditor(editor, awkward));
    EXPECT_EQ(WaitForFile(folder + QStringLiteral("/args.txt")), "1\n" + awkward.toUtf8() + "\n");
}

TEST(Shell, NoEditorWhenTheWorkFileCannotBeWritten) {
    qputenv("VISUAL", "/bin/true");
    EXPECT_EQ(platform::FindTextEditor(QStringLiteral("/nonexistent/folder")), QString());
    qunsetenv("VISUAL");
}

// A terminal program as the desktop's editor would end at once without a terminal: it
// runs in the desktop's terminal, or there is no editor to offer.
TEST(Shell, TerminalEditorOfTheDesktopRunsInATerminal) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        GTEST_SKIP() << "xdg-mime is not installed";
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    test::WriteBytes(data + QStringLiteral("/applications/termedit.desktop"),
                     "[Desktop Entry]\nType=Application\nName=termedit\nExec=termedit %F\n"
                     "Terminal=true\nMimeType=text/plain;\n");
    test::WriteBytes(config + QStringLiteral("/mimeapps.list"),
                     "[Default Applications]\ntext/plain=termedit.desktop\n");
    const QString bin = test::NewFolder(QStringLiteral("bin"));
    const QString terminal = bin + QStringLiteral("/x-terminal-emulator");
    test::WriteBytes(terminal, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(terminal,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    const QString folder = test::NewFolder(QStringLiteral("shell"));

    qputenv("PATH", bin.toUtf8() + ':' + path);
    EXPECT_EQ(platform::FindTextEditor(folder), terminal + QStringLiteral(" -e termedit"));
    qputenv("PATH", bin.toUtf8() + QByteArray("-none:/usr/bin:/bin"));
    const bool desktopTerminal =
        !QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator")).isEmpty();
    const QString without = platform::FindTextEditor(folder);
    qputenv("PATH", path);
    QFile::remove(config + QStringLiteral("/mimeapps.list"));
    if (!desktopTerminal) {
        EXPECT_EQ(without, QString());
    }
}

TEST(Shell, DesktopExecLinesDropFieldCodes) {
    EXPECT_EQ(platform::DesktopExecArguments(QStringLiteral("gedit %U")),
              QStringList{QStringLiteral("gedit")});
    EXPECT_EQ(
        platform::DesktopExecArguments(QStringLiteral("\"/opt/my editor/bin\" --new-window %f")),
        (QStringList{QStringLiteral("/opt/my editor/bin"), QStringLiteral("--new-window")}));
}

TEST(Prompt, FilterStringsBecomeQtFilters) {
    const QString filter = QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.APA)|*.APA|すべてのﾌｧｲﾙ (*.*)|*.*|");
    const auto pairs = platform::FilterPairs(filter);
    ASSERT_EQ(pairs.size(), 2);
    EXPECT_EQ(pairs[0].second, QStringLiteral("*.APA"));
    EXPECT_EQ(platform::QtFileFilter(filter),
              QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.APA);;すべてのﾌｧｲﾙ (*.*)"));
    EXPECT_EQ(platform::QtFileFilter(QStringLiteral("SIMA|*.sim;*.SIM|")),
              QStringLiteral("SIMA (*.sim *.SIM)"));
}
