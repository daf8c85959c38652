// Stations of two and three sets, directions across 0°, and the overflow marks of the
// horizontal and vertical tables.

#include <gtest/gtest.h>

#include "notebook/NotebookFixture.h"
#include "support/QtPrinters.h"

namespace {

using test::FieldBook;
using test::Reduce;

QString Sighting(const QString& name, const QString& number, const QString& h, const QString& v = {},
                 const QString& d1 = {}, const QString& d2 = {}) {
    return QStringLiteral("F,") + name + QStringLiteral(",,1.600,") + number + u',' + h + u',' + v + u',' + d1 + u',' +
           d2 + QStringLiteral(",,,000,");
}

// The DATA row of a horizontal line by row kind order: rows are written row kind by row
// kind, each with every target.
const notebook::DataRow& Horizontal(const test::KeptNotebook& nb, int rowIndex, int targets, int target) {
    return nb.data[static_cast<size_t>(rowIndex * targets + target)];
}

// T2 lies just left of T1 in one row and just right of it in the others: its directions
// straddle 0°, and its mean must stay there instead of landing near 180°.
TEST(SetTablesTest, TwoSetsAcrossZeroDegrees) {
    const test::KeptNotebook nb = Reduce(FieldBook({
        QStringLiteral("D,ST2,,1.500,0,2121002,,,"),
        QStringLiteral("E,0,"),
        Sighting(u"T1"_qs, u"r1001"_qs, u"0.0000"_qs),
        Sighting(u"T2"_qs, u"r1002"_qs, u"359.5958"_qs),  // R = 359-59-58
        Sighting(u"T1"_qs, u"l1001"_qs, u"180.0002"_qs),
        Sighting(u"T2"_qs, u"l1002"_qs, u"180.0003"_qs),  // R = 0-00-01
        Sighting(u"T1"_qs, u"l2001"_qs, u"270.0000"_qs),
        Sighting(u"T2"_qs, u"l2002"_qs, u"270.0005"_qs),  // R = 0-00-05
        Sighting(u"T1"_qs, u"r2001"_qs, u"90.0004"_qs),
        Sighting(u"T2"_qs, u"r2002"_qs, u"90.0001"_qs),  // R = 359-59-57
    }));
    ASSERT_EQ(nb.data.size(), 8u);  // no zenith angles or distances: no vertical table
    const QStringList table = {
        u"  0ﾟ r  1 [T1          ]     0-00-00    0-00-00    0  +0   0   0     0-00-00"_qs,
        u"        2 [T2          ]   359-59-58  359-59-58  119  -3   3   5     0-00-00"_qs,
        u"     l  1 [T1          ]   180-00-02    0-00-00"_qs,
        u"        2 [T2          ]   180-00-03    0-00-01"_qs,
        u" 90ﾟ l  1 [T1          ]   270-00-00    0-00-00    0  +0"_qs,
        u"        2 [T2          ]   270-00-05    0-00-05    2  -8"_qs,
        u"     r  1 [T1          ]    90-00-04    0-00-00"_qs,
        u"        2 [T2          ]    90-00-01  359-59-57"_qs,
    };
    EXPECT_EQ(nb.lines.sliced(13, 8), table);
    // Double angle: 1 295 998 + 1 − 0 is past the half circle: −1, then one 120″ step up.
    // r − l is −3″; double angles 1 295 999 and 1 296 002 differ by 3″; differences −3″ and
    // −8″ by 5″. Set 2 (row kind 3) takes r − l as well, though l was observed first.
    EXPECT_EQ(test::Pick(Horizontal(nb, 0, 2, 1), {7, 8, 9, 10, 11}),
              (QStringList{u"119"_qs, u"-3"_qs, u"3"_qs, u"5"_qs, u"0-00-00"_qs}));
    EXPECT_EQ(test::Pick(Horizontal(nb, 2, 2, 1), {7, 8, 9}), (QStringList{u"2"_qs, u"-8"_qs, {}}));
    EXPECT_EQ(nb.reduction[2].direction, u"0-00-00");
    EXPECT_EQ(nb.reduction[2].direction2, u"359-59-58");
}

TEST(SetTablesTest, ThreeSetsAndTheSetToSetLine) {
    QStringList lines = {QStringLiteral("D,ST3,,1.500,0,3121002,,,"), QStringLiteral("E,0,")};
    const char16_t* numbers[] = {u"r1", u"l1", u"l2", u"r2", u"r3", u"l3"};
    const char16_t* t1d1[] = {u"100.000", u"100.003", u"100.010", u"100.010", u"100.005", u"100.005"};
    const char16_t* t1d2[] = {u"100.002", u"100.003", u"100.010", u"100.010", u"100.005", u"100.005"};
    for (int k = 0; k < 6; ++k) {
        const QString n = QString::fromUtf16(numbers[k]);
        const bool l = n.startsWith(u'l');
        const QString v = l ? u"270.0000"_qs : u"90.0000"_qs;
        lines << Sighting(u"T1"_qs, n + u"001"_qs, l ? u"180.0000"_qs : u"0.0000"_qs, v, QString::fromUtf16(t1d1[k]),
                          QString::fromUtf16(t1d2[k]))
              << Sighting(u"T2"_qs, n + u"002"_qs, l ? u"210.0000"_qs : u"30.0000"_qs, v);
    }
    const test::KeptNotebook nb = Reduce(FieldBook(lines));
    const char16_t* labels[] = {u"  0ﾟ", u"    ", u" 60ﾟ", u"    ", u"120ﾟ", u"    "};
    const char16_t* faces[] = {u"r", u"l", u"l", u"r", u"r", u"l"};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(Horizontal(nb, k, 2, 0)[1], QString::fromUtf16(labels[k])) << k;
        EXPECT_EQ(Horizontal(nb, k, 2, 0)[2], QString::fromUtf16(faces[k])) << k;
    }
    // Set means of T1: 100.002, 100.010 and 100.005; they spread over 8 mm.
    const auto spread = std::find_if(nb.data.begin(), nb.data.end(),
                                     [](const notebook::DataRow& r) { return r[4] == u"セット間"; });
    ASSERT_NE(spread, nb.data.end());
    EXPECT_EQ((*spread)[16], u"8");
    EXPECT_EQ(nb.LineOf(static_cast<size_t>(spread - nb.data.begin())), u"       セット間   8");
    // Set 3 as printed: T1's group and its set-to-set line, then T2's group.
    const qsizetype at = nb.lines.indexOf(u"       セット間   8"_qs);
    ASSERT_GE(at, 3);
    const QString blank23(23, u' ');
    EXPECT_EQ(nb.lines.sliced(at - 3, 7),
              (QStringList{u" r [T1          ]   90-00-00  180-00-00   0 100.005 .005     0 100.005"_qs,
                           u" l                 270-00-00   90-00-00     100.005 .005     0 100.005"_qs,
                           u"                   360-00-00    0-00-00"_qs + blank23 + u" 100.005   1.600"_qs,
                           u"       セット間   8"_qs,
                           u" r [T2          ]   90-00-00  180-00-00"_qs,
                           u" l                 270-00-00   90-00-00"_qs,
                           u"                   360-00-00    0-00-00"_qs + blank23 + u"           1.600"_qs}));
    // It follows T1's group of the last set; T2 has no distance and gets none.
    EXPECT_EQ(std::count_if(nb.data.begin(), nb.data.end(), [](const notebook::DataRow& r) { return r[4] == u"セット間"; }), 1);
    EXPECT_EQ(nb.reduction[1].slopeDistance, u"100.006");  // (100.002 + 100.010 + 100.005) / 3
}

