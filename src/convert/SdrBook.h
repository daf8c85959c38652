#pragma once
// What the two SOKKIA SDR converters share: the fixed-column reader (3GD) and the comma
// reader (SDF) take the values out of their records; this book turns them into stations
// and sightings, and holds the value tables both formats use.

#include <QString>
#include <optional>

#include "convert/ApaRecordWriter.h"
#include "convert/Converter.h"

namespace convert {

// Model name by the EDM type option of an instrument record: ":" SET, "&" NET, ";" DT2/4,
// "4" DT4A/5/20; empty for any other.
QString InstrumentModel(QChar option);
// Weather code of the recorder as field-book code: 4 (rain) gives 3, 5 (snow) gives 4.
QString Weather(QChar code);
// Pressure unit option: 1 (mmHg) gives 0, 3 (hPa) gives 1; empty for inHg and others.
QString PressureUnit(QChar option);
// "dd-Mon-yy" with an English month as yy/mm/dd; empty for anything else.
QString EnglishDate(const QString& text);

// The values of one observation record, as written (blank means none).
struct SdrObservation {
    QChar face;  // 'r' or 'l'
    QString target, text, distance, vertical, horizontal;
};

class SdrBook {
  public:
    SdrBook(ApaRecordWriter& out, ConversionLog& log) : out_(out), log_(log) {}

    // The B and C fields; a reader calls NewInstrumentHeader or NewWeatherHeader on them
    // when it changes them.
    StationRecords& Records() { return records_; }
    // The text when it reads as a number or is empty; else empty, and the line is logged.
    // Every number field of the book goes through it.
    QString Numeric(qsizetype line, const QString& text);
    // The angle unit option of the file header: 1 degrees, 2 gon, 3 mil.
    void SetAngleUnit(QChar option);

    // Ends the block being written; later sightings without a new station open another
    // block of the same station.
    void EndStation();
    void Station(qsizetype line, const QString& name, const QString& note, const QString& height);
    void TargetHeight(qsizetype line, const QString& height);
    void Observe(qsizetype line, const SdrObservation& o);
    void SeparateDistance(qsizetype line, const QString& target, const QString& distance);
    // Writes the sighting still held back; call at the end of the data.
    void Finish();

  private:
    struct StationFields {
        QString name, note, height;
    };
    struct Pending {
        QString name, memo, height, number, horizontal, vertical, distance1, distance2;
    };

    std::optional<QString> Angle(const QString& text) const;
    void OpenBlock();
    void Flush();

    ApaRecordWriter& out_;
    ConversionLog& log_;
    StationRecords records_;
    double degreesPerUnit_ = 1.0;
    QString targetHeight_;
    std::optional<StationFields> station_;
    bool blockOpen_ = false;
    int count_ = 0;
    std::optional<Pending> pending_;
    qsizetype notNumberLine_ = 0;
};

}  // namespace convert
