#pragma once
// The stations of a field book as the notebook reduces them: each D record with the B and C
// records in force for it and the sightings of its run.
//
// A D record opens a station; its run is the F records up to the next B, C, D or Z record.
// Sightings after an "E,1," mark are a re-measurement: they are kept apart from the run.
// F records before the first station, or after a B or C record that no D record follows,
// belong to no station and are not reduced. Reading stops at the Z record. A placeholder
// station (a D record without any value) that has no sightings is no station.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace notebook {

// Instrument and observer (B record) and weather (C record), as written.
struct StationHeader {
    QString model, instrumentNumber, observer, date;
    QString weather, wind, temperature, pressure, ppm, pressureUnit;
};

struct Sighting {
    QString name, memo, number;
    std::optional<double> targetHeight;  // metres; none when blank or the "not given" 9 999 999
    std::optional<double> horizontal;    // seconds of arc; none when the field is blank
    std::optional<double> vertical;      // zenith angle, seconds of arc
    double distance1 = 0;                // metres; 0 when not observed
    double distance2 = 0;
    int rowKind = 1;    // RowKind of the number
    int direction = 0;  // the number's last three digits; 0 when they are no number
    QChar face() const { return number.startsWith(u'l') ? u'l' : u'r'; }
    // A zenith angle or a distance: what the vertical table shows.
    bool HasVertical() const { return vertical || distance1 > 0 || distance2 > 0; }
};

struct StationRecord {
    StationHeader header;
    QString name, eccentricity, code, startTime, endTime;
    QString instrumentHeight;  // the number as written; empty when not given
    std::vector<Sighting> sightings;
    std::vector<Sighting> remeasured;

    // Sets of the observation code's first character, 1 to 3; 0 for a station listed plainly.
    int Sets() const;
    bool HasInstrumentHeight() const { return !instrumentHeight.trimmed().isEmpty(); }
};

// The stations of the field book lines (without the slot-0 line of the program's array).
std::vector<StationRecord> ReadStations(const QStringList& lines);

}  // namespace notebook
