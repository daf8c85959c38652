// Loading a field book through the open dialog: line ends and trimmed fields, files that are
// not APA or cannot be read, SIMA and other codes, and text that is not Shift-JIS.

#include "host/HostFixture.h"
#include "host/MenuMessages.h"
#include "host/OpenDataFile.h"
#include "platform/CodePage.h"

using host::OpenDataFile;
using host::Process;
using platform::PromptIcon;

namespace {

const QString kNotApa = QStringLiteral("APAデータではありません。\nデータ読み込みを中止します。");
const QString kReadError =
    QStringLiteral("データファイル読込みエラーです。\n何かキーを押してください。");

QStringList Loaded() {
    return Process().DataLines.mid(1);
}

}  // namespace

class OpenDataFileTest : public HostFixture {};

TEST_F(OpenDataFileTest, GoodFileGetsACommaOnEveryLine) {
    const QString path = DataFile(QStringLiteral("GENBA.APA"),
                                  "  A,01,\r\nB,1,T1,1.500\r\nC,2,T2,0.000,0.0000,\r\n\r\n");
    prompt_.ChooseFile(path);
    EXPECT_TRUE(OpenDataFile(prompt_, Process(), QStringLiteral("***")));
    EXPECT_EQ(Process().DataFile, path);
    EXPECT_EQ(Process().LoadStatus, 0);
    EXPECT_EQ(Process().DataCount, 4);
    EXPECT_EQ(Loaded(), (QStringList{QStringLiteral("A,01,"), QStringLiteral("B,1,T1,1.500,"),
                                     QStringLiteral("C,2,T2,0.000,0.0000,"), QStringLiteral(",")}));
    EXPECT_TRUE(Messages().isEmpty());

    const auto request =
        prompt_.RecordsOf(platform::ScriptedPrompt::Kind::OpenFile).constFirst().request;
    EXPECT_EQ(request.initialFolder, Process().DataPath);
    EXPECT_EQ(request.filter, QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.APA)|*.APA|すべてのﾌｧｲﾙ (*.*)|*.*|"));
    EXPECT_EQ(request.filterIndex, 1);
}

// Line feeds alone load like CR LF, without a stray "," entry after the last one.
TEST_F(OpenDataFileTest, TrimmedFormLosesTheLastOneCharacterFieldWhateverTheLineEnds) {
    for (const QByteArray& bytes : {QByteArray("A,01,X,\r\nB,1,T1,1.500,Y,\r\nC,2,T2,Z\r\n"),
                                    QByteArray("A,01,X,\nB,1,T1,1.500,Y,\nC,2,T2,Z\n")}) {
        prompt_.ChooseFile(DataFile(QStringLiteral("TRIM.APA"), bytes));
        OpenDataFile(prompt_, Process(), QStringLiteral("***"));
        EXPECT_EQ(Loaded(), (QStringList{QStringLiteral("A,01,"), QStringLiteral("B,1,T1,1.500,"),
                                         QStringLiteral("C,2,T2,")}));
        EXPECT_EQ(Process().DataCount, 3);
    }
}

TEST_F(OpenDataFileTest, EmptyFileKeepsThePathAndFails) {
    const QString path = DataFile(QStringLiteral("EMPTY.APA"), "");
    prompt_.ChooseFile(path);
    EXPECT_TRUE(OpenDataFile(prompt_, Process(), QStringLiteral("***")));
    EXPECT_EQ(Process().DataFile, path);
    EXPECT_EQ(Process().LoadStatus, host::kLoadFailed);
    EXPECT_EQ(Process().DataCount, 0);
    EXPECT_EQ(Messages(), QStringList{kReadError});
    EXPECT_EQ(prompt_.Records().constLast().icon, PromptIcon::Critical);
}

TEST_F(OpenDataFileTest, NonApaFileShowsBothMessagesAndIsDropped) {
    for (const QByteArray& bytes :
         {QByteArray("B,01,\r\nA,01,\r\n"), QByteArray("A,01;\r\n"), QByteArray("A,\r\n")}) {
        prompt_.ClearRecords();
        Process().DataLines[0] = QStringLiteral("result slot");
        prompt_.ChooseFile(DataFile(QStringLiteral("RAW.SDR"), bytes));
        EXPECT_FALSE(OpenDataFile(prompt_, Process(), QStringLiteral("***")));
        EXPECT_EQ(Process().DataFile, QString());
        EXPECT_EQ(Process().LoadStatus, host::kLoadFailed);
        EXPECT_EQ(Process().DataCount, 0);
        EXPECT_EQ(Process().DataLines, QStringList{QStringLiteral("result slot")});
        EXPECT_EQ(Messages(), (QStringList{kNotApa, kReadError}));
    }
}

