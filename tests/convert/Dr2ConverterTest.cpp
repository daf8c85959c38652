// The NIKON DR-2 converter on hand-built files, and the NIKON files of other layouts that
// it must refuse.

#include <QDir>
#include <algorithm>

#include "convert/ConvertFixture.h"
#include "support/QtPrinters.h"

namespace {

using convert::Outcome;

// A record whose key is the name padded to 13 characters and the type.
QByteArray Rec(const QByteArray& name, char type, const QByteArray& fields) {
    return name.leftJustified(13, ' ') + type + ',' + fields + "\r\n";
}

const QByteArray kInstrument = Rec("JOB1", 'A', "DTM-A5,123456,YAMADA");
const QByteArray kStation = Rec("ST1", '1', "0001.500");
const QByteArray kShot = Rec("P1", '3', "123.4530,89.5912,123.456,1.600");

class Dr2ConverterTest : public test::ConvertFixture {
  protected:
    test::Converted Dr2(const QByteArray& bytes) { return Convert(bytes, QStringLiteral("DR2")); }
};

TEST_F(Dr2ConverterTest, RecordsMapToTheirFields) {
    const auto c = Convert(kInstrument + Rec("W", 'B', "5,2,15,1013,10") + Rec("D", '0', "261207") +
                               kStation + kShot + Rec("P2", '2', "45,90,,"),
                           QStringLiteral("*"));
    EXPECT_EQ(c.result.format, QStringLiteral("DR2"));
    EXPECT_EQ(c.lines, (QStringList{"A,01,", "B,,DTM-A5,123456,YAMADA,26/12/07,,,,", "C,4,2,15,1013,10,,",
                                    "D,ST1     ,,   1.500,0,9911002,,,", "E,0,",
                                    "F,P1      ,,   1.600,r9001,123.4530, 89.5912, 123.456,,,,000,",
                                    "F,P2      ,,,r9002, 45.0000, 90.0000,,,,,000,", "Z,"}));
    EXPECT_EQ(c.result.skippedLines, 0);
}

TEST_F(Dr2ConverterTest, HeadersAfterSightingsCompleteTheStation) {
    const auto c = Dr2(kInstrument + kStation + kShot + Rec("W", 'B', "4,1,20,1010,0") + kShot +
                       Rec("ST2", '1', "000.500") + kShot);
    EXPECT_EQ(c.result.stations, 2);
    EXPECT_EQ(c.result.skippedLines, 1);  // the sighting after the weather, without station
    const QStringList tail = c.lines.mid(c.lines.indexOf("C,3,1,20,1010,0,,"));
    ASSERT_FALSE(tail.isEmpty());
    EXPECT_EQ(tail.value(1), "D,ST2     ,,   0.500,0,9911001,,,");  // B not repeated
}

TEST_F(Dr2ConverterTest, HeadersBeforeTheFirstSightingBelongToTheOpenStation) {
    const auto c = Dr2(kStation + Rec("D", '0', "261208") + kShot);
    EXPECT_EQ(c.result.stations, 1);
    EXPECT_EQ(c.lines.value(1), "B,,,,,26/12/08,,,,");
    EXPECT_EQ(c.lines.value(3).left(9), "D,ST1    ");
}

TEST_F(Dr2ConverterTest, StationsWithoutSightingsAreKeptAndDirectionsStartAgain) {
    const auto c = Dr2(kInstrument + Rec("ST0", '1', "") + kStation + kShot + kShot +
                       Rec("ST2", '1', "1.4") + kShot);
    EXPECT_EQ(Rows(c.lines), (QStringList{"ST0", "ST1", "r9001", "r9002", "ST2", "r9001"}));
}

TEST_F(Dr2ConverterTest, MalformedAndUnknownRecordsAreSkippedAndLogged) {
    const auto c = Dr2(kInstrument +                          // 1
                       kShot +                                // 2 before any station
                       Rec("ST1", '1', "high") +              // 3 height no number
                       Rec("D", '0', "2612") +                // 4 date too short
                       kStation +                             // 5
                       "P1,1,2\r\n" +                         // 6 key too short
                       Rec("P1", '3', "12.6000,90,1,1") +     // 7 60 minutes
                       Rec("P1", '3', "x,90,1,1") +           // 8 angle no number
                       Rec("P1", '3', "") +                   // 9 no angle
                       Rec("P1", 'D', "1,2,3") + Rec("P1", 'C', "1") + Rec("X", 'E', "") +  // 10-12
                       Rec("W", 'B', "1,1,warm,1013,0") +     // 13
                       Rec("W", 'B', "fine,1,20,1013,0") +    // 14
                       kShot);                                // 15
    EXPECT_EQ(NoteLines(c.result), (QList<qsizetype>{2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(c.result.sightings, 1);
}

// The NIKON files of ../shared/samples are NIKON RAW and older comma data: never DR-2.
TEST_F(Dr2ConverterTest, PublicNikonFilesAreRefused) {
    const auto samples = Samples("nikon-raw");
    if (samples.isEmpty()) GTEST_SKIP() << "no sample folder";
    for (const Sample& sample : samples) {
        const QByteArray& bytes = sample.bytes;
        const auto c = Dr2(bytes);
        const std::string file = sample.name.toStdString();
        EXPECT_EQ(c.lines, (QStringList{"A,01,", "Z,"})) << file;
        EXPECT_GT(c.result.skippedLines, 0) << file;
        EXPECT_EQ(Convert(bytes, QStringLiteral("*")).result.outcome, Outcome::NotRecognised) << file;
    }
}

}  // namespace
