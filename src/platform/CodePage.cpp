#include "platform/CodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>
#include <stdexcept>

namespace platform::cp932 {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Both directions as lookup tables, filled once from iconv. CP932 maps only BMP
// characters, so 65536 entries cover every encodable character; 0 marks "not encodable".
struct Tables {
    std::array<uint16_t, 0x10000> encode{};  // UTF-16 unit -> CP932 code (1 or 2 bytes)
    std::array<char16_t, 0x10000> decode{};  // CP932 code -> UTF-16 unit

    Tables() {
        decode.fill(kReplacement);
        iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("CP932 is not available");
        auto convert = [&](const char* in, size_t inLength) -> int {
            char* src = const_cast<char*>(in);
            char16_t out[4];
            char* dst = reinterpret_cast<char*>(out);
            size_t inLeft = inLength, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
                return -1;
            if (sizeof out - outLeft != 2) return -1;
            return out[0];
        };
        for (int b = 0; b < 0x100; ++b) {
            if (IsLeadByte(static_cast<unsigned char>(b))) continue;
            const char byte = static_cast<char>(b);
            const int u = convert(&byte, 1);
            if (u >= 0) Register(static_cast<uint16_t>(b), static_cast<char16_t>(u));
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const int u = convert(pair, 2);
                if (u >= 0)
                    Register(static_cast<uint16_t>(lead << 8 | trail), static_cast<char16_t>(u));
            }
        }
        iconv_close(cd);
    }

    // CP932 has duplicate codes (NEC and IBM extensions) for some characters: the first,
    // lowest code wins on encoding, which is what Windows writes.
    void Register(uint16_t code, char16_t unit) {
        decode[code] = unit;
        if (encode[unit] == 0 && !(unit == 0 && code != 0)) encode[unit] = code;
    }
};

const Tables& Table() {
    static const Tables tables;
    return tables;
}

// Byte length of the character starting at text[i]; sets step to the UTF-16 units it spans.
int CharBytes(const Tables& t, const QString& text, qsizetype i, int& step) {
    const char16_t u = text[i].unicode();
    step = 1;
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text[i + 1].unicode())) {
        step = 2;
        return 1;  // written as "?"
    }
    const uint16_t code = t.encode[u];
    if (code == 0 && u != 0) return 1;
    return code > 0xFF ? 2 : 1;
}

}  // namespace

QByteArray Encode(const QString& text) {
    const Tables& t = Table();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size();) {
        int step = 1;
        CharBytes(t, text, i, step);
        const char16_t u = text[i].unicode();
        const uint16_t code = step == 2 ? 0 : t.encode[u];
        if (code == 0 && u != 0) {
            out.append('?');
        } else if (code > 0xFF) {
            out.append(static_cast<char>(code >> 8));
            out.append(static_cast<char>(code & 0xFF));
        } else {
            out.append(static_cast<char>(code));
        }
        i += step;
    }
    return out;
}

QString Decode(const QByteArray& bytes) {
    const Tables& t = Table();
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(b) && i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t u = t.decode[static_cast<uint16_t>(b << 8 | trail)];
            if (u != kReplacement) {
                out.append(QChar(u));
                ++i;
                continue;
            }
        }
        out.append(QChar(IsLeadByte(b) ? kReplacement : t.decode[b]));
    }
    return out;
}

int ByteLength(const QString& text) {
    const Tables& t = Table();
    int length = 0;
    for (qsizetype i = 0; i < text.size();) {
        int step = 1;
        length += CharBytes(t, text, i, step);
        i += step;
    }
    return length;
}

QString CutToBytes(const QString& text, int maxBytes) {
    const Tables& t = Table();
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        int step = 1;
        const int bytes = CharBytes(t, text, i, step);
        if (used + bytes > maxBytes) break;
        used += bytes;
        i += step;
    }
    return text.left(i);
}

}  // namespace platform::cp932
