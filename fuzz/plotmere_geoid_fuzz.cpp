// Outside bytes of the control library: a geoid grid file given to the importer.

#include <QDir>
#include <QFile>
#include <QString>
#include <unistd.h>

#include "plotmere/geodesy/GeoidGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString folder = QDir::tempPath() + QStringLiteral("/plotmere-fuzz-") + QString::number(::getpid());
    static const bool made = QDir().mkpath(folder);
    if (!made) return 0;
    QFile file(folder + QStringLiteral("/grid.asc"));
    if (!file.open(QIODevice::WriteOnly)) return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    (void)plotmere::ImportGeoidGrid(file.fileName(), folder + QStringLiteral("/GeoidTbl.mdb"));
    return 0;
}
