// The SOKKIA SDF converter on hand-built comma files. Stations and sightings come from the
// book the fixed-column converter shares (its tests cover numbering and distances); these
// cover what the comma records carry.

#include <QDir>

#include "convert/ConvertFixture.h"
#include "convert/GsiText.h"
#include "support/QtPrinters.h"

namespace {

using convert::Outcome;
using test::JoinLines;

const QByteArray kHeader = "A00NM,SDR33 V04-04.02,26/12/07,113111";

class SdfConverterTest : public test::ConvertFixture {
  protected:
    test::Converted Sdf(const QList<QByteArray>& lines) {
        return Convert(JoinLines(lines), QStringLiteral("SDF"));
    }
};

TEST_F(SdfConverterTest, RecordsFillTheBookInOrder) {
    const auto c = Sdf({
        "\x02",
        kHeader,
        "B00NM,JOB1,3,2111,0,000",
        "C06NM,1.00000000,12",
        "C01NM,;,000000",
        "C05NM,1013,-5.5,4,2,0000,YAMADA",
        "D02TP,ST1,1000.000,2000.000,50.000,1.520,NOTE A",
        "D03NM,1.600",
        "E00F1,ST1,P1,123.456,89.9867,123.7516666667,BS",
        "E00F2,ST1,P1,123.457,270.0133,303.7516666667",
        "E00MD,ST1,P1,123.455",
        "E30TP,P9,1.0,2.0,3.0,",
        "\x03" "00000",
        "E00F1,ST1,P2,1,90,0",
    });
    ASSERT_EQ(c.result.outcome, Outcome::Converted);
    EXPECT_EQ(c.lines, (QStringList{
                           "A,01,",
                           "B,JOB1,DT2/4,,YAMADA,26/12/07,SDR33 V04-04.02,12,,",
                           "C,3,2,-5.5,1013,,1,",
                           "D,ST1     ,NOTE A,   1.520,,9912002,,,",
                           "E,0,",
                           "F,P1      ,BS,   1.600,r9001,123.4506, 89.5912, 123.456,,,,000,",
                           "F,P1      ,,   1.600,l9002,303.4506,270.0048, 123.457, 123.455,,,000,",
                           "Z,",
                       }));
    EXPECT_EQ(c.result.skippedLines, 0);
}

// The option character, in the first field or as the record's fifth, names the model when
// no name is given.
TEST_F(SdfConverterTest, InstrumentModelFromTheOptionCharacterWhenNoNameIsGiven) {
    for (const auto& [record, model] :
         {std::pair{"C01NM,:,020078", "SET"}, {"C01NM,&,020078", "NET"}, {"C01NM,;,020078", "DT2/4"},
          {"C01NM,4,020078", "DT4A/5/20"}, {"C01NM,:SET5F,020078", "SET5F"}, {"C01N;,,020078", "DT2/4"}}) {
        const auto c = Sdf({kHeader, record, "D02TP,ST1", "E00F1,ST1,P1,1,90,0"});
        EXPECT_EQ(FieldOf(c.lines.mid(1, 1), 2), QStringList{QString::fromLatin1(model)}) << record;
        if (record[4] == 'M') {
            EXPECT_EQ(FieldOf(c.lines.mid(1, 1), 3), QStringList{"020078"}) << record;
        }
    }
}

TEST_F(SdfConverterTest, WeatherAndPressureUnitCodesAreMapped) {
    const auto c =
        Sdf({"A00NM,V,26/12/07,111111", "C05NM,760,20,5,1", "D02TP,ST1", "E00F1,ST1,P1,1,90,0"});
    EXPECT_EQ(c.lines[2], QStringLiteral("C,4,1,20,760,,0,"));
}

TEST_F(SdfConverterTest, ValuesThatAreNoNumbersAreLeftOutOfNumberFields) {
    const auto c = Sdf({kHeader, "C05NM,1e3,20,rain,2,15", "D02TP,ST1,,,,1.5m", "D03NM,high",
                        "E00F1,ST1,P1,1,90,0"});
    EXPECT_EQ(c.lines[2], QStringLiteral("C,,2,20,,15,1,"));
    EXPECT_EQ(c.lines[3], QStringLiteral("D,ST1     ,,,,9911001,,,"));
    EXPECT_EQ(c.result.skippedLines, 3);
}

TEST_F(SdfConverterTest, TransferSumIsChecked) {
    const QByteArray header = "A00NM,V,26/12/07,113111";  // bytes summing to 1230
    for (const auto& [sum, flagged] : {std::pair{"01230", 0}, {"01231", 1}, {"00000", 0}}) {
        const auto c = Sdf({"\x02", header, QByteArray("\x03") + sum});
        EXPECT_EQ(c.result.flaggedLines, flagged) << sum;
    }
}

TEST_F(SdfConverterTest, NotesEndTheBlockOrStampTheDate) {
    const auto c = Sdf({kHeader, "D02TP,ST1", "E00F1,ST1,P1,1,90,0", "G00CP,Sea level crn: N",
                        "G00TS,26/12/08,10:15", "E00F1,ST1,P2,1,90,0"});
    EXPECT_EQ(c.result.stations, 2);
    EXPECT_TRUE(c.lines.contains(QStringLiteral("B,,,,,26/12/08,10:15,,,")));
}

TEST_F(SdfConverterTest, FaultyLinesAreSkippedAndLogged) {
    const auto c = Sdf({
        kHeader,
        "E00F1,ST1,P0,1,90,0",  // 2: before any station
        "D02TP,ST1",
        "C99NM,x",                  // 4: no such condition record
        "D07NM,x",                  // 5: no such station record
        "E00F1,ST1,P1,1,ninety,0",  // 6: angle no number
        "E00F2",                    // 7: nothing measured
        "x,y",                      // 8: no key
        "Z00NM",                    // 9: unknown letter
        "E00F1,ST1,P2,1,90,0",
    });
    ASSERT_EQ(c.result.outcome, Outcome::Converted);
    EXPECT_EQ(FieldOf(Sightings(c.lines), 1), QStringList{"P2      "});
    EXPECT_EQ(NoteLines(c.result), (QList<qsizetype>{2, 4, 5, 6, 7, 8, 9}));
}

// No real SDF file is at hand; the real fixed-column SDR files must not be taken for one.
TEST_F(SdfConverterTest, RealFixedColumnFilesAreRefused) {
    const auto samples = Samples("sokkia-sdr");
    if (samples.isEmpty()) GTEST_SKIP() << "no sample folder";
    for (const Sample& sample : samples) {
        const auto c = Convert(sample.bytes, QStringLiteral("SDF"));
        EXPECT_EQ(c.lines, (QStringList{"A,01,", "Z,"})) << sample.name.toStdString();
        EXPECT_GT(c.result.skippedLines, 0) << sample.name.toStdString();
    }
}

}  // namespace
