#pragma once
// A pseudo-terminal pair: the simulator holds the controlling side and a receiver opens the
// device path of the other side as it would a serial port. The line is raw: every byte
// passes unchanged, no echo, no line editing.

#include <QByteArray>
#include <QString>
#include <optional>

namespace comm {

class PseudoTerminal {
  public:
    // Opens a new pair; throws platform::FileError when the system gives none.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The path a receiver opens, such as /dev/pts/7.
    const QString& DevicePath() const { return path_; }

    // Writes every byte; false when the other side has gone.
    bool Write(QByteArrayView bytes);
    // The bytes that arrive within `milliseconds`: empty when none came, nullopt when the
    // other side has closed after opening.
    std::optional<QByteArray> Read(int milliseconds);
    // Closes the controlling side: the device vanishes for its user.
    void Hangup();
    // Hangs up once the user has had a moment to read what was written last: a closing side
    // discards what its user has not read yet, and the fault is the device vanishing after
    // its block, not the block lost.
    void HangupAfterDelivery();

  private:
    int fd_ = -1;
    QString path_;
};

}  // namespace comm
