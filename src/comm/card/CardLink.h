#pragma once
// What the memory-card routines talk through and where their results go. The routines own
// neither the serial line nor the receive file: the data transfer form (or the command line)
// hands them a link that exchanges one frame for one reply, and a sink that keeps what the
// reader sent.

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace comm::card {

// The line failed under an exchange: no reply within the time limit, the device went away,
// or the reply was cut short. The routines let it through after switching direct mode off;
// the caller reports it as a communication error.
class CardLinkError : public std::runtime_error {
  public:
    explicit CardLinkError(const std::string& what) : std::runtime_error(what) {}
};

// One blocking frame-for-reply exchange with the card reader.
class CardExchange {
  public:
    virtual ~CardExchange() = default;
    // Sends a command frame and returns the reader's whole reply frame. Throws CardLinkError.
    virtual QByteArray Exchange(const QByteArray& frame) = 0;
    // On before a card dialogue and off after it: the link stops running the recorders'
    // own transfer protocol while it is on.
    virtual void DirectMode(bool /*on*/) {}
};

// Where received card records and the transfer log go.
class CardSink {
  public:
    virtual ~CardSink() = default;
    // One line of the receive file, as the reader sent it (CP932 bytes, no line end).
    // Does nothing when the user chose not to keep the data.
    virtual void SaveLine(const QByteArray& raw) = 0;
    // Text appended to the log as it is (line breaks included), in the log's normal colour.
    virtual void Log(const QString& text) = 0;
    // An end-of-transfer mark, shown in the log's mark colour (light blue).
    virtual void LogMark(const QString& text) = 0;
    virtual void ClearLog() = 0;
};

}  // namespace comm::card
