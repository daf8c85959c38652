// The SOKKIA memory-card converter ("SC1", "SCR"): the comma-separated records of a SET
// card, whether read by the card reader (first line "SKR…", passed over) or saved by the
// instrument itself (first line "A,SET…": not detected by itself, converted when the user
// names either card format).
//   A   instrument: B fields 2, 3 and 6 (type, number, ROM version)
//   M   station: date, name, mark, instrument height, temperature, pressure, units
//   <name>,Ea / Eh / Ee   a sighting: with distance / with coordinates too / angles only
//   C, N   feature codes and notes: nothing of the field book, passed over without a
//          note in the log; an N whose text begins "_" is no different: it neither ends
//          nor starts a station
//
// Points this converter settles:
//   - Line check: a card whose first record line ends with two hex digits carries a check
//     on every line (even when that first check fails). On such a card a line whose check
//     fails or is missing is still converted, and flagged with its line number; the check
//     is never read as a value.
//   - Records shorter than what is read from them (A: 4 fields, M: 12, sightings: up to
//     their horizontal angle), and records with text where the field book takes a number
//     (heights, temperature, pressure, ppm, angles, distance), are skipped and logged. A
//     skipped M still ends the station before it, and the sightings after it are skipped:
//     they would otherwise land on the wrong station.
//   - A station is the M record and the sightings up to the next M or A record (or the end).
//     A station without sightings writes nothing and is logged; sightings before the first
//     M (or after an A, before its M) have no station and are skipped.
//   - Sightings are numbered r9 and a running three-digit count (001 after 999). Two rounds
//     over the same targets make one set: when the first repeated name comes after k
//     sightings, the station has exactly 2k, and the second round holds each target of the
//     first once, the first round is r1001…r100k and each sighting of the second round is
//     face l under the number of its own target (l1003 for the target of r1003), in the
//     order observed. Card data mark no re-measurement, so no "E,1," is written.
//   - A line is a sighting when its field 2 is a sighting code, whatever its name: targets
//     named "A", "M", "C" or "N" are no headers.
//   - Sighting fields: name (field 1, "_" removed), status (3), mark (4), target height (5),
//     ppm (6), then the distance (Ea: 7; Eh: 10 after three coordinates; an Ea of 11 fields
//     is an offset shot, its distance 9 after the offset direction and length) and the
//     vertical and horizontal angles that follow it; Ee has no distance, its angles are
//     fields 7 and 8. The real cards hold the mark in field 4 and the height in field 5;
//     reading the height from field 4 would lose every target height.
//   - The target height is empty when "?" or zero; the mark goes to the memo unless "?".
//     Heights are right-aligned to eight characters, like the other converters write them.
//   - Angles are written as the card has them (ddd.mmss), right-aligned to eight
//     characters. Lines whose status gives feet (digit 1) or gon (digit 2) are skipped:
//     their values would be read as metres and degrees.
//   - The ppm of a station's first sighting is C field 5; the date "y.m.d" is written
//     yy/mm/dd. A date or weather value that differs from the one written before
//     repeats B or C before the next station.
//   - Pressure unit (M field 12): "1" gives 0 (mmHg), "0" gives 1 (hPa); the °F codes 2 to 4
//     give an empty field.

#include <QByteArray>
#include <QList>
#include <QString>
#include <initializer_list>

#include "apa/ApaLine.h"
#include "convert/CardLine.h"
#include "convert/ConvertText.h"
#include "convert/Converter.h"
#include "convert/RawLines.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

const QString kNoStation = QStringLiteral("測点（M）の前の視準行です");
const QString kEmptyStation = QStringLiteral("視準のない測点です");
const QString kTooShort = QStringLiteral("項目が足りません");
const QString kUnknown = QStringLiteral("メモリーカードの行として読めません");
const QString kNotNumber = QStringLiteral("数であるべき値が数ではありません");
const QString kUnits = QStringLiteral("単位がフィートまたはグラードの視準です");
const QString kCheckFailed = QStringLiteral("チェック文字が合いません");
const QString kCheckMissing = QStringLiteral("チェック文字がありません");

QByteArrayView WithoutUnderscore(QByteArrayView name) {
    return name.startsWith('_') ? name.sliced(1) : name;
}

// "?" is how the card writes an empty value.
QByteArrayView Value(QByteArrayView field) {
    return field == "?" ? QByteArrayView() : field;
}

bool IsZero(QByteArrayView number) {
    for (const char c : number)
        if (c != '0' && c != '.' && c != '+' && c != '-') return false;
    return true;
}

