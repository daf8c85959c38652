// The NIKON DR-2 converter ("DR2"): comma-separated lines whose first field, 13 characters
// or more, ends in the record type; the characters before the type are the point name.
//   0  date: field 2 six digits yymmdd (B5 yy/mm/dd)
//   A  instrument header: fields 2, 3, 4 model, instrument number, observer (B2..B4)
//   B  weather header: fields 2..6 weather, wind, temperature, pressure, ppm (C1..C5);
//      weather 4 becomes 3 and 5 becomes 4
//   1  station: the name, field 2 the instrument height (D1, D3)
//   3  sighting (2 likewise): the target, fields 2..5 horizontal angle, zenith angle (both
//      ddd.mmss), slope distance, target height
//   D, C, E  no record layout is known for them: skipped and logged, never guessed at.
//
// Points this converter settles:
//   - The field order inside the records above is this converter's own reading; no
//     public description of the recorder exists. Values that do not read as numbers where
//     numbers belong skip their line (logged), so a file of another layout is reported
//     rather than converted into nonsense.
//   - A record of type 0, A or B arriving while sightings of a station are pending first
//     completes the station; between a station record and its first sighting it belongs
//     to that station. A type 1 record always completes the station before it, also one
//     without sightings (the setup is data too).
//   - Sightings carry no face or set: face r outside sets, r9 and a running three-digit
//     direction per station (after 999 again 001). No "E,1," is written.
//   - The instrument height loses its leading zeros ("0" put back in front of a leading
//     "."); heights, distances and angles are written blank-padded to 8 like the other
//     converters' numbers.
//   - A file whose first line is no DR-2 record (NIKON RAW, older NIKON comma data) is
//     refused whole: every line skipped and logged, no station written.
//   - B and C are written empty before the first station when the file gives none.

#include <QString>
#include <cmath>
#include <optional>

#include "convert/ConvertText.h"
#include "convert/Converter.h"
#include "convert/RawLines.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

constexpr qsizetype kKeySize = 13;

const QString kNotDr2 = QStringLiteral("NIKON DR-2 の記録ではありません");
const QString kUnknownRecord = QStringLiteral("記録の並びが分からない種別のため変換しません");
const QString kNoStation = QStringLiteral("観測点より前の視準です");
const QString kBadValue = QStringLiteral("数値のはずの値が読めません");

struct Record {
    QChar type;
    QString name;  // the key less its type, without the blanks around it
    QString rest;  // the fields after the key, each ended by ","
};

std::optional<Record> ReadRecord(QByteArrayView line) {
    QString text = platform::cp932::Decode(TrimLineEnd(line));
    if (!text.contains(u',')) return std::nullopt;  // a record's key always ends at a comma
    if (!text.endsWith(u',')) text.append(u',');
    const QString key = TakeField(text);
    if (key.size() < kKeySize) return std::nullopt;
    QChar type = key.back();
    if (type == u'2') type = u'3';
    if (type == u'C') type = u'D';
    return Record{type, key.chopped(1).trimmed(), text};
}

// A number written with `decimals` places, blank-padded to 8; empty stays empty.
std::optional<QString> Number(const QString& text, int decimals) {
    if (text.trimmed().isEmpty()) return QString();
    if (!AllNumbers({text})) return std::nullopt;
    QString number = QString::number(text.trimmed().toDouble(), 'f', decimals);
    return PadNumber(number);
}

// A ddd.mmss angle, checked for minutes and seconds below 60.
std::optional<QString> Angle(const QString& text) {
    const std::optional<QString> angle = Number(text, 4);
    if (!angle || angle->isEmpty()) return angle;
    const QString fraction = angle->section(u'.', 1);
    if (fraction.left(2).toInt() >= 60 || fraction.mid(2, 2).toInt() >= 60) return std::nullopt;
    return angle;
}

int WeatherCode(const QString& raw) {
    const int code = raw.trimmed().toInt();
    return code == 4 ? 3 : code == 5 ? 4 : code;
}

class Dr2Conversion {
  public:
    Dr2Conversion(ApaRecordWriter& out, ConversionLog& log) : out_(out), log_(log) {}

    void Take(const Record& r, qsizetype line) {
        const QChar t = r.type;
        if ((t == u'0' || t == u'A' || t == u'B') && sightings_ > 0) CompleteStation();
        if (t == u'0') return Date(r, line);
        if (t == u'A') return Instrument(r);
        if (t == u'B') return Weather(r, line);
        if (t == u'1') return Station(r, line);
        if (t == u'3') return Observation(r, line);
        log_.Skip(line, kUnknownRecord);
    }

