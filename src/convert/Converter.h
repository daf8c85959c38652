#pragma once
// What a converter is: it reads the bytes of a raw file and writes the stations of a field
// book through the shared writer. The driver (Conversion.h) runs the part every converter
// has in common around it: the copy of a file that already is a field book, "A,01,", "Z,"
// and replacing the output file.
//
// A converter never fails on its input: what it cannot read it skips and notes in the log,
// and it writes only what satisfies the field-book format.

#include <QByteArrayView>
#include <QList>
#include <QString>

#include "convert/ApaRecordWriter.h"

namespace convert {

struct LineNote {
    qsizetype line;  // 1-based line of the raw file
    QString reason;
    bool skipped = true;  // false: converted, but something in it is wrong (a failed check)
};

// The lines a conversion skipped or converted with a fault (a check that failed), with the
// first few reasons kept for the user.
class ConversionLog {
  public:
    static constexpr qsizetype kKeptNotes = 100;

    void Skip(qsizetype line, const QString& reason);
    void Flag(qsizetype line, const QString& reason);
    qsizetype Skipped() const { return skipped_; }
    qsizetype Flagged() const { return flagged_; }
    const QList<LineNote>& Notes() const { return notes_; }

  private:
    qsizetype skipped_ = 0;
    qsizetype flagged_ = 0;
    QList<LineNote> notes_;
};

using Converter = void (*)(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

// The LEICA GSI converter (GsiConverter.cpp).
void ConvertGsi(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

// The TOPCON underscore-coded converter (Fc5Converter.cpp).
void ConvertFc5(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

// The NIKON DR-2 converter (Dr2Converter.cpp).
void ConvertDr2(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

// The SOKKIA SDR converter, 3G and SDR33 layouts (Sdr3gConverter.cpp).
void ConvertSdr3g(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

// The SOKKIA SDF converter, SDR records as comma-separated lines (SdfConverter.cpp).
void ConvertSdf(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

// The SOKKIA memory-card converter, both card formats (SokkiaCardConverter.cpp).
void ConvertSokkiaCard(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

// The SOKKIA SDR 3P converter (Sdr3pConverter.cpp).
void ConvertSdr3p(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log);

}  // namespace convert
