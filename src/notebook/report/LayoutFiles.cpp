#include "notebook/report/LayoutFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace notebook::report {

QString SizeDigits(double fontSize) {
    const double points = std::isfinite(fontSize) ? std::floor(fontSize) : 1.0;
    const int whole = static_cast<int>(std::clamp(points, 1.0, 99.0));
    return QStringLiteral("%1").arg(whole, 2, 10, QLatin1Char('0'));
}

QString LayoutFileName(double fontSize, Report report, bool openSpacing) {
    return QStringLiteral("s") + SizeDigits(fontSize) + QStringLiteral("p") +
           QString::number(static_cast<int>(report)) +
           (openSpacing ? QStringLiteral("b.rpt") : QStringLiteral(".rpt"));
}

QString LayoutFolder() {
    const QString chosen = qEnvironmentVariable("TREVANTO_REPORT_DIR");
    if (!chosen.isEmpty()) return QDir::cleanPath(chosen) + QLatin1Char('/');
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Report");
    // A program run from its build tree has no Report folder beside it.
    const QString folder =
        QFileInfo(beside).isDir() ? beside : QStringLiteral(TREVANTO_SOURCE_REPORTS);
    return QDir::cleanPath(folder) + QLatin1Char('/');
}

QString LayoutPath(double fontSize, Report report, bool openSpacing) {
    return LayoutFolder() + LayoutFileName(fontSize, report, openSpacing);
}

QString MissingLayoutMessage(const QString& path) {
    return QStringLiteral("レポートファイル (") + path + QStringLiteral(") が見つかりません");
}

}  // namespace notebook::report
