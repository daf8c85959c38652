#include "comm/protocol/Fc5.h"

#include "comm/protocol/Checks.h"
#include "comm/protocol/ControlBytes.h"

// Choices for TOPCON, whose acknowledgements are known from its online protocol only:
//   - Handshaking: each good frame is answered with the frame ACK "006" ETX, a bad one with
//     NAK "021" ETX; senders take a bare ACK/NAK byte as well. After nakLimit resends of one
//     block the transfer fails.
//   - The end: the computer answers the download's EOT with an ACK frame too; the instrument
//     does not wait for it. An upload's STX EOT ETX is acknowledged like any frame.
//   - What follows ETX (LF in captures, CR LF, or nothing) is skipped. The instrument side
//     sends LF after each block's ETX and after the EOT, as the capture shows; the computer
//     sends nothing after an upload frame's ETX.
//   - Block digits: the first block sets the count. A block with the previous digit again is
//     a resend of a block already taken (its ACK was lost): acknowledged, not delivered. Any
//     other jump means a block was lost: a packet data error with handshaking.
//   - Without handshaking bad blocks are delivered as they came and the packet data error is
//     reported after the last block.
//   - A download block that is not exactly 128 characters, digit and check, or a frame running
//     past its length without ETX, is a bad block. EOT before any block is "no text".
//   - The instrument playing a file takes each line as one block's data, blank-padded or cut
//     to 128 characters.
//   - Upload frames are checked on their last three digits (the start record F00F000 carries
//     its own XOR, 000); STX EOT ETX ends the upload.

namespace comm::protocol {

namespace {

constexpr qsizetype kBlockBody = kFc5BlockData + 1 + 3;  // data, digit, check
constexpr qsizetype kMaxUploadFrame = 512;

QByteArray Frame(char code, const char* digits) {
    return QByteArray(1, code) + digits + ctl::kEtx;
}

bool TrailingXorAgrees(QByteArrayView body) {
    return body.size() >= 4 && Xor3(body.first(body.size() - 3)) == body.last(3);
}

}  // namespace

QByteArray Fc5Ack() {
    return Frame(ctl::kAck, "006");
}
QByteArray Fc5Nak() {
    return Frame(ctl::kNak, "021");
}

void Fc5BlockReceiver::Feed(QByteArrayView bytes, ReceiverOutput& out) {
    for (char c : bytes) {
        if (Finished()) return;
        OnByte(c, out);
    }
}

void Fc5BlockReceiver::OnByte(char c, ReceiverOutput& out) {
    if (!inFrame_) {
        if (c == ctl::kStx) {
            inFrame_ = true;
            frame_ = QByteArray(1, c);
        } else if (c == ctl::kEot) {
            OnEot(out);
        }
        return;
    }
    if (c == ctl::kStx) {
        // A frame that lost its ETX: start again with the new one. With handshaking the
        // instrument is still waiting for an answer, so this is its resend of the same block.
        frame_ = QByteArray(1, c);
        if (!options_.handshaking) badCheck_ = true;
        return;
    }
    frame_.append(c);
    if (c == ctl::kEtx) {
        inFrame_ = false;
        OnFrame(out);
    } else if (frame_.size() > kBlockBody + 1) {
        inFrame_ = false;
        Reject(out);
    }
}

void Fc5BlockReceiver::OnFrame(ReceiverOutput& out) {
    const QByteArrayView body = QByteArrayView(frame_).sliced(1, frame_.size() - 2);
    const char digit = body.size() == kBlockBody ? body[kFc5BlockData] : 0;
    if (digit < '0' || digit > '9' || !TrailingXorAgrees(body)) {
        Reject(out);
        return;
    }
    naks_ = 0;
    const bool repeated = blocks_ > 0 && digit == lastDigit_;
    const bool inTurn = blocks_ == 0 || digit == (lastDigit_ == '9' ? '0' : lastDigit_ + 1);
    if (options_.handshaking) {
        if (!repeated && !inTurn) {
            Fail(out, kPacketData);
            return;
        }
        out.Reply(Fc5Ack());
        if (repeated) return;
    } else if (!inTurn) {
        badCheck_ = true;
    }
    lastDigit_ = digit;
    ++blocks_;
    Deliver(out, frame_, false);
}

void Fc5BlockReceiver::Reject(ReceiverOutput& out) {
    if (!options_.handshaking) {
        badCheck_ = true;
        ++blocks_;
        Deliver(out, frame_, false);
        return;
    }
    if (naks_ >= options_.nakLimit) {
        Fail(out, kPacketData);
        return;
    }
    ++naks_;
    out.Reply(Fc5Nak());
}

void Fc5BlockReceiver::OnEot(ReceiverOutput& out) {
    if (options_.handshaking) out.Reply(Fc5Ack());
    EndTransfer(out, blocks_ > 0, QByteArray(1, ctl::kEot), badCheck_);
}

std::optional<UnitSender::Unit> Fc5BlockSender::NextUnit(SenderOutput& out) {
    if (ended_) return std::nullopt;
    QByteArray line;
    do {
        if (!out.Request(line) || line == QByteArray(1, ctl::kEot)) {
            ended_ = true;
            return Unit{QByteArray(1, ctl::kEot) + ctl::kLf, false, true};
        }
    } while (line.isEmpty());
    QByteArray block = line.left(kFc5BlockData).leftJustified(kFc5BlockData, ' ');
    block.append(static_cast<char>('0' + digit_));
    digit_ = (digit_ + 1) % 10;
    block += Xor3(block);
    return Unit{ctl::kStx + block + ctl::kEtx + ctl::kLf, handshaking_};
}

std::optional<UnitSender::Unit> Fc5FrameSender::NextUnit(SenderOutput& out) {
    QByteArray line;
    do {
        if (!out.Request(line)) return std::nullopt;
    } while (line.isEmpty());
    return Unit{line, handshaking_};
}

void Fc5FrameReceiver::Feed(QByteArrayView bytes, ReceiverOutput& out) {
    for (char c : bytes) {
        if (Finished()) return;
        if (c == ctl::kStx) {
            inFrame_ = true;
            frame_ = QByteArray(1, c);
            continue;
        }
        if (!inFrame_) continue;
        frame_.append(c);
        if (c == ctl::kEtx) {
            inFrame_ = false;
            OnFrame(out);
        } else if (frame_.size() > kMaxUploadFrame) {
            inFrame_ = false;
            Fail(out, kPacketData);
        }
    }
}

void Fc5FrameReceiver::OnFrame(ReceiverOutput& out) {
    const QByteArrayView body = QByteArrayView(frame_).sliced(1, frame_.size() - 2);
    if (body == QByteArrayView("\x04")) {
        if (options_.handshaking) out.Reply(Fc5Ack());
        EndTransfer(out, frames_ > 0, frame_, badCheck_);
        return;
    }
    if (!TrailingXorAgrees(body)) {
        if (!options_.handshaking) {
            badCheck_ = true;
        } else if (naks_ >= options_.nakLimit) {
            Fail(out, kPacketData);
            return;
        } else {
            ++naks_;
            out.Reply(Fc5Nak());
            return;
        }
    }
    naks_ = 0;
    if (options_.handshaking) out.Reply(Fc5Ack());
    ++frames_;
    Deliver(out, frame_, false);
}

}  // namespace comm::protocol
