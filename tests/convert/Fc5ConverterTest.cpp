// The TOPCON underscore-coded converter on hand-built streams, serial captures and the real
// TOPCON files.

#include <QDir>
#include <algorithm>

#include "convert/ConvertFixture.h"
#include "support/QtPrinters.h"

namespace {

using convert::Outcome;

QByteArray Xor3(const QByteArray& bytes) {
    unsigned char x = 0;
    for (char c : bytes) x ^= static_cast<unsigned char>(c);
    return QByteArray::number(x).rightJustified(3, '0');
}

// A slope-distance measurement with its check: zenith and horizontal as 7 digits.
QByteArray Slope(const QByteArray& mm, const QByteArray& zenith, const QByteArray& horizontal,
                 char unit = 'd') {
    const QByteArray body = "?+" + mm + "m" + zenith + "+" + horizontal + unit + "+" + mm + "t60+00+00";
    return body + Xor3(body);
}

// The stream cut into serial blocks of 128 characters, blank-padded, numbered and checked.
QByteArray Framed(QByteArray stream) {
    QByteArray out;
    for (int block = 0; !stream.isEmpty(); ++block) {
        const QByteArray data = stream.left(128).leftJustified(128, ' ') + char('0' + block % 10);
        stream.remove(0, 128);
        out += '\x02' + data + Xor3(data) + "\x03\r\n";
    }
    return out + "\x04\r\n";
}

const QByteArray kStation = "_'ST1_(K1_)1.520";
const QByteArray kShot = "_+P2_ " + Slope("00123456", "0895912", "1234530") + "_*BS_,1.600";

class Fc5ConverterTest : public test::ConvertFixture {
  protected:
    test::Converted Fc5(const QByteArray& bytes) { return Convert(bytes, QStringLiteral("FC5")); }
};

TEST_F(Fc5ConverterTest, StationAndShotMapToTheirFields) {
    // One line, as instruments send the whole stream: it is data, not a header alone.
    const auto c = Fc5(kStation + kShot + "_" + QByteArray(40, ' ') + "\r\n");
    ASSERT_EQ(c.result.outcome, Outcome::Converted);
    EXPECT_EQ(c.lines, (QStringList{"A,01,", "B,,,,,,,,,", "C,,,,,,,", "D,ST1     ,K1,   1.520,0,9911001,,,",
                                    "E,0,", "F,P2      ,BS,   1.600,r9001,123.4530, 89.5912, 123.456,,,,000,",
                                    "Z,"}));
    EXPECT_EQ(c.result.skippedLines + c.result.flaggedLines, 0);
}

TEST_F(Fc5ConverterTest, SerialBlocksReadAsThePlainStreamWithValuesCutAcrossBlocks) {
    QByteArray stream = kStation;
    for (int i = 0; i < 5; ++i) stream += kShot;  // 5 × 73 characters: blocks cut inside items
    const auto plain = Fc5(stream);
    const auto framed = Fc5(Framed(stream));
    EXPECT_EQ(framed.lines, plain.lines);
    EXPECT_EQ(framed.result.sightings, 5);
    EXPECT_EQ(framed.result.flaggedLines + framed.result.skippedLines, 0);
    EXPECT_EQ(FieldOf(Sightings(framed.lines), 4).last(), QStringLiteral("r9005"));
}

TEST_F(Fc5ConverterTest, FailedChecksStillConvertAndNameTheirLines) {
    QByteArray framed = Framed(kStation + kShot + kShot);
    framed[framed.indexOf("BS") + 1] = 'X';  // the first block's check no longer matches
    QByteArray badRecord = Slope("00123456", "0895912", "1234530");
    badRecord.chop(3);
    const auto blocks = Fc5(framed);
    const auto record = Fc5(kStation + "\n_+P3_ " + badRecord + "000\n");
    EXPECT_EQ(blocks.result.sightings, 2);
    EXPECT_EQ(blocks.result.flaggedLines, 1);
    EXPECT_EQ(blocks.result.notes.value(0).line, 1);
    EXPECT_EQ(record.result.sightings, 1);
    EXPECT_EQ(record.result.flaggedLines, 1);
    EXPECT_EQ(record.result.notes.value(0).line, 2);
}

TEST_F(Fc5ConverterTest, LostBlockDropsOnlyTheItemsItCut) {
    QByteArray stream = kStation;
    for (int i = 0; i < 6; ++i) stream += kShot;
    QList<QByteArray> blocks = Framed(stream).split('\n');
    blocks.removeAt(1);  // block 1 never arrived
    const auto c = Fc5(blocks.join('\n'));
    EXPECT_EQ(c.result.flaggedLines, 1);  // the block after the gap
    EXPECT_EQ(c.result.notes.value(0).line, 2);
    // Of 6 shots one is lost with the block and two are cut by it; the code and target
    // height after the gap are not given to the shot before it.
    EXPECT_EQ(c.result.sightings, 3);
    EXPECT_EQ(c.result.skippedLines, 4);
    for (const QString& f : Sightings(c.lines))
        EXPECT_TRUE(f.startsWith(QStringLiteral("F,P2      ,BS,   1.600,r900"))) << f.toStdString();
}

TEST_F(Fc5ConverterTest, GonAndAngleOnlyMeasurements) {
    const QByteArray angles = "<0955755+0000000+****d";
    const auto c = Fc5(kStation + "_+P1_ " + Slope("00098765", "0995000", "2001234", 'g') +
                       "_+P2_ " + angles + Xor3(angles) + "_+P3_ " +
                       Slope("00001000", "1000000", "3999999", 'g'));
    const QStringList f = Sightings(c.lines);
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], "F,P1      ,,,r9001,180.0640, 89.3300,  98.765,,,,000,");
    EXPECT_EQ(f[1], "F,P2      ,,,r9002,  0.0000, 95.5755,,,,,000,");
    EXPECT_EQ(f[2], "F,P3      ,,,r9003,  0.0000, 90.0000,   1.000,,,,000,");  // 399.9999 gon
}

