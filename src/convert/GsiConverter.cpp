// The LEICA GSI converter (GSI-8 and GSI-16). The field-book structure comes from code
// blocks, lines whose first word is WI 41, by the codes of the Japanese on-board programs:
//   100  instrument and observer header (B)      200  weather header (C)
//   10…19  one-set block (both faces)            20…29  two-set block
//   50…59  block without sets (face r, set 9)    28  control line in a set block
//   xx15  target height in a block without sets  999  end code
// Point lines (WI 11) inside a block are its sightings.
//
// Points this converter settles:
//   - A block becomes a station only when its closing code follows before the next opening
//     code (100, 200, 10, 20, 50) or 999; the lines of an unclosed block are skipped and
//     logged. 999 closes nothing else: reading goes on after it.
//   - B and C go out with the next station (as every converter's writer does), empty ones
//     before the first station of a file without 100 and 200 blocks, as the editor would
//     add them.
//   - Directions of a set block: n = the block's counted point lines / (2 × sets), rounded
//     up. Counted lines are read in runs of 2n: the first n face r, directions 1 to n, the
//     next face l, directions n down to 1; run k is set k. So a count that is not a
//     multiple of 2 or 4 leaves the last run short and loses no line (7 lines in a one-set
//     block: r1001…r1004, l1004…l1002).
//   - A code 28 line whose control digit (the last data digit of its word 2) is not 0
//     starts a re-measurement of the set of that digit (of the set just observed when the
//     digit names no set of the block): "E,1," goes right before its first point line, and
//     its lines are numbered like the run they repeat, from its first direction on. They
//     are not counted for n. A code 28 line with digit 0 ends the re-measurement; later
//     lines continue the block's own runs.
//   - Target heights of a set block: the opening line carries one word per direction
//     after its five fixed words (code, station, instrument height, eccentricity, start
//     time), word 6 for direction 1 and so on; a face r sighting takes its direction's
//     height, face l none. (The heights can not share the words the station is read from.)
//   - Direction numbers have three digits: beyond 999 they start again at 001.
//   - Words are read by their position in the line, as the on-board programs write them;
//     a word counts when its data are complete, so a distance in word 5 of an 80-character
//     line is read. Each distance uses its own word's unit code: 6 four decimals, 8 five,
//     any other three. Angles in 360° sexagesimal (unit 4) are read as written; gon (2),
//     decimal degrees (3) and mil (5) are converted to whole seconds.
//   - Heights and numbers are written without the data's zero fill ("1.500", not
//     "00001.500"); the ppm of a WI 51 word runs from its sign up to the sign of the prism
//     constant.

#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

#include "convert/ConvertText.h"
#include "convert/Converter.h"
#include "convert/GsiLine.h"
#include "convert/RawLines.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

using gsi::Line;
using gsi::Word;

constexpr qint64 kInstrumentCode = 100;
constexpr qint64 kWeatherCode = 200;
constexpr qint64 kOneSetCode = 10;
constexpr qint64 kTwoSetsCode = 20;
constexpr qint64 kNoSetsCode = 50;
constexpr qint64 kControlCode = 28;
constexpr qint64 kEndCode = 999;
constexpr qint64 kTargetHeightCode = 15;  // the last two digits of the code
constexpr int kFixedStationWords = 5;

const QString kOutsideBlock = QStringLiteral("観測ブロックの外の視準行です");
const QString kUnclosedBlock =
    QStringLiteral("閉じるコード（19・29・59）のない観測ブロックの行です");
const QString kNotGsi = QStringLiteral("GSI の行として読めません");
const QString kUnusedCode = QStringLiteral("この位置では使わないコード行です");

enum class Kind { Blank, Code, Point, Other };

struct Row {
    QByteArrayView text;
    qsizetype number;
    Kind kind;
    qint64 code;  // of a Code row; -1 when its code is no number
};

bool IsEndOfData(QByteArrayView text) { return text.startsWith("! ----+"); }

