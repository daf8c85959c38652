#include "host/MenuStatus.h"

namespace host {

MenuStatus ComputeMenuStatus(const QString& format, const QString& tsType) {
    MenuStatus status{};
    const bool all = format == QStringLiteral("*");
    if (all) {
        status.formatLabel = QStringLiteral(" すべて ");
    } else if (tsType == QStringLiteral("APA") && format == QStringLiteral("APA")) {
        status.formatLabel = format + QStringLiteral("･ACK/ANKなし");
    } else {
        status.formatLabel = u' ' + tsType + QStringLiteral("･") + format;
    }
    status.editAllEnabled = all;
    status.editOwnEnabled = !all && format != QStringLiteral("APA");
    status.convertEnabled = format != QStringLiteral("APA");
    return status;
}

QString WrapDataPath(const QString& dataPath) {
    if (dataPath.size() <= 16) return dataPath;
    return dataPath.left(16) + u'\n' + dataPath.mid(16);
}

bool CanSendCoordinates(const QString& format) {
    return format != QStringLiteral("DR2") && format != QStringLiteral("3PD") &&
           format != QStringLiteral("*");
}

}  // namespace host

namespace host {

QString MenuTitle(const QString& regName) {
    return QStringLiteral("ﾄｰﾀﾙｽﾃｰｼｮﾝﾃﾞｰﾀ処理ｼｽﾃﾑﾒﾆｭ-") + QStringLiteral(" -地区名(") + regName +
           u')';
}

}  // namespace host
