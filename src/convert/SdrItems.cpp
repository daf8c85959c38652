#include "convert/SdrItems.h"

namespace convert {
namespace {

constexpr char kEtx = '\x03';

// Leading control characters go (an STX before the first record), except the ETX that
// marks the end of the data.
QByteArrayView WithoutLeadingControls(QByteArrayView text) {
    while (!text.isEmpty() && static_cast<unsigned char>(text.front()) < 0x20 &&
           text.front() != kEtx)
        text = text.sliced(1);
    return text;
}

}  // namespace

bool SdrItemReader::Next(SdrItem& item) {
    do {
        while (rest_.isEmpty()) {
            RawLine line;
            if (!lines_.Next(line)) return false;
            rest_ = WithoutLeadingControls(TrimLineEnd(line.text));
            number_ = line.number;
        }
        const qsizetype comma = rest_.startsWith("13") ? -1 : rest_.indexOf(',');
        const QByteArrayView text = comma < 0 ? rest_ : rest_.first(comma);
        rest_ = comma < 0 ? QByteArrayView() : rest_.sliced(comma + 1);
        item = {TrimLineEnd(text), number_};
    } while (item.text.isEmpty());
    return true;
}

bool SdrSumFails(QByteArrayView raw, QByteArrayView end) {
    const QByteArrayView digits = TrimLineEnd(end.sliced(1));
    bool ok = false;
    const uint expected = digits.toByteArray().toUInt(&ok);
    if (!ok || expected == 0) return false;
    uint sum = 0;
    for (const char c : raw.first(end.data() - raw.data()))
        if (c != '\r' && c != '\n' && c != '\x02' && c != kEtx)
            sum += static_cast<unsigned char>(c);
    return sum % 65536 != expected;
}

}  // namespace convert
