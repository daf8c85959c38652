#include "convert/GsiLine.h"

namespace convert::gsi {
namespace {

constexpr qsizetype kNarrowWord = 16;
constexpr qsizetype kWideWord = 24;
constexpr qsizetype kDataOffset = 7;  // after index, information and sign

// Digits with an optional sign in front, as a number; nullopt for anything else. Sixteen
// digits fit a qint64.
std::optional<qint64> SignedDigits(char sign, QByteArrayView digits) {
    if (digits.isEmpty() || digits.size() > 18) return std::nullopt;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return sign == '-' ? -value : value;
}

}  // namespace

Line::Line(QByteArrayView text) : text_(text), wide_(text.startsWith('*')) {}

std::optional<Word> Line::At(int k) const {
    const qsizetype width = wide_ ? kWideWord : kNarrowWord;
    const qsizetype dataSize = width - 8;
    const qsizetype column = (wide_ ? 1 : 0) + width * (k - 1);
    if (k < 1 || column + kDataOffset + dataSize > text_.size()) return std::nullopt;
    Word word;
    word.column = column;
    word.index = text_.sliced(column, 2);
    word.unit = text_[column + 5];
    word.sign = text_[column + 6];
    word.data = text_.sliced(column + kDataOffset, dataSize);
    return word;
}

bool Line::HasIndex(int k, QByteArrayView index) const {
    const std::optional<Word> word = At(k);
    return word && word->index == index;
}

std::optional<qint64> Number(const Word& word) {
    return SignedDigits(word.sign, word.data);
}

QByteArrayView LastData(const Word& word, qsizetype n) {
    return n >= word.data.size() ? word.data : word.data.last(n);
}

PpmAndConstant ReadPpmWord(const Word& word) {
    qsizetype split = 0;
    while (split < word.data.size() && word.data[split] != '+' && word.data[split] != '-') ++split;
    PpmAndConstant values;
    values.ppm = SignedDigits(word.sign, word.data.first(split));
    if (split + 1 < word.data.size())
        values.constant = SignedDigits(word.data[split], word.data.sliced(split + 1));
    return values;
}

}  // namespace convert::gsi