// Double angles up to 9999″ print their digits, beyond that "###"; a difference whose
// signed text needs five characters is "****", never a cut number. Spreads print up to 999″.
TEST(SetTablesTest, OverflowMarksOfTheHorizontalTable) {
    const test::KeptNotebook one = Reduce(FieldBook({
        QStringLiteral("D,ST4,,1.500,0,1121004,,,"), QStringLiteral("E,0,"),
        Sighting(u"T1"_qs, u"r1001"_qs, u"0.0000"_qs), Sighting(u"T2"_qs, u"r1002"_qs, u"10.0000"_qs),
        Sighting(u"T3"_qs, u"r1003"_qs, u"10.0000"_qs),
        Sighting(u"T4"_qs, u"r1004"_qs, u"10.2034"_qs),  // 10° + 1234″
        Sighting(u"T1"_qs, u"l1001"_qs, u"180.0000"_qs),
        Sighting(u"T2"_qs, u"l1002"_qs, u"192.4639"_qs),  // 10° + 9999″
        Sighting(u"T3"_qs, u"l1003"_qs, u"192.4640"_qs),  // 10° + 10 000″
        Sighting(u"T4"_qs, u"l1004"_qs, u"190.0000"_qs),
    }));
    // Differences −9999″, −10 000″ and +1234″; a one-set station has no spreads.
    EXPECT_EQ(test::Pick(Horizontal(one, 0, 4, 1), {7, 8, 9, 10}), (QStringList{u"9999"_qs, u"****"_qs, {}, {}}));
    EXPECT_EQ(test::Pick(Horizontal(one, 0, 4, 2), {7, 8}), (QStringList{u"###"_qs, u"****"_qs}));
    EXPECT_EQ(test::Pick(Horizontal(one, 0, 4, 3), {7, 8}), (QStringList{u"1234"_qs, u"****"_qs}));

    const test::KeptNotebook two = Reduce(FieldBook({
        QStringLiteral("D,ST5,,1.500,0,2121003,,,"), QStringLiteral("E,0,"),
        Sighting(u"T1"_qs, u"r1001"_qs, u"0.0000"_qs), Sighting(u"T2"_qs, u"r1002"_qs, u"20.0000"_qs),
        Sighting(u"T3"_qs, u"r1003"_qs, u"30.0000"_qs), Sighting(u"T1"_qs, u"l1001"_qs, u"180.0000"_qs),
        Sighting(u"T2"_qs, u"l1002"_qs, u"200.0000"_qs), Sighting(u"T3"_qs, u"l1003"_qs, u"210.0000"_qs),
        Sighting(u"T1"_qs, u"l2001"_qs, u"270.0000"_qs), Sighting(u"T2"_qs, u"l2002"_qs, u"290.1640"_qs),
        Sighting(u"T3"_qs, u"l2003"_qs, u"300.1639"_qs), Sighting(u"T1"_qs, u"r2001"_qs, u"90.0000"_qs),
        Sighting(u"T2"_qs, u"r2002"_qs, u"110.0000"_qs), Sighting(u"T3"_qs, u"r2003"_qs, u"120.0000"_qs),
    }));
    // T2's double angles differ by 1000″ (16′40″), T3's by 999″.
    EXPECT_EQ(test::Pick(Horizontal(two, 0, 3, 1), {9, 10}), (QStringList{u"###"_qs, u"###"_qs}));
    EXPECT_EQ(test::Pick(Horizontal(two, 0, 3, 2), {9, 10}), (QStringList{u"999"_qs, u"999"_qs}));
}

