#pragma once
// The card-reader command transaction and the splitting of card data into records, which
// every card routine goes through. A session lives as long as the data transfer form: it
// keeps the data of the last reply between commands.

#include <QByteArray>

#include "comm/card/CardLink.h"

namespace platform {
class Prompt;
}

namespace comm::card {

class CardSession {
  public:
    CardSession(CardExchange& link, CardSink& sink, platform::Prompt& prompt)
        : link_(link), sink_(sink), prompt_(prompt) {}

    // Sends one command and reads its reply. Returns whether the reader accepted it; a
    // refusal (or a reply whose frame check fails, read as the reader's line fault) has
    // been shown to the user and leaves Data() and `carry` as they were. On acceptance
    // Data() becomes the reply's data, and `carry` either takes the whole reply or, for the
    // record-reading commands "R,SEQ" and "R,FIL", the records are split out of the data
    // (SplitRecords) and `carry` keeps the unfinished one. Throws CardLinkError.
    bool Transact(const QByteArray& command, QByteArray& carry);

    // The data of the last accepted reply (after a record read, the whole reply).
    const QByteArray& Data() const { return data_; }
    // The last reply as it came, accepted or not.
    const QByteArray& Reply() const { return reply_; }

    CardExchange& Link() { return link_; }
    CardSink& Sink() { return sink_; }
    platform::Prompt& Prompt() { return prompt_; }

    // Splits Data() at the spaces between records: each record completed here, its comma
    // and two check characters dropped, goes to the receive file and the log; `carry`
    // holds the beginning of a record that continues in the next reply. An empty record
    // (nothing but its comma and check) is dropped.
    void SplitRecords(QByteArray& carry);

  private:
    void Refused(const QByteArray& command);
    void Emit(const QByteArray& record);

    CardExchange& link_;
    CardSink& sink_;
    platform::Prompt& prompt_;
    QByteArray data_;
    QByteArray reply_;
};

// Switches the link's direct mode on for the lifetime of the object, and off again however
// the routine ends.
class DirectModeScope {
  public:
    explicit DirectModeScope(CardExchange& link) : link_(link) { link_.DirectMode(true); }
    ~DirectModeScope() { link_.DirectMode(false); }
    DirectModeScope(const DirectModeScope&) = delete;
    DirectModeScope& operator=(const DirectModeScope&) = delete;

  private:
    CardExchange& link_;
};

}  // namespace comm::card
