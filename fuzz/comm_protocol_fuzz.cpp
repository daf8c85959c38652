// Feeds arbitrary bytes, as a noisy or hostile serial line would bring them, to every
// recorder type's receivers (both ends of the line, handshaking on and off, requests on and
// off), in pieces whose sizes come from the input, with silences between some of them. The
// same bytes go to the senders as the other side's replies. Neither may crash or hang, and
// it checks what the machines promise:
//   - no block after the last one, and nothing at all after a fault;
//   - a fault only once, with one of the three codes;
//   - a sender writes nothing after it has ended or failed, and ends or fails once.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTREVANTO_BUILD_FUZZ=ON
//        -DTREVANTO_BUILD_TESTS=OFF -DTREVANTO_BUILD_BENCH=OFF
//        cmake --build build-fuzz --target fuzz_comm_protocol
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_comm_protocol -max_total_time=60 -max_len=4096

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "comm/protocol/Recorders.h"

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

bool KnownFault(int code) {
    return code == comm::protocol::kTimeOut || code == comm::protocol::kPacketData ||
           code == comm::protocol::kNoText;
}

struct Watch : comm::protocol::ReceiverOutput {
    bool last = false;
    bool faulted = false;
    void Block(const QByteArray&, bool isLast) override {
        Require(!last, "a block after the last one");
        Require(!faulted, "a block after a fault");
        last = isLast;
    }
    void Reply(const QByteArray&) override { Require(!faulted, "an answer after a fault"); }
    void Fault(int code) override {
        Require(!faulted, "a second fault");
        Require(KnownFault(code), "a fault code of no meaning");
        faulted = true;
    }
};

struct Lines : comm::protocol::SenderOutput {
    QList<QByteArray> lines;
    qsizetype next = 0;
    bool ended = false;
    qsizetype written = 0;
    bool Request(QByteArray& line) override {
        Require(!ended, "a line asked for after the end");
        if (next >= lines.size()) return false;
        line = lines[next++];
        return true;
    }
    void Write(const QByteArray& bytes) override {
        Require(!ended, "a write after the end");
        written += bytes.size();
    }
    void Fault(int code) override {
        Require(!ended, "a fault after the end");
        Require(KnownFault(code), "a sender fault code of no meaning");
        ended = true;
    }
    void Done() override {
        Require(!ended, "a second end");
        ended = true;
    }
};

// Pieces of the input: each piece's length comes from the byte before it; a length byte
// with its top bit set also marks a silence before the piece.
template <typename Step, typename Silence>
void Pieces(QByteArrayView data, Step step, Silence silence) {
    qsizetype i = 0;
    while (i < data.size()) {
        const unsigned char head = static_cast<unsigned char>(data[i++]);
        if (head & 0x80) silence();
        const qsizetype n = std::min<qsizetype>((head & 0x3F) + 1, data.size() - i);
        step(data.sliced(i, n));
        i += n;
    }
}

void Receive(const QString& format, comm::protocol::Side side,
             const comm::protocol::LinkOptions& options, QByteArrayView data) {
    auto receiver = comm::protocol::MakeReceiver(format, side, options);
    Require(receiver != nullptr, "a recorder without a receiver");
    Watch watch;
    receiver->Start(watch);
    Pieces(
        data, [&](QByteArrayView piece) { receiver->Feed(piece, watch); },
        [&] { receiver->Idle(watch); });
    // Twice: the first silence may only end the SDR recorder's hold-off.
    receiver->Idle(watch);
    receiver->Idle(watch);
    Require(receiver->Finished(), "still running after silence with nothing pending");
}

void Send(const QString& format, comm::protocol::Side side,
          const comm::protocol::LinkOptions& options, QByteArrayView data) {
    auto sender = comm::protocol::MakeSender(format, side, options);
    Require(sender != nullptr, "a recorder without a sender");
    Lines out;
    out.lines = QByteArray(data.data(), data.size()).split('\n');
    sender->Start(out);
    Pieces(
        data,
        [&](QByteArrayView piece) {
            sender->Feed(piece, out);
            sender->Ready(out);
        },
        [&] { sender->Idle(out); });
    Require(out.written <= 64 * (data.size() + 16) * (options.nakLimit + 2),
            "writes out of proportion");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const QByteArrayView data(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    for (const QString& format : comm::protocol::RecorderNames()) {
        if (comm::protocol::IsCardReader(format)) continue;
        for (int variant = 0; variant < 4; ++variant) {
            comm::protocol::LinkOptions options;
            options.handshaking = variant & 1;
            options.request = variant & 2;
            options.nakLimit = 2;
            for (comm::protocol::Side side :
                 {comm::protocol::Side::Computer, comm::protocol::Side::Instrument}) {
                Receive(format, side, options, data);
                Send(format, side, options, data);
            }
        }
    }
    return 0;
}
