// The TOPCON converter ("FC5"): underscore-coded data, "_" + item code + value, as the
// instruments send it (serial blocks or plain lines) and in the "_!" form of the FC-5
// whose codes carry a group character ("t" or "!") in front of the item character.
//   '  station name (D1)      (  station code (D2)     )  instrument height (D3)
//   +  target name (F1)       " " measurement (F5..F7) *  target code (F2, memo)
//   ,  target height (F3)
// The code and target height of a shot follow its measurement, so a shot is complete only
// at the next target, station or the end of the data.
//
// Points this converter settles:
//   - A station item completes the station before it: D, "E,0," and its shots, also when
//     it has no shots (the setup is data too). Shots before the first station item belong
//     to no station and are skipped and logged.
//   - The data carry no face or set: every shot is face r outside sets, numbered r9 and a
//     running three-digit direction per station (after 999 it starts again at 001).
//     No "E,1," is written: the data mark no re-measurement.
//   - Distance 1 is the slope distance; the horizontal distance is not written (it is
//     derived from slope distance and zenith angle, and as distance 2 it would claim a
//     second measured distance). Angle-only measurements ("<") have no distance.
//   - Angles in DDDMMSS ("d") are written as read; gon ("g") is converted to whole
//     seconds. A distance in feet, an angle in another unit, a measurement of another
//     length or mode (the coordinate mode "W" included) or with minutes or seconds of 60
//     is skipped and logged, and its target reported as one without measurement.
//   - Data lost with a serial block (too short, or missing by its block digit) ends the shot
//     before it: a code, target height, measurement or station value after the gap is
//     never given to a target or station before it.
//   - A block check or measurement check that fails (an all-zero check included) does not
//     lose the data: the line is converted and flagged.
//   - "_!" form: "t'", "t(", "t)" and "t " are read as the station and measurement items
//     of the same character; the "!" group and "tu", "tv" hold values whose meaning is not
//     known (settings, one-character values of code − 31) and are skipped and logged.
//   - A file that does not begin with "_" (the keyword files of the later TOPCON
//     programs, files of other makers) is no such data: every line is skipped and logged
//     and no station written.
//   - B and C are written empty before the first station: the data hold no header.
//   - The whole stream may arrive as one line; the driver converts it (FormatEntry).

#include <QList>

#include "convert/ConvertText.h"
#include "convert/Converter.h"
#include "convert/TopconMeasurement.h"
#include "convert/TopconStream.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

using topcon::Item;
using topcon::Measurement;

const QString kNoStation = QStringLiteral("観測点より前の視準です");
const QString kNoShot = QStringLiteral("視準点のない目標コードか目標高です");
const QString kAfterGap = QStringLiteral("欠けたデータの後の値で、どの視準のものか分かりません");
const QString kNoMeasurement = QStringLiteral("測定値のない視準点です");
const QString kUnknownItem =
    QStringLiteral("意味の分からない項目を飛ばしました（行のほかの項目は変換しました）");
const QString kBadCheck = QStringLiteral("測定値のチェック値が合いません");
const QString kNotNumber = QStringLiteral("高さが数値ではありません");

struct Shot {
    QByteArray name;
    QByteArray memo;
    QByteArray height;
    std::optional<Measurement> measurement;
    qsizetype line;
};

// The item's code without the "t" group of the "_!" form.
QByteArray ItemCode(const QByteArray& code) {
    static const QList<QByteArray> kGrouped{"t'", "t(", "t)", "t "};
    return kGrouped.contains(code) ? code.sliced(1) : code;
}

// A height as written in the field book, or nothing when the value is no number.
std::optional<QByteArray> Height(QByteArray value) {
    value = value.trimmed();
    if (value.isEmpty()) return value;
    bool ok = false;
    value.toDouble(&ok);
    if (!ok) return std::nullopt;
    return PadNumber(value);
}

class Fc5Conversion {
  public:
    Fc5Conversion(ApaRecordWriter& out, ConversionLog& log) : out_(out), log_(log) {}

