#pragma once
// A field book of a closed traverse around the demo district: T1 → T2 → N1 → T4 → T1, each
// station backsighting the station before it and observed in one set on both faces. N1 is
// not in the district; from T2 a boundary mark 杭1, also new, is taken as a side shot.

#include <QByteArray>
#include <QString>

#include "platform/CodePage.h"

namespace test {

struct TraverseSighting {
    const char16_t* name;
    const char* direction;  // ddd.mmss on the direct face
    const char* zenith;
    const char* distance;
};

// The reverse face's zenith reading, 360° minus the direct one, in ddd.mmss.
inline QString ReverseZenith(const char* zenith) {
    const QByteArray z(zenith);
    const int seconds = 1296000 - (z.left(z.indexOf('.')).toInt() * 3600 + z.mid(z.indexOf('.') + 1, 2).toInt() * 60 +
                                   z.mid(z.indexOf('.') + 3, 2).toInt());
    return QString::number(seconds / 3600) + u'.' + QString::number(seconds % 3600 / 60).rightJustified(2, u'0') +
           QString::number(seconds % 60).rightJustified(2, u'0');
}

inline QString TraverseSightingLines(const TraverseSighting& s, int number, bool reverse) {
    const QString face = reverse ? QStringLiteral("l1") : QStringLiteral("r1");
    const double direction = QByteArray(s.direction).toDouble() + (reverse ? 180 : 0);
    const QString zenith = reverse ? ReverseZenith(s.zenith) : QString::fromLatin1(s.zenith);
    const QString d = QString::fromLatin1(s.distance);
    return QStringLiteral("F,") + QString::fromUtf16(s.name) + QStringLiteral(",,1.600,") + face +
           QString::number(number).rightJustified(3, u'0') + u',' +
           QString::number(direction >= 360 ? direction - 360 : direction, 'f', 4) + u',' +
           zenith + u',' + d + u',' + d + QStringLiteral(",,,000,\r\n");
}

inline QString TraverseStation(const char16_t* station, std::initializer_list<TraverseSighting> sightings) {
    QString text = QStringLiteral("C,1,2,15,1013,1,0,\r\nD,") + QString::fromUtf16(station) +
                   QStringLiteral(",,1.500,0,11220") + QString::number(sightings.size()).rightJustified(2, u'0') +
                   QStringLiteral(",09:00,09:30,\r\nE,0,\r\n");
    int number = 0;
    for (const TraverseSighting& s : sightings) text += TraverseSightingLines(s, ++number, false);
    for (auto it = std::rbegin(sightings); it != std::rend(sightings); ++it)
        text += TraverseSightingLines(*it, number--, true);
    return text;
}

inline QByteArray ClosedTraverseFieldBook() {
    const QString text =
        QStringLiteral("A,01,\r\nB,,SET5,123,YAMADA,26/12/07,\r\n") +
        TraverseStation(u"T1", {{u"T4", "0.0000", "90.0120", "106.452"}, {u"T2", "91.2315", "89.5930", "110.063"}}) +
        TraverseStation(u"T2", {{u"T1", "0.0000", "90.0040", "110.063"},
                                {u"N1", "88.4702", "89.5950", "106.452"},
                                {u"杭1", "300.1020", "91.0230", "23.456"}}) +
        TraverseStation(u"N1", {{u"T2", "0.0000", "90.0010", "106.452"}, {u"T4", "90.1254", "90.0005", "104.117"}}) +
        TraverseStation(u"T4", {{u"N1", "0.0000", "89.5955", "104.117"}, {u"T1", "89.5729", "89.5902", "106.452"}}) +
        QStringLiteral("Z,\r\n");
    return platform::cp932::Encode(text);
}

}  // namespace test
