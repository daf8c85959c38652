// The driver: copies of field books, files it cannot convert, other makers' files given to
// each converter, output names, and the real LEICA files.

#include <QDir>
#include <QFile>

#include "convert/ConvertFixture.h"
#include "convert/GsiText.h"
#include "platform/FileError.h"
#include "support/QtPrinters.h"

namespace {

using convert::Outcome;

class ConversionTest : public test::ConvertFixture {};

TEST_F(ConversionTest, FieldBookIsCopiedByteForByteWhateverTheFormat) {
    // CR-only line ends and a byte that is no Shift-JIS: both arrive as they were.
    const QByteArray book = "A,01,\rD,ST1,,,0,9911001,,,\rE,0,\rF,\x81\xFF,,,r9001,\rZ,\r";
    for (const char* format : {"GSI", "*", "3GD"}) {
        const auto c = Convert(book, QString::fromLatin1(format));
        EXPECT_EQ(c.result.outcome, Outcome::Copied) << format;
        EXPECT_EQ(test::ReadBytes(Output()), book) << format;
    }
}

TEST_F(ConversionTest, WhatCannotBeConvertedWritesNothingAndKeepsTheOldBook) {
    test::WriteBytes(Output(), "A,01,\r\nZ,\r\n");
    const struct {
        QByteArray raw;
        QString format;
        Outcome outcome;
    } cases[] = {
        {"", QStringLiteral("*"), Outcome::Empty},
        {"\r\n  \r\n", QStringLiteral("GSI"), Outcome::Empty},
        {"A,SET4C,1,\r\nM,ST1,\r\n", QStringLiteral("*"), Outcome::NotRecognised},
        {"hello\r\nworld\r\n", QStringLiteral("*"), Outcome::NotRecognised},
        {test::GsiCode(false, 50) + "\r\n", QStringLiteral("*"), Outcome::SingleLine},
        {test::GsiCode(false, 50), QStringLiteral("GSI"), Outcome::SingleLine},
    };
    for (const auto& c : cases) {
        const auto converted = Convert(c.raw, c.format);
        EXPECT_EQ(converted.result.outcome, c.outcome) << c.raw.constData();
        EXPECT_FALSE(convert::FailureText(converted.result).isEmpty());
        EXPECT_EQ(test::ReadBytes(Output()), QByteArray("A,01,\r\nZ,\r\n"));
    }
}

TEST_F(ConversionTest, UnknownFormatCodeConvertsByTheFirstLine) {
    const QByteArray gsi = test::JoinLines({test::GsiCode(false, 50, {"ST1"}), test::GsiCode(false, 59)});
    EXPECT_EQ(Convert(gsi, QStringLiteral("XYZ")).result.format, QStringLiteral("GSI"));
    EXPECT_EQ(Convert(gsi, QStringLiteral("*")).result.stations, 1);
}

TEST_F(ConversionTest, UnreadableInputOrUnwritableOutputThrowsAndLeavesNoFile) {
    EXPECT_THROW(convert::ConvertFile(QStringLiteral("*"), folder_ + QStringLiteral("/none.GSI"), Output()),
                 platform::FileError);
    EXPECT_THROW(convert::ConvertFile(QStringLiteral("*"), folder_, Output()), platform::FileError);
    EXPECT_FALSE(QFile::exists(Output()));
    const QString raw = RawFile(test::JoinLines({test::GsiCode(false, 50), test::GsiCode(false, 59)}));
    EXPECT_THROW(convert::ConvertFile(QStringLiteral("GSI"), raw, folder_ + QStringLiteral("/gone/X.APA")),
                 platform::FileError);
}

TEST_F(ConversionTest, OutputNameDropsTheLastFourCharacters) {
    const QString data = QStringLiteral("/data/genba");
    EXPECT_EQ(convert::ApaOutputPath(QStringLiteral("/in/JOB01.SDR"), data), data + QStringLiteral("/JOB01.APA"));
    EXPECT_EQ(convert::ApaOutputPath(QStringLiteral("/in/現場 1.gsi"), data), data + QStringLiteral("/現場 1.APA"));
    // A name without a three-letter extension loses characters of its stem.
    EXPECT_EQ(convert::ApaOutputPath(QStringLiteral("JOB01"), data), data + QStringLiteral("/J.APA"));
    EXPECT_EQ(convert::ApaOutputPath(QStringLiteral("/in/A.GSI.BAK"), data), data + QStringLiteral("/A.GSI.APA"));
    // Four characters or fewer are kept whole rather than leave a hidden ".APA".
    EXPECT_EQ(convert::ApaOutputPath(QStringLiteral("/in/.GSI"), data), data + QStringLiteral("/.GSI.APA"));
    EXPECT_EQ(convert::ApaOutputPath(QStringLiteral("GSI"), data), data + QStringLiteral("/GSI.APA"));
}

// Each converter given another maker's file writes an empty book and skips what it could
// not read.
TEST_F(ConversionTest, ForeignFilesGiveAnEmptyBook) {
    const QByteArray gsi = test::JoinLines({test::GsiCode(false, 50, {"ST1"}),
                                            test::GsiPoint(false, "P1", "12345060", "8959300", "123456"),
                                            test::GsiCode(false, 59)});
    const struct {
        const char* format;
        QByteArray raw;
        int skipped;  // 0: some
    } cases[] = {
        // Lines without a comma have no DR-2 record key, however long.
        {"DR2", "00NMSDR3G V01           25/01/15        11311\r\n"
                "02TPST1     0.000     0.000     0.000     1.500     1\r\n", 2},
        {"FC5", "TopSURV v6.04(OnBoard)\r\nJOB     X,\r\nSTN     1_A,1.5,\r\n", 3},
        {"FC5", "CO,Nikon RAW data format V2.00\r\nST,1,,2,,1.520,0.0000,0.0000\r\n", 2},
        {"3GD", gsi, 0},
        {"3GD", "A00NM,JOB\r\nE30TP,P1,1,2,3,\r\n", 0},
    };
    for (const auto& c : cases) {
        const auto converted = Convert(c.raw, QString::fromLatin1(c.format));
        EXPECT_EQ(converted.lines, (QStringList{"A,01,", "Z,"})) << c.raw.constData();
        if (c.skipped) {
            EXPECT_EQ(converted.result.skippedLines, c.skipped) << c.raw.constData();
        } else {
            EXPECT_GT(converted.result.skippedLines, 0) << c.raw.constData();
        }
    }
}

// The public LEICA files of ../shared/samples: none carries the code blocks of the Japanese
// on-board programs, so each converts into a field book without stations, and says which
// lines it skipped.
TEST_F(ConversionTest, PublicLeicaFilesConvertWithoutError) {
    const auto samples = Samples("leica-gsi");
    if (samples.isEmpty()) GTEST_SKIP() << "no sample folder";
    for (const Sample& sample : samples) {
        const auto c = Convert(sample.bytes, QStringLiteral("*"));
        const std::string file = sample.name.toStdString();
        EXPECT_EQ(c.result.outcome, Outcome::Converted) << file;
        EXPECT_EQ(c.result.format, QStringLiteral("GSI")) << file;
        EXPECT_EQ(c.lines, (QStringList{"A,01,", "Z,"})) << file;
        EXPECT_GT(c.result.skippedLines, 0) << file;
    }
}

}  // namespace
