// The SOKKIA SDR 3P converter ("3PD"): fixed-column records, the key in characters 1 to 3,
// positions counted in characters of the decoded line (names may be CP932 text).
//   H01  file header: B fields 5 and 6        J01, J02  job: B fields 1 and 7
//   K01  station      K02  instrument         K03  observation settings
//   K04  date and observer   K05  weather     K06, K07  start and end time
//   D0, D2  observations; J03, K08, K09, D00 and an "M" in place of the face are passed over
//
// Points this converter settles:
//   - Observation records (positions 1-based; no real 3P file has been seen, so check these
//     columns against the first one that comes):
//       1-2  "D0" (observed) or "D2" (re-measured)    3  set digit: 1, 2, 3 or 9
//       4    face "R" or "L" ("M": passed over)       6-8  direction number
//       12-19 target name   21-30 horizontal angle   31-40 vertical angle (ddd.mmss)
//       41-50 distance      51-58 target height
//     A value whose columns are blank is not in the record. So the observation order of
//     K03 needs no reading of its own: whether a target's angles and distance come in one,
//     two or three records, each fills the pending sighting of its face, set and direction,
//     the newest first. A record that brings a value the newest matching sighting already
//     has is a new sighting of that direction, so a repeated observation is not lost.
//     A record whose set digit or direction number cannot be read is skipped and logged.
//   - A station is the K01 record and the observation records up to the next K01 or the
//     end of the file; its sightings are written in the order their first record came, the
//     observed ones first, then "E,1," and the re-measured ones. A pending sighting that
//     received no angle and no distance is not written. A station without sightings writes
//     nothing and is logged; observation records before the first K01 are skipped.
//   - K06 and K07 read characters 45 to 52 while the K03 settings give no sets (its
//     characters 36 and 40 both give "9"; so also before any K03), else 12 to 19. The
//     observation code itself is the one the written sightings give.
//   - A K01, K05 or observation record with text where the field book takes a number
//     (instrument and target height, temperature, pressure, ppm, angles, distance) is
//     skipped and logged. A skipped K01 still ends the station before it, and the
//     observations after it are skipped: they would otherwise land on the wrong station.
//   - J01 while sightings are pending is skipped and logged (its label would land on the
//     station already observed).
//   - A K04 that changes the date or observer repeats B before the next station, so that a
//     second day's stations carry their own date.
//   - Angles, distances and heights are written as the record has them, right-aligned to
//     eight characters; a weather or wind character outside its table gives an empty field.

#include <QList>
#include <QString>
#include <initializer_list>

#include "apa/ApaLine.h"
#include "convert/ConvertText.h"
#include "convert/Converter.h"
#include "convert/RawLines.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

const QString kNoStation = QStringLiteral("測点（K01）の前の観測行です");
const QString kEmptyStation = QStringLiteral("観測のない測点です");
const QString kUnknown = QStringLiteral("SDR 3P の行として読めません");
const QString kLateLabel = QStringLiteral("観測の途中のジョブ行は使いません");
const QString kNotNumber = QStringLiteral("数であるべき値が数ではありません");
const QString kNoSet = QStringLiteral("観測行の対回番号が読めません");

// Characters `from` to `to` (1-based, inclusive) of the line; shorter when the line ends.
QString Columns(const QString& line, qsizetype from, qsizetype to) {
    return line.mid(from - 1, to - from + 1);
}

QString& TrimEnd(QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') --end;
    text.truncate(end);
    return text;
}

QString Trimmed(const QString& line, qsizetype from, qsizetype to) {
    QString text = Columns(line, from, to);
    return TrimEnd(text);
}

QByteArray Encoded(const QString& text) {
    return platform::cp932::Encode(text);
}

// A value field: blanks around it removed, then right-aligned to eight characters.
QByteArray Number(const QString& line, qsizetype from, qsizetype to) {
    QByteArray text = Encoded(Columns(line, from, to).trimmed());
    return PadNumber(text);
}

// The position (1 to 5) of the character in the table, as text; empty when not in it.
QString TablePosition(const QString& table, const QString& character) {
    const qsizetype at = character.size() == 1 ? table.indexOf(character) : -1;
    return at < 0 ? QString() : QString::number(at + 1);
}

QString WeatherOf(const QString& character) {
    const QString position = TablePosition(QStringLiteral("ﾊｸｺｱﾕ"), character);
    if (position == u"4") return QStringLiteral("3");
    if (position == u"5") return QStringLiteral("4");
    return position;
}

