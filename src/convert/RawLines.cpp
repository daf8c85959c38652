#include "convert/RawLines.h"

#include <algorithm>
#include <cstring>

namespace convert {
namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F;
}

}  // namespace

qsizetype RawLineReader::NextOf(char c, qsizetype& cached) {
    // Found once and kept until passed: a file without LF (or without CR) is searched once,
    // not once a line.
    if (cached < pos_) {
        const void* at = std::memchr(bytes_.data() + pos_, c, static_cast<size_t>(bytes_.size() - pos_));
        cached = at ? static_cast<const char*>(at) - bytes_.data() : bytes_.size();
    }
    return cached;
}

bool RawLineReader::Next(RawLine& line) {
    const qsizetype size = bytes_.size();
    if (pos_ >= size) return false;
    const qsizetype end = std::min(NextOf('\n', nextLf_), NextOf('\r', nextCr_));
    line.text = bytes_.sliced(pos_, end - pos_);
    line.number = ++number_;
    pos_ = end;
    if (pos_ < size && bytes_[pos_] == '\r') ++pos_;
    if (pos_ < size && bytes_[pos_] == '\n') ++pos_;
    return true;
}

QByteArrayView FirstContentLine(QByteArrayView bytes) {
    RawLineReader reader(bytes);
    RawLine line;
    while (reader.Next(line)) {
        QByteArrayView text = TrimLineEnd(line.text);
        while (!text.isEmpty() && IsBlankOrControl(text.front())) text = text.sliced(1);
        if (!text.isEmpty()) return text;
    }
    return {};
}

QByteArrayView TrimLineEnd(QByteArrayView line) {
    while (!line.isEmpty() && IsBlankOrControl(line.back())) line.chop(1);
    return line;
}

}  // namespace convert
