// The GSI converter on hand-built files of both widths.

#include "convert/ConvertFixture.h"
#include "convert/GsiText.h"
#include "support/QtPrinters.h"

namespace {

using test::GsiCode;
using test::GsiLine;
using test::GsiPoint;
using test::JoinLines;

class GsiConverterTest : public test::ConvertFixture, public testing::WithParamInterface<bool> {
  protected:
    bool Wide() const { return GetParam(); }
    QByteArray Code(int code, const QList<QByteArray>& values = {}) {
        return GsiCode(Wide(), code, values);
    }
    QByteArray Point(const QByteArray& target, const QByteArray& distance = "123456",
                     const QList<test::GsiWord>& more = {}) {
        return GsiPoint(Wide(), target, "12345060", "8959300", distance, more);
    }
    QList<QByteArray> Points(qsizetype count, const QByteArray& target) {
        return QList<QByteArray>(count, Point(target));
    }
    // Each sighting's number (after its target if asked), and the "E,1," that starts the
    // re-measurements.
    static QStringList Numbered(const QStringList& lines, bool withTarget = false) {
        QStringList numbers;
        for (const QString& line : lines) {
            const QStringList f = line.split(u',');
            if (line.startsWith(QStringLiteral("E,1,"))) numbers.append(line);
            if (f[0] == u"F") numbers.append((withTarget ? f.value(1).trimmed() : QString()) + f.value(4));
        }
        return numbers;
    }
};

TEST_P(GsiConverterTest, HeaderAndWeatherBlocksGoBeforeTheFirstStation) {
    const test::GsiWord ppm{"51", "0015-030"};
    const auto c = Convert(JoinLines({
        Code(100, {"HEAD", "TC1800", "123456", "YAMADA", "20261207"}),
        Code(200, {"1", "2", "-5", "1013"}),
        Code(50, {"ST1", "1500", "930"}),
        Point("P1", "123456", {ppm}),
        Code(59, {"1005"}),
    }));
    ASSERT_EQ(c.result.outcome, convert::Outcome::Converted);
    EXPECT_EQ(c.lines.mid(0, 4),
              (QStringList{"A,01,", "B,HEAD,TC1800,123456,YAMADA,26/12/07,,,,",
                           "C,1,2,-5,1013,15,1,", "D,ST1     ,,   1.500,0,9911001,09:30,10:05,"}));
    EXPECT_EQ(c.lines.mid(4),
              (QStringList{"E,0,", "F,P1      ,-30,,r9001,123.4506, 89.5930, 123.456,,,,000,",
                           "Z,"}));
}

TEST_P(GsiConverterTest, DateWithAWordAfterItKeepsItsFourDigitYear) {
    const auto c = Convert(JoinLines({
        Code(100, {"HEAD", "TC1800", "123456", "YAMADA", "20261207", "1"}),
        Code(50, {"ST1"}), Code(59),
    }));
    EXPECT_EQ(test::ConvertFixture::FieldOf(c.lines.mid(1, 1), 5), QStringList{"2026/12/07"});
}

// Without header blocks, or with an instrument line too short for its words, the headers
// are written empty.
TEST_P(GsiConverterTest, MissingOrShortHeaderBlocksGiveEmptyHeaders) {
    const auto c = Convert(JoinLines({Code(50, {"ST1"}), Point("P1"), Code(59)}));
    EXPECT_EQ(c.lines.mid(0, 4), (QStringList{"A,01,", "B,,,,,,,,,", "C,,,,,,,", "D,ST1     ,,,0,9911001,,,"}));
    const QByteArray shortLine = Code(100, {"HEAD"}).left(Wide() ? 33 : 24);
    EXPECT_EQ(Convert(JoinLines({shortLine, Code(50, {"ST1"}), Code(59)})).lines.value(1),
              QStringLiteral("B,,,,,,,,,"));
}

TEST_P(GsiConverterTest, OneSetBlockNumbersBothFacesAndTakesHeightsPerDirection) {
    // Opening line: station, instrument height, eccentricity, start time, then one target
    // height per direction.
    const auto c = Convert(JoinLines({
        Code(10, {"ST1", "1500", "1", "930", "1600", "1700", "1800"}),
        Point("P1"), Point("P2"), Point("P3"), Point("P3"), Point("P2"), Point("P1"),
        Code(19, {"1005"}),
    }));
    const QStringList f = Sightings(c.lines);
    EXPECT_EQ(FieldOf(f, 4), (QStringList{"r1001", "r1002", "r1003", "l1003", "l1002", "l1001"}));
    EXPECT_EQ(FieldOf(f, 3), (QStringList{"   1.600", "   1.700", "   1.800", "", "", ""}));
    // The code follows the sightings: one set, both faces, no second distance, 3 directions.
    EXPECT_EQ(c.lines[3], QStringLiteral("D,ST1     ,,   1.500,1,1121003,09:30,10:05,"));
}

TEST_P(GsiConverterTest, TwoSetBlockNumbersEachSetAlike) {
    const auto c = Convert(JoinLines(QList{Code(20, {"ST2", "1450", "0", "1000"})} + Points(1, "A") +
                                     Points(2, "B") + Points(2, "A") + Points(2, "B") + Points(1, "A") +
                                     QList{Code(29, {"1100"})}));
    EXPECT_EQ(Numbered(c.lines),
              (QStringList{"r1001", "r1002", "l1002", "l1001", "r2001", "r2002", "l2002", "l2001"}));
    EXPECT_EQ(c.lines[3].split(u',').value(5), QStringLiteral("2121002"));
}

TEST_P(GsiConverterTest, CountsThatDoNotFillTheRunsLoseNoLine) {
    const auto c = Convert(JoinLines(QList{Code(10, {"ST1"})} + Points(7, "P") + QList{Code(19)}));
    EXPECT_EQ(Numbered(c.lines), (QStringList{"r1001", "r1002", "r1003", "r1004", "l1004", "l1003", "l1002"}));
}

TEST_P(GsiConverterTest, ControlLineStartsAReMeasuredRunNumberedLikeItsSet) {
    // Set 1 re-measured after the block's eight counted lines.
    const auto c = Convert(JoinLines(QList{Code(20, {"ST1"})} + Points(8, "N") + QList{Code(28, {"1"})} +
                                     Points(4, "R") + QList{Code(28, {"0"}), Code(29)}));
    // The re-measured lines are not counted: two directions from the eight counted lines.
    EXPECT_EQ(Numbered(c.lines), (QStringList{"r1001", "r1002", "l1002", "l1001", "r2001", "r2002", "l2002",
                                              "l2001", "E,1,", "r1001", "r1002", "l1002", "l1001"}));
    EXPECT_EQ(c.lines[3].split(u',').value(5), QStringLiteral("2121002"));
}

// Everything after "E,1," is re-measurement, so the block's own runs come first even when
// the re-measurement was observed between them.
// Everything after "E,1," is re-measurement, so the block's own runs come first even when
// the re-measurement was observed between them or before any line of its own; a set the
// block does not have means the set just observed, and before any line set one.
TEST_P(GsiConverterTest, ReMeasurementsGoAfterTheBlocksOwnRuns) {
    const auto c = Convert(JoinLines(QList{Code(20, {"ST1"})} + Points(4, "N") + QList{Code(28, {"1"})} +
                                     Points(4, "R") + QList{Code(28, {"0"})} + Points(4, "N") +
                                     QList{Code(28, {"9"})} + Points(2, "S") + QList{Code(29)}));
    EXPECT_EQ(Numbered(c.lines, true),
              (QStringList{"Nr1001", "Nr1002", "Nl1002", "Nl1001", "Nr2001", "Nr2002", "Nl2002", "Nl2001",
                           "E,1,", "Rr1001", "Rr1002", "Rl1002", "Rl1001", "Sr2001", "Sr2002"}));
    const auto first = Convert(JoinLines({Code(10, {"ST1"}), Code(28, {"5"}), Point("R"), Point("R"),
                                          Code(28, {"0"}), Point("N"), Point("N"), Code(19)}));
    EXPECT_EQ(Numbered(first.lines, true), (QStringList{"Nr1001", "Nl1001", "E,1,", "Rr1001", "Rl1001"}));
}

TEST_P(GsiConverterTest, WordsThatAreMissingOddOrOfAnotherKindLeaveTheirFieldEmpty) {
    const auto c = Convert(JoinLines({
        // Heights for the first direction only; a start time that is no time.
        Code(10, {"ST1", "1500", "0", "AB12", "1600"}),
        // Word 5 is a target height, not a second distance; the vertical angle is dashes.
        GsiLine(Wide(), {{"11", "P1"}, {"21", "39999999", '2'}, {"22", "-----", '4'},
                         {"31", "1000", '0'}, {"87", "1500", '0'}}),
        Point("P2"), Point("P2"), Point("P1"),
        Code(19),
    }));
    EXPECT_EQ(c.lines[3], QStringLiteral("D,ST1     ,,   1.500,0,1121002,,,"));
    EXPECT_EQ(Sightings(c.lines).first(),
              QStringLiteral("F,P1      ,,   1.600,r1001,  0.0000,,   1.000,,,,000,"));  // 399.99999 gon
    EXPECT_EQ(FieldOf(Sightings(c.lines), 3), (QStringList{"   1.600", "", "", ""}));
}

TEST_P(GsiConverterTest, PpmWordsOfEitherSplitGiveTheWeatherPpmAndTheMemo) {
    // GSI-16 instruments split the WI 51 data as 12+sign+3 or 8+sign+7.
    const QByteArray split = Wide() ? "00000008+0000030" : "0008+030";
    const auto c = Convert(JoinLines({
        Code(200, {"1", "1", "20", "1013"}),
        Code(50, {"ST1"}),
        Point("P1", "1000", {{"51", split}}),
        Code(59),
    }));
    EXPECT_EQ(c.lines[2], QStringLiteral("C,1,1,20,1013,8,1,"));
    EXPECT_EQ(FieldOf(Sightings(c.lines), 2), QStringList{"30"});
}

TEST_P(GsiConverterTest, BlockWithoutSetsTakesTargetHeightsAndSecondDistances) {
    const test::GsiWord second{"32", "12300", '0'};
    const auto c = Convert(JoinLines({
        Code(50, {"ST3", "1450", "1000"}),
        Point("P1", "12345", {second}),
        Code(115, {"1234"}),
        Point("P2", "12345", {second}),
        GsiLine(Wide(), {{"11", "P3"}, {"21", "1000000", '4'}}),  // a horizontal angle only
        Code(59, {"1100"}),
    }));
    EXPECT_EQ(Sightings(c.lines),
              (QStringList{"F,P1      ,,,r9001,123.4506, 89.5930,  12.345,  12.300,,,000,",
                           "F,P2      ,,   1.234,r9002,123.4506, 89.5930,  12.345,  12.300,,,000,",
                           "F,P3      ,,   1.234,r9003, 10.0000,,,,,,000,"}));
    EXPECT_EQ(c.lines[3], QStringLiteral("D,ST3     ,,   1.450,0,9912003,10:00,11:00,"));
}

TEST_P(GsiConverterTest, UnitCodesGiveTheDecimalsAndTheAngleUnit) {
    const auto c = Convert(JoinLines({
        Code(50, {"ST1"}),
        GsiLine(Wide(), {{"11", "P1"}, {"21", "10000000", '2'}, {"22", "9000000", '3'},
                         {"31", "1234567", '6'}, {"32", "12345678", '8'}}),
        Code(59),
    }));
    // 100 gon = 90°, 90 decimal degrees; unit 6 four decimals, unit 8 five.
    EXPECT_EQ(Sightings(c.lines),
              QStringList{"F,P1      ,,,r9001, 90.0000, 90.0000, 123.4567, 123.45678,,,000,"});
}

// An unclosed block, or one the end code cuts, is skipped and reading goes on; nothing after
// the end line is read.
TEST_P(GsiConverterTest, OpenBlocksAreSkippedAndTheEndLineEndsReading) {
    const struct {
        QList<QByteArray> lines;
        int skipped;
    } cases[] = {
        {{Code(10, {"LOST"}), Point("X"), Point("X"), Code(10, {"ST1"}), Point("P"), Point("P"), Code(19)}, 3},
        {{Code(50, {"LOST"}), Point("X"), Code(999), Code(50, {"ST1"}), Point("P"), Code(59)}, 2},
        {{Code(50, {"ST1"}), Point("P"), Code(59), "! ----+  END", Code(50, {"ST2"}), Point("Q"), Code(59)}, 0},
    };
    for (const auto& k : cases) {
        const auto c = Convert(JoinLines(k.lines));
        EXPECT_EQ(c.result.stations, 1) << k.skipped;
        EXPECT_TRUE(c.lines.value(3).startsWith(QStringLiteral("D,ST1"))) << k.skipped;
        EXPECT_EQ(c.result.skippedLines, k.skipped);
        if (k.skipped) {
            EXPECT_EQ(c.result.notes.value(0).line, 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, GsiConverterTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& width) {
                             return width.param ? "Gsi16" : "Gsi8";
                         });

class GsiLineEndsTest : public test::ConvertFixture {};

TEST_F(GsiLineEndsTest, CrOnlyLfOnlyAndBlankLinesReadAlike) {
    const QList<QByteArray> lines{GsiCode(false, 50, {"ST1"}), GsiPoint(false, "P", "1", "2", "3"),
                                  GsiCode(false, 59)};
    const auto crlf = Convert(JoinLines(lines, "\r\n"));
    EXPECT_EQ(Convert(JoinLines(lines, "\r\r")).lines, crlf.lines);
    EXPECT_EQ(Convert(JoinLines(lines, "\n")).lines, crlf.lines);
    EXPECT_EQ(crlf.result.sightings, 1);
}

TEST_F(GsiLineEndsTest, LinesThatAreNoGsiAreSkippedWithTheirNumbers) {
    const auto c = Convert(JoinLines({GsiCode(false, 50, {"ST1"}), "what is this", "11",
                                      GsiPoint(false, "P", "1", "2", "3"), GsiCode(false, 59),
                                      GsiPoint(false, "OUT", "1", "2", "3")}));
    EXPECT_EQ(c.result.sightings, 1);
    EXPECT_EQ(NoteLines(c.result), (QList<qsizetype>{2, 3, 6}));
}

TEST_F(GsiLineEndsTest, CommasAndControlCharactersNeverSplitAField) {
    QByteArray point = GsiPoint(false, "P1", "1", "2", "3");
    point.replace(12, 3, ",\t,");  // inside the target's data
    const auto c = Convert(JoinLines({GsiCode(false, 50, {"ST1"}), point, GsiCode(false, 59)}));
    ASSERT_EQ(Sightings(c.lines).size(), 1);
    EXPECT_EQ(Sightings(c.lines).first().count(u','), 12);
}

}  // namespace