Row Classify(const RawLine& raw) {
    QByteArrayView text = TrimLineEnd(raw.text);
    while (!text.isEmpty() && static_cast<unsigned char>(text.front()) < 0x20) text = text.sliced(1);
    Row row{text, raw.number, Kind::Other, -1};
    if (text.isEmpty() || text.startsWith('!')) {
        row.kind = Kind::Blank;  // "!" lines are remarks of the download program
        return row;
    }
    const std::optional<Word> first = Line(text).At(1);
    if (first && first->index == "41") {
        row.kind = Kind::Code;
        row.code = gsi::Number(*first).value_or(-1);
    } else if (first && first->index == "11") {
        row.kind = Kind::Point;
    }
    return row;
}

// The lines up to the "! ----+" end line.
std::vector<Row> ReadRows(QByteArrayView raw) {
    std::vector<Row> rows;
    RawLineReader reader(raw);
    RawLine line;
    while (reader.Next(line) && !IsEndOfData(line.text)) rows.push_back(Classify(line));
    return rows;
}

bool OpensBlock(qint64 code) {
    return code == kInstrumentCode || code == kWeatherCode || code == kOneSetCode ||
           code == kTwoSetsCode || code == kNoSetsCode || code == kEndCode;
}

QByteArray Digits(qint64 value) { return QByteArray::number(value); }

QByteArray Concat(std::initializer_list<QByteArrayView> parts) {
    QByteArray text;
    for (QByteArrayView part : parts) text.append(part);
    return text;
}

// A name or text word: its data without the zero fill.
QByteArray TextOf(const std::optional<Word>& word) {
    if (!word) return QByteArray();
    QByteArray text = word->data.toByteArray();
    return StripLeadingZeros(text);
}

QString Decoded(const QByteArray& bytes) { return platform::cp932::Decode(bytes); }

// A height in metres from fixed-point data with three decimals, padded to 8.
QByteArray HeightOf(const std::optional<Word>& word) {
    if (!word || !gsi::Number(*word)) return QByteArray();
    QByteArray whole = word->data.first(word->data.size() - 3).toByteArray();
    QByteArray text = Concat({word->sign == '-' ? "-" : "", StripLeadingZeros(whole), ".",
                              word->data.last(3)});
    return PadNumber(text);
}

// A distance in metres; the unit code gives the decimals.
QByteArray DistanceOf(const std::optional<Word>& word) {
    const std::optional<qint64> value = word ? gsi::Number(*word) : std::nullopt;
    if (!value) return QByteArray();
    const int decimals = word->unit == '6' ? 4 : word->unit == '8' ? 5 : 3;
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const qint64 magnitude = *value < 0 ? -*value : *value;
    QByteArray whole = Digits(magnitude / scale);
    if (*value < 0) whole.prepend('-');
    return whole.rightJustified(4, ' ') + '.' +
           Digits(magnitude % scale).rightJustified(decimals, '0');
}

// Degrees, a point, minutes and seconds: "123.4506"; degrees right-aligned to three.
QByteArray AngleText(bool negative, qint64 degrees, QByteArrayView minutes, QByteArrayView seconds) {
    QByteArray text = Digits(degrees);
    text = negative ? '-' + text : text.rightJustified(3, ' ');
    return Concat({text, ".", minutes, seconds});
}

