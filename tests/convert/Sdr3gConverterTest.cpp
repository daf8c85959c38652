// The SOKKIA SDR converter on hand-built files of the 3G and SDR33 layouts, and on the real
// SDR33 files of ../shared/samples.

#include <QDir>

#include "convert/ConvertFixture.h"
#include "convert/GsiText.h"
#include "platform/CodePage.h"
#include "support/QtPrinters.h"

namespace {

using convert::Outcome;
using test::JoinLines;

// A record with each text placed at its 1-based column, blanks between.
QByteArray Record(const QByteArray& key, const QList<std::pair<int, QByteArray>>& fields) {
    QByteArray line = key;
    for (const auto& [column, text] : fields) {
        line = line.leftJustified(column - 1, ' ', true);
        line += text;
    }
    return line;
}

const QByteArray kHeader3g = Record("00NM", {{5, "SDR 3G"}, {25, "26/12/07"}, {41, "113111"}});

QByteArray Station3g(const QByteArray& name, const QByteArray& height = "1.520",
                     const QByteArray& note = "") {
    return Record("02TP", {{5, name}, {43, height}, {53, note}});
}

QByteArray Sight3g(const QByteArray& key, const QByteArray& target, const QByteArray& distance,
                   const QByteArray& vertical, const QByteArray& horizontal,
                   const QByteArray& text = "") {
    return Record(
        key,
        {{5, "ST1"}, {13, target}, {21, distance}, {31, vertical}, {41, horizontal}, {51, text}});
}

class Sdr3gConverterTest : public test::ConvertFixture {
  protected:
    test::Converted Sdr(const QList<QByteArray>& lines, const QByteArray& end = "\r\n") {
        return Convert(JoinLines(lines, end), QStringLiteral("3GD"));
    }
    static QString Field(const QString& line, int n) { return line.split(u',').value(n); }
};

// Weather code 5 (snow) gives 4 here, and 4 (rain) gives 3 in the SDF header the two
// converters' shared table serves.
TEST_F(Sdr3gConverterTest, HeaderRecordsFillTheInstrumentAndWeatherRecords) {
    const auto c = Sdr({
        kHeader3g,
        Record("10NM", {{5, "JOB1"}}),
        Record("06NM", {{5, "1.0000"}, {15, "12"}}),
        Record("01NM", {{5, ";"}, {22, "000000"}}),
        Record("05NM", {{5, "1013"}, {15, "-5.5"}, {25, "52"}, {27, "0000"}, {31, "YAMADA"}}),
        Station3g("ST1", "1.520", "NOTE A"),
        Record("03NM", {{5, "1.600"}}),
        Sight3g("09F1", "P1", "123.456", "89.9867", "123.7516666667", "BS"),
    });
    ASSERT_EQ(c.result.outcome, Outcome::Converted);
    EXPECT_EQ(c.lines, (QStringList{
                           "A,01,",
                           "B,JOB1,DT2/4,,YAMADA,26/12/07,SDR 3G,12,,",
                           "C,4,2,-5.5,1013,,1,",
                           "D,ST1     ,NOTE A,   1.520,,9911001,,,",
                           "E,0,",
                           "F,P1      ,BS,   1.600,r9001,123.4506, 89.5912, 123.456,,,,000,",
                           "Z,",
                       }));
    EXPECT_EQ(c.result.skippedLines, 0);
}

TEST_F(Sdr3gConverterTest, InstrumentNameAndNumberAreTakenAsWritten) {
    const auto c = Sdr({kHeader3g, Record("01NM", {{5, ":SET5F"}, {22, "020078"}}),
                        Station3g("ST1"), Sight3g("09F1", "P1", "1.0", "90", "0")});
    EXPECT_EQ(Field(c.lines[1], 2), QStringLiteral("SET5F"));
    EXPECT_EQ(Field(c.lines[1], 3), QStringLiteral("020078"));
}

TEST_F(Sdr3gConverterTest, AnglesAndDistancesAreWrittenInFieldBookForm) {
    const auto c = Sdr(
        {kHeader3g, Station3g("ST1"), Sight3g("09F1", "P1", "5.5", "270.0", "0.0002777778"),
         Sight3g("09F1", "P2", "", "", "359.99"), Sight3g("09F1", "P3", "1234.5678", "-0.5", "")});
    const QStringList f = Sightings(c.lines);
    EXPECT_EQ(FieldOf(f, 5), (QStringList{"  0.0001", "359.5924", ""}));
    EXPECT_EQ(FieldOf(f, 6), (QStringList{"270.0000", "", " -0.3000"}));
    EXPECT_EQ(FieldOf(f, 7), (QStringList{"   5.5", "", "1234.5678"}));
}

TEST_F(Sdr3gConverterTest, GonAnglesAreConvertedByTheHeaderUnit) {
    const auto c = Sdr({Record("00NM", {{5, "SDR 3G"}, {41, "213111"}}), Station3g("ST1"),
                        Sight3g("09F1", "P1", "", "100", "200")});
    EXPECT_EQ(Sightings(c.lines), QStringList{"F,P1      ,,,r9001,180.0000, 90.0000,,,,,000,"});
}

TEST_F(Sdr3gConverterTest, FacesAreNumberedWithARunningCountPerStation) {
    const auto c = Sdr({kHeader3g, Station3g("ST1"), Sight3g("09F1", "P1", "1", "90", "0"),
                        Sight3g("09F2", "P1", "1", "270", "180"),
                        Sight3g("09MC", "P1", "1", "90", "0"),  // an average: not a sighting
                        Sight3g("09F1", "P2", "1", "90", "10"), Station3g("ST2"),
                        Sight3g("09F2", "P3", "1", "270", "0")});
    const QStringList f = Sightings(c.lines);
    EXPECT_EQ(FieldOf(f, 4), (QStringList{"r9001", "l9002", "r9003", "l9001"}));
    EXPECT_EQ(c.lines[3], QStringLiteral("D,ST1     ,,   1.520,,9911003,,,"));
    EXPECT_EQ(c.result.stations, 2);
}

TEST_F(Sdr3gConverterTest, SeparateDistanceFillsTheSightingBeforeIt) {
    const auto c =
        Sdr({kHeader3g, Station3g("ST1"), Sight3g("09F1", "P1", "100.000", "90", "0"),
             Sight3g("09MD", "P1", "100.002", "", ""), Sight3g("09F1", "P2", "", "90", "0"),
             Sight3g("09MD", "P2", "50.5", "", ""), Sight3g("09MD", "P9", "1.0", "", "")});
    const QStringList f = Sightings(c.lines);
    EXPECT_EQ(FieldOf(f, 7), (QStringList{" 100.000", "  50.5"}));
    EXPECT_EQ(FieldOf(f, 8), (QStringList{" 100.002", ""}));
    EXPECT_EQ(Field(c.lines[3], 5), QStringLiteral("9912002"));
    EXPECT_EQ(c.result.skippedLines, 1);  // the distance to P9
}

TEST_F(Sdr3gConverterTest, JobOrCorrectionNoteEndsTheBlockAndLaterSightingsKeepTheirStation) {
    const auto c =
        Sdr({kHeader3g, Station3g("ST1", "1.500", "N"), Sight3g("09F1", "P1", "1", "90", "0"),
             Record("13CP", {{5, "Sea level crn: N"}}), Sight3g("09F1", "P2", "1", "90", "0")});
    EXPECT_EQ(Rows(c.lines), (QStringList{"ST1", "r9001", "ST1", "r9001"}));
    EXPECT_EQ(c.lines.filter(QStringLiteral("D,ST1     ,N,   1.500,,9911001,,,")).size(), 2);
}

TEST_F(Sdr3gConverterTest, NewHeadersAfterAStationAreRepeatedBeforeTheNext) {
    const auto c = Sdr({kHeader3g, Station3g("ST1"), Sight3g("09F1", "P1", "1", "90", "0"),
                        Record("05NM", {{5, "1000"}, {15, "10"}, {25, "1"}}), Station3g("ST2"),
                        Sight3g("09F1", "P2", "1", "90", "0"), Station3g("ST3"),
                        Sight3g("09F1", "P3", "1", "90", "0")});
    EXPECT_EQ(FieldOf(c.lines, 0).join(QString()), QStringLiteral("ABCDEFBCDEFDEFZ"));
}

TEST_F(Sdr3gConverterTest, ItemsSeparatedByCommasAndNotesHoldingCommas) {
    const QByteArray station = Station3g("ST1");
    const auto c =
        Sdr({kHeader3g + "," + station + "," + Record("03NM", {{5, "2.000"}}),
             Record("13NM", {{5, "A, B, C"}}), Sight3g("09F1", "P1", "1", "90", "0") + ",,"});
    EXPECT_EQ(Sightings(c.lines),
              QStringList{"F,P1      ,,   2.000,r9001,  0.0000, 90.0000,1,,,,000,"});
    EXPECT_EQ(c.result.skippedLines, 0);
}

TEST_F(Sdr3gConverterTest, EndOfDataMarkEndsTheConversionWhateverItsCheckDigits) {
    for (const QByteArray end : {"\x03" "00000", "\x03" "0000", "\x03" "12345"}) {
        const auto c =
            Sdr({"\x02", kHeader3g, Station3g("ST1"), Sight3g("09F1", "P1", "1", "90", "0"), end,
                 Sight3g("09F1", "P2", "1", "90", "0"), "garbage"});
        EXPECT_EQ(c.result.sightings, 1);
        EXPECT_EQ(c.result.skippedLines, 0) << end.toStdString();
    }
}

// The sum of the bytes other than STX, ETX, CR and LF, modulo 65536; zeros mean unchecked.
TEST_F(Sdr3gConverterTest, TransferSumIsCheckedButKeepsTheData) {
    const QList<QByteArray> data{
        "\x02", "00NMSDR33 V04-04.02     06-Dec-25 09:30 113111", "10NMJOB1            121111",
        "08KI            P1    1000.000        2000.000          50.000    CTRL"};
    for (const auto& [sum, flagged] :
         {std::pair{"06601", 0}, {"06602", 1}, {"00000", 0}, {"0000", 0}}) {
        const auto c = Sdr(data + QList<QByteArray>{QByteArray("\x03") + sum});
        EXPECT_EQ(c.result.outcome, Outcome::Converted) << sum;
        EXPECT_EQ(c.result.flaggedLines, flagged) << sum;
        EXPECT_EQ(c.result.skippedLines, 0) << sum;
    }
}

TEST_F(Sdr3gConverterTest, FaultyRecordsAreSkippedAndLogged) {
    const auto c = Sdr(
        {
            kHeader3g,
            Sight3g("09F1", "P0", "1", "90", "0"),  // line 2: before any station
            Record("02TP", {{43, "1.5"}}),          // 3: no station name
            Station3g("ST1"),
            Sight3g("09F1", "P1", "1", "9O.5", "0"),   // 5: letter O in the angle
            Sight3g("09F1", "P2", "x", "90", "0"),     // 6: distance no number
            Sight3g("09F1", "P2", "1", "90", "1000"),  // 7: beyond three degree digits
            Sight3g("09F1", "P2", "1", "-100", "0"),   // 8: below a sign and two digits
            "09F1ST1",                                 // 9: nothing measured
            "??",                                      // 10: no record
            Sight3g("09F1", "P3", "1", "90", "0"),
            "0",
        },
        "\n");
    ASSERT_EQ(c.result.outcome, Outcome::Converted);
    EXPECT_EQ(FieldOf(Sightings(c.lines), 1), QStringList{"P3      "});
    EXPECT_EQ(NoteLines(c.result), (QList<qsizetype>{2, 3, 5, 6, 7, 8, 9, 10, 12}));
}

TEST_F(Sdr3gConverterTest, ValuesThatAreNoNumbersAreLeftOutOfNumberFields) {
    const auto c = Sdr({kHeader3g, Record("05NM", {{5, "1e3"}, {15, "20"}, {25, "A"}, {26, "2"}}),
                        Station3g("ST1", "1.5m"), Record("03NM", {{5, "high"}}),
                        Sight3g("09F1", "P1", "1", "90", "0")});
    EXPECT_EQ(c.lines[2], QStringLiteral("C,,2,20,,,1,"));
    EXPECT_EQ(c.lines[3], QStringLiteral("D,ST1     ,,,,9911001,,,"));
    EXPECT_EQ(FieldOf(Sightings(c.lines), 3), QStringList{""});
    EXPECT_EQ(NoteLines(c.result), (QList<qsizetype>{2, 3, 4}));  // the 05 record once for two faults
}

TEST_F(Sdr3gConverterTest, JapaneseNamesCountAsCharacters) {
    const QString note = QStringLiteral("東京");
    const QByteArray station = platform::cp932::Encode(QStringLiteral("基準点１"));
    // 4 characters of 8 bytes fill columns 5 to 8: the height, at byte 47, is column 43.
    const auto c =
        Sdr({kHeader3g,
             Record("02TP", {{5, station}, {47, "1.234"}, {57, platform::cp932::Encode(note)}}),
             Sight3g("09F1", "P1", "1", "90", "0")});
    EXPECT_EQ(c.lines[3], QStringLiteral("D,基準点１    ,東京,   1.234,,9911001,,,"));
}

TEST_F(Sdr3gConverterTest, Sdr33LayoutIsReadWithItsWideFields) {
    const auto c = Sdr({
        Record("00NM", {{5, "SDR33 V04-04.02"}, {25, "06-Dec-25 09:30"}, {41, "113111"}}),
        Record("02TP",
               {{5, "             ST1"}, {21, "1000.00000000"}, {69, "1.52000000"}, {85, "STN"}}),
        Record("03NM", {{5, "1.60000000"}}),
        Record("09F1", {{5, "             ST1"},
                        {21, "              P2"},
                        {37, "123.45600000"},
                        {53, "89.98666667"},
                        {69, "0.00000000"},
                        {85, "BS"}}),
        Record("13TS", {{5, "07-Dec-25 10:15"}}),
        Record("02TP", {{5, "ST2"}}),
        Record("09F2", {{5, "ST2"}, {21, "P3"}, {53, "270.0"}, {69, "180.0"}}),
    });
    EXPECT_EQ(c.lines.mid(1, 3), (QStringList{"B,,,,,25/12/06,SDR33 V04-04.02,,,", "C,,,,,,1,",
                                              "D,ST1     ,STN,1.52000000,,9911001,,,"}));
    EXPECT_EQ(Sightings(c.lines),
              (QStringList{"F,P2      ,BS,1.60000000,r9001,  0.0000, 89.5912, 123.45600000,,,,000,",
                           "F,P3      ,,1.60000000,l9001,180.0000,270.0000,,,,,000,"}));
    EXPECT_TRUE(c.lines.contains(QStringLiteral("B,,,,,25/12/07,10:15,,,")));
}

// The real SDR33 files (three GeoEasy test files, a Focus 6 resection, a SET5F job without
// observations) are recognised by their header and convert without a skipped line. The
// SET5F file ends with a sum its data do not give (it was cut).
TEST_F(Sdr3gConverterTest, RealSdr33FilesConvert) {
    const auto samples = Samples("sokkia-sdr");
    if (samples.isEmpty()) GTEST_SKIP() << "no sample folder";
    for (const Sample& sample : samples) {
        const auto c = Convert(sample.bytes, QStringLiteral("*"));
        const std::string file = sample.name.toStdString();
        EXPECT_EQ(c.result.outcome, Outcome::Converted) << file;
        EXPECT_EQ(c.result.format, QStringLiteral("3GD")) << file;
        EXPECT_EQ(c.result.skippedLines, 0) << file;
        const bool set5f = sample.name.contains(QStringLiteral("set5f"));
        EXPECT_EQ(c.result.flaggedLines, set5f ? 1 : 0) << file;
        if (!set5f) {
            EXPECT_GT(c.result.sightings, 0) << file;
        }
    }
}

}  // namespace
