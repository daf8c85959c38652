// The SOKKIA SDR converter (format code 3GD). An SDR file is a sequence of records
// ("items"), each keyed by its first two characters (the record type) and the next two
// (how the record was made: F1, F2, MD, TS, CP …). Columns are counted in characters of
// the decoded CP932 item, so Japanese names and notes do not shift the fields after them.
//
// Points this converter settles:
//   - Items are separated by line ends and by commas; a note (type 13) runs to the end of
//     its line, since its free text may hold commas. STX and blank lines are passed over;
//     an item beginning with ETX ends the data whatever check digits follow it (recorders
//     write "00000", their real sum or, as a Focus 6 does, four zeros). A sum that does
//     not match the data is noted in the log; the data are converted all the same.
//   - A file is converted only when its first item is an "00NM" header. Anything else
//     (another maker's file given this format code) is skipped line by line and logged,
//     and the book holds no station.
//   - Two layouts share the record types: the 3G layout (8-character point names,
//     10-character values) and the SDR33 layout (16-character names and values). The
//     header's version text (characters 5 to 20) beginning "SDR33" selects SDR33; any
//     other header the 3G layout. Each later header selects again. The Japanese
//     additions of the 3G layout (weather, wind, ppm and observer in 05, characters
//     15 and 16 of 06, the yy/mm/dd date of the header and of 13TS) are read only in the
//     3G layout. In the SDR33 layout the dates "dd-Mon-yy" of the header and of 13TS
//     become yy/mm/dd when the month is an English one and are left out otherwise
//     (recorders set to other languages write their own month names), and 13TS gives
//     its hh:mm time.
//   - Angles are read in the unit the header names in character 41: 1 degrees, 2 gon,
//     3 mil (6400 to the circle).
//   - Sightings: 09F1 and 09F2 records. A station holds its sightings in the order
//     recorded, numbered r9 (F1) or l9 (F2) and a running count from 001 that restarts
//     at each station block (after 999 it begins again at 001). Nothing in these files
//     groups sightings into sets, so none are numbered 1 to 3, and no "E,1," is written.
//     The station's observation code follows from these numbers as the editor computes
//     it: "991", distance kind 2 when a sighting has a second distance, the last count.
//   - D field 4 (eccentricity) stays empty: no SDR record carries it.
//   - A 09MD record gives a distance to the target of the sighting before it: it fills
//     that sighting's distance 1 when empty, else its distance 2. An MD record that
//     follows no sighting to its target is skipped and logged.
//   - 07 (backsight), 12 (set summary), 15, 09MC (averaged observations, derived from
//     the F1/F2 records already written) and the other record types carry nothing of a
//     field book and are passed over without a note. Items that are no record (no
//     two-digit type) are skipped and logged.
//   - A job record (10), a station record (02) or a 13CP note ends the station being
//     written. Sightings that follow such an end without a new station record open a new
//     block of the same station (its name, note and height), so that none are lost;
//     sightings before any station record are skipped and logged.
//   - A station record without sightings writes nothing (a field book has no use for it).
//   - A sighting whose angle or distance is not a number, or that holds none of them, is
//     skipped and logged. Names are trimmed on both sides (SDR33 right-aligns them) and
//     padded to 8 characters; heights keep their digits and are right-aligned to 8.

#include <QString>

#include "convert/Converter.h"
#include "convert/SdrBook.h"
#include "convert/SdrItems.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

const QString kNotSdr = QStringLiteral("SDR のファイル（00NM ヘッダーで始まる）ではありません");
const QString kNoRecord = QStringLiteral("SDR のレコードとして読めません");
const QString kSumFails = QStringLiteral("転送のチェックサムが合いません（データは変換しました）");

// Columns of one layout: the width of a point name and of a value.
struct Layout {
    int name;
    int value;
    bool sdr33;
};
constexpr Layout k3g{8, 10, false};
constexpr Layout kSdr33{16, 16, true};

// 1-based, inclusive columns of an item.
QString Columns(const QString& item, int first, int count) {
    return item.mid(first - 1, count);
}
QString Trimmed(const QString& item, int first, int count) {
    return Columns(item, first, count).trimmed();
}
QChar CharAt(const QString& item, int column) {
    return column <= item.size() ? item[column - 1] : QChar(u' ');
}

class Sdr3gConversion {
  public:
    Sdr3gConversion(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log)
        : raw_(raw), items_(raw), book_(out, log), records_(book_.Records()), log_(log) {}

    void Run() {
        SdrItem item;
        if (!items_.Next(item)) return;
        if (!item.text.startsWith("00NM")) return Refuse(item);
        do {
            if (item.text.startsWith('\x03')) {
                if (SdrSumFails(raw_, item.text)) log_.Flag(item.number, kSumFails);
                break;
            }
            Take(item.number, platform::cp932::Decode(item.text));
        } while (items_.Next(item));
        book_.Finish();
    }