// Blanks in front so that the decimal point stands at the fifth character.
QByteArray AlignPoint(QByteArrayView number) {
    QByteArray text = number.toByteArray();
    const qsizetype point = text.indexOf('.');
    if (point >= 0 && point < 4) text.prepend(QByteArray(4 - point, ' '));
    return text;
}

QByteArray Angle(QByteArrayView angle) {
    QByteArray text = angle.toByteArray();
    return PadNumber(text);
}

// "6.2.16" (y.m.d) as "06/02/16"; any other text as it is.
QString DateOf(QByteArrayView date) {
    const QList<QByteArray> parts = date.toByteArray().split('.');
    if (parts.size() != 3) return platform::cp932::Decode(date);
    QString text;
    for (const QByteArray& part : parts) {
        bool number = false;
        const int value = part.toInt(&number);
        if (!number || value < 0 || part.size() > 4) return platform::cp932::Decode(date);
        if (!text.isEmpty()) text.append(u'/');
        text.append(QString::number(value % 100).rightJustified(2, u'0'));
    }
    return text;
}

QString PressureUnit(QByteArrayView code) {
    if (code == "1") return QStringLiteral("0");
    if (code == "0") return QStringLiteral("1");
    return QString();
}

struct Pending {
    QByteArray name, memo, height, horizontal, vertical, distance;
};

// Where a sighting record keeps its distance and angles; -1: no distance.
struct Layout {
    qsizetype fields;  // the fields the record needs
    qsizetype distance;
    qsizetype vertical;
};

bool LayoutOf(const card::Line& line, Layout& layout) {
    const QByteArrayView code = line.Field(2);
    const qsizetype count = line.fields.size();
    if (code == "Ea")
        layout = count >= 11 ? Layout{11, 9, 10} : Layout{9, 7, 8};
    else if (code == "Eh")
        layout = Layout{12, 10, 11};
    else if (code == "Ee")
        layout = Layout{8, -1, 7};
    else
        return false;
    return true;
}

// Where the name stands among the first `count` sightings; -1 when not there.
qsizetype IndexOf(const QList<Pending>& sightings, qsizetype count, const QByteArray& name) {
    for (qsizetype i = 0; i < count; ++i)
        if (sightings[i].name == name) return i;
    return -1;
}

// The direction (0-based) of each sighting when the station is two rounds over the same
// targets; empty otherwise.
QList<qsizetype> TwoRounds(const QList<Pending>& sightings) {
    qsizetype round = 1;
    while (round < sightings.size() && IndexOf(sightings, round, sightings[round].name) < 0)
        ++round;
    if (sightings.size() != 2 * round) return {};
    QList<qsizetype> directions;
    for (qsizetype i = 0; i < round; ++i) directions.append(i);
    for (qsizetype i = round; i < sightings.size(); ++i) {
        const qsizetype target = IndexOf(sightings, round, sightings[i].name);
        if (target < 0 || directions.indexOf(target, round) >= 0) return {};
        directions.append(target);
    }
    return directions;
}

// Numbers the sightings of a station: one set of two rounds, or r9 and a running count.
QList<QByteArray> Numbers(const QList<Pending>& sightings) {
    const QList<qsizetype> directions = TwoRounds(sightings);
    const bool set = !directions.isEmpty();
    QList<QByteArray> numbers;
    for (qsizetype i = 0; i < sightings.size(); ++i) {
        QByteArray number = !set ? "r9" : i < sightings.size() / 2 ? "r1" : "l1";
        const qsizetype direction = set ? directions[i] : i;
        number.append(QByteArray::number(direction % 999 + 1).rightJustified(3, '0'));
        numbers.append(number);
    }
    return numbers;
}

class CardConversion {
  public:
    CardConversion(ApaRecordWriter& out, ConversionLog& log) : out_(out), log_(log) {}

    void Run(QByteArrayView raw) {
        RawLineReader reader(raw);
        RawLine rawLine;
        bool first = true;
        while (reader.Next(rawLine)) {
            const QByteArrayView text = TrimLineEnd(rawLine.text);
            if (text.isEmpty()) continue;
            if (first && text.startsWith("SKR")) continue;  // the card reader's header
            if (first) checked_ = card::CheckOf(text) != card::Check::Missing;
            first = false;
            Convert(card::Split(text, checked_), rawLine.number);
        }
        EndStation();
    }

  private:
    void Convert(const card::Line& line, qsizetype number) {
        const QByteArrayView key = line.Field(1);
        Layout layout{};
        bool converted = true;
        if (LayoutOf(line, layout))
            converted = Shot(line, layout, number);
        else if (key == "A")
            converted = Instrument(line, number);
        else if (key == "M")
            converted = Station(line, number);
        else if (key == "C" || key == "N")
            return;
        else
            converted = Skip(number, kUnknown);
        if (converted && checked_ && line.check != card::Check::Passed)
            log_.Flag(number, line.check == card::Check::Failed ? kCheckFailed : kCheckMissing);
    }

