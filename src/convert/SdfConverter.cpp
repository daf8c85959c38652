// The SOKKIA SDF converter: the SDR records written as comma-separated lines. Each line is
// a key of five characters, a record letter, two digits and the two-letter code of how the
// record was made (as in "A00NM", "G00TS", "E00F1"), then the record's values, one field
// each, in the order of the fixed-column SDR record it stands for. Stations and sightings
// are made by the same book as in the fixed-column converter (SdrBook.h).
//
// Points this converter settles (no public description of these records is known; the
// layout below follows the SDR records they mirror, and the lines the coordinate export
// writes, "B00NM,job,…" and "E30TP,name,x,y,z,"):
//   - A  header: version text (B field 6), date (B field 5), the unit options as in the
//        SDR header (first character the angle unit 1 degrees / 2 gon / 3 mil, third the
//        pressure unit for C field 6).
//   - B  job: job name (B field 1); ends the station being written.
//   - C  instrument and conditions, the digits naming the SDR record: C01 instrument
//        (the EDM option character followed by the model text, as the fixed record's
//        characters 5 to 21, then the instrument number, "000000" meaning none; an
//        option character as the key's fifth, "C01N;", names the model too); C05
//        atmosphere (pressure, temperature, weather, wind, ppm, observer); C06 scale
//        (scale factor, then the text for B field 7).
//   - D  station, the digits naming the SDR record: D02 station (name, northing,
//        easting, elevation, instrument height, note); D03 target height.
//   - E00 observations, the code F1, F2 or MD (from, to, distance, vertical angle,
//        horizontal angle, text). Other E records (E30: coordinates) are passed over.
//   - G  notes: G..TS gives date and time (B fields 5 and 6), G..CP ends the station
//        being written; other notes are passed over.
//   - Sightings, numbering, separate distances and station blocks as in the fixed-column
//     converter: r9/l9 and a running count per station block, no sets, no "E,1,".
//   - A file is converted only when its first line begins "A00NM,"; an STX before it is
//     passed over and a line beginning with ETX ends the data; its check sum is tested
//     as in the fixed-column files. Lines whose key is no
//     letter and two digits are skipped and logged; a C or D record with other digits
//     is skipped and logged too.

#include <QString>
#include <QStringList>

#include "convert/Converter.h"
#include "convert/RawLines.h"
#include "convert/SdrBook.h"
#include "convert/SdrItems.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

const QString kNotSdf = QStringLiteral("SDF のファイル（A00NM, で始まる）ではありません");
const QString kNoRecord = QStringLiteral("SDF のレコードとして読めません");
const QString kSumFails = QStringLiteral("転送のチェックサムが合いません（データは変換しました）");

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';

// The fields of a line, the key first, each trimmed; a missing field reads as empty.
class Fields {
  public:
    explicit Fields(const QString& line) : fields_(line.split(u',')) {}
    QString Key() const { return At(0); }
    QString At(qsizetype n) const { return fields_.value(n).trimmed(); }

  private:
    QStringList fields_;
};

bool IsKey(const QString& key) {
    return key.size() >= 3 && key[0].isUpper() && key[1].isDigit() && key[2].isDigit();
}

class SdfConversion {
  public:
    SdfConversion(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log)
        : raw_(raw), lines_(raw), book_(out, log), records_(book_.Records()), log_(log) {}

    void Run() {
        RawLine line;
        bool header = false;
        while (lines_.Next(line)) {
            QByteArrayView text = TrimLineEnd(line.text);
            if (text.startsWith(kStx)) text = text.sliced(1);
            if (text.isEmpty()) continue;
            if (!header && !text.startsWith("A00NM,")) return Refuse(line.number);
            if (text.startsWith(kEtx)) {
                if (SdrSumFails(raw_, text)) log_.Flag(line.number, kSumFails);
                break;
            }
            header = true;
            Take(line.number, Fields(platform::cp932::Decode(text)));
        }
        book_.Finish();
    }

  private:
    void Refuse(qsizetype first) {
        log_.Skip(first, kNotSdf);
        RawLine line;
        while (lines_.Next(line))
            if (!TrimLineEnd(line.text).isEmpty()) log_.Skip(line.number, kNotSdf);
    }

