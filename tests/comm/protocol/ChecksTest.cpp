#include <gtest/gtest.h>

#include "comm/protocol/Apa.h"
#include "comm/protocol/Checks.h"
#include "comm/protocol/Dr2.h"

namespace comm::protocol {
namespace {

const QByteArray kSdrRecords =
    "00NMSDR33 V04-04.02     06-Dec-25 09:30 113111\r\n"
    "10NMJOB1            121111\r\n"
    "08KI            P1    1000.000        2000.000          50.000    CTRL\r\n";

// The one-block download of the TOPCON notes: 128 data characters and block digit 0.
QByteArray TopconExampleBlock() {
    QByteArray data =
        "_'ST1_(K1_)1.520_+P2_ ?+00123456m0895912+1234530d+00123455t60+00+00096_*BS_,1.600_";
    return data + QByteArray(46, ' ') + '0';
}

TEST(Checks, Xor3WorkedExamples) {
    const struct {
        QByteArray bytes;
        QByteArray check;
    } cases[] = {
        {"Z12", "089"},
        {"C", "067"},
        {"J", "074"},
        {"F00F", "000"},
        {"\x06", "006"},
        {"\x15", "021"},
        {TopconExampleBlock(), "122"},
    };
    for (const auto& c : cases) EXPECT_EQ(Xor3(c.bytes), c.check) << c.bytes.toStdString();
    EXPECT_EQ(TopconExampleBlock().size(), 129);
}

TEST(Checks, Sum5SkipsFramingAndWraps) {
    EXPECT_EQ(Sum5(Sum5Value(kSdrRecords)), "06601");
    // STX, ETX, CR and LF never count, wherever they stand.
    EXPECT_EQ(Sum5Value("\x02\r\n" + kSdrRecords + "\x03"), Sum5Value(kSdrRecords));
    EXPECT_EQ(Sum5Value(QByteArray(300, '\xFF')), (300 * 255) % 65536);
    EXPECT_EQ(Sum5(7), "00007");
}

// Its worked examples are the check characters of the APA lines and NIKON frames below.
TEST(Checks, Mod64StaysPrintable) {
    for (int n = 0; n < 300; n += 7) {
        const char c = Mod64(QByteArray(n, '\xA5'));
        EXPECT_GE(c, 0x20);
        EXPECT_LE(c, 0x5F);
    }
}

TEST(Checks, OneWrongByteChangesEachCheck) {
    QByteArray block = TopconExampleBlock();
    QByteArray sdr = kSdrRecords;
    QByteArray apa = "F,BS,,1.600,r1001,0.0000,90.0000,123.456,,,,000,";
    const QByteArray xor3 = Xor3(block), sum5 = Sum5(Sum5Value(sdr));
    const char mod64 = Mod64(apa);
    block[40] = block[40] + 1;
    sdr[10] = 'X';
    apa[5] = '2';
    EXPECT_NE(Xor3(block), xor3);
    EXPECT_NE(Sum5(Sum5Value(sdr)), sum5);
    EXPECT_NE(Mod64(apa), mod64);
}

TEST(Checks, ApaLinesOfTheNotes) {
    for (const char* line :
         {"A,01,Z,", "B,,SET2110,123456,YAMADA,25/12/06,J,", "C,1,1,15,1013,0,1,E,",
          "D,ST1,,1.500,0,9911001,09:30,09:45,7,", "E,0,-,",
          "F,BS,,1.600,r1001,0.0000,90.0000,123.456,,,,000,\\,", "Z,&,"})
        EXPECT_TRUE(ApaCheckAgrees(line)) << line;
    for (const char* line : {"A,01,Y,", "A,01,Z", "Z,", "", ",&,", "Z&,"})
        EXPECT_FALSE(ApaCheckAgrees(line)) << line;
}

TEST(Checks, NikonFramesOfTheNotes) {
    EXPECT_EQ(Dr2Block('R', 'C', "SS,3,1.600,123.456,45.6789,98.7654,09:31:02,TREE"),
              "\x01RC\x02SS,3,1.600,123.456,45.6789,98.7654,09:31:02,TREE\x03\\\x04\r\n");
    EXPECT_EQ(Dr2Control('C', 'R', '\x06'), "\x01" "CR\x06;\x04\r\n");
    EXPECT_EQ(Dr2Control('C', 'R', '\x15'), "\x01" "CR\x15J\x04\r\n");
}

}  // namespace
}  // namespace comm::protocol