QString ObservationOrder(const QString& code) {
    if (code == u"1") return QStringLiteral("ｶﾝｿｸﾃｼﾞｭﾝ=HVD  ");
    if (code == u"2") return QStringLiteral("ｶﾝｿｸﾃｼﾞｭﾝ=H.VD ");
    if (code == u"3") return QStringLiteral("ｶﾝｿｸﾃｼﾞｭﾝ=H.V.D");
    if (code == u"5") return QStringLiteral("ｶﾝｿｸﾃｼﾞｭﾝ=HV.D ");
    return QString();
}

// Whether a K03 character gives "9" as observation-code character 1 or 2.
bool GivesNine(const QString& character) {
    return character == u"0" || character == u"9";
}

struct Pending {
    bool remeasured;
    QString key;  // face, set digit and direction: "r1001"
    QByteArray name, height, horizontal, vertical, distance;

    bool HasValues() const {
        return !horizontal.isEmpty() || !vertical.isEmpty() || !distance.isEmpty();
    }
};

// Fills `to` from `from` where `from` has something; false when `to` has it already.
bool Fill(QByteArray& to, const QByteArray& from) {
    if (from.isEmpty()) return true;
    if (!to.isEmpty()) return false;
    to = from;
    return true;
}

class Sdr3pConversion {
  public:
    Sdr3pConversion(ApaRecordWriter& out, ConversionLog& log) : out_(out), log_(log) {}

    void Run(QByteArrayView raw) {
        RawLineReader reader(raw);
        RawLine line;
        while (reader.Next(line)) {
            const QByteArrayView text = TrimLineEnd(line.text);
            if (!text.isEmpty()) Convert(platform::cp932::Decode(text), line.number);
        }
        EndStation();
    }

  private:
    void Convert(const QString& line, qsizetype number) {
        const QString key = line.left(3);
        if (key == u"H01")
            Header(line);
        else if (key == u"J01")
            Label(line, number);
        else if (key == u"J02")
            records_.b[6] = Trimmed(line, 12, 19);
        else if (key == u"K01")
            Station(line, number);
        else if (key == u"K02")
            Instrument(line);
        else if (key == u"K03")
            Settings(line);
        else if (key == u"K04")
            DateAndObserver(line);
        else if (key == u"K05")
            Weather(line, number);
        else if (key == u"K06")
            records_.d[5] = Time(line);
        else if (key == u"K07")
            records_.d[6] = Time(line);
        else if (key == u"J03" || key == u"K08" || key == u"K09" || key == u"D00")
            return;
        else if ((key.startsWith(u"D0") || key.startsWith(u"D2")) && line.size() >= 4)
            Observation(line, number);
        else
            log_.Skip(number, kUnknown);
    }

    void Header(const QString& line) {
        records_.b[4] = Trimmed(line, 34, 41);
        records_.b[5] = Trimmed(line, 23, 32);
    }

    void Label(const QString& line, qsizetype number) {
        if (!pending_.isEmpty()) {
            log_.Skip(number, kLateLabel);
            return;
        }
        records_.b[0] = Trimmed(line, 12, 19);
        records_.NewInstrumentHeader();
    }

    void Station(const QString& line, qsizetype number) {
        EndStation();
        if (!AllNumbers({Columns(line, 27, 33)})) {
            log_.Skip(number, kNotNumber);
            return;
        }
        open_ = true;
        stationLine_ = number;
        QByteArray name = Encoded(Trimmed(line, 12, 19));
        records_.d[0] = platform::cp932::Decode(PadName(name));
        QString height = Columns(line, 27, 33).trimmed();
        records_.d[2] = PadNumber(height);
        records_.d[3] =
            Columns(line, 35, 39) == u"B=P=C" ? QStringLiteral("0") : QStringLiteral("1");
    }

    void Instrument(const QString& line) {
        records_.b[1] = Trimmed(line, 12, 19);
        records_.b[2] = Trimmed(line, 23, 29);
        records_.NewInstrumentHeader();
    }

    void Settings(const QString& line) {
        records_.d[1] = ObservationOrder(Columns(line, 22, 22));
        noSets_ = GivesNine(Columns(line, 36, 36)) && GivesNine(Columns(line, 40, 40));
    }

