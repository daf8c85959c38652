#pragma once
// The communication control: one object the transfer form and the command line drive. It
// holds the link's properties (recorder type, line settings, port, limit, flow control,
// handshaking), runs the chosen recorder type's transfer protocol over the serial line, and
// exchanges single frames with a card reader in direct mode.
//
// Receiving runs from the event loop: StartReceive returns at once and the blocks and faults
// arrive as signals on the thread that owns the control. Sending and exchanging block until
// they end, but keep the event loop turning so that a cancel button stays live; StopLink from
// a slot ends them.

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "comm/link/LineTransfer.h"
#include "comm/link/SerialLine.h"
#include "comm/protocol/Protocol.h"

namespace comm {

class AsyncReceive;

class CommControl : public QObject {
    Q_OBJECT
  public:
    // `portDevice` names the device of a port number (the user's mapping, else the system's).
    explicit CommControl(std::function<QString(int port)> portDevice, QObject* parent = nullptr);
    ~CommControl() override;

    // The recorder types, named by their format codes; indexes count from 1.
    int RecorderCount() const;
    QString RecorderName(int index) const;  // empty outside 1..RecorderCount
    int RecorderIndex() const { return recorderIndex_; }
    void SetRecorderIndex(int index);

    // "9600,n,8,1": baud, parity n/e/o, data bits, stop bits.
    const QString& Settings() const { return settings_; }
    void SetSettings(const QString& settings) { settings_ = settings; }
    // Port 1 to 9; its device is `portDevice`'s unless Device names one outright.
    int CommPort() const { return commPort_; }
    void SetCommPort(int port) { commPort_ = port; }
    // Seconds of silence, once a transfer has begun, after which it fails with a time-out
    // (or, for GSI without requests, ends normally).
    int Limit() const { return limit_; }
    void SetLimit(int seconds) { limit_ = qMax(1, seconds); }
    // 0 none, 2 hardware (RTS/CTS).
    int FlowControl() const { return flowControl_; }
    void SetFlowControl(int flow) { flowControl_ = flow; }
    // ACK/NAK per block where the recorder type has it.
    bool handshaking() const { return handshaking_; }
    void SetHandshaking(bool on) { handshaking_ = on; }
    // GSI: the older instruments' request protocol ("?" after each block).
    bool Request() const { return request_; }
    void SetRequest(bool on) { request_ = on; }
    // Seconds a receive waits for its first byte, while the user starts the instrument;
    // 0 waits until StopLink.
    int FirstWait() const { return firstWait_; }
    void SetFirstWait(int seconds) { firstWait_ = seconds; }
    // A device named outright (the command line's --port) instead of the port's.
    void SetDevice(const QString& device) { device_ = device; }
    QString Device() const;

    // Ends whatever ran and opens the line afresh with the properties. False when the device
    // cannot be opened or the settings are not line settings: OpenError says why.
    bool ResetLink();
    const QString& OpenError() const { return openError_; }
    // The settings the device refused on the last open (a pseudo-terminal takes no parity);
    // the others apply and the transfer goes on.
    const QStringList& Refused() const { return line_.Refused(); }

    // Starts listening with the recorder type's protocol and returns at once; DataReceived
    // and CommError follow. False (nothing follows) when the line cannot be opened.
    bool StartReceive();
    // Sends with the recorder type's protocol, raising DataRequest for every line until a
    // handler calls StopLink (which there means "no more lines": the protocol still ends the
    // transfer), and returns when the transfer has ended. True when it ended
    // normally; false after CommError, after a cancel, or when the line cannot be opened.
    bool StartSend();
    // Ends or aborts a transfer and closes the line.
    void StopLink();
    // True since StopLink, until the next ResetLink.
    bool Stopped() const { return stopped_; }

    // On before a card-reader dialogue, off after it: while on, a running receive stops
    // listening and replies are Exchange's.
    void DirectMode(bool on);
    bool InDirectMode() const { return direct_; }
    // Sends a card-reader frame and waits for the reply frame (its ETX and two check
    // characters). Returns 0, or 1 for a time-out, kLineGone for a line that went away,
    // kStopped after StopLink.
    int Exchange(const QByteArray& frame, QByteArray& reply);

    // The link's text is CP932.
    static QString BytesToText(const QByteArray& bytes);
    static QByteArray TextToBytes(const QString& text);

  signals:
    // A received block as its bytes came; after the block with `last` set nothing follows.
    void DataReceived(const QByteArray& data, bool last);
    // Asks for the next line to send; the handler fills `data` (connect directly).
    void DataRequest(QByteArray& data);
    // The transfer failed: 1 time-out, 2 packet data error, 3 no text, else a line fault.
    void CommError(int code);

  private:
    bool EnsureOpen();
    protocol::LinkOptions Options() const;
    // Turns the event loop once; true when StopLink came.
    bool Pump();
    // Lets the last acknowledgement leave, then closes the line.
    void CloseLine();

    std::function<QString(int)> portDevice_;
    int recorderIndex_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    int commPort_ = 1;
    int limit_ = 20;
    int flowControl_ = 2;
    bool handshaking_ = true;
    bool request_ = false;
    int firstWait_ = 0;
    QString device_;
    QString openError_;
    bool stopped_ = false;
    bool direct_ = false;
    bool requesting_ = false;  // inside a DataRequest handler
    bool endOfData_ = false;   // that handler has no more lines
    int blocking_ = 0;         // a blocking send or exchange runs; it closes the line itself
    SerialLine line_;
    std::unique_ptr<AsyncReceive> receive_;
};

}  // namespace comm
