#include "platform/Folders.h"

#include <QDir>
#include <QStandardPaths>

#include "platform/FileError.h"

namespace platform {

QString WorkFolder() {
    QString folder = qEnvironmentVariable("TREVANTO_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/Brandel/Trevanto");
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    if (!QDir().mkpath(folder))
        throw FileError(folder, QStringLiteral("作業フォルダーを作成できません。"));
    return folder;
}

QString WithTrailingSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

}  // namespace platform
