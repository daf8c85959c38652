#pragma once
// The records ("items") of a SOKKIA SDR file. Recorders write one record a line; some
// download programs put several on a line, separated by commas. A note (type 13) holds
// free text, commas included, so it always runs to the end of its line. STX lines and
// blank lines hold no item.

#include <QByteArrayView>

#include "convert/RawLines.h"

namespace convert {

struct SdrItem {
    QByteArrayView text;  // without blanks and control characters at its end
    qsizetype number;     // the line it stands on
};

class SdrItemReader {
  public:
    explicit SdrItemReader(QByteArrayView raw) : lines_(raw) {}
    // The next item; false at the end of the file.
    bool Next(SdrItem& item);

  private:
    RawLineReader lines_;
    QByteArrayView rest_;  // of the current line, after the items taken from it
    qsizetype number_ = 0;
};

// The end record is ETX and the sum of every byte sent before it other than CR, LF, STX
// and ETX, modulo 65536, in decimal digits. True when those digits name a sum (not all
// zeros, which means "do not check") that differs from the bytes of `raw` before the
// record; `end` must point into `raw`. A recorder keeps a file whose sum fails, so the
// converter only says so.
bool SdrSumFails(QByteArrayView raw, QByteArrayView end);

}  // namespace convert
