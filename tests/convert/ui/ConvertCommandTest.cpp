// Menu item 3: the file choice, the output in the data folder, the overwrite question, the
// hourglass and what the user is told.

#include <QDir>
#include <QFile>

#include "convert/GsiText.h"
#include "convert/ui/ConvertCommand.h"
#include "host/HostFixture.h"

using host::Process;
using platform::PromptAnswer;
using platform::PromptIcon;

namespace {

QByteArray Gsi() {
    return test::JoinLines({test::GsiCode(false, 50, {"ST1"}),
                            test::GsiPoint(false, "P1", "1000000", "9000000", "12345"),
                            test::GsiCode(false, 59)});
}

class ConvertCommandTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        Process().Format = QStringLiteral("GSI");
        Process().TStype = QStringLiteral("LEICA");
        ASSERT_TRUE(QDir().mkpath(Process().DataPath));  // the menu makes it before item 3
        raw_ = test::NewFolder(QStringLiteral("card")) + QStringLiteral("/JOB01.GSI");
        test::WriteBytes(raw_, Gsi());
    }
    QString Output() const { return Process().DataPath + QStringLiteral("JOB01.APA"); }
    void Run() { convert::ConvertDataFile(prompt_, Process()); }

    QString raw_;
};

TEST_F(ConvertCommandTest, ConvertsIntoTheDataFolderUnderTheHourglass) {
    prompt_.ChooseFile(raw_);
    Run();
    EXPECT_TRUE(test::ReadBytes(Output()).contains("D,ST1"));
    EXPECT_EQ(prompt_.WaitCount(), 1);
    EXPECT_EQ(prompt_.WaitDepth(), 0);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(prompt_.RecordsOf(platform::ScriptedPrompt::Kind::OpenFile)
                    .constFirst().request.filter.startsWith(QStringLiteral("TSﾃﾞｰﾀﾌｧｲﾙ (*.GSI)")));
    EXPECT_EQ(Process().DataFile, raw_);
}

TEST_F(ConvertCommandTest, AsksBeforeReplacingAFieldBook) {
    test::WriteBytes(Output(), "A,01,\r\nZ,\r\n");
    prompt_.ChooseFile(raw_);
    prompt_.AnswerMessage(PromptAnswer::No);
    Run();
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(prompt_.Records().last().icon, PromptIcon::Question);
    EXPECT_EQ(test::ReadBytes(Output()), QByteArray("A,01,\r\nZ,\r\n"));
    EXPECT_EQ(prompt_.WaitCount(), 0);

    prompt_.ChooseFile(raw_);
    prompt_.AnswerMessage(PromptAnswer::Yes);
    Run();
    EXPECT_TRUE(test::ReadBytes(Output()).contains("D,ST1"));
}

TEST_F(ConvertCommandTest, FormatApaOrNoChoiceDoNothing) {
    Process().Format = QStringLiteral("APA");
    Run();
    EXPECT_TRUE(prompt_.Records().isEmpty());
    Process().Format = QStringLiteral("GSI");
    prompt_.CancelFile();
    Run();
    EXPECT_FALSE(QFile::exists(Output()));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(ConvertCommandTest, FileNoConverterReadsIsReportedAndNothingWritten) {
    Process().Format = QStringLiteral("*");
    test::WriteBytes(raw_, "hello\r\nworld\r\n");
    prompt_.ChooseFile(raw_);
    Run();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().first().startsWith(QStringLiteral("APA ファイルに変換できません。\n")));
    EXPECT_EQ(prompt_.Records().last().icon, PromptIcon::Critical);
    EXPECT_FALSE(QFile::exists(Output()));
}

TEST_F(ConvertCommandTest, BookWithoutStationsIsPointedOut) {
    test::WriteBytes(raw_, test::JoinLines({test::GsiPoint(false, "P1", "1", "2", "3"),
                                            test::GsiPoint(false, "P2", "1", "2", "3")}));
    prompt_.ChooseFile(raw_);
    Run();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().first().contains(QStringLiteral("観測点がありません")));
    EXPECT_EQ(test::ReadBytes(Output()), QByteArray("A,01,\r\nZ,\r\n"));
}

TEST_F(ConvertCommandTest, SkippedLinesAreTold) {
    // An unclosed block: a whole station the user would otherwise never miss.
    test::WriteBytes(raw_, Gsi() + test::JoinLines({test::GsiCode(false, 50, {"LOST"}),
                                                    test::GsiPoint(false, "P1", "1", "2", "3")}));
    prompt_.ChooseFile(raw_);
    Run();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages().first(),
              QStringLiteral("読めない行を読み飛ばしました: 2 行\n最初は 4 行目: "
                             "閉じるコード（19・29・59）のない観測ブロックの行です"));
    EXPECT_TRUE(test::ReadBytes(Output()).contains("D,ST1"));
}

TEST_F(ConvertCommandTest, DataFolderThatCannotBeWrittenLeavesNoFile) {
    Process().DataPath = folder_ + QStringLiteral("/no such folder/");
    prompt_.ChooseFile(raw_);
    Run();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().first().startsWith(QStringLiteral("APA ファイルに変換できません。\n")));
    EXPECT_FALSE(QFile::exists(Output()));
}

}  // namespace
