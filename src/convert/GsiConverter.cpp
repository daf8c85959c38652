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
//     digit names no set of the block); a code 28 line with digit 0 ends it, and later lines
//     continue the block's own runs. Re-measured lines are not counted for n. Since every
//     sighting after "E,1," is a re-measurement, the station holds the block's own runs
//     first, then one "E,1," and the re-measured lines in the order observed, each
//     re-measurement numbered like the run it repeats from its first direction on.
//   - Target heights of a set block: the opening line carries one word per direction
//     after its five fixed words (code, station, instrument height, eccentricity, start
//     time), word 6 for direction 1 and so on; a face r sighting takes its direction's
//     height, face l none. (The heights can not share the words the station is read from.)
//   - Direction numbers have three digits: beyond 999 they start again at 001.
//   - Words are read by their position in the line, as the on-board programs write them;
//     a word counts when its data are complete, so a distance in word 5 of an 80-character
//     line is read. Word 5 is the second distance only when it is one (WI 31 or 32): a
//     target height (87) or a remark there is no distance. Each distance uses its own
//     word's unit code: 6 four decimals, 8 five, any other three. Angles in 360°
//     sexagesimal (unit 4) are read as written; gon (2), decimal degrees (3) and mil (5)
//     are converted to whole seconds. Times and dates that are not digits stay empty.
//   - Heights and numbers are written without the data's zero fill ("1.500", not
//     "00001.500"); the ppm of a WI 51 word runs from its sign up to the sign of the prism
//     constant.

#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "convert/ConvertText.h"
#include "convert/Converter.h"
#include "convert/FieldText.h"
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

// The rows of a file up to its "! ----+" end line. A copy reads ahead without moving the
// original: a block is read once to find its closing code and once to convert it.
class RowReader {
  public:
    explicit RowReader(QByteArrayView raw) : lines_(raw) {}
    bool Next(Row& row) {
        RawLine line;
        if (ended_ || !lines_.Next(line)) return false;
        ended_ = IsEndOfData(line.text);
        if (ended_) return false;
        row = Classify(line);
        return true;
    }

  private:
    RawLineReader lines_;
    bool ended_ = false;
};

bool OpensBlock(qint64 code) {
    return code == kInstrumentCode || code == kWeatherCode || code == kOneSetCode ||
           code == kTwoSetsCode || code == kNoSetsCode || code == kEndCode;
}

// The fields of a sighting are formatted in place (FieldText): a file of a million sightings
// allocates nothing per line. Each Set function replaces the field's content.

// Appends the decimal digits of a value that is not negative, zero-filled to `width`.
void AppendDigits(FieldText& out, qint64 value, int width = 1) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto count = static_cast<qsizetype>(end - digits);
    if (count < width) out.append(width - count, '0');
    out.append(QByteArrayView(digits, count));
}

// Appends the digits right-aligned with blanks to `width`, the sign in front when negative.
void AppendAligned(FieldText& out, bool negative, qint64 magnitude, int width) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    const auto count = static_cast<qsizetype>(end - digits) + (negative ? 1 : 0);
    if (count < width) out.append(width - count, ' ');
    if (negative) out.append('-');
    out.append(QByteArrayView(digits, end - digits));
}

// A name or text word: its data without the zero fill.
void SetText(FieldText& field, const std::optional<Word>& word) {
    field.clear();
    if (word) field.append(word->data);
    StripLeadingZeros(field);
}

QByteArray TextOf(const std::optional<Word>& word) {
    FieldText text;
    SetText(text, word);
    return text.View().toByteArray();
}

// A height in metres from fixed-point data with three decimals, padded to 8.
void SetHeight(FieldText& field, const std::optional<Word>& word) {
    field.clear();
    if (!word || !gsi::Number(*word)) return;
    if (word->sign == '-') field.append('-');
    QByteArrayView whole = word->data.first(word->data.size() - 3);
    while (!whole.isEmpty() && whole.front() == '0') whole = whole.sliced(1);
    field.append(whole).append('.').append(word->data.last(3));
    PadNumber(field);
}

QByteArray HeightOf(const std::optional<Word>& word) {
    FieldText height;
    SetHeight(height, word);
    return height.View().toByteArray();
}

// A distance in metres, the whole metres right-aligned to four; the unit code gives the
// decimals.
void SetDistance(FieldText& field, const std::optional<Word>& word) {
    field.clear();
    const std::optional<qint64> value = word ? gsi::Number(*word) : std::nullopt;
    if (!value) return;
    const int decimals = word->unit == '6' ? 4 : word->unit == '8' ? 5 : 3;
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const qint64 magnitude = *value < 0 ? -*value : *value;
    AppendAligned(field, *value < 0, magnitude / scale, 4);
    field.append('.');
    AppendDigits(field, magnitude % scale, decimals);
}

