// Stations without sets, re-measured sightings, pages, header values out of range, long
// names, and the names and elevations the district gives.

#include <gtest/gtest.h>

#include "calcstore/clsCoord.h"
#include "notebook/DistrictPoint.h"
#include "notebook/NotebookFixture.h"
#include "platform/Database.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

namespace {

using test::FieldBook;
using test::Reduce;

QStringList Plain(int sightings) {
    QStringList lines = {QStringLiteral("D,P0,,1.500,0,9911001,,,"), QStringLiteral("E,0,")};
    for (int i = 0; i < sightings; ++i)
        lines << QStringLiteral("F,P%1,,1.500,r9001,12.3456,90.1020,50.000,50.001,,,000,").arg(i + 1);
    return lines;
}

TEST(StationEdgesTest, PlainListLineAndRow) {
    QStringList station = Plain(1);
    station << QStringLiteral("F,P2,メモ,9999999,l9002,,270.0000,25.000,,,,000,");
    const test::KeptNotebook nb = Reduce(FieldBook(station));
    EXPECT_EQ(nb.lines[9], u"     視準点名       水 平 角   鉛 直 角       斜 距 離      目標高");
    EXPECT_EQ(nb.lines[11], u"  [P1          ]    12-34-56   90-10-20    50.000    50.001   1.500");
    EXPECT_EQ(nb.lines[12], u"  [P2          ]              270-00-00    25.000");
    ASSERT_EQ(nb.data.size(), 2u);
    // 9 999 999: target height not given.
    EXPECT_EQ(test::Pick(nb.data[1], {4, 18, 19, 21, 22}), (QStringList{u"P2"_qs, {}, u"2"_qs, u"270-00-00"_qs, u"メモ"_qs}));
    // A reverse-face reading of 270° is a zenith of 90°: level, the distance all across, and
    // no target height taken off.
    ASSERT_EQ(nb.reduction.size(), 3u);
    const notebook::ReductionRow& p2 = nb.reduction[2];
    EXPECT_EQ((QStringList{p2.verticalAngle, p2.horizontalDistance, p2.heightDifference}),
              (QStringList{u"90-00-00"_qs, u"25.000"_qs, u"1.500"_qs}));
    EXPECT_EQ(nb.correction[1].verticalComponent, u"*");   // no direct face
    EXPECT_EQ(nb.correction[1].horizontalDistance2, u"25.000");
}

// Sightings after "E,1," are a re-measurement: listed under the separator, left out of
// the reduction.
TEST(StationEdgesTest, RemeasuredSightingsStayOutOfTheMeans) {
    const QStringList station = {
        QStringLiteral("D,ST1,,1.500,0,1121002,,,"),
        QStringLiteral("E,0,"),
        QStringLiteral("F,T1,,1.600,r1001,0.0000,90.0000,100.000,100.002,,,000,"),
        QStringLiteral("F,T2,,1.600,r1002,45.3020,85.0000,,,,,000,"),
        QStringLiteral("F,T1,,1.600,l1001,180.0004,270.0004,,,,,000,"),
        QStringLiteral("F,T2,,1.600,l1002,225.3030,275.0006,,,,,000,"),
        QStringLiteral("E,1,"),
        QStringLiteral("F,T2,,1.600,r1002,45.3100,85.0100,200.500,200.501,,,000,"),
    };
    const test::KeptNotebook nb = Reduce(FieldBook(station));
    const QString separator = u"     --- [ 再測削除分 ] ----------"_qs;
    EXPECT_EQ(std::count(nb.lines.begin(), nb.lines.end(), separator), 2);  // in both tables
    const qsizetype horizontal = nb.lines.indexOf(separator);
    EXPECT_EQ(nb.lines[horizontal + 1], u"     r  2 [T2          ]    45-31-00");
    const qsizetype verticalLine = nb.lines.indexOf(separator, horizontal + 1);
    EXPECT_EQ(nb.lines[verticalLine + 1], u" r [T2          ]   85-01-00"_qs + QString(15, u' ') + u" 200.500 .501     1 200.501"_qs);
    const auto first = std::find_if(nb.data.begin(), nb.data.end(),
                                    [](const notebook::DataRow& r) { return r[4] == u" 再測削除分 "; });
    ASSERT_NE(first, nb.data.end());
    EXPECT_EQ(test::Pick(*first, {5, 19}), (QStringList{u"----------"_qs, u"0"_qs}));
    EXPECT_EQ(test::Pick(*(first + 1), {4, 5, 6}), (QStringList{u"T2"_qs, u"45-31-00"_qs, {}}));
    const auto vertical = std::find_if(first + 1, nb.data.end(),
                                       [](const notebook::DataRow& r) { return r[4] == u" 再測削除分 "; });
    ASSERT_NE(vertical, nb.data.end());
    EXPECT_EQ(test::Pick(*vertical, {11, 19}), (QStringList{u"鉛　直　角"_qs, u"1"_qs}));
    EXPECT_EQ((*(vertical + 1))[14], u"200.500");
    // The mean, the reduction table and the correction input know only the run.
    EXPECT_EQ(nb.data[1][11], u"45-30-23");
    ASSERT_EQ(nb.reduction.size(), 3u);
    EXPECT_EQ(nb.reduction[2].direction, u"45-30-23");
    EXPECT_TRUE(nb.reduction[2].slopeDistance.isEmpty());
    EXPECT_EQ(nb.correction.size(), 1u);
}

// A station fills its page; one that ends exactly at the foot of a page adds no blank page.
TEST(StationEdgesTest, StationsEndTheirPage) {
    const test::KeptNotebook exact = Reduce(FieldBook(Plain(64)));  // 8 + 3 + 64 = 75
    EXPECT_EQ(exact.lines.size(), 75);
    const test::KeptNotebook two = Reduce(FieldBook(Plain(65) + Plain(1)));
    ASSERT_EQ(two.lines.size(), 225);
    EXPECT_TRUE(two.lines[75].startsWith(u"  [P65 "));  // the 76th line, then blanks to the page's end
    EXPECT_EQ(two.lines[76], u"");
    EXPECT_EQ(two.lines[150], u"                              観  測  手  簿");
    // The run's counter goes on across stations: 1 header, 65 lines, 66 reduction rows.
    EXPECT_EQ(two.headers[1].id, 133);
}

QStringList OneSet(int directions) {
    QStringList lines = {QStringLiteral("D,ST,,1.500,0,1121%1,,,").arg(directions, 3, 10, QChar(u'0')),
                         QStringLiteral("E,0,")};
    for (const QChar face : {u'r', u'l'})
        for (int t = 1; t <= directions; ++t)
            lines << QStringLiteral("F,T%1,,1.6,%2%3,%4.0000,90.0000,10.000,10.000,,,000,")
                         .arg(t)
                         .arg(face + u"1"_qs)
                         .arg(t, 3, 10, QChar(u'0'))
                         .arg(face == u'l' ? 180 + t : t);
    return lines;
}

// A vertical table does not start on a page with more than 61 lines taken.
TEST(StationEdgesTest, VerticalTableStartsOnANewPageWhenTheOldOneIsNearlyFull) {
    const test::KeptNotebook fits = Reduce(FieldBook(OneSet(24)));  // 8 + 5 + 48 = 61
    EXPECT_EQ(fits.lines[62], u"望   視 準 点       鉛 直 角  ｒ－ｌ=2Z=  定    観測距離     較");
    const test::KeptNotebook full = Reduce(FieldBook(OneSet(25)));  // 8 + 5 + 50 = 63
    for (int i = 63; i < 75; ++i) EXPECT_EQ(full.lines[i], u"") << i;
    EXPECT_EQ(full.lines[76], u"望   視 準 点       鉛 直 角  ｒ－ｌ=2Z=  定    観測距離     較");
    EXPECT_EQ(full.lines.size() % 75, 0);
}

TEST(StationEdgesTest, FiftyDirectionsInThreeSetsAndAStationWithoutSightings) {
    QStringList lines = {QStringLiteral("D,BIG,,1.500,0,3121050,,,"), QStringLiteral("E,0,")};
    for (const char16_t* row : {u"r1", u"l1", u"l2", u"r2", u"r3", u"l3"})
        for (int t = 1; t <= 50; ++t)
            lines << QStringLiteral("F,T%1,,1.6,%2%3,%4.1234,91.0000,100.000,100.001,,,000,")
                         .arg(t)
                         .arg(QString::fromUtf16(row))
                         .arg(t, 3, 10, QChar(u'0'))
                         .arg(t * 7);
    lines << QStringLiteral("D,EMPTY,,1.500,0,2121001,,,") << QStringLiteral("E,0,");
    const test::KeptNotebook nb = Reduce(FieldBook(lines));
    EXPECT_EQ(nb.summary.stations, 2);
    EXPECT_EQ(nb.lines.size() % 75, 0);
    EXPECT_EQ(nb.headers.size(), 2u);
    EXPECT_EQ(nb.reduction.back().station, u"EMPTY");  // its station row, and no targets
    EXPECT_EQ(nb.lines[nb.lines.size() - 75], u"                              観  測  手  簿");
}

TEST(StationEdgesTest, HeaderValuesOutOfRangePrintBlanks) {
    const test::KeptNotebook nb = Reduce({QStringLiteral("A,01,"), QStringLiteral("B,,M,N,O,261207,,,,"),
                                          QStringLiteral("C,5,6,-179,1400,10,0,"), QStringLiteral("D,S,,0,1,,,,"),
                                          QStringLiteral("C,4,5,-178,1399,,0,"), QStringLiteral("D,S2,,,,,,,"),
                                          QStringLiteral("Z,")});
    ASSERT_EQ(nb.headers.size(), 2u);
    EXPECT_EQ(nb.lines[3], u"器 械 高                    観測機種   M    器械番号   N");
    EXPECT_EQ(nb.lines[4], u"観測年月日  26/12/07      観測者名   O     天    候    ");
    EXPECT_EQ(nb.lines[5], u"風    力                    気    温        気    圧   ");
    EXPECT_EQ(nb.lines[2], u"観測点名   [S           ]   標石番号                  観測状況   ");
    EXPECT_EQ(test::Pick(nb.headers[1], {9, 10, 11, 12}), (QStringList{u"雪"_qs, u"強風"_qs, u"-178ﾟc"_qs, u"1399mmHg"_qs}));
}

// Names pass through the point-name look-up; a name longer than its field is cut at a
// CP932 character boundary; the district gives the station's elevation whatever its name.
TEST(StationEdgesTest, NamesAndElevationsFromTheDistrict) {
    const auto district = platform::Database::Create(test::NewFolder(QStringLiteral("district")) +
                                                     QStringLiteral("/District.mdb"));
    district->Execute(QStringLiteral("CREATE TABLE COORD (ID INTEGER PRIMARY KEY, Name TEXT, Z REAL, DELFLG INTEGER)"));
    district->Execute(QStringLiteral("INSERT INTO COORD (ID, Name, Z) VALUES (7, ?, 12.5)"), {u"O'Neil \"1\""_qs});
    notebook::NotebookSources sources;
    sources.district = district.get();
    sources.pointName = [](const QString& name) { return name == u"101" ? u"KB101"_qs : name; };
    const QString longName = QStringLiteral("A") + QString(10, u'境');  // 21 bytes in CP932
    const test::KeptNotebook nb = Reduce(
        FieldBook({QStringLiteral("D,O'Neil \"1\",,1.500,0,9911002,,,"), QStringLiteral("E,0,"),
                   QStringLiteral("F,101,,1.500,r9001,0.0000,80.0000,100.000,,,,000,"),
                   QStringLiteral("F,") + longName + QStringLiteral(",,1.500,r9002,0.0000,,,,,,000,")}),
        sources);
    EXPECT_EQ(nb.reduction[0].lookUpCode, -7);
    EXPECT_EQ(nb.reduction[0].stationElevation, u"12.500");
    // 100 m at a zenith of 80°: 17.365 up, the instrument and the target at the same height.
    const notebook::ReductionRow& kb = nb.reduction[1];
    EXPECT_EQ((QStringList{kb.target, kb.heightDifference, kb.computedElevation}),
              (QStringList{u"KB101"_qs, u"17.365"_qs, u"29.865"_qs}));
    EXPECT_EQ(nb.data[0][4], u"KB101");
    EXPECT_EQ(nb.data[1][4], QStringLiteral("A") + QString(9, u'境'));  // 19 bytes: the half character goes
    EXPECT_TRUE(nb.lines[12].contains(longName));  // the text line keeps the whole name
}

// What the set tables cannot hold is told, not lost without a word; numbers are read
// leniently everywhere, the instrument height too.
TEST(StationEdgesTest, UnreducibleSightingsAreToldAndHeightsReadLeniently) {
    const test::KeptNotebook nb = Reduce(FieldBook({
        QStringLiteral("D,W1,,1.5m,0,1121002,,,"), QStringLiteral("E,0,"),
        QStringLiteral("F,T1,,1.2m,r1001,0.0000,80.0000,100.000m,,,,000,"),
        QStringLiteral("F,T9,,1.6,r1x,10.0000,,,,,,000,"),
        QStringLiteral("D,W2,,1.500,0,1121003,,,"), QStringLiteral("E,0,"),
        QStringLiteral("F,T2,,1.6,r1002,10.0000,,,,,,000,"),
    }));
    EXPECT_EQ(nb.summary.problems,
              (QStringList{u"W1: 番号 \"r1x\" の視準 T9 は方向番号がないため整約していません。"_qs,
                           u"W2: 基準方向 001 の視準がないため、水平角を整約できません。"_qs}));
    EXPECT_TRUE(nb.lines[3].startsWith(u"器 械 高    1.5m "));
    // 100 m at a zenith of 80°: 17.365 up, 1.5 − 1.2 between instrument and target.
    EXPECT_EQ(nb.reduction[1].heightDifference, u"17.665");
}

}  // namespace
