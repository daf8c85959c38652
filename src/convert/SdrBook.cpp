#include "convert/SdrBook.h"

#include <QStringList>
#include <cmath>

#include "apa/ApaLine.h"
#include "convert/ConvertText.h"
#include "platform/CodePage.h"

namespace convert {
namespace {

const QString kNoStation = QStringLiteral("観測点レコードより前の視準です");
const QString kBadSighting = QStringLiteral("視準の角度・距離が数として読めません");
const QString kEmptySighting = QStringLiteral("視準に角度も距離もありません");
const QString kNoStationName = QStringLiteral("観測点名のない観測点レコードです");
const QString kNotNumber = QStringLiteral("数として読めない値を空にしました");
const QString kLoneDistance = QStringLiteral("同じ視準点の視準に続かない距離レコード（MD）です");

// Only what the field book reads as a number: no exponents, no "inf".
std::optional<double> Number(const QString& text) {
    if (!apa::ReadsAsNumber(text)) return std::nullopt;
    return text.trimmed().toDouble();
}

// A number as written, empty when blank; nullopt when it is no number.
std::optional<QString> Value(const QString& text) {
    if (text.isEmpty() || Number(text)) return text;
    return std::nullopt;
}

QString Name(QString name) {
    return PadName(name);
}
QString Height(QString height) {
    return PadNumber(height);
}

// The decimal point is put at character 5 by blanks in front, as the editor aligns them.
QString Distance(const QString& text) {
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0 && point < 4) return QString(4 - point, u' ') + text;
    return text;
}

// Face, set digit 9 (no numbered set) and the three-digit count.
QString SightingNumber(QChar face, int count) {
    return face + QStringLiteral("9%1").arg(count, 3, 10, QChar(u'0'));
}

}  // namespace

QString InstrumentModel(QChar option) {
    switch (option.unicode()) {
        case ':':
            return QStringLiteral("SET");
        case '&':
            return QStringLiteral("NET");
        case ';':
            return QStringLiteral("DT2/4");
        case '4':
            return QStringLiteral("DT4A/5/20");
        default:
            return QString();
    }
}

QString Weather(QChar code) {
    if (code == u'4') return QStringLiteral("3");
    if (code == u'5') return QStringLiteral("4");
    return code.isSpace() || code.isNull() ? QString() : QString(code);
}

QString PressureUnit(QChar option) {
    if (option == u'1') return QStringLiteral("0");
    if (option == u'3') return QStringLiteral("1");
    return QString();
}

QString EnglishDate(const QString& text) {
    static const QStringList months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QStringList parts = text.trimmed().split(u'-');
    if (parts.size() != 3 || parts[0].size() != 2 || parts[2].size() != 2) return QString();
    const qsizetype month = months.indexOf(parts[1]);
    if (month < 0) return QString();
    return parts[2] + u'/' + QStringLiteral("%1").arg(month + 1, 2, 10, QChar(u'0')) + u'/' +
           parts[0];
}

QString SdrBook::Numeric(qsizetype line, const QString& text) {
    if (Value(text)) return text;
    if (line != notNumberLine_) log_.Skip(line, kNotNumber);  // once for all values of the line
    notNumberLine_ = line;
    return QString();
}

void SdrBook::SetAngleUnit(QChar option) {
    if (option == u'2')
        degreesPerUnit_ = 0.9;
    else if (option == u'3')
        degreesPerUnit_ = 360.0 / 6400.0;
    else
        degreesPerUnit_ = 1.0;
}

void SdrBook::EndStation() {
    Flush();
    count_ = 0;
    blockOpen_ = false;
}

void SdrBook::Station(qsizetype line, const QString& name, const QString& note,
                      const QString& height) {
    EndStation();
    if (name.isEmpty()) {
        station_.reset();
        return log_.Skip(line, kNoStationName);
    }
    station_ = {Name(name), note, Height(Numeric(line, height))};
}

void SdrBook::TargetHeight(qsizetype line, const QString& height) {
    targetHeight_ = Height(Numeric(line, height));
}

void SdrBook::Observe(qsizetype line, const SdrObservation& o) {
    if (!station_) return log_.Skip(line, kNoStation);
    const std::optional<QString> d = Value(o.distance);
    const std::optional<QString> vertical = Angle(o.vertical);
    const std::optional<QString> horizontal = Angle(o.horizontal);
    if (!d || !vertical || !horizontal) return log_.Skip(line, kBadSighting);
    if (d->isEmpty() && vertical->isEmpty() && horizontal->isEmpty())
        return log_.Skip(line, kEmptySighting);
    Flush();
    OpenBlock();
    count_ = count_ % 999 + 1;
    pending_ = Pending{Name(o.target), o.text,    targetHeight_, SightingNumber(o.face, count_),
                       *horizontal,    *vertical, Distance(*d),  QString()};
}

void SdrBook::SeparateDistance(qsizetype line, const QString& target, const QString& distance) {
    const std::optional<QString> d = Value(distance);
    if (!d || d->isEmpty()) return log_.Skip(line, kBadSighting);
    if (!pending_ || pending_->name != Name(target) || !pending_->distance2.isEmpty())
        return log_.Skip(line, kLoneDistance);
    (pending_->distance1.isEmpty() ? pending_->distance1 : pending_->distance2) = Distance(*d);
}

void SdrBook::Finish() {
    Flush();
}

std::optional<QString> SdrBook::Angle(const QString& text) const {
    if (text.isEmpty()) return text;
    const std::optional<double> value = Number(text);
    if (!value) return std::nullopt;
    // ddd.mmss has room for three degree digits, or a sign and two.
    const double seconds = std::round(*value * degreesPerUnit_ * 3600.0);
    if (seconds >= 1000.0 * 3600.0 || seconds <= -100.0 * 3600.0) return std::nullopt;
    // "ddd-mm-ss" text cut to ddd.mmss.
    const QString dms = SecondsToDegreeText(seconds);
    return dms.mid(1, 3) + u'.' + dms.mid(5, 2) + dms.mid(8, 2);
}

void SdrBook::OpenBlock() {
    if (blockOpen_) return;
    records_.d[0] = station_->name;
    records_.d[1] = station_->note;
    records_.d[2] = station_->height;
    out_.WriteStation(records_);
    blockOpen_ = true;
}

void SdrBook::Flush() {
    if (!pending_) return;
    using platform::cp932::Encode;
    const Pending& p = *pending_;
    const QByteArray name = Encode(p.name), memo = Encode(p.memo), height = Encode(p.height),
                     number = Encode(p.number), horizontal = Encode(p.horizontal),
                     vertical = Encode(p.vertical), d1 = Encode(p.distance1),
                     d2 = Encode(p.distance2);
    out_.WriteSighting({name, memo, height, number, horizontal, vertical, d1, d2,
                        Number(p.distance2).value_or(0) > 0});
    pending_.reset();
}

}  // namespace convert