QByteArray AngleOf(const std::optional<Word>& word) {
    const std::optional<qint64> value = word ? gsi::Number(*word) : std::nullopt;
    if (!value) return QByteArray();
    const bool negative = word->sign == '-';
    double perUnit = 0;  // seconds of arc per unit of the last digit
    switch (word->unit) {
        case '2': perUnit = 0.0324; break;   // 1e-5 gon
        case '3': perUnit = 0.036; break;    // 1e-5 degree
        case '5': perUnit = 0.02025; break;  // 1e-4 mil
        default: {  // sexagesimal DDDMMSSs: the tenth of a second is dropped
            const QByteArrayView data = word->data;
            const qint64 degrees = (negative ? -*value : *value) / 100000;
            return AngleText(negative, degrees, data.sliced(data.size() - 5, 2),
                             data.sliced(data.size() - 3, 2));
        }
    }
    const auto seconds = static_cast<qint64>(std::llround(std::fabs(double(*value)) * perUnit));
    return AngleText(negative, seconds / 3600, Digits(seconds / 60 % 60).rightJustified(2, '0'),
                     Digits(seconds % 60).rightJustified(2, '0'));
}

// "hh:mm" from the last four data digits of a word.
QByteArray TimeOf(const std::optional<Word>& word) {
    if (!word) return QByteArray();
    const QByteArrayView hhmm = gsi::LastData(*word, 4);
    return Concat({hhmm.first(2), ":", hhmm.sliced(2)});
}

// A direction number of three digits, starting again at 001 after 999.
QByteArray SightingNumber(char face, int set, qint64 direction) {
    const qint64 wrapped = (direction - 1) % 999 + 1;
    return QByteArray(1, face) + char('0' + set) + Digits(wrapped).rightJustified(3, '0');
}

class GsiConversion {
  public:
    GsiConversion(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log)
        : rows_(ReadRows(raw)), out_(out), log_(log) {}

    void Run() {
        size_t i = 0;
        while (i < rows_.size()) i = Convert(i);
    }

  private:
    // Converts what begins at row i; the row to go on with.
    size_t Convert(size_t i) {
        const Row& row = rows_[i];
        switch (row.kind) {
            case Kind::Blank:
                return i + 1;
            case Kind::Point:
                log_.Skip(row.number, kOutsideBlock);
                return i + 1;
            case Kind::Other:
                log_.Skip(row.number, kNotGsi);
                return i + 1;
            case Kind::Code:
                break;
        }
        switch (row.code) {
            case kInstrumentCode:
                Instrument(Line(row.text));
                return i + 1;
            case kWeatherCode:
                Weather(Line(row.text), i);
                return i + 1;
            case kOneSetCode:
            case kTwoSetsCode:
            case kNoSetsCode:
                return Block(i);
            case kEndCode:
                return i + 1;
            default:
                log_.Skip(row.number, kUnusedCode);
                return i + 1;
        }
    }

    void Instrument(const Line& line) {
        for (int field = 0; field < 4; ++field) records_.b[field] = Decoded(TextOf(line.At(field + 2)));
        records_.b[4] = Decoded(DateOf(line));
        for (int field = 5; field < 8; ++field) records_.b[field].clear();
        records_.NewInstrumentHeader();
    }

    // yy/mm/dd from word 6 (last eight digits yyyymmdd or 00yymmdd). The on-board programs
    // that write a word after the date write a four-digit year: the text from the day on
    // then holds more than six characters after its zeros.
    static QByteArray DateOf(const Line& line) {
        const std::optional<Word> word = line.At(6);
        if (!word) return QByteArray();
        const QByteArrayView date = gsi::LastData(*word, 8);
        if (date.size() < 8) return QByteArray();
        const qsizetype dayColumn = word->column + 7 + word->data.size() - 2;
        QByteArray fromDay = line.Text().sliced(dayColumn).first(
            std::min<qsizetype>(8, line.Text().size() - dayColumn)).toByteArray();
        const bool longYear = StripLeadingZeros(fromDay).size() > 6;
        const QByteArrayView year = longYear ? date.first(4) : date.sliced(2, 2);
        return Concat({year, "/", date.sliced(4, 2), "/", date.sliced(6, 2)});
    }

