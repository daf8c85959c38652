// Feeds arbitrary bytes to both ends of the card-reader dialogue:
//   - as the reader's replies to the card routines (SC1 and SCR reading and writing, the card
//     monitor with its questions answered from a fixed script), through a link that gives the
//     next reply for each frame, and fails as a silent line when they run out;
//   - as command frames to the simulated reader over a card folder.
// The first byte picks the routine and whether replies and frames get a holding frame check
// added (so that the fuzzer reaches past the check); the rest, split at line feeds, are the
// replies, then after a lone "#" line the frames. Neither side may crash or hang, and:
//   - every routine leaves direct mode off;
//   - every simulator reply is a whole frame with a holding check and Y or N at byte 22.
// Build: CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTREVANTO_BUILD_FUZZ=ON
//        -DTREVANTO_BUILD_TESTS=OFF -DTREVANTO_BUILD_BENCH=OFF
//        cmake --build build-fuzz --target fuzz_comm_card
// Run:   TMPDIR=/dev/shm build-fuzz/fuzz/fuzz_comm_card -max_total_time=60 -max_len=4096 CORPUS_FOLDER

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "comm/card/CardFrame.h"
#include "comm/card/CardReaderSimulator.h"
#include "comm/card/CardTransfer.h"
#include "platform/FileError.h"
#include "platform/ScriptedPrompt.h"

namespace {

using namespace comm::card;

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

QByteArray WithCheck(const QByteArray& text) {
    QByteArray frame = text + kEtx;
    return frame + Hex2(FrameSum(frame));
}

struct FuzzedReader : CardExchange {
    std::deque<QByteArray> replies;
    int on = 0;
    int off = 0;
    QByteArray Exchange(const QByteArray&) override {
        if (replies.empty()) throw CardLinkError("silent");
        QByteArray reply = replies.front();
        replies.pop_front();
        return reply;
    }
    void DirectMode(bool direct) override { direct ? ++on : ++off; }
};

struct NullSink : CardSink {
    void SaveLine(const QByteArray&) override {}
    void Log(const QString&) override {}
    void LogMark(const QString&) override {}
    void ClearLog() override {}
};

void RunRoutine(int which, const QList<QByteArray>& replies, bool fixChecks) {
    FuzzedReader reader;
    for (const QByteArray& reply : replies) reader.replies.push_back(fixChecks ? WithCheck(reply) : reply);
    NullSink sink;
    platform::ScriptedPrompt prompt;
    for (const char* answer : {"1", "-1", "-9999", "AB", "2"}) prompt.AnswerInput(answer);
    for (int i = 0; i < 3; ++i) prompt.AnswerMessage(platform::PromptAnswer::Yes);
    const QList<QByteArray> lines = {"00001,KI,P1,", "00002,KI,P2,"};
    CardSession session(reader, sink, prompt);
    try {
        switch (which % 4) {
            case 0: ReadSc1Card(session); break;
            case 1: WriteSc1Card(session, lines); break;
            case 2: ReadScrCard(session); break;
            default: WriteScrCard(session, lines); break;
        }
    } catch (const CardLinkError&) {
    }
    Require(reader.on == 1 && reader.off == 1, "direct mode not switched on and off once");
}

void RunSimulator(const QList<QByteArray>& frames, bool fixChecks) {
    static QTemporaryDir root;
    const QString card = root.path() + QStringLiteral("/card");
    QDir(card).removeRecursively();
    QDir().mkpath(card);
    CardReaderSimulator reader(card);
    reader.SetReadChunk(5);
    for (const QByteArray& frame : frames) {
        const QByteArray reply = reader.Answer(fixChecks ? WithCheck(QByteArray("\x02" "0100M") + frame) : frame);
        Require(ReplyCheckHolds(reply), "simulator reply check");
        Require(reply.size() > 21 && (reply[21] == 'Y' || reply[21] == 'N'), "simulator acknowledgement");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int mode = data[0];
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const QList<QByteArray> parts = rest.split('\n');
    const qsizetype split = parts.indexOf("#");
    const QList<QByteArray> replies = split < 0 ? parts : parts.first(split);
    const QList<QByteArray> frames = split < 0 ? QList<QByteArray>() : parts.sliced(split + 1);
    RunRoutine(mode & 3, replies, (mode & 4) != 0);
    RunSimulator(frames, (mode & 8) != 0);
    return 0;
}
