#include "comm/card/CardTransfer.h"

#include "comm/card/CardFrame.h"
#include "comm/card/CardMessages.h"
#include "comm/card/CardMonitor.h"
#include "platform/CodePage.h"

namespace comm::card {
namespace {

// The sequential area is read in blocks of 80 hex (128) bytes; the status reports the
// block count offset by 11.
constexpr int kBlockBytes = 128;
constexpr int kBlockCountOffset = 11;
// A file read never asks more often than a full card of 512,000 bytes in the smallest
// replies could need, so that a reader that always answers "more" cannot hold the routine.
constexpr int kMaxFileReads = 512000;

void LogReceiveFinished(CardSink& sink) { sink.LogMark(QStringLiteral("\n  ･･･････ 受信終了 ･･･････\n")); }

bool SendAll(CardSession& session, std::initializer_list<const char*> commands) {
    for (const char* command : commands) {
        QByteArray carry;
        if (!session.Transact(command, carry)) return false;
    }
    return true;
}

QByteArray LengthField(int value) {
    return QByteArray::number(value, 16).toUpper().rightJustified(2, '0');
}

QByteArray WriteCommand(const QByteArray& record, CardFormat format) {
    if (format == CardFormat::Scr) {
        return "W,FIL,00000," + LengthField(static_cast<int>(record.size()) + 1) + ',' + record + ' ';
    }
    return "W,SRC,00000," + LengthField(static_cast<int>(record.size()) - 6) + ',' + record;
}

}  // namespace

void ReadSc1Card(CardSession& session) {
    DirectModeScope direct(session.Link());
    if (!SendAll(session, {"R,STA,00000000", "R,WHO,00000000", "R,SWP,00000000"})) return;
    const QByteArray area = session.Data();
    int blocks = HexValue(area.left(3)) - kBlockCountOffset;
    const int restCount = HexValue(area.mid(3, 2));
    QByteArray restText = area.mid(3, 2);
    if (blocks < 0) return;
    if (restCount > kBlockBytes) {
        restText = Hex2(restCount - kBlockBytes);
        ++blocks;
    }
    QByteArray carry;
    if (!session.Transact("O,SQR,00000000", carry)) return;
    carry.clear();
    for (int block = 0; block < blocks; ++block) {
        if (!session.Transact("R,SEQ,00000,80", carry)) return;
    }
    if (restCount > 0) {
        if (!session.Transact("R,SEQ,00000," + restText, carry)) return;
        // What is left after the last space is the end of the area, not followed by a
        // space; an area that ends with its last record leaves nothing to write.
        carry.truncate(restCount);
        if (!carry.isEmpty()) session.Sink().SaveLine(carry);
    }
    LogReceiveFinished(session.Sink());
}

WriteResult WriteSc1Card(CardSession& session, const QList<QByteArray>& lines) {
    DirectModeScope direct(session.Link());
    if (!SendAll(session, {"F,SRC,00000000", "W,CWP,00000000,R", "R,MRE,00000000"})) return WriteResult::Refused;
    const QByteArray& reply = session.Reply();
    const int freeBytes = HexValue(reply.mid(26, 1)) * 65536 + HexValue(reply.mid(27, 2)) * 256 + HexValue(reply.mid(29, 2));
    return WriteCardLines(session, lines, freeBytes, CardFormat::Sc1);
}

void ReadScrCard(CardSession& session) {
    DirectModeScope direct(session.Link());
    const std::optional<MonitorChoice> choice = RunCardMonitor(session, MonitorMode::Read);
    if (!choice) return;
    QByteArray carry;
    if (!session.Transact("O,FRD," + choice->cardName, carry)) return;
    carry.clear();
    bool more = true;
    for (int reads = 0; more && reads < kMaxFileReads; ++reads) {
        more = session.Transact("R,FIL,00000,00", carry) && HasMoreData(session.Reply());
    }
    if (!carry.isEmpty()) session.Sink().SaveLine(carry);
    QByteArray closeCarry;
    session.Transact("C,FIL,00000000", closeCarry);
    LogReceiveFinished(session.Sink());
}

WriteResult WriteScrCard(CardSession& session, const QList<QByteArray>& lines) {
    DirectModeScope direct(session.Link());
    const std::optional<MonitorChoice> choice = RunCardMonitor(session, MonitorMode::Write);
    session.Sink().ClearLog();
    if (!choice) return WriteResult::Refused;
    QByteArray carry;
    if (!session.Transact("O,FAP," + choice->cardName, carry)) return WriteResult::Refused;
    const WriteResult result = WriteCardLines(session, lines, choice->freeBytes, CardFormat::Scr);
    session.Transact("C,FIL,00000000", carry);
    return result;
}

WriteResult WriteCardLines(CardSession& session, const QList<QByteArray>& lines, int freeBytes, CardFormat format) {
    qint64 total = 0;
    for (const QByteArray& line : lines) {
        session.Sink().Log(platform::cp932::Decode(line) + u'\n');
        total += line.size() + 1;
        if (total > freeBytes) {
            ShowCardMessage(session.Prompt(), kCardFull);
            return WriteResult::CardFull;
        }
        QByteArray carry;
        if (!session.Transact(WriteCommand(CardRecord(line), format), carry)) return WriteResult::Refused;
    }
    session.Sink().LogMark(QStringLiteral("\n  ･･･････ 送信終了 ･･･････\n"));
    return WriteResult::Done;
}

}  // namespace comm::card
