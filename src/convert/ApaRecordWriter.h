#pragma once
// The field book a converter writes: "A,01,", station blocks, "Z,". Every converter writes
// through this one writer, which
//   - repeats the B and C records only for stations that follow a new header of the raw
//     file (the print flags below);
//   - writes each station's observation code as the editor computes it from the sightings
//     written under it, so converted books need no fixing;
//   - writes every sighting with its eleven fields;
//   - keeps "," and control characters out of the fields (a field never splits);
//   - replaces the output file atomically when finished: a conversion that fails halfway
//     leaves the old file, and no partial one.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "apa/ObservationCode.h"
#include "platform/TextFile.h"

namespace convert {

// The record buffers of a run: the B, C and D fields of the station to come, the E flag and
// the print flags of B and C. A flag is 0 at the start of a run, 1 once a station has been
// written and 9 when the raw file gave a new header after that; the record is written
// before the next station when its flag is 0 or 9.
struct StationRecords {
    StationRecords();
    void NewInstrumentHeader();  // B fields were set anew
    void NewWeatherHeader();     // C fields were set anew

    QStringList b;  // 8 fields
    QStringList c;  // 6 fields
    QStringList d;  // 7 fields; field 5 (the observation code) is computed when written
    QString e = QStringLiteral("0");
    int bPrint = 0;
    int cPrint = 0;
};

// One sighting (F record) as CP932 bytes. The views must stay valid during WriteSighting.
struct Sighting {
    QByteArrayView name;
    QByteArrayView memo;
    QByteArrayView targetHeight;
    QByteArrayView number;  // r1001
    QByteArrayView horizontal;
    QByteArrayView vertical;
    QByteArrayView distance1;
    QByteArrayView distance2;
    bool secondDistance = false;  // distance2 is above 0
};

class ApaRecordWriter {
  public:
    // Opens the output for replacing; throws platform::FileError.
    explicit ApaRecordWriter(const QString& outputPath);
    ApaRecordWriter(const ApaRecordWriter&) = delete;
    ApaRecordWriter& operator=(const ApaRecordWriter&) = delete;

    void WriteHeader();  // "A,01,"
    // B and C as their flags say, then D and E. Afterwards both flags are 1 and the D fields
    // are empty again (field 5 "9911001").
    void WriteStation(StationRecords& records);
    void WriteRemeasureMark();  // "E,1,", inside the current station's run
    void WriteSighting(const Sighting& sighting);
    // Writes "Z," and replaces the output file; throws platform::FileError.
    void Finish();

    // A file copied unchanged instead of converted: its bytes, then Finish without "Z,".
    void CopyAndFinish(QByteArrayView bytes);

    int Stations() const { return stations_; }
    int Sightings() const { return sightings_; }

  private:
    void Flush(bool all);
    void EndStation();
    void AppendLine(QByteArray& to, char record, const QStringList& fields);

    platform::TextFileWriter file_;
    QByteArray out_;
    QByteArray station_;       // the open station's run, until its code is known
    qsizetype codeAt_ = -1;    // where its code goes in station_
    apa::ObservationCodeTally tally_;
    int stations_ = 0;
    int sightings_ = 0;
};

}  // namespace convert
