#include "platform/CodePage.h"

#include <iconv.h>

#include <array>
#include <stdexcept>
#include <utility>
#include <vector>

namespace platform::cp932 {
namespace {

constexpr uint16_t kNoCode = 0xFFFF;  // no CP932 code starts with the byte 0xFF
constexpr char16_t kNoUnit = 0xFFFF;  // a noncharacter: CP932 never maps to it
constexpr char16_t kEscapeBase = 0xDC00;

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsEscape(char16_t u) {
    return u >= kEscapeBase && u <= kEscapeBase + 0xFF;
}

// One direction of iconv.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("CP932 is not available");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The converted bytes, or empty when iconv refuses the input.
    QByteArray Convert(const char* in, size_t length) {
        char out[8];
        char* src = const_cast<char*>(in);
        char* dst = out;
        size_t inLeft = length;
        size_t outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &src, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return {};
        return QByteArray(out, static_cast<qsizetype>(sizeof out - outLeft));
    }

  private:
    iconv_t cd_;
};

// Both directions as lookup tables, filled once from iconv. CP932 maps only BMP
// characters, so 65536 entries cover every encodable character.
struct Tables {
    std::array<uint16_t, 0x10000> encode{};  // UTF-16 unit -> CP932 code (1 or 2 bytes)
    std::array<char16_t, 0x10000> decode{};  // CP932 code -> UTF-16 unit

    Tables() {
        encode.fill(kNoCode);
        decode.fill(kNoUnit);
        const std::vector<std::pair<uint16_t, char16_t>> pairs = AllCodes();
        // A character with two codes is written with the one iconv chooses, as Windows
        // does; only that code decodes to the character, so every decoded text encodes
        // back to its bytes.
        Converter toCp932("CP932", "UTF-16LE");
        for (const auto& [code, unit] : pairs) {
            if (encode[unit] != kNoCode) continue;
            const char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
            const QByteArray out = toCp932.Convert(in, 2);
            uint16_t preferred = code;
            if (out.size() == 1) preferred = static_cast<unsigned char>(out[0]);
            if (out.size() == 2)
                preferred = static_cast<uint16_t>(static_cast<unsigned char>(out[0]) << 8 |
                                                  static_cast<unsigned char>(out[1]));
            encode[unit] = preferred;
        }
        for (const auto& [code, unit] : pairs)
            if (encode[unit] == code) decode[code] = unit;
        // A preferred code iconv named outside the character's own codes would decode to
        // nothing; such a character keeps its first code.
        for (const auto& [code, unit] : pairs)
            if (decode[encode[unit]] != unit) {
                encode[unit] = code;
                decode[code] = unit;
            }
    }

    // Every (code, character) pair iconv decodes: single bytes, then lead and trail bytes.
    static std::vector<std::pair<uint16_t, char16_t>> AllCodes() {
        Converter fromCp932("UTF-16LE", "CP932");
        std::vector<std::pair<uint16_t, char16_t>> pairs;
        const auto add = [&](uint16_t code, const char* bytes, size_t length) {
            const QByteArray out = fromCp932.Convert(bytes, length);
            if (out.size() != 2) return;
            pairs.emplace_back(code,
                               static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                     static_cast<unsigned char>(out[1]) << 8));
        };
        for (int b = 0; b < 0x100; ++b) {
            if (IsLeadByte(static_cast<unsigned char>(b))) continue;
            const char byte = static_cast<char>(b);
            add(static_cast<uint16_t>(b), &byte, 1);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                add(static_cast<uint16_t>(lead << 8 | trail), pair, 2);
            }
        }
        return pairs;
    }
};

const Tables& Table() {
    static const Tables tables;
    return tables;
}

// The code a unit is written with: an escaped byte as itself, kNoCode when CP932 has none.
uint16_t CodeOf(const Tables& t, char16_t u) {
    return IsEscape(u) ? static_cast<uint16_t>(u - kEscapeBase) : t.encode[u];
}

bool IsPairAt(const QString& text, qsizetype i) {
    return QChar::isHighSurrogate(text[i].unicode()) && i + 1 < text.size() &&
           QChar::isLowSurrogate(text[i + 1].unicode());
}

// Byte length of the character starting at text[i]; sets step to the UTF-16 units it spans.
int CharBytes(const Tables& t, const QString& text, qsizetype i, int& step) {
    step = IsPairAt(text, i) ? 2 : 1;
    if (step == 2) return 1;  // written as "?"
    const uint16_t code = CodeOf(t, text[i].unicode());
    return code != kNoCode && code > 0xFF ? 2 : 1;
}

}  // namespace

QByteArray Encode(const QString& text) {
    const Tables& t = Table();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsPairAt(text, i)) {
            out.append('?');
            ++i;
            continue;
        }
        const uint16_t code = CodeOf(t, text[i].unicode());
        if (code == kNoCode) {
            out.append('?');
        } else {
            if (code > 0xFF) out.append(static_cast<char>(code >> 8));
            out.append(static_cast<char>(code & 0xFF));
        }
    }
    return out;
}

QString Decode(QByteArrayView bytes) {
    const Tables& t = Table();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    // Written straight into the string: a file of field books runs to megabytes, and an
    // append per character costs more than the look-up.
    QString out(n, Qt::Uninitialized);
    char16_t* written = reinterpret_cast<char16_t*>(out.data());
    char16_t* const start = written;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = data[i];
        char16_t u = kNoUnit;
        if (!IsLeadByte(b)) {
            u = t.decode[b];
        } else if (i + 1 < n) {
            u = t.decode[static_cast<uint16_t>(b << 8 | data[i + 1])];
            if (u != kNoUnit) ++i;
        }
        *written++ = u != kNoUnit ? u : static_cast<char16_t>(kEscapeBase + b);
    }
    out.truncate(written - start);
    return out;
}

bool HasEscapedBytes(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsPairAt(text, i))
            ++i;
        else if (IsEscape(text[i].unicode()))
            return true;
    }
    return false;
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
