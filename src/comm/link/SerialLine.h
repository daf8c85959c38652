#pragma once
// A serial port opened with the user's line settings: the device, "9600,n,8,1", flow
// control and the silence after which an exchange fails.

#include <QSerialPort>
#include <QStringList>
#include <functional>

namespace comm {

struct LinkSettings {
    QString device;
    QString line = QStringLiteral("9600,n,8,1");  // baud, parity n/e/o, data bits, stop bits
    int flowControl = 2;                          // 0 none, 2 hardware (RTS/CTS)
    int limitSeconds = 20;
};

// What is wrong with a line setting; empty when it is one.
QString LineSettingsFault(const QString& line);

// Fault codes of the line itself, beside the protocols' (1 time-out, 2 packet data, 3 no text).
inline constexpr int kLineGone = 4;  // the device went away or no longer reads
inline constexpr int kStopped = -1;  // the owner stopped the transfer

class SerialLine {
  public:
    // Opens the device with the settings; false with the reason (the device named, and the
    // dialout group for a permission fault). The settings are applied one by one: one the
    // device refuses (a pseudo-terminal takes no parity) is listed in Refused() and the
    // others still apply.
    bool Open(const LinkSettings& settings, QString& error);
    const QStringList& Refused() const { return refused_; }
    void Close() { port_.close(); }
    bool IsOpen() const { return port_.isOpen(); }
    QSerialPort& Port() { return port_; }
    // The device has gone (a USB adapter pulled, the simulator hung up) or no longer reads.
    bool Gone() const;
    int LimitMs() const { return limitMs_; }

    // Writes the frame and reads into `reply` until `complete` holds for it. Returns 0, 1
    // after a silence of the limit, kLineGone when the line goes away, kStopped when `stop`
    // (asked between reads; it may turn the event loop) holds.
    int Exchange(const QByteArray& frame, const std::function<bool(const QByteArray&)>& complete,
                 const std::function<bool()>& stop, QByteArray& reply);

  private:
    QSerialPort port_;
    int limitMs_ = 20000;
    QStringList refused_;
};

}  // namespace comm