    void Weather(const Line& line, size_t at) {
        for (int field = 0; field < 4; ++field) {
            const std::optional<Word> word = line.At(field + 2);
            const std::optional<qint64> value = word ? gsi::Number(*word) : std::nullopt;
            records_.c[field] = value ? QString::number(*value) : QString();
        }
        const std::optional<qint64> ppm = PpmAfter(at).ppm;
        records_.c[4] = ppm ? QString::number(*ppm) : QString();
        records_.c[5] = QStringLiteral("1");  // hPa
        records_.NewWeatherHeader();
    }

    // The WI 51 word (word 5 or 6) of the first point line after row `at` that has one.
    // Searches are remembered: a weather block after another one finds the same line
    // without reading the file again.
    gsi::PpmAndConstant PpmAfter(size_t at) {
        if (at >= ppmRow_) {
            ppmRow_ = rows_.size();
            for (size_t r = at + 1; r < rows_.size() && ppmRow_ == rows_.size(); ++r)
                if (rows_[r].kind == Kind::Point && PpmWord(Line(rows_[r].text))) ppmRow_ = r;
        }
        if (ppmRow_ >= rows_.size()) return {};
        return gsi::ReadPpmWord(*PpmWord(Line(rows_[ppmRow_].text)));
    }

    static std::optional<Word> PpmWord(const Line& line) {
        if (line.HasIndex(5, "51")) return line.At(5);
        if (line.HasIndex(6, "51")) return line.At(6);
        return std::nullopt;
    }

    // A block from its opening row: converted when closed, else skipped.
    size_t Block(size_t open) {
        const qint64 code = rows_[open].code;
        size_t close = open + 1;
        for (; close < rows_.size(); ++close) {
            if (rows_[close].kind != Kind::Code) continue;
            if (rows_[close].code == code + 9) break;
            if (OpensBlock(rows_[close].code)) {
                for (size_t r = open; r < close; ++r)
                    if (rows_[r].kind != Kind::Blank) log_.Skip(rows_[r].number, kUnclosedBlock);
                return close;
            }
        }
        if (close == rows_.size()) {
            for (size_t r = open; r < close; ++r)
                if (rows_[r].kind != Kind::Blank) log_.Skip(rows_[r].number, kUnclosedBlock);
            return close;
        }
        if (code == kNoSetsCode)
            NoSetBlock(open, close);
        else
            SetBlock(open, close, code == kTwoSetsCode ? 2 : 1);
        return close + 1;
    }

    void WriteStation(const Line& opening, const Line& closing, bool sets) {
        QByteArray name = TextOf(opening.At(2));
        records_.d[0] = Decoded(PadName(name));
        records_.d[1].clear();
        records_.d[2] = Decoded(HeightOf(opening.At(3)));
        if (sets) {
            const std::optional<Word> eccentricity = opening.At(4);
            records_.d[3] = QString::number(eccentricity ? gsi::Number(*eccentricity).value_or(0) : 0);
        } else {
            records_.d[3] = QStringLiteral("0");
        }
        records_.d[5] = Decoded(TimeOf(opening.At(sets ? 5 : 4)));
        records_.d[6] = Decoded(TimeOf(closing.At(2)));
        out_.WriteStation(records_);
    }

    static char ControlDigit(const Line& line) {
        const std::optional<Word> word = line.At(2);
        return word ? word->data.back() : '0';
    }

