#pragma once
// The observation code of a station (D field 5): SSS + K + NNN, from the sightings of the
// station's run, the F lines from its D line up to the next B, C, D or Z line.
//   SSS  "991" without numbered sets (or when every number begins with r1), else the
//        highest set digit followed by "12" ("212" for two sets);
//   K    "2" when a sighting of set 1 or 9 has a second distance above 0, else "1";
//   NNN  the highest direction number, three digits.

#include <QString>
#include <QStringList>

namespace apa {

// Gathers the sightings of one run, in any order, and gives their code. The editor feeds it
// from the lines of a station; a converter from the sightings it writes, so that both write
// the same code.
class ObservationCodeTally {
  public:
    // number: F field 4 as written; secondDistance: F field 8 reads above 0.
    void Add(QStringView number, bool secondDistance);
    QString Code() const;

  private:
    int highestSet_ = 0;
    int highestDirection_ = 1;
    int distanceKind_ = 1;
    bool allR1_ = true;
};

// The code for the station whose D line is at dIndex (0-based).
QString ObservationCode(const QStringList& lines, qsizetype dIndex);

// The lines as the editor saves them, observation codes recomputed. A placeholder station
// whose run holds nothing but its "E,0," and empty sightings is left out with them, and
// with the blank B and C lines right before it unless a station follows that uses them. A
// placeholder with anything entered under it stays a station of its own (with its empty
// name and its code): its sightings never move to another station.
QStringList PrepareForSave(const QStringList& lines);

// Writes the lines with CR LF in CP932, replacing the file atomically.
void WriteApaFile(const QString& path, const QStringList& lines);

}  // namespace apa