// A face without its pair, a target seen in one set only, distances of 0: blanks where a
// value cannot be formed, never a crash or a made-up value.
TEST(SetTablesTest, MissingFacesAndUnobservedDistances) {
    const test::KeptNotebook nb = Reduce(FieldBook({
        QStringLiteral("D,ST6,,,0,2121003,,,"),
        QStringLiteral("E,0,"),
        Sighting(u"T1"_qs, u"r1001"_qs, u"0.0000"_qs, u"90.0000"_qs, u"0"_qs, u"0"_qs),
        Sighting(u"T2"_qs, u"r1002"_qs, u"45.0000"_qs, u"80.0000"_qs, u"50.000"_qs, u"51.500"_qs),
        Sighting(u"T3"_qs, u"l1003"_qs, u"250.0000"_qs, u"260.0000"_qs),
        Sighting(u"T1"_qs, u"l1001"_qs, u"180.0000"_qs, u"270.0000"_qs),
        Sighting(u"T1"_qs, u"l2001"_qs, u"270.0000"_qs),
    }));
    ASSERT_FALSE(nb.data.empty());
    EXPECT_EQ(test::Pick(Horizontal(nb, 0, 3, 1), {6, 7, 8}), (QStringList{u"45-00-00"_qs, {}, {}}));  // no l face
    EXPECT_TRUE(Horizontal(nb, 0, 3, 2)[5].isEmpty());
    EXPECT_EQ(Horizontal(nb, 1, 3, 2)[6], u"70-00-00");
    // T2's readings lie 1.5 m apart: no mean and no millimetres for the face.
    const auto t2r = std::find_if(nb.data.begin(), nb.data.end(), [](const notebook::DataRow& r) {
        return r[19] == u"1" && r[4] == u"T2";
    });
    ASSERT_NE(t2r, nb.data.end());
    EXPECT_EQ(test::Pick(*t2r, {14, 15, 16, 17}), (QStringList{u"50.000"_qs, u".500"_qs, {}, {}}));
    // T1's distances of 0 are not observed.
    const auto t1r = std::find_if(nb.data.begin(), nb.data.end(), [](const notebook::DataRow& r) {
        return r[19] == u"1" && r[4] == u"T1";
    });
    ASSERT_NE(t1r, nb.data.end());
    EXPECT_TRUE((*t1r)[14].isEmpty());
    // No instrument height: the station is looked up as not found, its height left blank.
    EXPECT_EQ(nb.reduction[0].lookUpCode, -100000);
    EXPECT_TRUE(nb.reduction[0].instrumentHeight.isEmpty());
}

}  // namespace
