#include "platform/Folders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString WorkFolder() {
    QString folder = qEnvironmentVariable("TREVANTO_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/Brandel/Trevanto");
    folder = QDir::cleanPath(QDir(folder).absolutePath());
    QDir().mkpath(folder);
    return folder;
}

QString WithTrailingSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

}  // namespace platform
