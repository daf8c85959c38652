#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <stdexcept>

namespace test {

QString Root() {
    static QTemporaryDir dir;
    if (!dir.isValid()) throw std::runtime_error("no temporary folder");
    return dir.path();
}

QString NewFolder(const QString& name) {
    static std::atomic<int> counter{0};
    const QString path = Root() + QStringLiteral("/%1-%2").arg(name).arg(++counter);
    QDir().mkpath(path);
    return path;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace test
