// The coordinate export, format by format, against texts written from the formats' rules,
// and read back by what reads them: our GSI reader, the recorders' protocol machines, the
// card line check.

#include <gtest/gtest.h>

#include "comm/protocol/Checks.h"
#include "comm/protocol/Recorders.h"
#include "comm/transfer/TransferLines.h"
#include "convert/CardLine.h"
#include "convert/GsiLine.h"
#include "coords/CoordFormat.h"
#include "coords/CoordinateExport.h"
#include "platform/CodePage.h"

namespace {

using namespace coords;

QList<TickedPoint> Points(std::initializer_list<TickedPoint> points) { return points; }

QList<QByteArray> Export(const QString& format, const QList<TickedPoint>& points, ExportChoices choices = {}) {
    choices.format = format;
    return ExportCoordinates(points, choices).lines;
}

QString ErrorOf(const QString& format, const QList<TickedPoint>& points, ExportChoices choices = {}) {
    try {
        Export(format, points, choices);
    } catch (const ExportError& e) {
        return e.Told();
    }
    return {};
}

// Collects what a protocol machine makes of bytes fed to it.
struct Taken : comm::protocol::ReceiverOutput {
    QList<QByteArray> blocks;
    int fault = 0;
    void Block(const QByteArray& b, bool) override { blocks.append(b); }
    void Reply(const QByteArray&) override {}
    void Fault(int code) override { fault = code; }
};

TEST(CoordFormat, FieldsAndNames) {
    EXPECT_EQ(FormatCoord(QStringLiteral("1234.5")), QStringLiteral("   1234.500"));
    EXPECT_EQ(FormatCoord(QStringLiteral("-12.25")), QStringLiteral("    -12.250"));
    EXPECT_EQ(FormatCoord(QStringLiteral(".5")), QStringLiteral("      0.500"));
    EXPECT_EQ(FormatCoord(QStringLiteral("12345678")), QStringLiteral("12345678.000"));  // stays whole
    EXPECT_EQ(FormatFixed(2.675, 2), QStringLiteral("2.68"));
    EXPECT_EQ(FormatFixed(-0.5, 0), QStringLiteral("-1"));
    EXPECT_EQ(NormalizeName(QStringLiteral("abcdefghijkl")), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(NormalizeName(QStringLiteral("p-1")), QStringLiteral("P-1       "));
    // Full-width characters take two bytes, and a cut never splits one.
    EXPECT_EQ(NormalizeName(QStringLiteral("A測点１２３４")), QStringLiteral("A測点１２ "));
    EXPECT_EQ(platform::cp932::ByteLength(NormalizeName(QStringLiteral("測点１２３４５６"))), 10);
}

// Offsets: from the largest X over a million metres, or from the smallest Y below -99,999.999.
TEST(CoordinateExport, OffsetsAndWrapArounds) {
    const QList<QByteArray> sdr = Export(QStringLiteral("3GD"), Points({{1, 4, QStringLiteral("P1"), QStringLiteral("12345678.123"),
                                                                         QStringLiteral("-150000.5"), QString()},
                                                                        {2, 5, QStringLiteral("P2"), QStringLiteral("12399999.9"),
                                                                         QStringLiteral("-120000.0"), QStringLiteral("5")}}));
    EXPECT_EQ(sdr[4], "08NMP1      345678.123-50000.500" + QByteArray(26, ' '));
    EXPECT_EQ(sdr[5], "08NMP2      399999.900-20000.000     5.000" + QByteArray(16, ' '));
    // The smallest X decides over the largest; what is still out of range wraps around.
    const QList<QByteArray> wrapped = Export(QStringLiteral("SC1"), Points({{1, 4, QStringLiteral("A"), QStringLiteral("1500000.5"),
                                                                             QStringLiteral("0"), {}},
                                                                            {2, 5, QStringLiteral("B"), QStringLiteral("-200000"),
                                                                             QStringLiteral("0"), {}}}));
    EXPECT_EQ(wrapped[0], "00001,Fd,0000,,,,700000.500,0.000, ,");
    EXPECT_EQ(wrapped[1], "00002,Fd,0000,,,,0.000,0.000, ,");
    EXPECT_EQ(OffsetFor(1'500'000'000, 0), 1'000'000'000);
    EXPECT_EQ(OffsetFor(999'999'999, -99'999'999), 0);  // at the limits nothing moves
    // Without offsets (GSI-16) the values stay as typed.
    const QList<QByteArray> gsi = Export(QStringLiteral("GSI"), Points({{1, 4, QStringLiteral("P1"), QStringLiteral("12345678.123"),
                                                                         QStringLiteral("-150000.5"), QString()}}));
    EXPECT_TRUE(gsi[0].contains(" 82..10+0000012345678123")) << gsi[0].toStdString();
}

TEST(CoordinateExport, GsiWordsReadBackByTheGsiReader) {
    const TickedPoint pt1{1, 4, QStringLiteral("PT1"), QStringLiteral("123.456"), QStringLiteral("-7.89"), QStringLiteral("10")};
    ExportChoices eight;
    eight.gsi16 = false;
    const QList<QByteArray> lines8 = Export(QStringLiteral("GSI"), {pt1}, eight);
    ASSERT_EQ(lines8.size(), 2);
    EXPECT_EQ(lines8[0], "110001+00000PT1 81..10-00007890 82..10+00123456 83..10+00010000 ");
    EXPECT_EQ(lines8[1], " ! ----+");

    const QList<QByteArray> lines16 = Export(QStringLiteral("GSI"), {pt1, {2, 5, QStringLiteral("測点"), QStringLiteral("-1"), QStringLiteral("2"), {}}});
    const convert::gsi::Line first(lines16[0]);
    ASSERT_TRUE(first.Wide());
    EXPECT_TRUE(lines16[0].startsWith("*110001+0000000000000PT1 "));
    EXPECT_EQ(convert::gsi::Number(*first.At(2)), -7890);
    EXPECT_EQ(convert::gsi::Number(*first.At(3)), 123456);
    EXPECT_EQ(convert::gsi::Number(*first.At(4)), 10000);
    const convert::gsi::Line second(lines16[1]);
    EXPECT_TRUE(second.HasIndex(2, "81") && second.HasIndex(3, "82") && second.HasIndex(4, "83"));
    EXPECT_EQ(convert::gsi::Number(*second.At(4)), 0);  // no height is written as 0
    EXPECT_EQ(convert::gsi::LastData(*second.At(1), 4), platform::cp932::Encode(QStringLiteral("測点")));

    // The identifier counts bytes: a cut that would split a full-width character ends before
    // it, and "0" fills the byte left over.
    const QList<QByteArray> cut = Export(QStringLiteral("GSI"), {{1, 4, QStringLiteral("A測点測点測点測点"), QStringLiteral("1"), QStringLiteral("2"), {}}});
    EXPECT_TRUE(cut[0].startsWith("*110001+0" + platform::cp932::Encode(QStringLiteral("A測点測点測点測")) + ' ')) << cut[0].toStdString();

    // GSI-8 holds 99,999.999 m: more is an error naming the point, never cut digits.
    const QString error = ErrorOf(QStringLiteral("GSI"), {{7, 9, QStringLiteral("K9"), QStringLiteral("150000.5"), QStringLiteral("1"), {}}}, eight);
    EXPECT_TRUE(error.contains(QStringLiteral("9 行目の点 K9")) && error.contains(QStringLiteral("150000.500"))) << error.toStdString();
}

TEST(CoordinateExport, Fc5BlocksAndTheirFrames) {
    ExportChoices twoD;
    twoD.fc5ThreeD = false;
    const QList<QByteArray> one = Export(QStringLiteral("FC5"), {{1, 4, QStringLiteral("abcdefghijkl"), QStringLiteral("1.5"), QStringLiteral("-2"), {}}}, twoD);
    ASSERT_EQ(one.size(), 4);
    EXPECT_EQ(one[0], "*F00F000");
    EXPECT_EQ(one[1], "*SURVEY-DAT+00001.000000100000-000001S");
    const QByteArray record = "_0.ABCDEFGHIJ_ x+000001500_ y-000002000";
    EXPECT_EQ(one[2], '*' + (record + '_').leftJustified(128, ' ') + '0');
    EXPECT_EQ(one[3], QByteArray("*\x04"));

    // Four 2D records (156 characters) fill one block; the rest and "_" make the second.
    QList<TickedPoint> four;
    for (int i = 1; i <= 4; ++i) four.append({i, i + 3, QStringLiteral("P") + QString::number(i), QStringLiteral("1"), QStringLiteral("2"), {}});
    const QList<QByteArray> lines = Export(QStringLiteral("FC5"), four, twoD);
    ASSERT_EQ(lines.size(), 5);
    const QByteArray fourth = "_0.P4        _ x+000001000_ y+000002000";
    EXPECT_EQ(lines[2].size(), 130);
    EXPECT_TRUE(lines[2].endsWith(fourth.left(11) + '0'));  // cut inside the fourth record, digit 0
    EXPECT_EQ(lines[3], '*' + (fourth.right(28) + '_').leftJustified(128, ' ') + '1');

    // What the transfer sends of each line, the instrument takes without a fault.
    auto instrument = comm::protocol::MakeReceiver(QStringLiteral("FC5"), comm::protocol::Side::Instrument, {});
    Taken taken;
    instrument->Start(taken);
    for (const QByteArray& line : Export(QStringLiteral("FC5"), four)) instrument->Feed(comm::SendBytes(QStringLiteral("FC5"), line), taken);
    EXPECT_EQ(taken.fault, 0);
    EXPECT_GE(taken.blocks.size(), 3);

    EXPECT_TRUE(ErrorOf(QStringLiteral("FC5"), {{1, 4, QStringLiteral("P"), QStringLiteral("1000000"), QStringLiteral("0"), {}}})
                    .contains(QStringLiteral("1000000.000")));
}

TEST(CoordinateExport, SdrRecordsWithTheirSum) {
    const QList<TickedPoint> points{{1, 4, QStringLiteral("abcdefghijkl"), QStringLiteral("1234.5"), QStringLiteral("-12.25"), QStringLiteral("3")},
                                    {2, 5, QStringLiteral("測点１２３"), QStringLiteral("1"), QStringLiteral("2"), {}}};
    ExportChoices choices;
    choices.job = QStringLiteral("JOB1");
    const QList<QByteArray> lines = Export(QStringLiteral("3GD"), points, choices);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QByteArray("\x02"));
    EXPECT_EQ(lines[1], "00NM" + QByteArray(36, ' ') + "113111");
    EXPECT_EQ(lines[2], "10NMJOB1            1");
    EXPECT_EQ(lines[3], "06NM1.0000000000");
    EXPECT_EQ(lines[4], "08NMABCDEFGH  1234.500   -12.250     3.000" + QByteArray(16, ' '));
    EXPECT_EQ(lines[5], platform::cp932::Encode(QStringLiteral("08NM測点１２     1.000     2.000")) + QByteArray(26, ' '));
    EXPECT_TRUE(lines[6].startsWith('\x03'));
    EXPECT_EQ(lines[6].size(), 6);

    // The file as a recorder's download: the computer's receiver checks the sum.
    auto receiver = comm::protocol::MakeReceiver(QStringLiteral("3GD"), comm::protocol::Side::Computer, {});
    Taken taken;
    receiver->Start(taken);
    receiver->Feed(ExportBytes({lines}), taken);
    EXPECT_EQ(taken.fault, 0);
    EXPECT_EQ(taken.blocks.back(), lines[6]);

    const QList<QByteArray> sdf = Export(QStringLiteral("SDF"), points);
    EXPECT_EQ(sdf[1], "B00NM,SURVEY_XY_DAT   ,3,2111,0,000");
    EXPECT_EQ(sdf[2], "E30TP,ABCDEFGHIJ,   1234.500,    -12.250,      3.000,");
    EXPECT_TRUE(sdf[3].endsWith(", ,"));
    EXPECT_EQ(sdf.back(), "\x03" "00000");
    EXPECT_TRUE(ExportBytes({sdf}).endsWith("\x03" "00000\r\n"));

    // Z takes no offset: one that needs all eleven characters does not fit the SDR field.
    EXPECT_TRUE(ErrorOf(QStringLiteral("3GD"), {{1, 4, QStringLiteral("P"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1234567")}})
                    .contains(QStringLiteral("Z")));
}

TEST(CoordinateExport, CardAndApaRecords) {
    const QList<TickedPoint> points{{3, 6, QStringLiteral("P3"), QStringLiteral("1234.5"), QStringLiteral("10"), QStringLiteral("2")},
                                    {4, 7, QStringLiteral("測点"), QStringLiteral("-1"), QStringLiteral("-2"), {}}};
    const QList<QByteArray> card = Export(QStringLiteral("SC1"), points);
    EXPECT_EQ(card[0], "00003,Fd,0000,,,,1234.500,10.000,2.000,");
    EXPECT_EQ(card[1], "00004,Fd,0000,,,,-1.000,-2.000, ,");
    EXPECT_EQ(convert::card::CheckFor(card[0]), 0x7B);

    const QList<QByteArray> apa = Export(QStringLiteral("APA"), points);
    ASSERT_EQ(apa.size(), 4);
    EXPECT_EQ(apa[0], "A,01,Z,");
    EXPECT_EQ(apa[3], "Z,&,");
    // Each check character is the byte sum the instrument computes, Japanese names included.
    for (const QByteArray& line : apa.mid(1, 2)) {
        const QByteArray body = line.left(line.size() - 2);
        EXPECT_EQ(line[line.size() - 2], comm::protocol::Mod64(body)) << line.toStdString();
    }
    EXPECT_TRUE(apa[2].startsWith(platform::cp932::Encode(QStringLiteral("G,測点,-1.000,-2.000, ,"))));
}

TEST(CoordinateExport, UnreadableValuesAreNamedWithTheirLine) {
    const QString error = ErrorOf(QStringLiteral("APA"), {{1, 4, QStringLiteral("T1"), QStringLiteral("1"), QStringLiteral("2"), {}},
                                                          {2, 12, QStringLiteral("T2"), QStringLiteral("12a"), QStringLiteral("2"), {}}});
    EXPECT_TRUE(error.contains(QStringLiteral("12 行目の点 T2")) && error.contains(QStringLiteral("X"))) << error.toStdString();
    EXPECT_FALSE(ErrorOf(QStringLiteral("APA"), {{1, 4, QStringLiteral("T1"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("-")}}).isEmpty());
    EXPECT_FALSE(ErrorOf(QStringLiteral("3PD"), {}).isEmpty());
    EXPECT_TRUE(ErrorOf(QStringLiteral("APA"), {{1, 4, QStringLiteral("T1"), QStringLiteral("1234567890123"), QStringLiteral("2"), {}}})
                    .contains(QStringLiteral("大きすぎます")));
    // What the instrument's code page cannot hold is not written as "?".
    EXPECT_TRUE(ErrorOf(QStringLiteral("SC1"), {{1, 4, QStringLiteral("€1"), QStringLiteral("1"), QStringLiteral("2"), {}}})
                    .contains(QStringLiteral("シフトJIS")));
    ExportChoices comma;
    comma.job = QStringLiteral("JOB,1");
    EXPECT_TRUE(ErrorOf(QStringLiteral("SDF"), {}, comma).contains(QStringLiteral("JOB")));
    comma.job.clear();  // an empty answer is sixteen spaces
    EXPECT_TRUE(ErrorOf(QStringLiteral("3GD"), {}, comma).isEmpty());
}

}  // namespace
