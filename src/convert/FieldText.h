#pragma once
// A short text of bytes kept in place: the value of one field while a converter formats a
// record. Appending costs a copy of the bytes and nothing more, where a QByteArray would go
// through its general insert; a converter writes millions of such fields. Text beyond the
// capacity is cut (no field of the formats comes near it).

#include <QByteArrayView>
#include <algorithm>
#include <cstring>

namespace convert {

class FieldText {
  public:
    static constexpr qsizetype kCapacity = 120;

    FieldText() = default;
    FieldText(qsizetype count, char c) { append(count, c); }

    qsizetype size() const { return size_; }
    bool isEmpty() const { return size_ == 0; }
    char at(qsizetype i) const { return data_[i]; }
    bool startsWith(char c) const { return size_ > 0 && data_[0] == c; }
    QByteArrayView View() const { return QByteArrayView(data_, size_); }
    operator QByteArrayView() const { return View(); }

    void clear() { size_ = 0; }
    FieldText& append(QByteArrayView bytes) {
        const qsizetype n = std::min(bytes.size(), kCapacity - size_);
        std::memcpy(data_ + size_, bytes.data(), static_cast<size_t>(n));
        size_ += n;
        return *this;
    }
    FieldText& append(char c) {
        if (size_ < kCapacity) data_[size_++] = c;
        return *this;
    }
    FieldText& append(qsizetype count, char c) {
        const qsizetype n = std::clamp<qsizetype>(count, 0, kCapacity - size_);
        std::memset(data_ + size_, c, static_cast<size_t>(n));
        size_ += n;
        return *this;
    }
    FieldText& prepend(QByteArrayView bytes) {
        const qsizetype n = std::min(bytes.size(), kCapacity - size_);
        std::memmove(data_ + n, data_, static_cast<size_t>(size_));
        std::memcpy(data_, bytes.data(), static_cast<size_t>(n));
        size_ += n;
        return *this;
    }
    FieldText& prepend(char c) { return prepend(QByteArrayView(&c, 1)); }
    FieldText& prepend(const FieldText& text) { return prepend(text.View()); }
    FieldText& append(const FieldText& text) { return append(text.View()); }
    FieldText& remove(qsizetype pos, qsizetype count) {
        count = std::min(count, size_ - pos);
        std::memmove(data_ + pos, data_ + pos + count, static_cast<size_t>(size_ - pos - count));
        size_ -= count;
        return *this;
    }

  private:
    char data_[kCapacity];
    qsizetype size_ = 0;
};

}  // namespace convert
