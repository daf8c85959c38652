#include "comm/protocol/Dr2.h"

#include "comm/protocol/Checks.h"
#include "comm/protocol/ControlBytes.h"

// Choices for the DR-2 recorder, whose own documents were not found; it is taken to speak
// the maker's block protocol of its total stations:
//   - The recorder is "R", the computer "C"; the computer's answers go C to R.
//   - A block is delivered whole but for its CR LF (SOH and the codes, STX ... ETX, BCC, EOT),
//     which the transfer form cuts by four characters in front and three behind.
//   - The end of the transfer is an EOT alone (with CR LF) after the last block's ACK. It is
//     delivered as the last block, which the form does not write, and gets no answer: the
//     protocol never answers a control block. EOT before any block is "no text".
//   - A block with a wrong BCC, without STX after the codes or without EOT after the BCC is
//     NAKed; after nakLimit resends of one block the transfer fails. Without handshaking it is
//     delivered and the packet data error reported after the last block.
//   - The computer uploads with the same blocks, C to R.

namespace comm::protocol {

namespace {

constexpr qsizetype kMaxBlock = 1024;

QByteArray Ending() {
    return QByteArray(1, ctl::kEot) + "\r\n";
}

}  // namespace

QByteArray Dr2Block(char from, char to, QByteArrayView text) {
    QByteArray coded;
    coded.append(from).append(to).append(ctl::kStx).append(text).append(ctl::kEtx);
    return ctl::kSoh + coded + Mod64(coded) + Ending();
}

QByteArray Dr2Control(char from, char to, char ackOrNak) {
    QByteArray coded;
    coded.append(from).append(to).append(ackOrNak);
    return ctl::kSoh + coded + Mod64(coded) + Ending();
}

void Dr2Receiver::Feed(QByteArrayView bytes, ReceiverOutput& out) {
    for (char c : bytes) {
        if (Finished()) return;
        OnByte(c, out);
    }
}

void Dr2Receiver::OnByte(char c, ReceiverOutput& out) {
    switch (state_) {
        case State::Hunt:
            if (c == ctl::kSoh) {
                frame_ = QByteArray(1, c);
                state_ = State::Body;
            } else if (c == ctl::kEot) {
                OnEnd(out);
            }
            return;
        case State::Body:
            if (c == ctl::kSoh) {  // the block before lost its end: start again
                frame_ = QByteArray(1, c);
                return;
            }
            frame_.append(c);
            if (c == ctl::kEtx) state_ = State::Check;
            if (frame_.size() > kMaxBlock) {
                state_ = State::Hunt;
                OnFrame(out);
            }
            return;
        case State::Check:
            frame_.append(c);
            state_ = State::Tail;
            return;
        case State::Tail:
            frame_.append(c);
            state_ = State::Hunt;
            OnFrame(out);
            return;
    }
}

void Dr2Receiver::OnFrame(ReceiverOutput& out) {
    const qsizetype n = frame_.size();
    const bool good = n >= 7 && frame_[3] == ctl::kStx && frame_[n - 3] == ctl::kEtx &&
                      frame_[n - 1] == ctl::kEot &&
                      Mod64(QByteArrayView(frame_).sliced(1, n - 3)) == frame_[n - 2];
    if (!good) {
        if (!options_.handshaking) {
            badCheck_ = true;
        } else if (naks_ >= options_.nakLimit) {
            Fail(out, kPacketData);
            return;
        } else {
            ++naks_;
            out.Reply(Dr2Control(self_, peer_, ctl::kNak));
            return;
        }
    }
    naks_ = 0;
    if (options_.handshaking) out.Reply(Dr2Control(self_, peer_, ctl::kAck));
    ++blocks_;
    Deliver(out, frame_, false);
}

void Dr2Receiver::OnEnd(ReceiverOutput& out) {
    EndTransfer(out, blocks_ > 0, QByteArray(1, ctl::kEot), badCheck_);
}

std::optional<UnitSender::Unit> Dr2Sender::NextUnit(SenderOutput& out) {
    if (ended_) return std::nullopt;
    QByteArray line;
    do {
        if (!out.Request(line)) {
            ended_ = true;
            return Unit{Ending(), false, true};
        }
    } while (line.isEmpty());
    return Unit{Dr2Block(self_, peer_, line), handshaking_};
}

}  // namespace comm::protocol
