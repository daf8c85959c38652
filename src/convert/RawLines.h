#pragma once
// The lines of a raw instrument file, read as bytes. Recorders and download programs end
// lines with CR LF, LF or CR alone (some put several CRs between blocks), so any of them
// ends a line. The views point into the file's bytes, which must outlive them.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace convert {

struct RawLine {
    QByteArrayView text;  // without its line end
    qsizetype number;     // 1-based, counting every line end as the file shows it
};

// Walks the lines of a buffer one by one, without copying them.
class RawLineReader {
  public:
    explicit RawLineReader(QByteArrayView bytes) : bytes_(bytes) {}
    // The next line; false at the end of the bytes. A final line end starts no line.
    bool Next(RawLine& line);

  private:
    qsizetype NextOf(char c, qsizetype& cached);

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    qsizetype number_ = 0;
    qsizetype nextLf_ = -1;
    qsizetype nextCr_ = -1;
};

// The first line that holds anything besides blanks and control characters, with those
// stripped from its front; empty when there is none. Detection looks at it.
QByteArrayView FirstContentLine(QByteArrayView bytes);

// The line with control characters and blanks removed from its end (a serial capture may
// close with ETX, a GSI word with its blank).
QByteArrayView TrimLineEnd(QByteArrayView line);

}  // namespace convert
