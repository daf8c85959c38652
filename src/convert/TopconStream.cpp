#include "convert/TopconStream.h"

#include "convert/RawLines.h"

namespace convert::topcon {
namespace {

constexpr char kStx = '\x02';
constexpr qsizetype kBlockData = 128;
constexpr qsizetype kFrame = 1 + kBlockData + 1 + 3;  // STX, data, block digit, check

const QString kBadBlockCheck = QStringLiteral("伝送ブロックのチェック値が合いません");
const QString kShortBlock = QStringLiteral("伝送ブロックが短く、読めません");
const QString kMissingBlock = QStringLiteral("この前の伝送ブロックが抜けています（ブロック番号が飛んでいます）");
const QString kCutItem = QStringLiteral("読めない伝送ブロックで途切れた項目です");
const QString kNotUnderscoreData = QStringLiteral("TOPCON の \"_\" 区切りデータではありません");

// The joined stream, where each line's data starts in it, and where unreadable blocks cut
// it.
struct Stream {
    QByteArray bytes;
    QList<qsizetype> starts;  // offset of each piece
    QList<qsizetype> lines;   // its line
    QList<qsizetype> cuts;    // offsets where a skipped or missing block was
    char nextDigit = '0';     // the block digit expected next

    void Append(QByteArrayView data, qsizetype line) {
        starts.append(bytes.size());
        lines.append(line);
        bytes.append(data);
    }
    // The line of the data at `offset`; `piece` is where the last look-up ended, as items are
    // looked up in the order of the stream.
    qsizetype LineAt(qsizetype offset, qsizetype& piece) const {
        while (piece + 1 < starts.size() && starts[piece + 1] <= offset) ++piece;
        return lines.value(piece, 0);
    }
    bool CutBetween(qsizetype from, qsizetype to) const {
        for (qsizetype cut : cuts)
            if (cut > from && cut <= to) return true;
        return false;
    }
};

bool IsBlank(QByteArrayView text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

void AppendBlock(Stream& stream, QByteArrayView text, qsizetype line, ConversionLog& log) {
    if (text.size() < kFrame) {
        log.Skip(line, kShortBlock);
        stream.cuts.append(stream.bytes.size());
        return;
    }
    const QByteArrayView data = text.sliced(1, kBlockData + 1);  // the block digit is checked too
    const char digit = data.back();
    if (digit != stream.nextDigit) {
        log.Flag(line, kMissingBlock);
        stream.cuts.append(stream.bytes.size());
    }
    stream.nextDigit = digit == '9' ? '0' : static_cast<char>(digit + 1);
    if (Check(data) != text.sliced(1 + kBlockData + 1, 3)) log.Flag(line, kBadBlockCheck);
    stream.Append(data.first(kBlockData), line);
}

Stream JoinLines(QByteArrayView raw, ConversionLog& log) {
    Stream stream;
    RawLineReader reader(raw);
    RawLine line;
    while (reader.Next(line)) {
        if (line.text.startsWith(kStx))
            AppendBlock(stream, line.text, line.number, log);
        else if (!IsBlank(line.text))  // EOT lines and blank lines carry no data
            stream.Append(line.text, line.number);
    }
    return stream;
}

void SkipAll(QByteArrayView raw, ConversionLog& log) {
    RawLineReader reader(raw);
    RawLine line;
    while (reader.Next(line))
        if (!IsBlank(line.text)) log.Skip(line.number, kNotUnderscoreData);
}

// The text after a "_" as code and value.
Item MakeItem(QByteArrayView text, qsizetype line) {
    const bool grouped = text.startsWith('!') || text.startsWith('t');
    const qsizetype codeSize = std::min<qsizetype>(grouped ? 2 : 1, text.size());
    return {text.first(codeSize).toByteArray(), text.sliced(codeSize).toByteArray(), line};
}

}  // namespace

QByteArray Check(QByteArrayView bytes) {
    unsigned char x = 0;
    for (char c : bytes) x ^= static_cast<unsigned char>(c);
    return QByteArray::number(x).rightJustified(3, '0');
}

QList<Item> ReadItems(QByteArrayView raw, ConversionLog& log) {
    const Stream stream = JoinLines(raw, log);
    const QByteArray& s = stream.bytes;
    qsizetype at = 0;
    while (at < s.size() && s[at] == ' ') ++at;
    if (at == s.size() || s[at] != '_') {
        SkipAll(raw, log);
        return {};
    }
    QList<Item> items;
    qsizetype piece = 0;
    while (at < s.size()) {
        qsizetype next = s.indexOf('_', at + 1);
        if (next < 0) next = s.size();
        const QByteArrayView item = QByteArrayView(s).sliced(at + 1, next - at - 1);
        const qsizetype line = stream.LineAt(at, piece);
        if (stream.CutBetween(at, next)) {
            log.Skip(line, kCutItem);
            items.append({QByteArray(), QByteArray(), line});
        } else if (!IsBlank(item)) {  // the blank padding after the last item
            items.append(MakeItem(item, line));
        }
        at = next;
    }
    return items;
}

}  // namespace convert::topcon