TEST_F(Fc5ConverterTest, StationsNumberTheirOwnDirectionsAndKeepEmptySetups) {
    const auto c = Fc5(kStation + kShot + kShot + "_'ST2_)1.400_'ST3_)1.300" + kShot);
    ASSERT_EQ(c.result.stations, 3);
    EXPECT_EQ(Rows(c.lines), (QStringList{"ST1", "r9001", "r9002", "ST2", "ST3", "r9001"}));
    EXPECT_TRUE(c.lines.contains("D,ST1     ,K1,   1.520,0,9911002,,,"));
}

TEST_F(Fc5ConverterTest, MalformedItemsAreSkippedAndLogged) {
    const auto c = Fc5("_+P0_ " + Slope("00001000", "0900000", "0000000") + "_,1.5\n" +  // no station
                       kStation + "\n_)high\n" +                                          // height no number
                       "_+P1_ ?+0012\n" +                                                 // short measurement
                       "_+P2_ " + Slope("00001000", "0906000", "0000000") + "\n" +       // 60 minutes
                       "_+P3_ " + Slope("00001000", "0900000", "0000000").replace('m', 'f') + "\n" +
                       "_+P4\n" + kShot + "\n_,x\n_*\n");
    ASSERT_EQ(c.result.outcome, Outcome::Converted);
    EXPECT_EQ(Sightings(c.lines), QStringList{"F,P2      ,,   1.600,r9001,123.4530, 89.5912, 123.456,,,,000,"});
    QList<qsizetype> lines = NoteLines(c.result);
    std::sort(lines.begin(), lines.end());
    // P0 and its height; "high"; P1, P2 and P3 twice (measurement, then no measurement); P4;
    // the height "x" of the last shot.
    EXPECT_EQ(lines, (QList<qsizetype>{1, 1, 1, 3, 4, 4, 5, 5, 6, 6, 7, 9}));
}

TEST_F(Fc5ConverterTest, TwoCharacterFormReadsItsStationItemsAndLogsTheRest) {
    const QByteArray data = "_!?FC5_!@ABC\r\n_t'ST9_t)1.450_tv!\r\n_+P1_t " +
                            Slope("00002000", "0900000", "0450000") + "\r\n";
    const auto c = Convert(data, QStringLiteral("*"));
    EXPECT_EQ(c.result.format, QStringLiteral("FC5"));
    EXPECT_TRUE(c.lines.contains("D,ST9     ,,   1.450,0,9911001,,,"));
    EXPECT_EQ(c.result.sightings, 1);
    EXPECT_EQ(c.result.skippedLines, 3);  // "!?", "!@" and "tv"
}

// The real TOPCON files of ../shared/samples: the two underscore streams convert completely
// and with every check passing; the keyword file is refused.
TEST_F(Fc5ConverterTest, PublicTopconFiles) {
    const QDir samples(QStringLiteral(TREVANTO_SHARED_SAMPLES "/topcon-gts"));
    if (!samples.exists()) GTEST_SKIP() << "no sample folder";
    const auto gts210 = Fc5(test::ReadBytes(samples.filePath("geoeasy_gts210_unframed.210")));
    EXPECT_EQ(gts210.result.stations, 4);
    EXPECT_EQ(gts210.result.sightings, 409);
    EXPECT_EQ(gts210.result.skippedLines + gts210.result.flaggedLines, 0);
    const auto gts229 = Fc5(test::ReadBytes(samples.filePath("tops_gts229_serial_framed.gts")));
    EXPECT_EQ(gts229.result.stations, 1);
    EXPECT_GT(gts229.result.sightings, 40);
    EXPECT_EQ(gts229.result.skippedLines + gts229.result.flaggedLines, 0);
    const auto gts7 = Fc5(test::ReadBytes(samples.filePath("geoeasy_topsurv_gts7.gts7")));
    EXPECT_EQ(gts7.lines, (QStringList{"A,01,", "Z,"}));
    EXPECT_EQ(Convert(test::ReadBytes(samples.filePath("geoeasy_topsurv_gts7.gts7")), "*").result.outcome,
              Outcome::NotRecognised);
}

}  // namespace
