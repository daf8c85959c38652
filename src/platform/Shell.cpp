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

// The Exec line of a desktop entry, searched where the desktop keeps them.
QString DesktopEntryExec(const QString& desktopId) {
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5);
    }
    return {};
}

QString DesktopDefaultEditor(const QString& workFile) {
    QString mime = RunQuery({QStringLiteral("query"), QStringLiteral("filetype"), workFile});
    if (mime.isEmpty()) mime = QStringLiteral("text/plain");
    const QString desktopId = RunQuery({QStringLiteral("query"), QStringLiteral("default"), mime});
    if (desktopId.isEmpty()) return {};
    QStringList arguments = DesktopExecArguments(DesktopEntryExec(desktopId));
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

SingleInstance::SingleInstance(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    path_ = WithTrailingSlash(folder) + name + QStringLiteral(".lock");
}

bool SingleInstance::Acquire() {
    if (lock_ && lock_->isLocked()) return true;
    lock_ = std::make_unique<QLockFile>(path_);
    lock_->setStaleLockTime(0);  // only a dead owner's lock is stale
    return lock_->tryLock(0);
}

}  // namespace platform
