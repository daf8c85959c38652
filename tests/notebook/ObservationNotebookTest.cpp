// The notebook reduction on stations worked by hand: the lines of SHUBO1.DAT and the rows
// of DATA, HEDDER, テーブル4 and KYORIHOSEI_.

#include <gtest/gtest.h>

#include "notebook/DistrictPoint.h"
#include "notebook/NotebookFixture.h"
#include "support/QtPrinters.h"

namespace {

using test::FieldBook;
using test::Reduce;

// One set, three directions: T1 is the reference, T3 has no distance and no target height.
const QStringList kOneSet = {
    QStringLiteral("D,ST1,,1.500,0,1121003,09:30,10:05,"),
    QStringLiteral("E,0,"),
    QStringLiteral("F,T1,,1.600,r1001,0.0000,90.0000,100.000,100.002,,,000,"),
    QStringLiteral("F,T2,杭,1.600,r1002,45.3020,85.0000,200.000,200.004,,,000,"),
    QStringLiteral("F,T3,,,r1003,120.0010,95.3000,,,,,000,"),
    QStringLiteral("F,T1,,1.600,l1001,180.0004,270.0004,100.004,100.002,,,000,"),
    QStringLiteral("F,T2,杭,1.600,l1002,225.3030,275.0006,200.002,200.000,,,000,"),
    QStringLiteral("F,T3,,,l1003,300.0008,264.3010,,,,,000,"),
};

TEST(ObservationNotebookTest, OneSetStationIsLaidOutLineByLine) {
    const test::KeptNotebook nb = Reduce(FieldBook(kOneSet));
    const QString q = QStringLiteral("\"");
    const QStringList expected = {
        QStringLiteral("                              観  測  手  簿"),
        QString(),
        QStringLiteral("観測点名   [ST1         ]   標石番号                  観測状況   B=P=C"),
        QStringLiteral("器 械 高    1.500m          観測機種   TC1800    器械番号   123456"),
        QStringLiteral("観測年月日  26/12/07      観測者名   YAMADA     天    候   晴"),
        QStringLiteral("風    力    軟風            気    温   15ﾟc     気    圧   1013hPa"),
        QStringLiteral("ＰＰＭ値    0      開始時刻   09:30     終了時刻   10:05"),
        QString(),
        QString(),
        QStringLiteral(" 目 望 番  視  準  点         水　 平　 角       倍  較  倍  観"),
        QStringLiteral("    遠                                                   角  測    平 均 値"),
        QStringLiteral(" 盛 鏡 号 名称又は番号     観 測 角    結   果   角  差  差  差"),
        QStringLiteral("                            ﾟ  '  ") + q + QStringLiteral("    ﾟ  '  ") + q +
            QStringLiteral("    ") + q + QStringLiteral("   ") + q + QStringLiteral("   ") + q +
            QStringLiteral("   ") + q + QStringLiteral("   　ﾟ　'  ") + q,
        // T2: M = 45-30-20 → 2 × 45-30-00 = 327 600″; 163 820 + 163 826 − 327 600 = 46.
        QStringLiteral("  0ﾟ r  1 [T1          ]     0-00-00    0-00-00    0  +0             0-00-00"),
        QStringLiteral("        2 [T2          ]    45-30-20   45-30-20   46  -6            45-30-23"),
        QStringLiteral("        3 [T3          ]   120-00-10  120-00-10   14  +6           120-00-07"),
        QStringLiteral("     l  1 [T1          ]   180-00-04    0-00-00"),
        QStringLiteral("        2 [T2          ]   225-30-30   45-30-26"),
        QStringLiteral("        3 [T3          ]   300-00-08  120-00-04"),
        QString(),
        QStringLiteral("望   視 準 点       鉛 直 角  ｒ－ｌ=2Z=  定    観測距離     較"),
        QStringLiteral("遠                           90ﾟ±α= Z=  数                    平均値  目標高"),
        QStringLiteral("鏡  名称又は番号    観 測 角  (   　)α=  差   (1)   (2)     差"),
        QStringLiteral("                     ﾟ  '  ") + q + QStringLiteral("    ﾟ  '  ") + q + QStringLiteral("   ") + q +
            QStringLiteral("     m     m     mm     m      m"),
        // Index constants 4″, 6″ and 10″: 定数差 6 on the set's first line.
        QStringLiteral(" r [T1          ]   90-00-00  179-59-56   6 100.000 .002     2 100.001"),
        QStringLiteral(" l                 270-00-04   89-59-58     100.004 .002     2 100.003"),
        QStringLiteral("                   360-00-04    0-00-02                        100.002   1.600"),
        QStringLiteral(" r [T2          ]   85-00-00  169-59-54     200.000 .004     4 200.002"),
        QStringLiteral(" l                 275-00-06   84-59-57     200.002 .000     2 200.001"),
        QStringLiteral("                   360-00-06    5-00-03                        200.002   1.600"),
        QStringLiteral(" r [T3          ]   95-30-00  190-59-50"),
        QStringLiteral(" l                 264-30-10   95-29-55"),
        QStringLiteral("                   360-00-10   -5-29-55"),
    };
    ASSERT_EQ(nb.lines.size(), 75);  // the station ends its page
    EXPECT_EQ(nb.lines.first(expected.size()), expected);
    for (const QString& blank : nb.lines.sliced(expected.size())) EXPECT_TRUE(blank.isEmpty());
    EXPECT_EQ(nb.summary.stations, 1);
    EXPECT_EQ(nb.summary.lines, 75);
}

TEST(ObservationNotebookTest, OneSetStationRows) {
    const test::KeptNotebook nb = Reduce(FieldBook(kOneSet));
    ASSERT_EQ(nb.headers.size(), 1u);
    const notebook::HeaderRow& h = nb.headers[0];
    EXPECT_EQ(h.id, 1);
    const QStringList header(h.fields.begin() + 1, h.fields.end());
    EXPECT_EQ(header, (QStringList{u"ST1"_qs, {}, u"B=P=C"_qs, u"1.500m"_qs, u"TC1800"_qs, u"123456"_qs,
                                   u"26/12/07"_qs, u"YAMADA"_qs, u"晴"_qs, u"軟風"_qs, u"15ﾟc"_qs, u"1013hPa"_qs,
                                   u"0"_qs, u"09:30"_qs, u"10:05"_qs, {}}));

    ASSERT_EQ(nb.data.size(), 15u);  // 6 horizontal lines, 9 vertical ones
    const notebook::DataRow& t2 = nb.data[1];
    EXPECT_EQ(t2.id, 3);
    const QStringList t2Fields(t2.fields.begin() + 1, t2.fields.end());
    EXPECT_EQ(t2Fields, (QStringList{u"    "_qs, u"r"_qs, u"2"_qs, u"T2"_qs, u"45-30-20"_qs, u"45-30-20"_qs,
                                     u"46"_qs, u"-6"_qs, {}, {}, u"45-30-23"_qs, {}, {}, {}, {}, {}, {}, {}, u"0"_qs,
                                     {}, {}, {}}));
    EXPECT_EQ(nb.LineOf(6), nb.lines[24]);
    EXPECT_EQ(test::Pick(nb.data[6], {12, 13, 14, 17, 19, 20, 21}),
              (QStringList{u"179-59-56"_qs, u"6"_qs, u"100.000"_qs, u"100.001"_qs, u"1"_qs, u"1"_qs, u"90-00-00"_qs}));
    EXPECT_EQ(test::Pick(nb.data[8], {12, 17, 18, 20, 21}),
              (QStringList{u"0-00-02"_qs, u"100.002"_qs, u"1.600"_qs, u"3"_qs, u"360-00-04"_qs}));

    // The station row, then one row per target: all numbered by the run's one counter.
    ASSERT_EQ(nb.reduction.size(), 4u);
    const notebook::ReductionRow& st = nb.reduction[0];
    EXPECT_EQ(st.type, 17);
    EXPECT_EQ((QStringList{st.station, st.instrumentHeight, st.stationElevation}), (QStringList{u"ST1"_qs, u"1.500"_qs, {}}));
    EXPECT_EQ(st.lookUpCode, notebook::kPointNotFound);  // no district given
    const notebook::ReductionRow& t2r = nb.reduction[2];
    EXPECT_EQ(t2r.type, 19);
    // sin/cos of 84°59′57″ × 200.002: 199.241 across, 17.434 up; 1.500 + 17.434 − 1.600. The
    // station's elevation is unknown: no computed elevation.
    EXPECT_EQ((QStringList{t2r.target, t2r.direction, t2r.direction2, t2r.verticalAngle, t2r.slopeDistance,
                           t2r.horizontalDistance, t2r.heightDifference, t2r.targetHeight, t2r.memo,
                           t2r.computedElevation}),
              (QStringList{u"T2"_qs, u"45-30-23"_qs, u"45-30-20"_qs, u"84-59-57"_qs, u"200.002"_qs, u"199.241"_qs,
                           u"17.334"_qs, u"1.600"_qs, u"杭"_qs, {}}));
    EXPECT_TRUE(nb.reduction[3].slopeDistance.isEmpty() && nb.reduction[3].heightDifference.isEmpty());

    // Correction input for the two targets with distances; T1's r face reads 90° exactly.
    ASSERT_EQ(nb.correction.size(), 2u);
    const notebook::CorrectionInputRow& c1 = nb.correction[0];
    EXPECT_EQ((QStringList{c1.station, c1.target, c1.verticalAngle, c1.verticalComponent, c1.heightDifference,
                           c1.slopeDistance, c1.horizontalDistance, c1.horizontalDistanceBoth}),
              (QStringList{u"ST1"_qs, u"T1"_qs, u"0-00-02"_qs, u"0.000"_qs, u"-0.100"_qs, u"100.002"_qs,
                           u"100.001"_qs, u"100.002"_qs}));
}

}  // namespace
