#pragma once
// The device behind a port number of the settings (COM1 to COM9): the user's own mapping
// when there is one, else the first USB serial adapter's name for that number, else the
// built-in port's.

#include <QString>

namespace platform {
class SettingsStore;
}

namespace comm {

// Setting Trevanto/Ports/COMn when set; else /dev/ttyUSB(n-1) when that device exists;
// else /dev/ttyS(n-1). `devices` is the folder the devices live in (tests give another).
QString PortDevice(int port, platform::SettingsStore& store, const QString& devices = QStringLiteral("/dev"));

// What the user is told when the device cannot be opened: the device named, and for a
// permission fault the group that may use serial ports.
QString PortOpenFault(const QString& device, bool permission, bool exists);

}  // namespace comm
