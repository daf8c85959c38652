#pragma once

// Wires a sender to a receiver in memory, as two ends of a serial line whose owner passes
// bytes both ways and reports silence when neither side has anything to say.

#include <QByteArray>
#include <QList>
#include <functional>
#include <utility>
#include <vector>

#include "comm/protocol/Protocol.h"

namespace comm::protocol::test {

struct Collected : ReceiverOutput {
    std::vector<std::pair<QByteArray, bool>> blocks;
    QByteArray replies;
    std::vector<int> faults;
    bool blockAfterLast = false;

    void Block(const QByteArray& block, bool last) override {
        if (!blocks.empty() && blocks.back().second) blockAfterLast = true;
        blocks.emplace_back(block, last);
    }
    void Reply(const QByteArray& bytes) override { replies += bytes; }
    void Fault(int code) override { faults.push_back(code); }

    QList<QByteArray> Texts() const {
        QList<QByteArray> texts;
        for (const auto& b : blocks) texts.append(b.first);
        return texts;
    }
    bool EndedWithLast() const { return !blocks.empty() && blocks.back().second; }
};

struct FileLines : SenderOutput {
    QList<QByteArray> lines;
    qsizetype next = 0;
    std::vector<QByteArray> writes;
    std::vector<int> faults;
    bool done = false;

    explicit FileLines(QList<QByteArray> l) : lines(std::move(l)) {}
    bool Request(QByteArray& line) override {
        if (next >= lines.size()) return false;
        line = lines[next++];
        return true;
    }
    void Write(const QByteArray& bytes) override { writes.push_back(bytes); }
    void Fault(int code) override { faults.push_back(code); }
    void Done() override { done = true; }
};

// Runs a transfer to its end. Bytes reach the receiver in pieces of chunk bytes; mangle may
// change the n-th write of the sender on its way (counting from 0).
struct WireLoop {
    Sender& sender;
    Receiver& receiver;
    FileLines file;
    Collected got;
    qsizetype chunk = 1 << 20;
    std::function<void(QByteArray&, int)> mangle;
    QByteArray wire;  // everything the receiver was fed
    int idles = 0;

    WireLoop(Sender& s, Receiver& r, QList<QByteArray> lines)
        : sender(s), receiver(r), file(std::move(lines)) {}

    void Run() {
        receiver.Start(got);
        sender.Start(file);
        size_t written = 0;
        qsizetype replied = 0;
        bool readyDue = false;  // a write went out; the port reports it gone after any answer
        for (int round = 0; round < 100000; ++round) {
            if (replied < got.replies.size()) {
                const QByteArray replies = got.replies.mid(replied);
                replied = got.replies.size();
                sender.Feed(replies, file);
            } else if (readyDue) {
                readyDue = false;
                sender.Ready(file);
            } else if (written < file.writes.size()) {
                QByteArray bytes = file.writes[written];
                if (mangle) mangle(bytes, static_cast<int>(written));
                ++written;
                wire += bytes;
                for (qsizetype i = 0; i < bytes.size(); i += chunk)
                    receiver.Feed(
                        QByteArrayView(bytes).sliced(i, std::min(chunk, bytes.size() - i)), got);
                readyDue = true;
            } else if (!receiver.Finished()) {
                ++idles;
                const qsizetype before = got.replies.size();
                receiver.Idle(got);
                if (got.replies.size() == before && !sender.Finished()) sender.Idle(file);
            } else {
                if (!sender.Finished()) sender.Idle(file);
                return;
            }
        }
    }
};

}  // namespace comm::protocol::test
