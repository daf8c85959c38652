#include "jobs/ImageFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace plotmere_app {

QString SavePng(const QImage& image, const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return path + QStringLiteral(" は普通のファイルではありません。");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return path + QStringLiteral(" に書けません: ") + file.errorString();
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return path + QStringLiteral(" に画像を書けません。");
    }
    if (!file.commit()) return path + QStringLiteral(" に書けません: ") + file.errorString();
    return {};
}

}  // namespace plotmere_app