    void Run(const QList<Item>& items) {
        for (const Item& item : items) Take(item);
        CompleteStation();
    }

  private:
    void Take(const Item& item) {
        const QByteArray code = ItemCode(item.code);
        if (code.isEmpty()) {
            gap_ = true;
        } else if (code == "'") {
            OpenStation(item);
        } else if (code == "(" || code == ")") {
            StationValue(code, item);
        } else if (code == "+" || code == " ") {
            ShotValue(code, item);
        } else if ((code == "*" || code == ",") && !shots_.isEmpty()) {
            ShotNote(code, item);
        } else if (code == "*" || code == ",") {
            log_.Skip(item.line, open_ ? kNoShot : kNoStation);
        } else {
            log_.Skip(item.line, kUnknownItem);
        }
    }

    void OpenStation(const Item& item) {
        CompleteStation();
        QByteArray name = item.value;
        records_.d[0] = platform::cp932::Decode(PadName(name));
        records_.d[3] = QStringLiteral("0");
        open_ = true;
        gap_ = false;
    }

    void StationValue(const QByteArray& code, const Item& item) {
        if (!open_) return log_.Skip(item.line, kNoStation);
        if (gap_) return log_.Skip(item.line, kAfterGap);  // its station item may be lost
        if (code == "(") {
            records_.d[1] = platform::cp932::Decode(item.value);
        } else if (const std::optional<QByteArray> height = Height(item.value)) {
            records_.d[2] = QString::fromLatin1(*height);
        } else {
            log_.Skip(item.line, kNotNumber);
        }
    }

    void ShotValue(const QByteArray& code, const Item& item) {
        if (!open_) return log_.Skip(item.line, kNoStation);
        if (code == "+" || shots_.isEmpty() || shots_.back().measurement || gap_)
            shots_.append(Shot{code == "+" ? item.value : QByteArray(), {}, {}, {}, item.line});
        gap_ = false;
        if (code == "+") return;
        QString why;
        shots_.back().measurement = topcon::ReadMeasurement(item.value, why);
        shots_.back().line = item.line;
        if (!shots_.back().measurement)
            log_.Skip(item.line, why);
        else if (!shots_.back().measurement->checked)
            log_.Flag(item.line, kBadCheck);
    }

    void ShotNote(const QByteArray& code, const Item& item) {
        if (gap_) {
            log_.Skip(item.line, kAfterGap);
        } else if (code == "*") {
            shots_.back().memo = item.value;
        } else if (const std::optional<QByteArray> height = Height(item.value)) {
            shots_.back().height = *height;
        } else {
            log_.Skip(item.line, kNotNumber);
        }
    }

    void CompleteStation() {
        if (!open_) return;
        out_.WriteStation(records_);
        int direction = 0;
        for (Shot& shot : shots_) {
            if (!shot.measurement) {
                log_.Skip(shot.line, kNoMeasurement);
                continue;
            }
            direction = direction % 999 + 1;
            WriteShot(shot, direction);
        }
        shots_.clear();
        open_ = false;
    }

    void WriteShot(Shot& shot, int direction) {
        const QByteArray number = "r9" + QByteArray::number(direction).rightJustified(3, '0');
        Sighting s;
        s.name = PadName(shot.name);
        s.memo = shot.memo;
        s.targetHeight = shot.height;
        s.number = number;
        s.horizontal = shot.measurement->horizontal;
        s.vertical = shot.measurement->vertical;
        s.distance1 = shot.measurement->distance;
        out_.WriteSighting(s);
    }

    ApaRecordWriter& out_;
    ConversionLog& log_;
    StationRecords records_;
    QList<Shot> shots_;
    bool open_ = false;
    bool gap_ = false;  // data was lost since the last target or measurement
};

}  // namespace

void ConvertFc5(QByteArrayView raw, ApaRecordWriter& out, ConversionLog& log) {
    Fc5Conversion(out, log).Run(topcon::ReadItems(raw, log));
}

}  // namespace convert