  private:
    void Refuse(SdrItem item) {
        qsizetype last = 0;
        do {
            if (item.number != last) log_.Skip(item.number, kNotSdr);
            last = item.number;
        } while (items_.Next(item));
    }

    void Take(qsizetype line, const QString& item) {
        const QString type = item.left(2);
        if (type.size() < 2 || !type[0].isDigit() || !type[1].isDigit())
            return log_.Skip(line, kNoRecord);
        if (type == u"00") return Header(item);
        if (type == u"10") return Job(item);
        if (type == u"06") return Scale(item);
        if (type == u"13") return Note(item);
        if (type == u"01") return Instrument(item);
        if (type == u"02") return Station(line, item);
        if (type == u"05") return Atmosphere(line, item);
        if (type == u"03") return book_.TargetHeight(line, Trimmed(item, 5, layout_.value));
        if (type == u"09") return Observation(line, item);
    }

    void Header(const QString& item) {
        layout_ = item.mid(4, 5) == u"SDR33" ? kSdr33 : k3g;
        book_.SetAngleUnit(CharAt(item, 41));
        records_.b[4] = layout_.sdr33 ? EnglishDate(Columns(item, 25, 9)) : Columns(item, 25, 8);
        records_.b[5] = Trimmed(item, 5, 16);
        records_.NewInstrumentHeader();
        records_.c[5] = PressureUnit(CharAt(item, 43));
        records_.NewWeatherHeader();
    }

    void Job(const QString& item) {
        book_.EndStation();
        records_.b[0] = Trimmed(item, 5, 16);
        records_.NewInstrumentHeader();
    }

    void Scale(const QString& item) {
        if (layout_.sdr33) return;
        records_.b[6] = Columns(item, 15, 2);
        records_.NewInstrumentHeader();
    }

    void Note(const QString& item) {
        const QString kind = item.mid(2, 2);
        if (kind == u"CP") return book_.EndStation();
        if (kind != u"TS") return;
        if (layout_.sdr33) {
            records_.b[4] = EnglishDate(Columns(item, 5, 9));
            records_.b[5] = Trimmed(item, 15, 5);
        } else {
            records_.b[4] = Columns(item, 5, 8);
            records_.b[5] = Trimmed(item, 14, 8);
        }
        records_.NewInstrumentHeader();
    }

    void Instrument(const QString& item) {
        const QString model = Trimmed(item, 6, 16);
        records_.b[1] = model.isEmpty() ? InstrumentModel(CharAt(item, 5)) : model;
        const QString number = Trimmed(item, 22, 6);
        records_.b[2] = number == u"000000" ? QString() : number;
        records_.NewInstrumentHeader();
    }

    void Station(qsizetype line, const QString& item) {
        const int height = 5 + layout_.name + 3 * layout_.value;
        book_.Station(line, Trimmed(item, 5, layout_.name),
                      Trimmed(item, height + layout_.value, 16),
                      Trimmed(item, height, layout_.value));
    }

    // The Japanese additions of the 3G layout follow pressure and temperature.
    void Atmosphere(qsizetype line, const QString& item) {
        const int v = layout_.value;
        records_.c[3] = book_.Numeric(line, Trimmed(item, 5, v));
        records_.c[2] = book_.Numeric(line, Trimmed(item, 5 + v, v));
        if (!layout_.sdr33) {
            records_.c[0] = book_.Numeric(line, Weather(CharAt(item, 5 + 2 * v)));
            records_.c[1] = book_.Numeric(line, Trimmed(item, 6 + 2 * v, 1));
            const QString ppm = Trimmed(item, 7 + 2 * v, 4);
            records_.c[4] = book_.Numeric(line, ppm == u"0000" ? QString() : ppm);
            records_.b[3] = Trimmed(item, 11 + 2 * v, 20);
            records_.NewInstrumentHeader();
        }
        records_.NewWeatherHeader();
    }

    void Observation(qsizetype line, const QString& item) {
        const QString kind = item.mid(2, 2);
        const int to = 5 + layout_.name;
        const int distance = to + layout_.name;
        const int v = layout_.value;
        if (kind == u"MD")
            return book_.SeparateDistance(line, Trimmed(item, to, layout_.name),
                                          Trimmed(item, distance, v));
        if (kind != u"F1" && kind != u"F2") return;
        book_.Observe(line, {kind == u"F1" ? u'r' : u'l', Trimmed(item, to, layout_.name),
                             Trimmed(item, distance + 3 * v, 16), Trimmed(item, distance, v),
                             Trimmed(item, distance + v, v), Trimmed(item, distance + 2 * v, v)});
    }

    QByteArrayView raw_;
    SdrItemReader items_;
    SdrBook book_;
    StationRecords& records_;
    ConversionLog& log_;
    Layout layout_ = k3g;
};

}  // namespace

void ConvertSdr3g(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    Sdr3gConversion(raw, out, log).Run();
}

}  // namespace convert