// Degrees, a point, minutes and seconds: "123.4506"; degrees right-aligned to three, a
// negative angle with its sign in front.
void AppendAngle(FieldText& field, bool negative, qint64 degrees, qint64 minutes, qint64 seconds) {
    if (negative) {
        field.append('-');
        AppendDigits(field, degrees);
    } else {
        AppendAligned(field, false, degrees, 3);
    }
    field.append('.');
    AppendDigits(field, minutes, 2);
    AppendDigits(field, seconds, 2);
}

void SetAngle(FieldText& field, const std::optional<Word>& word) {
    field.clear();
    const std::optional<qint64> value = word ? gsi::Number(*word) : std::nullopt;
    if (!value) return;
    const bool negative = word->sign == '-';
    const qint64 magnitude = negative ? -*value : *value;
    double perUnit = 0;  // seconds of arc per unit of the last digit
    switch (word->unit) {
        case '2': perUnit = 0.0324; break;   // 1e-5 gon
        case '3': perUnit = 0.036; break;    // 1e-5 degree
        case '5': perUnit = 0.02025; break;  // 1e-4 mil
        default:  // sexagesimal DDDMMSSs as written; the tenth of a second is dropped
            AppendAngle(field, negative, magnitude / 100000, magnitude / 1000 % 100,
                        magnitude / 10 % 100);
            return;
    }
    constexpr qint64 kFullCircle = 360 * 3600;  // 399.99999 gon rounds to it: 0°
    const auto seconds =
        static_cast<qint64>(std::llround(static_cast<double>(magnitude) * perUnit)) % kFullCircle;
    AppendAngle(field, negative, seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// "hh:mm" from the last four data digits of a word.
bool AllDigits(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QByteArray TimeOf(const std::optional<Word>& word) {
    if (!word) return QByteArray();
    const QByteArrayView hhmm = gsi::LastData(*word, 4);
    if (hhmm.size() < 4 || !AllDigits(hhmm)) return QByteArray();
    QByteArray time;
    time.append(hhmm.first(2)).append(':').append(hhmm.sliced(2));
    return time;
}

// A direction number of three digits, starting again at 001 after 999.
void SetSightingNumber(FieldText& field, char face, int set, qint64 direction) {
    field.clear();
    field.append(face).append(static_cast<char>('0' + set));
    AppendDigits(field, (direction - 1) % 999 + 1, 3);
}

class GsiConversion {
  public:
    GsiConversion(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log)
        : reader_(raw), out_(out), log_(log) {}

    void Run() {
        Row row;
        while (reader_.Next(row)) Convert(row);
    }

  private:
    // Converts what begins at the row just read.
    void Convert(const Row& row) {
        switch (row.kind) {
            case Kind::Blank:
                return;
            case Kind::Point:
                log_.Skip(row.number, kOutsideBlock);
                return;
            case Kind::Other:
                log_.Skip(row.number, kNotGsi);
                return;
            case Kind::Code:
                break;
        }
        switch (row.code) {
            case kInstrumentCode:
                Instrument(Line(row.text));
                return;
            case kWeatherCode:
                Weather(Line(row.text), row.number);
                return;
            case kOneSetCode:
            case kTwoSetsCode:
            case kNoSetsCode:
                Block(row);
                return;
            case kEndCode:
                return;
            default:
                log_.Skip(row.number, kUnusedCode);
                return;
        }
    }

    void Instrument(const Line& line) {
        for (int field = 0; field < 4; ++field)
            records_.b[field] = platform::cp932::Decode(TextOf(line.At(field + 2)));
        records_.b[4] = platform::cp932::Decode(DateOf(line));
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
        if (date.size() < 8 || !AllDigits(date)) return QByteArray();
        const qsizetype dayColumn = word->column + 7 + word->data.size() - 2;
        QByteArray fromDay = line.Text().sliced(dayColumn).first(
            std::min<qsizetype>(8, line.Text().size() - dayColumn)).toByteArray();
        const bool longYear = StripLeadingZeros(fromDay).size() > 6;
        const QByteArrayView year = longYear ? date.first(4) : date.sliced(2, 2);
        QByteArray text;
        text.append(year).append('/').append(date.sliced(4, 2)).append('/').append(date.sliced(6, 2));
        return text;
    }

    void Weather(const Line& line, qsizetype lineNumber) {
        for (int field = 0; field < 4; ++field) {
            const std::optional<Word> word = line.At(field + 2);
            const std::optional<qint64> value = word ? gsi::Number(*word) : std::nullopt;
            records_.c[field] = value ? QString::number(*value) : QString();
        }
        const std::optional<qint64> ppm = PpmAfter(lineNumber).ppm;
        records_.c[4] = ppm ? QString::number(*ppm) : QString();
        records_.c[5] = QStringLiteral("1");  // hPa
        records_.NewWeatherHeader();
    }

    // The WI 51 word (word 5 or 6) of the first point line after the given line that has
    // one. A search is remembered: a weather block before the line found finds it again
    // without reading the file anew.
    gsi::PpmAndConstant PpmAfter(qsizetype lineNumber) {
        if (!ppmSearched_ || lineNumber >= ppmLine_) {
            ppmSearched_ = true;
            ppmLine_ = std::numeric_limits<qsizetype>::max();
            ppm_ = {};
            RowReader ahead = reader_;
            Row row;
            while (ahead.Next(row)) {
                if (row.kind != Kind::Point) continue;
                if (const std::optional<Word> word = PpmWord(Line(row.text))) {
                    ppmLine_ = row.number;
                    ppm_ = gsi::ReadPpmWord(*word);
                    break;
                }
            }
        }
        return ppm_;
    }

    static std::optional<Word> PpmWord(const Line& line) {
        if (line.HasIndex(5, "51")) return line.At(5);
        if (line.HasIndex(6, "51")) return line.At(6);
        return std::nullopt;
    }

    // What a block holds, found by reading ahead to its closing code.
    struct BlockShape {
        bool closed = false;
        Row closing{};
        qint64 points = 0;   // point lines
        qint64 counted = 0;  // point lines outside re-measurements
        qsizetype end = std::numeric_limits<qsizetype>::max();  // the row after the block
        RowReader next;      // where reading goes on: after the closing row, or at the
                             // opening code that leaves the block unclosed
    };

    BlockShape ReadAhead(const Row& opening) const {
        BlockShape shape{.next = reader_};
        RowReader ahead = reader_;
        bool remeasuring = false;
        Row row;
        for (RowReader before = ahead; ahead.Next(row); before = ahead) {
            if (row.kind == Kind::Code) {
                if (row.code == opening.code + 9 || OpensBlock(row.code)) {
                    shape.closed = row.code == opening.code + 9;
                    shape.closing = row;
                    shape.end = row.number;
                    shape.next = shape.closed ? ahead : before;
                    return shape;
                }
                if (row.code == kControlCode) remeasuring = ControlDigit(Line(row.text)) != '0';
            } else if (row.kind == Kind::Point) {
                ++shape.points;
                if (!remeasuring) ++shape.counted;
            }
        }
        shape.next = ahead;  // the end of the file
        return shape;
    }

    // A block from its opening row: converted when closed, else skipped.
    void Block(const Row& opening) {
        const BlockShape shape = ReadAhead(opening);
        if (!shape.closed) {
            log_.Skip(opening.number, kUnclosedBlock);
            Row row;
            for (RowReader r = reader_; r.Next(row) && row.number < shape.end;)
                if (row.kind != Kind::Blank) log_.Skip(row.number, kUnclosedBlock);
        } else if (opening.code == kNoSetsCode) {
            NoSetBlock(opening, shape);
        } else {
            SetBlock(opening, shape, opening.code == kTwoSetsCode ? 2 : 1);
        }
        reader_ = shape.next;
    }

    void WriteStation(const Line& opening, const Line& closing, bool sets) {
        QByteArray name = TextOf(opening.At(2));
        records_.d[0] = platform::cp932::Decode(PadName(name));
        records_.d[1].clear();
        records_.d[2] = platform::cp932::Decode(HeightOf(opening.At(3)));
        if (sets) {
            const std::optional<Word> eccentricity = opening.At(4);
            records_.d[3] = QString::number(eccentricity ? gsi::Number(*eccentricity).value_or(0) : 0);
        } else {
            records_.d[3] = QStringLiteral("0");
        }
        records_.d[5] = platform::cp932::Decode(TimeOf(opening.At(sets ? 5 : 4)));
        records_.d[6] = platform::cp932::Decode(TimeOf(closing.At(2)));
        out_.WriteStation(records_);
    }

    static char ControlDigit(const Line& line) {
        const std::optional<Word> word = line.At(2);
        return word ? word->data.back() : '0';
    }

    void SetBlock(const Row& openingRow, const BlockShape& shape, int sets) {
        const Line opening(openingRow.text);
        WriteStation(opening, Line(shape.closing.text), true);
        const qint64 perRun = 2 * sets;
        const qint64 directions = std::max<qint64>(
            1, ((shape.counted ? shape.counted : shape.points) + perRun - 1) / perRun);
        // Everything after "E,1," is re-measurement: the block's own runs come first.
        WriteSetRuns(opening, shape, sets, directions, false);
        WriteSetRuns(opening, shape, sets, directions, true);
    }

    // The block's point lines outside re-measurements, or those inside them (after one
    // "E,1,"), in the order observed.
    void WriteSetRuns(const Line& opening, const BlockShape& shape, int sets, qint64 directions,
                      bool remeasurements) {
        qint64 position = 0;    // among the counted lines
        qint64 remeasured = 0;  // within the current re-measurement
        int remeasuredSet = 0;  // 0: not re-measuring
        int lastSet = 1;
        bool marked = false;
        Row row;
        for (RowReader r = reader_; r.Next(row) && row.number < shape.end;) {
            if (row.kind == Kind::Code && row.code == kControlCode) {
                const int digit = ControlDigit(Line(row.text)) - '0';
                remeasuredSet = digit == 0 ? 0 : digit >= 1 && digit <= sets ? digit : lastSet;
                remeasured = 0;
                continue;
            }
            if (row.kind != Kind::Point) {
                if (!remeasurements) SkipInBlock(row);
                continue;
            }
            qint64 p = 0;
            int set = 0;
            if (remeasuredSet) {
                if (!remeasurements) continue;
                if (!marked) out_.WriteRemeasureMark();
                marked = true;
                p = remeasured++;
                set = remeasuredSet;
            } else {
                p = position++;
                set = static_cast<int>(std::min<qint64>(p / (2 * directions) + 1, sets));
                lastSet = set;
                if (remeasurements) continue;
            }
            WriteSetSighting(opening, Line(row.text), p, set, directions);
        }
    }

    // The sighting at position p of its runs: n face r directions up, then n face l down.
    void WriteSetSighting(const Line& opening, const Line& line, qint64 p, int set, qint64 directions) {
        const qint64 q = p % (2 * directions);
        const bool faceR = q < directions;
        const qint64 direction = faceR ? q + 1 : 2 * directions - q;
        if (faceR)
            SetHeight(height_, opening.At(kFixedStationWords +
                                          static_cast<int>(std::min<qint64>(direction, 1000))));
        else
            height_.clear();
        SetSightingNumber(number_, faceR ? 'r' : 'l', set, direction);
        WritePoint(line);
    }

    void NoSetBlock(const Row& opening, const BlockShape& shape) {
        WriteStation(Line(opening.text), Line(shape.closing.text), false);
        height_.clear();  // until a target-height line sets it
        qint64 direction = 0;
        Row row;
        for (RowReader r = reader_; r.Next(row) && row.number < shape.end;) {
            if (row.kind == Kind::Code && row.code >= 0 && row.code % 100 == kTargetHeightCode) {
                SetHeight(height_, Line(row.text).At(2));
            } else if (row.kind == Kind::Point) {
                SetSightingNumber(number_, 'r', 9, ++direction);
                WritePoint(Line(row.text));
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

    // The sighting of a point line, under the number and target height set before.
    void WritePoint(const Line& line) {
        SetText(name_, line.At(1));
        PadName(name_);
        memo_.clear();
        if (const std::optional<Word> ppm = PpmWord(line)) {
            const std::optional<qint64> constant = gsi::ReadPpmWord(*ppm).constant;
            if (constant) AppendAligned(memo_, *constant < 0, *constant < 0 ? -*constant : *constant, 0);
        }
        SetAngle(horizontal_, line.At(2));
        SetAngle(vertical_, line.At(3));
        SetDistance(distance1_, line.At(4));
        const std::optional<Word> second = line.At(5);
        if (second && (second->index == "31" || second->index == "32"))
            SetDistance(distance2_, second);
        else
            distance2_.clear();
        Sighting s;
        s.name = name_;
        s.memo = memo_;
        s.targetHeight = height_;
        s.number = number_;
        s.horizontal = horizontal_;
        s.vertical = vertical_;
        s.distance1 = distance1_;
        s.distance2 = distance2_;
        s.secondDistance = !distance2_.isEmpty() && gsi::Number(*second).value_or(0) > 0;
        out_.WriteSighting(s);
    }

    RowReader reader_;
    ApaRecordWriter& out_;
    ConversionLog& log_;
    StationRecords records_;
    bool ppmSearched_ = false;
    qsizetype ppmLine_ = 0;  // where the last search found its line (max: nowhere)
    gsi::PpmAndConstant ppm_;
    // The fields of the sighting being written (see the Set functions).
    FieldText name_, memo_, height_, number_, horizontal_, vertical_, distance1_, distance2_;
};

}  // namespace

void ConvertGsi(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    GsiConversion(raw, out, log).Run();
}

}  // namespace convert