    void DateAndObserver(const QString& line) {
        const QString date = Trimmed(line, 12, 19);
        const QString observer = Trimmed(line, 23, 30);
        if (records_.b[4] != date || records_.b[3] != observer) records_.NewInstrumentHeader();
        records_.b[4] = date;
        records_.b[3] = observer;
    }

    void Weather(const QString& line, qsizetype number) {
        if (!AllNumbers({Columns(line, 40, 44), Columns(line, 51, 55), Columns(line, 62, 66)})) {
            log_.Skip(number, kNotNumber);
            return;
        }
        records_.c[0] = WeatherOf(Columns(line, 12, 12));
        records_.c[1] = TablePosition(QStringLiteral("ﾑﾅﾜｼｷ"), Columns(line, 23, 23));
        records_.c[2] = Columns(line, 40, 44).trimmed();
        records_.c[3] = Columns(line, 51, 55).trimmed();
        records_.c[4] = Columns(line, 62, 66).trimmed();
        records_.NewWeatherHeader();
    }

    QString Time(const QString& line) const {
        return noSets_ ? Trimmed(line, 45, 52) : Trimmed(line, 12, 19);
    }

    void Observation(const QString& line, qsizetype number) {
        const QChar face = line[3];
        if (face == u'M') return;
        if (face != u'R' && face != u'L') {
            log_.Skip(number, kUnknown);
            return;
        }
        const QChar set = line[2];
        bool isNumber = false;
        const int direction = Columns(line, 6, 8).trimmed().toInt(&isNumber);
        if (!QStringLiteral("1239").contains(set) || !isNumber || direction < 1) {
            log_.Skip(number, kNoSet);
            return;
        }
        if (!open_ || !AllNumbers({Columns(line, 21, 30), Columns(line, 31, 40),
                                   Columns(line, 41, 50), Columns(line, 51, 58)})) {
            log_.Skip(number, open_ ? kNotNumber : kNoStation);
            return;
        }
        Pending p{.remeasured = line[1] == u'2',
                  .key = QString(face.toLower()) + set +
                         QString::number(direction).rightJustified(3, u'0'),
                  .name = Encoded(Trimmed(line, 12, 19)),
                  .height = Number(line, 51, 58),
                  .horizontal = Number(line, 21, 30),
                  .vertical = Number(line, 31, 40),
                  .distance = Number(line, 41, 50)};
        PadName(p.name);
        Take(p);
    }

    // Fills the newest pending sighting of the same face, set and direction, or starts one.
    void Take(const Pending& p) {
        for (qsizetype i = pending_.size() - 1; i >= 0; --i) {
            Pending& q = pending_[i];
            if (q.key != p.key || q.remeasured != p.remeasured) continue;
            Pending merged = q;
            if (Fill(merged.horizontal, p.horizontal) && Fill(merged.vertical, p.vertical) &&
                Fill(merged.distance, p.distance)) {
                if (merged.name.trimmed().isEmpty()) merged.name = p.name;
                if (merged.height.isEmpty()) merged.height = p.height;
                q = merged;
                return;
            }
            break;
        }
        pending_.append(p);
    }

    void EndStation() {
        if (!open_) return;
        open_ = false;
        QList<Pending> written;
        for (const bool remeasured : {false, true})
            for (const Pending& p : pending_)
                if (p.remeasured == remeasured && p.HasValues()) written.append(p);
        pending_.clear();
        if (written.isEmpty()) {
            log_.Skip(stationLine_, kEmptyStation);
            return;
        }
        out_.WriteStation(records_);
        bool marked = false;
        for (const Pending& p : written) {
            if (p.remeasured && !marked) out_.WriteRemeasureMark();
            marked = marked || p.remeasured;
            const QByteArray key = p.key.toLatin1();
            out_.WriteSighting({.name = p.name,
                                .memo = {},
                                .targetHeight = p.height,
                                .number = key,
                                .horizontal = p.horizontal,
                                .vertical = p.vertical,
                                .distance1 = p.distance,
                                .distance2 = {},
                                .secondDistance = false});
        }
    }

    ApaRecordWriter& out_;
    ConversionLog& log_;
    StationRecords records_;
    QList<Pending> pending_;
    bool open_ = false;
    bool noSets_ = true;
    qsizetype stationLine_ = 0;
};

}  // namespace

void ConvertSdr3p(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    Sdr3pConversion(out, log).Run(raw);
}

}  // namespace convert