TEST_F(OpenDataFileTest, SimaAndOtherCodes) {
    const QString sima =
        DataFile(QStringLiteral("ZAHYO.sim"),
                 " G00,01,\x8C\xBB\x8F\xEA, \r\nA01,1,T1,-35012.345,-8123.456,45.210,\r\n");
    prompt_.ChooseFile(sima);
    OpenDataFile(prompt_, Process(), QStringLiteral("sim"));
    EXPECT_EQ(Loaded(), (QStringList{QStringLiteral("G00,01,現場,"),
                                     QStringLiteral("A01,1,T1,-35012.345,-8123.456,45.210,")}));
    EXPECT_EQ(prompt_.Records().constLast().request.filter,
              QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.sim)|*.sim|すべてのﾌｧｲﾙ (*.*)|*.*|"));

    prompt_.ChooseFile(DataFile(QStringLiteral("RAW.GSI"), "*110001+0000000000000T1 \r\n"));
    EXPECT_TRUE(OpenDataFile(prompt_, Process(), QStringLiteral("GSI")));
    EXPECT_EQ(Process().DataCount, 0);  // only checked, not loaded
    EXPECT_EQ(Process().LoadStatus, 0);

    prompt_.ChooseFile(DataFile(QStringLiteral("ANY.TXT"), "x"));
    OpenDataFile(prompt_, Process(), QStringLiteral("*"));
    EXPECT_EQ(prompt_.Records().constLast().request.filter,
              QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|"));
}

TEST_F(OpenDataFileTest, CancelIsSilentAndDialogFailureIsReported) {
    Process().DataFile = QStringLiteral("/old/choice.APA");
    prompt_.CancelFile();
    EXPECT_FALSE(OpenDataFile(prompt_, Process(), QStringLiteral("***")));
    EXPECT_EQ(Process().DataFile, QString());
    EXPECT_TRUE(Messages().isEmpty());

    prompt_.AnswerFile({platform::DialogStatus::Failed, {}, QStringLiteral("no display")});
    EXPECT_FALSE(OpenDataFile(prompt_, Process(), QStringLiteral("***")));
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("エラーです。\n何かキーを押してください。")});
}

// A field book with bytes that are not Shift-JIS (here a UTF-8 memo) loads as it is, and
// the user learns that those characters cannot be shown but are kept.
TEST_F(OpenDataFileTest, FieldBookThatIsNotShiftJisLoadsAndSaysSo) {
    const QByteArray memo =
        "F,P1,\xE6\xB8\xAC\xE7\x82\xB9\xE2\x9C\x93,1.5,r1001,0.0000,";  // "測点✓" in UTF-8
    prompt_.ChooseFile(DataFile(QStringLiteral("UTF8.APA"), "A,01,\r\n" + memo + "\r\nZ,\r\n"));
    EXPECT_TRUE(OpenDataFile(prompt_, Process(), QStringLiteral("***")));
    EXPECT_EQ(Process().LoadStatus, 0);
    ASSERT_EQ(Process().DataCount, 3);
    EXPECT_EQ(platform::cp932::Encode(Loaded()[1]), memo);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains(QStringLiteral("Shift-JIS"))) << Messages()[0].toStdString();
    EXPECT_EQ(prompt_.Records().constLast().icon, PromptIcon::Information);

    prompt_.ClearRecords();  // a clean Shift-JIS file says nothing
    prompt_.ChooseFile(DataFile(QStringLiteral("SJIS.APA"), "A,01,\r\nD,\x8A\xEE\x8F\x80,\r\n"));
    EXPECT_TRUE(OpenDataFile(prompt_, Process(), QStringLiteral("***")));
    EXPECT_TRUE(Messages().isEmpty());
}

// A file that is gone, a device or a folder fails at once with the read error; /dev/zero
// was read without end.
TEST_F(OpenDataFileTest, WhatIsNoReadableRegularFileIsAReadError) {
    for (const QString& path :
         {Process().DataPath + QStringLiteral("GONE.APA"), QStringLiteral("/dev/zero"), Process().DataPath}) {
        prompt_.ClearRecords();
        prompt_.ChooseFile(path);
        EXPECT_TRUE(OpenDataFile(prompt_, Process(), QStringLiteral("***"))) << path.toStdString();
        EXPECT_EQ(Process().LoadStatus, host::kLoadFailed) << path.toStdString();
        EXPECT_EQ(Messages(), QStringList{kReadError});
    }
}
