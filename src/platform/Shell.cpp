#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/FileError.h"
#include "platform/Folders.h"
#include "platform/TextFile.h"

namespace platform {
namespace {

QString RunQuery(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdg-mime"), arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

struct DesktopEntry {
    QString exec;
    bool terminal = false;  // a program that needs a terminal to show anything
};

// The Exec and Terminal lines of a desktop entry, searched where the desktop keeps them.
DesktopEntry ReadDesktopEntry(const QString& desktopId) {
    DesktopEntry entry;
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return entry;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.startsWith(QStringLiteral("Exec=")))
            entry.exec = line.mid(5);
        else if (inEntry && line.startsWith(QStringLiteral("Terminal=")))
            entry.terminal = line.mid(9).trimmed() == QStringLiteral("true");
    }
    return entry;
}

QString DesktopDefaultEditor(const QString& workFile) {
    QString mime = RunQuery({QStringLiteral("query"), QStringLiteral("filetype"), workFile});
    if (mime.isEmpty()) mime = QStringLiteral("text/plain");
    const QString desktopId = RunQuery({QStringLiteral("query"), QStringLiteral("default"), mime});
    if (desktopId.isEmpty()) return {};
    const DesktopEntry entry = ReadDesktopEntry(desktopId);
    QStringList arguments = DesktopExecArguments(entry.exec);
    if (arguments.isEmpty()) return {};
    // Started without a terminal, a terminal program ends at once and shows nothing: it
    // runs in the desktop's terminal, or counts as no editor when there is none.
    if (entry.terminal) {
        const QString terminal =
            QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
        if (terminal.isEmpty()) return {};
        arguments = QStringList{terminal, QStringLiteral("-e")} + arguments;
    }
    for (QString& argument : arguments)  // kept whole when the command is split again
        if (argument.contains(u' ')) argument = u'"' + argument + u'"';
    return arguments.join(u' ');
}

}  // namespace

QStringList DesktopExecArguments(const QString& exec) {
    QStringList out;
    for (const QString& argument : QProcess::splitCommand(exec)) {
        if (argument.size() == 2 && argument[0] == u'%') continue;  // %f, %U, ...
        out.append(argument);
    }
    return out;
}

QString FindTextEditor(const QString& folder) {
    const QString workFile = WithTrailingSlash(folder) + QStringLiteral("TESTSURVEY.TXT");
    try {
        WriteTextLines(workFile, {QStringLiteral("作業用ﾌｧｲﾙ。")});
    } catch (const FileError&) {
        return {};
    }
    QString command = qEnvironmentVariable("VISUAL").trimmed();
    if (command.isEmpty()) command = qEnvironmentVariable("EDITOR").trimmed();
    if (command.isEmpty()) command = DesktopDefaultEditor(workFile);
    QFile::remove(workFile);
    return command.trimmed();
}

bool StartTextEditor(const QString& command, const QString& filePath) {
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty()) return false;
    const QString program = arguments.takeFirst();
    if (!filePath.isEmpty()) arguments.append(filePath);
    return QProcess::startDetached(program, arguments);
}

}  // namespace platform
