// The SOKKIA memory-card converter on hand-built card lines and the real SET4C cards.

#include <QDir>

#include "convert/ConvertFixture.h"
#include "convert/GsiText.h"
#include "support/QtPrinters.h"

namespace {

using convert::Outcome;
using test::JoinLines;

// The line with its check appended: two hex digits making the byte sum 0 mod 256.
QByteArray Checked(const QByteArray& body) {
    unsigned sum = 0;
    for (const char c : body + ',') sum += static_cast<unsigned char>(c);
    return body + ',' +
           QByteArray::number((256 - sum % 256) % 256, 16).toUpper().rightJustified(2, '0');
}

QList<QByteArray> AllChecked(const QList<QByteArray>& bodies) {
    QList<QByteArray> lines;
    for (const QByteArray& body : bodies) lines.append(Checked(body));
    return lines;
}

const QByteArray kInstrument = "A,SET3C,123456,1234,5678";
QByteArray Station(const QByteArray& name, const QByteArray& unit = "1") {
    return "M,6.2.16," + name + ",?,1.680,15,760,0.000,0.000,0.000,0," + unit +
           ",0,-30,0,0,0,0,0,0,1,0";
}
QByteArray Shot(const QByteArray& name, const QByteArray& distance = "7.244") {
    return name + ",Ea,0000,?,1.600,10," + distance + ",92.2435,191.2250";
}

class SokkiaCardConverterTest : public test::ConvertFixture {
  protected:
    test::Converted Card(const QList<QByteArray>& bodies) {
        return Convert(JoinLines(AllChecked(bodies)), QStringLiteral("SCR"));
    }
};

TEST_F(SokkiaCardConverterTest, InstrumentStationAndShotFillEveryRecord) {
    const auto c = Card({kInstrument, Station("ST1"), Shot("P1")});
    ASSERT_EQ(c.result.outcome, Outcome::Converted);
    EXPECT_EQ(c.lines,
              (QStringList{"A,01,", "B,,SET3C,123456,,06/02/16,1234,,,", "C,,,15,760,10,0,",
                           "D,ST1     ,,   1.680,,9911001,,,", "E,0,",
                           "F,P1      ,,   1.600,r9001,191.2250, 92.2435,   7.244,,,,000,", "Z,"}));
    EXPECT_EQ(c.result.skippedLines, 0);
    EXPECT_EQ(c.result.flaggedLines, 0);
}

TEST_F(SokkiaCardConverterTest, PressureUnitOfTheStationRecord) {
    const std::pair<const char*, const char*> units[] = {{"1", "0"}, {"0", "1"}, {"2", ""}};
    for (const auto& [unit, apa] : units) {
        const auto c = Card({Station("ST1", unit), Shot("P1")});
        EXPECT_EQ(FieldOf(c.lines.mid(2, 1), 6), QStringList{apa}) << unit;
    }
}

TEST_F(SokkiaCardConverterTest, UnderscoresAndQuestionMarksAreNoValues) {
    const auto c = Card({
        "M,6.2.16,_ST1,NOTE,?,15,760,0,0,0,0,1,0",
        "M,6.2.16,ST2,NOTE,1.5,15,760,0,0,0,0,1,0",
        "_P1,Ea,0000,KUI,?,0,7.244,92.2435,191.2250",
        "P2,Ea,0000,?,0,0,7.244,92.2435,191.2250",
        "P3,Ea,0000,?,0.000,0,7.244,92.2435,191.2250",
    });
    // The first station has no sightings: nothing of it is written.
    EXPECT_EQ(c.result.skippedLines, 1);
    EXPECT_EQ(c.lines[3], QStringLiteral("D,ST2     ,NOTE,     1.5,,9911003,,,"));
    const QStringList f = Sightings(c.lines);
    EXPECT_EQ(FieldOf(f, 1), (QStringList{"P1      ", "P2      ", "P3      "}));
    EXPECT_EQ(FieldOf(f, 2), (QStringList{"KUI", "", ""}));
    EXPECT_EQ(FieldOf(f, 3), (QStringList{"", "", ""}));

    const auto underscored = Card({"M,6.2.16,_ST1,NOTE,?,15,760,0,0,0,0,1,0", Shot("P1")});
    EXPECT_EQ(underscored.lines[3], QStringLiteral("D,ST1     ,,,,9911001,,,"));
}

TEST_F(SokkiaCardConverterTest, DistancePointStandsAtTheFifthCharacter) {
    const auto c = Card({Station("ST1"), Shot("P1", "7.244"), Shot("P2", "123.456"),
                         Shot("P3", "1234.5"), Shot("P4", "12345.67"), Shot("P5", "12")});
    EXPECT_EQ(FieldOf(Sightings(c.lines), 7),
              (QStringList{"   7.244", " 123.456", "1234.5", "12345.67", "12"}));
}

TEST_F(SokkiaCardConverterTest, EachSightingKindReadsItsOwnFields) {
    const auto c = Card({
        Station("ST1"),
        "P1,Eh,0000,?,1.600,0,100.000,200.000,30.000,12.345,92.2435,191.2250",
        "P2,Ee,0000,?,1.600,0,71.4030,191.2515,0.0020,-0.0000",
        "P3,Ea,0000,?,1.600,0,1,0.500,15.079,64.1225,236.3010",
    });
    EXPECT_EQ(Sightings(c.lines), (QStringList{
                     "F,P1      ,,   1.600,r9001,191.2250, 92.2435,  12.345,,,,000,",
                     "F,P2      ,,   1.600,r9002,191.2515, 71.4030,,,,,000,",
                     "F,P3      ,,   1.600,r9003,236.3010, 64.1225,  15.079,,,,000,",
                 }));
}

TEST_F(SokkiaCardConverterTest, TwoRoundsOverTheSameTargetsAreOneSet) {
    const auto c =
        Card({Station("ST1"), Shot("A"), Shot("B"), Shot("C"), Shot("C"), Shot("A"), Shot("B")});
    EXPECT_EQ(FieldOf(Sightings(c.lines), 4),
              (QStringList{"r1001", "r1002", "r1003", "l1003", "l1001", "l1002"}));
    EXPECT_EQ(FieldOf(c.lines.mid(3, 1), 5), QStringList{"1121003"});
}

TEST_F(SokkiaCardConverterTest, RoundsThatDoNotMatchStayOutsideSets) {
    // The second round short, with a target the first did not have or with one twice; no
    // repeat at all.
    for (const QList<QByteArray>& names : QList<QList<QByteArray>>{
             {"A", "B", "A"}, {"A", "B", "A", "C"}, {"A", "B", "A", "A"}, {"A", "B", "C"}}) {
        QList<QByteArray> lines{Station("ST1")};
        for (const QByteArray& name : names) lines.append(Shot(name));
        const QStringList numbers = FieldOf(Sightings(Card(lines).lines), 4);
        ASSERT_EQ(numbers.size(), names.size());
        for (qsizetype i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(numbers[i], QStringLiteral("r9%1").arg(i + 1, 3, 10, QChar(u'0')))
                << names.join(' ').toStdString();
    }
}

TEST_F(SokkiaCardConverterTest, StationsEndAtTheNextStationOrInstrument) {
    const auto c = Card({
        Shot("X1"),  // before any station
        kInstrument,
        Station("ST1"),
        Shot("P1"),
        Shot("P2"),
        Station("ST2"),
        Shot("P3"),
        kInstrument,
        Shot("X2"),  // after a new instrument, before its station
        Station("ST3"),
        Shot("P4"),
    });
    EXPECT_EQ(Rows(c.lines), (QStringList{"ST1", "r9001", "r9002", "ST2", "r9001", "ST3", "r9001"}));
    EXPECT_EQ(c.result.skippedLines, 2);
    // B again only before the station of the new instrument.
    EXPECT_EQ(FieldOf(c.lines, 0).count(QStringLiteral("B")), 2);
}

TEST_F(SokkiaCardConverterTest, FailedOrMissingCheckIsConvertedAndFlagged) {
    QList<QByteArray> lines = AllChecked({kInstrument, Station("ST1"), Shot("P1"), Shot("P2")});
    lines[2][lines[2].size() - 1] = lines[2].back() == '0' ? '1' : '0';
    lines[3] = Shot("P2");
    const auto c = Convert(JoinLines(lines), QStringLiteral("SCR"));
    EXPECT_EQ(FieldOf(Sightings(c.lines), 1), (QStringList{"P1      ", "P2      "}));
    EXPECT_EQ(c.result.flaggedLines, 2);
    EXPECT_EQ(c.result.skippedLines, 0);
    EXPECT_EQ(NoteLines(c.result), (QList<qsizetype>{3, 4}));
    EXPECT_FALSE(c.result.notes.value(0).skipped);
}

TEST_F(SokkiaCardConverterTest, FailedCheckOnTheFirstLineStillMarksACheckedCard) {
    QList<QByteArray> lines = AllChecked({kInstrument, Station("ST1"), Shot("P1")});
    lines[0][lines[0].size() - 1] = lines[0].back() == '0' ? '1' : '0';
    const auto c = Convert(JoinLines(lines), QStringLiteral("SC1"));
    EXPECT_EQ(c.lines[1], QStringLiteral("B,,SET3C,123456,,06/02/16,1234,,,"));
    EXPECT_EQ(c.result.flaggedLines, 1);
}

TEST_F(SokkiaCardConverterTest, CardWithoutChecksKeepsEveryField) {
    const auto c = Convert(JoinLines({"SKR", kInstrument, Station("ST1"), Shot("P1", "7.5")}),
                           QStringLiteral("*"));
    EXPECT_EQ(c.result.format, QStringLiteral("SCR"));
    EXPECT_EQ(FieldOf(Sightings(c.lines), 5), QStringList{"191.2250"});
    EXPECT_EQ(FieldOf(Sightings(c.lines), 7), QStringList{"   7.5"});
    EXPECT_EQ(c.result.flaggedLines, 0);
}

TEST_F(SokkiaCardConverterTest, ShortUnknownAndForeignUnitLinesAreSkipped) {
    const auto c = Card({
        "A,SET3C",
        "M,6.2.16,ST1,?,1.5",
        Station("ST1"),
        "P1,Ea,0000,?,1.600,0,7.244",
        "P2,Eh,0000,?,1.600,0,1,2,3,4,5",
        "P3,Ee",
        "P4",
        "P5,Ed,0000,?,1.600,0,1,2,3",
        "P6,Ea,1000,?,1.600,0,7.244,92.2435,191.2250",
        "P7,Ea,0100,?,1.600,0,7.244,92.2435,191.2250",
        "C,1,2",
        "N,_NOTE",
        Shot("P8"),
    });
    EXPECT_EQ(FieldOf(Sightings(c.lines), 1), QStringList{"P8      "});
    EXPECT_EQ(c.result.skippedLines, 9);
}

TEST_F(SokkiaCardConverterTest, TextWhereANumberBelongsSkipsTheRecord) {
    const auto c = Card({
        Station("ST1"),
        Shot("P1"),
        "P2,Ea,0000,?,1.600,0,7.244,92.2435,191.22w0",
        "P3,Ee,0000,?,1.6x0,0,71.4030,191.2515",
        "P4,Ea,0000,?,1.600,1O,7.244,92.2435,191.2250",
        "M,6.2.16,ST2,?,1.68O,15,760,0,0,0,0,1,0",
        Shot("P5"),  // its sightings have no station
        Station("ST3"),
        Shot("P6"),
    });
    EXPECT_EQ(FieldOf(Sightings(c.lines), 1), (QStringList{"P1      ", "P6      "}));
    EXPECT_EQ(c.result.skippedLines, 5);
}

// The SET4C cards of ../shared/samples, saved by the instrument ("A,SET4C…", no "SKR"
// line): each is one station of single-face sightings, and every line's check holds.
TEST_F(SokkiaCardConverterTest, RealSetCardsConvertWithoutError) {
    const auto samples = Samples("sokkia-card");
    if (samples.isEmpty()) GTEST_SKIP() << "no sample folder";
    for (const Sample& sample : samples) {
        const QByteArray& raw = sample.bytes;
        const auto c = Convert(raw, QStringLiteral("SCR"));
        const std::string file = sample.name.toStdString();
        ASSERT_EQ(c.result.outcome, Outcome::Converted) << file;
        EXPECT_EQ(c.result.stations, 1) << file;
        EXPECT_EQ(c.result.sightings, raw.count('\n') - 2) << file;
        EXPECT_EQ(c.result.skippedLines, 0) << file;
        EXPECT_EQ(c.result.flaggedLines, 0) << file;
        EXPECT_EQ(Convert(raw, QStringLiteral("*")).result.outcome, Outcome::NotRecognised) << file;
    }
}

}  // namespace