    void Take(qsizetype line, const Fields& f) {
        const QString key = f.Key();
        if (!IsKey(key)) return log_.Skip(line, kNoRecord);
        const QString digits = key.mid(1, 2);
        switch (key[0].unicode()) {
            case 'A':
                return Header(f);
            case 'B':
                return Job(f);
            case 'C':
                return Condition(line, digits, f);
            case 'D':
                return StationRecord(line, digits, f);
            case 'E':
                return Observation(line, f);
            case 'G':
                return Note(f);
            default:
                return log_.Skip(line, kNoRecord);
        }
    }

    void Header(const Fields& f) {
        records_.b[5] = f.At(1);
        records_.b[4] = f.At(2);
        records_.NewInstrumentHeader();
        const QString units = f.At(3);
        book_.SetAngleUnit(units.isEmpty() ? QChar() : units[0]);
        records_.c[5] = PressureUnit(units.size() > 2 ? units[2] : QChar());
        records_.NewWeatherHeader();
    }

    void Job(const Fields& f) {
        book_.EndStation();
        records_.b[0] = f.At(1);
        records_.NewInstrumentHeader();
    }

    void Condition(qsizetype line, const QString& digits, const Fields& f) {
        if (digits == u"01") return Instrument(f);
        if (digits == u"05") return Atmosphere(line, f);
        if (digits != u"06") return log_.Skip(line, kNoRecord);
        records_.b[6] = f.At(2);
        records_.NewInstrumentHeader();
    }

    // The model text, else the model the EDM option names: the option is the fifth
    // character of the record ("C01N;") or the first of its first field.
    void Instrument(const Fields& f) {
        const QString text = f.At(1);
        const QString model = text.mid(1).trimmed();
        const QString key = f.Key();
        const QChar option = key.size() >= 5 && !InstrumentModel(key[4]).isEmpty() ? key[4]
                             : text.isEmpty()                                        ? QChar()
                                                                                     : text[0];
        records_.b[1] = model.isEmpty() ? InstrumentModel(option) : model;
        const QString number = f.At(2);
        records_.b[2] = number == u"000000" ? QString() : number;
        records_.NewInstrumentHeader();
    }

    void Atmosphere(qsizetype line, const Fields& f) {
        records_.c[3] = book_.Numeric(line, f.At(1));
        records_.c[2] = book_.Numeric(line, f.At(2));
        const QString weather = f.At(3);
        records_.c[0] = book_.Numeric(line, weather.size() == 1 ? Weather(weather[0]) : weather);
        records_.c[1] = book_.Numeric(line, f.At(4));
        records_.c[4] = book_.Numeric(line, f.At(5) == u"0000" ? QString() : f.At(5));
        records_.b[3] = f.At(6);
        records_.NewInstrumentHeader();
        records_.NewWeatherHeader();
    }

    void StationRecord(qsizetype line, const QString& digits, const Fields& f) {
        if (digits == u"02") return book_.Station(line, f.At(1), f.At(6), f.At(5));
        if (digits == u"03") return book_.TargetHeight(line, f.At(1));
        log_.Skip(line, kNoRecord);
    }

    void Observation(qsizetype line, const Fields& f) {
        const QString key = f.Key();
        if (key.mid(1, 2) != u"00") return;
        const QString kind = key.mid(3, 2);
        if (kind == u"MD") return book_.SeparateDistance(line, f.At(2), f.At(3));
        if (kind != u"F1" && kind != u"F2") return;
        book_.Observe(line,
                      {kind == u"F1" ? u'r' : u'l', f.At(2), f.At(6), f.At(3), f.At(4), f.At(5)});
    }

    void Note(const Fields& f) {
        const QString kind = f.Key().mid(3, 2);
        if (kind == u"CP") return book_.EndStation();
        if (kind != u"TS") return;
        records_.b[4] = f.At(1);
        records_.b[5] = f.At(2);
        records_.NewInstrumentHeader();
    }

    QByteArrayView raw_;
    RawLineReader lines_;
    SdrBook book_;
    StationRecords& records_;
    ConversionLog& log_;
};

}  // namespace

void ConvertSdf(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    SdfConversion(raw, out, log).Run();
}

}  // namespace convert
