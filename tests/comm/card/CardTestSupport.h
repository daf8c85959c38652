#pragma once
// Helpers shared by the card tests: a sink that records, links that count direct mode or
// spoil replies, and a reader that gives scripted replies. Replies follow the simulator's
// convention (CardReaderSimulator.h), not a published layout.

#include <QByteArray>
#include <QList>
#include <QString>
#include <deque>

#include "comm/card/CardFrame.h"
#include "comm/card/CardLink.h"

namespace cardtest {

struct RecordingSink : comm::card::CardSink {
    QList<QByteArray> saved;
    QString log;
    QString marks;
    int clears = 0;
    void SaveLine(const QByteArray& raw) override { saved.append(raw); }
    void Log(const QString& text) override { log += text; }
    void LogMark(const QString& text) override { marks += text; }
    void ClearLog() override { ++clears; log.clear(); }
};

// Passes frames to another exchange, counting direct mode and the commands sent; can spoil
// the check of one reply.
struct WatchingLink : comm::card::CardExchange {
    explicit WatchingLink(comm::card::CardExchange& inner) : inner_(inner) {}
    QByteArray Exchange(const QByteArray& frame) override {
        commands.append(frame.mid(6, frame.size() - 9));
        QByteArray reply = inner_.Exchange(frame);
        if (commands.size() == spoilReply && !reply.isEmpty()) reply.back() = reply.back() == '0' ? '1' : '0';
        return reply;
    }
    void DirectMode(bool on) override { on ? ++directOn : ++directOff; }
    QList<QByteArray> commands;
    int spoilReply = 0;  // 1-based number of the reply to spoil; 0 none
    int directOn = 0;
    int directOff = 0;

  private:
    comm::card::CardExchange& inner_;
};

// A reply frame as the simulator builds it.
inline QByteArray Reply(const QByteArray& command, const QByteArray& ackAndCode, const QByteArray& data) {
    QByteArray reply;
    reply.append(comm::card::kStx).append("0100M").append(command.left(14).leftJustified(14, ' '));
    reply.append(',').append(ackAndCode).append(',').append(data).append(comm::card::kEtx);
    return reply + comm::card::Hex2(comm::card::FrameSum(reply));
}

// Answers each frame with the next scripted reply; throws the link error when they run out,
// as a line that has gone silent would.
struct ScriptedReader : comm::card::CardExchange {
    std::deque<QByteArray> replies;
    QByteArray Exchange(const QByteArray&) override {
        if (replies.empty()) throw comm::card::CardLinkError("time-out");
        QByteArray reply = replies.front();
        replies.pop_front();
        return reply;
    }
};

}  // namespace cardtest