    void SetBlock(size_t open, size_t close, int sets) {
        const Line opening(rows_[open].text);
        WriteStation(opening, Line(rows_[close].text), true);

        qint64 counted = 0;
        qint64 all = 0;
        bool remeasuring = false;
        for (size_t r = open + 1; r < close; ++r) {
            if (rows_[r].kind == Kind::Code && rows_[r].code == kControlCode)
                remeasuring = ControlDigit(Line(rows_[r].text)) != '0';
            if (rows_[r].kind != Kind::Point) continue;
            ++all;
            if (!remeasuring) ++counted;
        }
        const qint64 perRun = 2 * sets;
        const qint64 directions = std::max<qint64>(1, ((counted ? counted : all) + perRun - 1) / perRun);

        qint64 position = 0;   // among the counted lines
        qint64 remeasured = 0; // within the re-measurement
        int remeasuredSet = 0; // 0: not re-measuring
        int lastSet = 1;
        bool markPending = false;
        for (size_t r = open + 1; r < close; ++r) {
            const Row& row = rows_[r];
            if (row.kind == Kind::Code && row.code == kControlCode) {
                const int digit = ControlDigit(Line(row.text)) - '0';
                remeasuredSet = digit == 0 ? 0 : digit >= 1 && digit <= sets ? digit : lastSet;
                remeasured = 0;
                markPending = remeasuredSet != 0;
                continue;
            }
            if (row.kind != Kind::Point) {
                SkipInBlock(row);
                continue;
            }
            qint64 p = 0;
            int set = 0;
            if (remeasuredSet) {
                if (markPending) out_.WriteRemeasureMark();
                markPending = false;
                p = remeasured++;
                set = remeasuredSet;
            } else {
                p = position++;
                set = static_cast<int>(std::min<qint64>(p / (2 * directions) + 1, sets));
                lastSet = set;
            }
            const qint64 q = p % (2 * directions);
            const bool faceR = q < directions;
            const qint64 direction = faceR ? q + 1 : 2 * directions - q;
            const QByteArray height =
                faceR ? HeightOf(opening.At(kFixedStationWords + static_cast<int>(std::min<qint64>(direction, 100000))))
                      : QByteArray();
            WritePoint(Line(row.text), SightingNumber(faceR ? 'r' : 'l', set, direction), height);
        }
    }

    void NoSetBlock(size_t open, size_t close) {
        WriteStation(Line(rows_[open].text), Line(rows_[close].text), false);
        QByteArray height;
        qint64 direction = 0;
        for (size_t r = open + 1; r < close; ++r) {
            const Row& row = rows_[r];
            if (row.kind == Kind::Code && row.code >= 0 && row.code % 100 == kTargetHeightCode) {
                height = HeightOf(Line(row.text).At(2));
            } else if (row.kind == Kind::Point) {
                WritePoint(Line(row.text), SightingNumber('r', 9, ++direction), height);
            } else {
                SkipInBlock(row);
            }
        }
    }

    void SkipInBlock(const Row& row) {
        if (row.kind == Kind::Code)
            log_.Skip(row.number, kUnusedCode);
        else if (row.kind == Kind::Other)
            log_.Skip(row.number, kNotGsi);
    }

    void WritePoint(const Line& line, const QByteArray& number, const QByteArray& height) {
        QByteArray name = TextOf(line.At(1));
        PadName(name);
        QByteArray memo;
        if (const std::optional<Word> ppm = PpmWord(line)) {
            const std::optional<qint64> constant = gsi::ReadPpmWord(*ppm).constant;
            if (constant) memo = Digits(*constant);
        }
        const QByteArray horizontal = AngleOf(line.At(2));
        const QByteArray vertical = AngleOf(line.At(3));
        const QByteArray distance1 = DistanceOf(line.At(4));
        const QByteArray distance2 = line.HasIndex(5, "51") ? QByteArray() : DistanceOf(line.At(5));
        Sighting s;
        s.name = name;
        s.memo = memo;
        s.targetHeight = height;
        s.number = number;
        s.horizontal = horizontal;
        s.vertical = vertical;
        s.distance1 = distance1;
        s.distance2 = distance2;
        const std::optional<Word> second = line.At(5);
        s.secondDistance = !distance2.isEmpty() && gsi::Number(*second).value_or(0) > 0;
        out_.WriteSighting(s);
    }

    std::vector<Row> rows_;
    ApaRecordWriter& out_;
    ConversionLog& log_;
    StationRecords records_;
    size_t ppmRow_ = 0;  // the answer of the last search, which began before it
};

}  // namespace

void ConvertGsi(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    GsiConversion(raw, out, log).Run();
}

}  // namespace convert