    bool Skip(qsizetype number, const QString& reason) {
        log_.Skip(number, reason);
        return false;
    }

    bool Instrument(const card::Line& line, qsizetype number) {
        if (line.fields.size() < 4) return Skip(number, kTooShort);
        EndStation();
        records_.b[1] = platform::cp932::Decode(line.Field(2));
        records_.b[2] = platform::cp932::Decode(line.Field(3));
        records_.b[5] = platform::cp932::Decode(line.Field(4));
        records_.NewInstrumentHeader();
        return true;
    }

    bool Station(const card::Line& line, qsizetype number) {
        EndStation();
        if (line.fields.size() < 12) return Skip(number, kTooShort);
        if (!AllNumbers({Value(line.Field(5)), Value(line.Field(6)), Value(line.Field(7))}))
            return Skip(number, kNotNumber);
        open_ = true;
        stationLine_ = number;
        SetB(4, DateOf(line.Field(2)));
        const QByteArrayView name = line.Field(3);
        QByteArray station = WithoutUnderscore(name).toByteArray();
        records_.d[0] = platform::cp932::Decode(PadName(station));
        records_.d[1] = name.startsWith('_') ? QString() : platform::cp932::Decode(Value(line.Field(4)));
        QString height = platform::cp932::Decode(Value(line.Field(5)));
        records_.d[2] = PadNumber(height);
        SetC(2, platform::cp932::Decode(Value(line.Field(6))));
        SetC(3, platform::cp932::Decode(Value(line.Field(7))));
        SetC(5, PressureUnit(line.Field(12)));
        return true;
    }

    bool Shot(const card::Line& line, const Layout& layout, qsizetype number) {
        if (line.fields.size() < layout.fields) return Skip(number, kTooShort);
        const QByteArrayView status = line.Field(3);
        if (status.size() >= 2 && (status[0] == '1' || status[1] == '1'))
            return Skip(number, kUnits);
        if (!open_) return Skip(number, kNoStation);
        const qsizetype v = layout.vertical;
        if (!AllNumbers({Value(line.Field(5)), Value(line.Field(6)), line.Field(v),
                         line.Field(v + 1),
                         layout.distance > 0 ? line.Field(layout.distance) : QByteArrayView()}))
            return Skip(number, kNotNumber);
        if (sightings_.isEmpty()) SetC(4, platform::cp932::Decode(Value(line.Field(6))));
        Pending s;
        s.name = WithoutUnderscore(line.Field(1)).toByteArray();
        PadName(s.name);
        s.memo = Value(line.Field(4)).toByteArray();
        const QByteArrayView height = Value(line.Field(5));
        if (!IsZero(height)) s.height = height.toByteArray();
        PadNumber(s.height);
        if (layout.distance > 0) s.distance = AlignPoint(line.Field(layout.distance));
        s.vertical = Angle(line.Field(v));
        s.horizontal = Angle(line.Field(v + 1));
        sightings_.append(s);
        return true;
    }

    void SetB(int field, const QString& value) {
        if (records_.b[field] != value) records_.NewInstrumentHeader();
        records_.b[field] = value;
    }
    void SetC(int field, const QString& value) {
        if (records_.c[field] != value) records_.NewWeatherHeader();
        records_.c[field] = value;
    }

    void EndStation() {
        if (!open_) return;
        open_ = false;
        if (sightings_.isEmpty()) {
            log_.Skip(stationLine_, kEmptyStation);
            return;
        }
        out_.WriteStation(records_);
        const QList<QByteArray> numbers = Numbers(sightings_);
        for (qsizetype i = 0; i < sightings_.size(); ++i) {
            const Pending& p = sightings_[i];
            out_.WriteSighting({.name = p.name,
                                .memo = p.memo,
                                .targetHeight = p.height,
                                .number = numbers[i],
                                .horizontal = p.horizontal,
                                .vertical = p.vertical,
                                .distance1 = p.distance,
                                .distance2 = {},
                                .secondDistance = false});
        }
        sightings_.clear();
    }

    ApaRecordWriter& out_;
    ConversionLog& log_;
    StationRecords records_;
    QList<Pending> sightings_;
    bool checked_ = false;
    bool open_ = false;  // an M record was read and its station is not written yet
    qsizetype stationLine_ = 0;
};

}  // namespace

void ConvertSokkiaCard(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    CardConversion(out, log).Run(raw);
}

}  // namespace convert
