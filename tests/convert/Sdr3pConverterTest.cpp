// The SDR 3P converter on hand-built fixed-column files (no real file of the format is at
// hand).

#include <QDir>
#include <utility>

#include "convert/ConvertFixture.h"
#include "convert/GsiText.h"
#include "platform/CodePage.h"
#include "support/QtPrinters.h"

namespace {

using convert::Outcome;
using test::JoinLines;

// A record: the key, then each text at its 1-based column, blanks between.
QByteArray Record(const QString& key, const QList<std::pair<int, QString>>& values = {}) {
    QString line = key;
    for (const auto& [column, text] : values) {
        const qsizetype end = column - 1 + text.size();
        if (line.size() < end) line.append(QString(end - line.size(), u' '));
        line.replace(column - 1, text.size(), text);
    }
    return platform::cp932::Encode(line);
}

// An observation record: "D0" or "D2", set digit, face, direction, then the values.
QByteArray Obs(const QString& head, const QString& direction, const QString& name,
               const QString& h = {}, const QString& v = {}, const QString& d = {},
               const QString& height = {}) {
    return Record(head, {{6, direction}, {12, name}, {21, h}, {31, v}, {41, d}, {51, height}});
}

QByteArray Settings(const QString& order, const QString& sets = "0") {
    return Record("K03", {{22, order}, {36, sets}, {40, sets}});
}

const QByteArray kStation = Record("K01", {{12, "ST1"}, {27, "1.500"}, {35, "B=P=C"}});

class Sdr3pConverterTest : public test::ConvertFixture {
  protected:
    test::Converted Sdr(const QList<QByteArray>& lines) { return Convert(JoinLines(lines), "3PD"); }
    static QStringList Numbers(const test::Converted& c) { return FieldOf(Sightings(c.lines), 4); }
};

TEST_F(Sdr3pConverterTest, HeaderRecordsFillBAndCAndTheStationD) {
    const auto c =
        Convert(JoinLines({
                    Record("H01   ", {{23, "SDR3P"}, {34, "26/12/07"}}),
                    Record("J01", {{12, "JOB1"}}),
                    Record("J02", {{12, "NOTE2"}}),
                    Record("J03", {{12, "X"}}),
                    Record("K02", {{12, "SET2110"}, {23, "123456"}}),
                    Record("K04", {{12, "26/12/08"}, {23, "YAMADA"}}),
                    Record("K05", {{12, "ｱ"}, {23, "ﾜ"}, {40, "  15"}, {51, "1013"}, {62, "10"}}),
                    kStation,
                    Settings("1"),
                    Record("K06", {{12, "X"}, {45, "09:30"}}),
                    Obs("D09R", "001", "P1", "123.4506", "89.5930", "123.456", "1.600"),
                    Record("K07", {{45, "10:05"}}),
                    Record("K08"),
                    Record("K09"),
                    Record("D00"),
                }),
                "*");
    EXPECT_EQ(c.result.format, "3PD");
    EXPECT_EQ(c.lines,
              (QStringList{"A,01,", "B,JOB1,SET2110,123456,YAMADA,26/12/08,SDR3P,NOTE2,,",
                           "C,3,3,15,1013,10,,",
                           "D,ST1     ,ｶﾝｿｸﾃｼﾞｭﾝ=HVD  ,   1.500,0,9911001,09:30,10:05,", "E,0,",
                           "F,P1      ,,   1.600,r9001,123.4506, 89.5930, 123.456,,,,000,", "Z,"}));
    EXPECT_EQ(c.result.skippedLines, 0);
}

TEST_F(Sdr3pConverterTest, WeatherWindAndOrderTables) {
    const QStringList weather = {"ﾊ", "ｸ", "ｺ", "ｱ", "ﾕ", "X"};
    const QStringList weatherApa = {"1", "2", "3", "3", "4", ""};
    const QStringList wind = {"ﾑ", "ﾅ", "ﾜ", "ｼ", "ｷ", "X"};
    const QStringList windApa = {"1", "2", "3", "4", "5", ""};
    const QStringList order = {"1", "2", "3", "5", "4", " "};
    const QStringList orderApa = {
        "ｶﾝｿｸﾃｼﾞｭﾝ=HVD  ", "ｶﾝｿｸﾃｼﾞｭﾝ=H.VD ", "ｶﾝｿｸﾃｼﾞｭﾝ=H.V.D", "ｶﾝｿｸﾃｼﾞｭﾝ=HV.D ", "", ""};
    for (qsizetype i = 0; i < weather.size(); ++i) {
        const auto c = Sdr({Record("K05", {{12, weather[i]}, {23, wind[i]}}), kStation,
                            Settings(order[i]), Obs("D09R", "001", "P1", "1.0000")});
        EXPECT_EQ(FieldOf(c.lines.mid(2, 1), 1), QStringList{weatherApa[i]}) << i;
        EXPECT_EQ(FieldOf(c.lines.mid(2, 1), 2), QStringList{windApa[i]}) << i;
        EXPECT_EQ(FieldOf(c.lines.mid(3, 1), 2), QStringList{orderApa[i]}) << i;
    }
}

TEST_F(Sdr3pConverterTest, SeparateRecordsOfATargetMakeOneSighting) {
    const auto c = Sdr({
        kStation,
        Settings("3", "1"),
        Obs("D01R", "001", "A", "0.0000"),
        Obs("D01R", "001", "A", {}, "90.0000"),
        Obs("D01R", "001", "A", {}, {}, "50.000"),
        Obs("D01R", "002", "B", "45.0000"),
        Obs("D01L", "002", "B", "225.0000", "270.0000"),
        Obs("D01R", "002", "B", {}, "89.0000"),
        Obs("D01L", "001", "A", "180.0000"),
    });
    EXPECT_EQ(Sightings(c.lines), (QStringList{
                                      "F,A       ,,,r1001,  0.0000, 90.0000,  50.000,,,,000,",
                                      "F,B       ,,,r1002, 45.0000, 89.0000,,,,,000,",
                                      "F,B       ,,,l1002,225.0000,270.0000,,,,,000,",
                                      "F,A       ,,,l1001,180.0000,,,,,,000,",
                                  }));
    EXPECT_EQ(FieldOf(c.lines.mid(3, 1), 5), QStringList{"1121002"});
}

TEST_F(Sdr3pConverterTest, RepeatedValueStartsANewSighting) {
    const auto c =
        Sdr({kStation, Obs("D09R", "001", "A", "1.0000"), Obs("D09R", "001", "A", "1.0001")});
    EXPECT_EQ(FieldOf(Sightings(c.lines), 5), (QStringList{"  1.0000", "  1.0001"}));
}

TEST_F(Sdr3pConverterTest, ReMeasuredRecordsFollowOneMark) {
    const auto c = Sdr({
        kStation,
        Obs("D01R", "001", "A", "1.0000"),
        Obs("D21R", "001", "A", "1.0002"),
        Obs("D01L", "001", "A", "181.0000"),
        Obs("D21L", "001", "A", "181.0002"),
    });
    EXPECT_EQ(c.lines.mid(4, 6), (QStringList{"E,0,", "F,A       ,,,r1001,  1.0000,,,,,,000,",
                                              "F,A       ,,,l1001,181.0000,,,,,,000,", "E,1,",
                                              "F,A       ,,,r1001,  1.0002,,,,,,000,",
                                              "F,A       ,,,l1001,181.0002,,,,,,000,"}));
}

TEST_F(Sdr3pConverterTest, StationsEndAtTheNextK01AndEmptyOnesWriteNothing) {
    const auto c = Sdr({
        Obs("D09R", "001", "X", "1.0000"),
        kStation,
        Obs("D09R", "001", "A", "1.0000"),
        Obs("D09M", "002", "M", "2.0000"),
        Obs("D09R", "003", "NOVALUE"),
        Record("J01", {{12, "LATE"}}),
        Record("K01", {{12, "ST2"}}),
        Record("K01", {{12, "ST3"}}),
        Obs("D09L", "002", "B", "2.0000"),
    });
    EXPECT_EQ(FieldOf(c.lines, 1).filter("ST"), (QStringList{"ST1     ", "ST3     "}));
    EXPECT_EQ(Numbers(c), (QStringList{"r9001", "l9002"}));
    EXPECT_EQ(FieldOf(c.lines.mid(1, 1), 1), QStringList{""});  // the late label is not taken
    // The observation before any station, the late label and the empty ST2.
    EXPECT_EQ(c.result.skippedLines, 3);
}

TEST_F(Sdr3pConverterTest, StartTimeColumnsFollowTheSetSetting) {
    const auto c = Sdr({kStation, Settings("1", "1"), Record("K06", {{12, "08:15"}, {45, "09:30"}}),
                        Obs("D01R", "001", "A", "1.0000")});
    EXPECT_EQ(FieldOf(c.lines.mid(3, 1), 6), QStringList{"08:15"});
}

TEST_F(Sdr3pConverterTest, ColumnsCountCharactersOfJapaneseNames) {
    const auto c = Sdr({Record("K01", {{12, "基準点１"}, {27, "1.450"}, {35, "B=P=X"}}),
                        Obs("D09R", "001", "境界杭", "1.0000")});
    EXPECT_EQ(c.lines[3], "D,基準点１,,   1.450,1,9911001,,,");
    EXPECT_EQ(FieldOf(Sightings(c.lines), 5), QStringList{"  1.0000"});
}

TEST_F(Sdr3pConverterTest, MalformedRecordsAreSkippedAndLogged) {
    const auto c = Sdr({kStation, "D0", "D01", "D01X 001", "D01R abc", "D05R 001", "D01R 000",
                        "XYZ", Record("K01"), "H0"});
    EXPECT_TRUE(Sightings(c.lines).isEmpty());
    EXPECT_EQ(c.result.skippedLines, 10);  // 8 lines and the two stations without sightings
}

TEST_F(Sdr3pConverterTest, TextWhereANumberBelongsSkipsTheRecord) {
    const auto c = Sdr({
        Record("K05", {{40, "15"}}),
        Record("K05", {{40, "1S"}}),
        kStation,
        Obs("D09R", "001", "A", "1.0000"),
        Obs("D09R", "002", "B", "1.00OO"),
        Record("K01", {{12, "ST2"}, {27, "1.5OO"}}),
        Obs("D09R", "001", "C", "1.0000"),
    });
    EXPECT_EQ(FieldOf(c.lines.mid(2, 1), 3), QStringList{"15"});
    EXPECT_EQ(FieldOf(Sightings(c.lines), 1), QStringList{"A       "});
    EXPECT_EQ(c.result.skippedLines, 4);
}

}  // namespace
