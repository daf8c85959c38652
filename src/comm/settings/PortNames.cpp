#include "comm/settings/PortNames.h"

#include <QFileInfo>

#include "platform/Settings.h"

namespace comm {

QString PortDevice(int port, platform::SettingsStore& store, const QString& devices) {
    const QString mapped =
        store.Peek(QStringLiteral("Trevanto\\Ports"), QStringLiteral("COM") + QString::number(port)).trimmed();
    if (!mapped.isEmpty()) return mapped;
    const QString usb = devices + QStringLiteral("/ttyUSB") + QString::number(port - 1);
    if (QFileInfo::exists(usb)) return usb;
    return devices + QStringLiteral("/ttyS") + QString::number(port - 1);
}

QString PortOpenFault(const QString& device, bool permission, bool exists) {
    if (!exists) return QStringLiteral("通信ポート ") + device + QStringLiteral(" がありません。");
    if (permission)
        return QStringLiteral("通信ポート ") + device +
               QStringLiteral(" を開く権限がありません（dialout グループに入ってください）。");
    return QStringLiteral("通信ポート ") + device + QStringLiteral(" を開けません。");
}

}  // namespace comm
