// The notebook's header block: station, instrument, observer, date and weather.

#include <QHash>

#include "notebook/NotebookLayout.h"

namespace notebook {
namespace {

constexpr double kLowestTemperature = -178, kHighestTemperature = 160;
constexpr double kLowestPressure = 375, kHighestPressure = 1399;

QString WeatherWord(const QString& code) {
    static const QHash<QString, QString> words{{QStringLiteral("1"), QStringLiteral("晴")},
                                               {QStringLiteral("2"), QStringLiteral("曇")},
                                               {QStringLiteral("3"), QStringLiteral("雨")},
                                               {QStringLiteral("4"), QStringLiteral("雪")}};
    return words.value(code, QStringLiteral(" "));
}

QString WindWord(const QString& code) {
    static const QHash<QString, QString> words{{QStringLiteral("1"), QStringLiteral("無風")},
                                               {QStringLiteral("2"), QStringLiteral("軟風")},
                                               {QStringLiteral("3"), QStringLiteral("和風")},
                                               {QStringLiteral("4"), QStringLiteral("疾風")},
                                               {QStringLiteral("5"), QStringLiteral("強風")}};
    return words.value(code, QString(4, u' '));
}

// The value as written when it is a number within the range; blank otherwise.
QString InRange(const QString& text, double low, double high, const QString& unit) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value >= low && value <= high ? text + unit : QString();
}

QString DateText(const QString& date) {
    if (date.size() != 6) return date;
    return date.first(2) + u'/' + date.sliced(2, 2) + u'/' + date.sliced(4);
}

}  // namespace

void WriteHeaderBlock(NotebookPages& pages, const StationRecord& station,
                      const QString& stationName, const QString& pageNumber) {
    const StationHeader& h = station.header;
    HeaderRow row;
    row[1] = stationName;
    if (station.eccentricity == u"0") row[3] = QStringLiteral("B=P=C");
    bool ok = false;
    const double height = station.instrumentHeight.toDouble(&ok);
    if (ok && height != 0) row[4] = station.instrumentHeight + u'm';
    row[5] = h.model;
    row[6] = h.instrumentNumber;
    row[7] = DateText(h.date);
    row[8] = h.observer;
    row[9] = WeatherWord(h.weather);
    row[10] = WindWord(h.wind);
    row[11] = InRange(h.temperature, kLowestTemperature, kHighestTemperature, QStringLiteral("ﾟc"));
    row[12] = InRange(h.pressure, kLowestPressure, kHighestPressure,
                      h.pressureUnit == u"0" ? QStringLiteral("mmHg") : QStringLiteral("hPa"));
    row[13] = h.ppm;
    row[14] = station.startTime;
    row[15] = station.endTime;
    row[16] = pageNumber;

    pages.Line(QStringLiteral("                              観  測  手  簿"));
    pages.Line(QString());
    pages.Line(QStringLiteral("観測点名   [") + PadToBytes(stationName, 12) + QStringLiteral("]   ") +
               QStringLiteral("標石番号                  観測状況   ") + row[3]);
    pages.Line(QStringLiteral("器 械 高    ") + PadToBytes(row[4], 12) + QStringLiteral("    観測機種   ") +
               row[5] + QStringLiteral("    器械番号   ") + row[6]);
    pages.Line(QStringLiteral("観測年月日  ") + row[7] + QStringLiteral("      観測者名   ") + row[8] +
               QStringLiteral("     天    候   ") + row[9]);
    pages.Line(QStringLiteral("風    力    ") + row[10] + QStringLiteral("            気    温   ") + row[11] +
               QStringLiteral("     気    圧   ") + row[12]);
    pages.Line(QStringLiteral("ＰＰＭ値    ") + row[13] + QStringLiteral("      開始時刻   ") + row[14] +
               QStringLiteral("     終了時刻   ") + row[15]);
    pages.Line(QString());
    pages.Header(std::move(row));
}

}  // namespace notebook