    void CompleteStation() {
        if (open_ && sightings_ == 0) out_.WriteStation(records_);
        open_ = false;
        sightings_ = 0;
    }

  private:
    void Date(const Record& r, qsizetype line) {
        QString rest = r.rest;
        const QString date = TakeField(rest).trimmed();
        if (date.size() != 6 || !AllNumbers({date})) return log_.Skip(line, kBadValue);
        records_.b[4] = date.left(2) + u'/' + date.mid(2, 2) + u'/' + date.mid(4, 2);
        records_.NewInstrumentHeader();
    }

    void Instrument(const Record& r) {
        QString rest = r.rest;
        for (int i = 1; i <= 3; ++i) records_.b[i] = TakeField(rest).trimmed();
        records_.NewInstrumentHeader();
    }

    void Weather(const Record& r, qsizetype line) {
        QString rest = r.rest;
        QStringList fields;
        for (int i = 0; i < 5; ++i) fields.append(TakeField(rest).trimmed());
        for (const QString& field : fields)
            if (!field.isEmpty() && !AllNumbers({field})) return log_.Skip(line, kBadValue);
        records_.c[0] = fields[0].isEmpty() ? QString() : QString::number(WeatherCode(fields[0]));
        for (int i = 1; i < 5; ++i) records_.c[i] = fields[i];
        records_.NewWeatherHeader();
    }

    void Station(const Record& r, qsizetype line) {
        QString rest = r.rest;
        QString height = TakeField(rest).trimmed();
        if (!height.isEmpty() && !AllNumbers({height})) return log_.Skip(line, kBadValue);
        CompleteStation();
        QString name = r.name;
        records_.d[0] = PadName(name);
        records_.d[2] = PadNumber(StripLeadingZeros(height));
        records_.d[3] = QStringLiteral("0");
        open_ = true;
    }

    void Observation(const Record& r, qsizetype line) {
        if (!open_) return log_.Skip(line, kNoStation);
        QString rest = r.rest;
        const std::optional<QString> horizontal = Angle(TakeField(rest));
        const std::optional<QString> vertical = Angle(TakeField(rest));
        const std::optional<QString> distance = Number(TakeField(rest), 3);
        const std::optional<QString> height = Number(TakeField(rest), 3);
        if (!horizontal || horizontal->isEmpty() || !vertical || !distance || !height)
            return log_.Skip(line, kBadValue);
        if (sightings_++ == 0) out_.WriteStation(records_);
        direction_ = sightings_ == 1 ? 1 : direction_ % 999 + 1;
        QString name = r.name;
        const QByteArray bytes[] = {
            platform::cp932::Encode(PadName(name)),
            platform::cp932::Encode(*height),
            "r9" + QByteArray::number(direction_).rightJustified(3, '0'),
            horizontal->toLatin1(),
            vertical->toLatin1(),
            distance->toLatin1(),
        };
        convert::Sighting s;
        s.name = bytes[0];
        s.targetHeight = bytes[1];
        s.number = bytes[2];
        s.horizontal = bytes[3];
        s.vertical = bytes[4];
        s.distance1 = bytes[5];
        out_.WriteSighting(s);
    }

    ApaRecordWriter& out_;
    ConversionLog& log_;
    StationRecords records_;
    bool open_ = false;
    int sightings_ = 0;
    int direction_ = 0;
};

void SkipAll(QByteArrayView raw, ConversionLog& log) {
    RawLineReader reader(raw);
    RawLine line;
    while (reader.Next(line))
        if (!TrimLineEnd(line.text).isEmpty()) log.Skip(line.number, kNotDr2);
}

}  // namespace

void ConvertDr2(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    if (!ReadRecord(FirstContentLine(raw))) return SkipAll(raw, log);
    Dr2Conversion conversion(out, log);
    RawLineReader reader(raw);
    RawLine line;
    while (reader.Next(line)) {
        if (TrimLineEnd(line.text).isEmpty()) continue;
        if (const std::optional<Record> record = ReadRecord(line.text))
            conversion.Take(*record, line.number);
        else
            log.Skip(line.number, kNotDr2);
    }
    conversion.CompleteStation();
}

}  // namespace convert
