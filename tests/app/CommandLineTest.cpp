// trevanto's jobs run as a user runs them: the executable, its output and its exit status.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include "app/TrevantoProcess.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"
#include "trevanto/jobs/CommandLine.h"

namespace {

using Outcome = test::Outcome;
using test::Args;
using CommandLineTest = test::TrevantoProcessTest;

// The top help lists the jobs; every job and group has its own.
TEST_F(CommandLineTest, HelpListsEveryJobAndEachJobHasItsOwn) {
    const Outcome top = Trevanto(Args("--help"));
    EXPECT_EQ(top.status, 0);
    for (const char* job : {"calc list", "calc show", "calc save-sample", "apa check", "district"})
        EXPECT_TRUE(top.out.contains(QString::fromLatin1(job))) << job;
    for (const char* job : {"calc", "calc show", "convert", "export", "notebook", "report",
                            "traverse", "simulate card-reader"}) {
        const Outcome help = Trevanto(Args(job) + Args("--help"));
        EXPECT_EQ(help.status, 0) << job;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("使い方: trevanto ") +
                                        QString::fromLatin1(job) + u' '))
            << help.out.toStdString();
    }
}

TEST_F(CommandLineTest, BadUseIsTroubleAndTouchesNothing) {
    const QStringList cases[] = {
        Args("--bogus"), Args("nope"), Args("calc"), Args("calc frob"), Args("calc list extra"),
        Args("calc show"), Args("calc show 5 6"), Args("calc show five"), Args("calc list --bogus"),
        Args("apa check"), Args("--database"), Args("--database= calc list"),
        {QStringLiteral("--database"), QString(), QStringLiteral("district")}};
    for (const QStringList& arguments : cases) {
        const Outcome run = Trevanto(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("trevanto: ")))
            << arguments.join(u' ').toStdString() << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(home_ + QStringLiteral("/DemoDistrict.mdb")));
}

TEST_F(CommandLineTest, DistrictNeedsADistrictDatabase) {
    const Outcome demo = Trevanto(Args("district"));
    EXPECT_EQ(demo.status, 0);
    EXPECT_TRUE(demo.out.contains(home_ + QStringLiteral("/DemoDistrict.mdb")));
    EXPECT_TRUE(demo.out.contains(QStringLiteral("座標 30")));

    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 151 % 251);
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"text.db", "A,01,\r\nZ,\r\n"}, {"empty.db", ""}, {"noise.db", noise}};
    for (const auto& f : files) {
        const QString path = File(QString::fromLatin1(f.name), f.bytes);
        const Outcome run =
            Trevanto({QStringLiteral("--database"), path, QStringLiteral("district")});
        EXPECT_EQ(run.status, 2) << f.name;
        EXPECT_FALSE(run.err.isEmpty()) << f.name;
        EXPECT_EQ(test::ReadBytes(path), f.bytes) << f.name;
    }
    for (const QString& notAFile : {QStringLiteral("/dev/null"), home_}) {
        const Outcome run =
            Trevanto({QStringLiteral("--database"), notAFile, QStringLiteral("district")});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("通常のファイルではありません")))
            << run.err.toStdString();
    }
    const QString fresh = home_ + QStringLiteral("/new.db");
    EXPECT_EQ(Trevanto({QStringLiteral("--database=") + fresh, QStringLiteral("district")}).status,
              2);
    EXPECT_FALSE(QFile::exists(fresh));
}

TEST_F(CommandLineTest, SampleIsStoredOnlyInAFolderOfADistrict) {
    const Outcome stored = Trevanto(Args("calc save-sample 2"));
    ASSERT_EQ(stored.status, 0) << stored.err.toStdString();
    EXPECT_TRUE(stored.out.startsWith(QStringLiteral("計算 5: 閉合トラバー")))
        << stored.out.toStdString();
    const Outcome shown = Trevanto(Args("calc show 5"));
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, stored.out);
    const QString tree = Trevanto(Args("calc list")).out;
    EXPECT_TRUE(tree.contains(QStringLiteral("        [5] 閉合トラバー")));

    const Outcome missing = Trevanto(Args("calc save-sample 99"));
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("99")));
    EXPECT_EQ(Trevanto(Args("calc list")).out, tree);
    EXPECT_EQ(Trevanto(Args("calc show 6")).status, 2);
}

// A database of another tool is left exactly as it was when the job fails.
TEST_F(CommandLineTest, FailedSaveLeavesAForeignDatabaseAlone) {
    const QString other = home_ + QStringLiteral("/other.db");
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {other, QStringLiteral("CREATE TABLE x (a);")});
        ASSERT_TRUE(sqlite.waitForFinished());
    }
    const QByteArray before = test::ReadBytes(other);
    const Outcome run = Trevanto({QStringLiteral("--database"), other, QStringLiteral("calc"),
                                  QStringLiteral("save-sample")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(test::ReadBytes(other), before);
}

TEST_F(CommandLineTest, ApaCheckStatusFollowsWhatItFound) {
    const QString good =
        File(QStringLiteral("good.APA"),
             "A,01,\r\nB,,,,,,\r\nC,,,,,,,\r\nD,ST1,,1.500,0,9911001,,,\r\nE,0,\r\n"
             "F,P1,,1.500,r1001,0.0000,90.0000,10.000,,,,000,\r\nZ,\r\n");
    const QString bad =
        File(QStringLiteral("bad.APA"), "A,01,\r\nD,ST1,,1.5m,0,9911001,,,\r\nZ,\r\n");
    const QString dashed = File(QStringLiteral("--odd name.APA"), test::ReadBytes(good));

    const Outcome ok = Trevanto(Args("apa check") << good);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, good + QStringLiteral(": ok\n"));
    EXPECT_EQ(Trevanto(Args("apa check") << good << bad).status, 1);
    EXPECT_EQ(Trevanto(Args("apa check") << good << home_ + QStringLiteral("/missing.APA")).status,
              2);
    // After "--" a name that looks like an option is a file.
    const Outcome odd = Trevanto(Args("apa check --") << QStringLiteral("--odd name.APA"));
    EXPECT_EQ(odd.status, 0) << odd.err.toStdString();
    EXPECT_EQ(test::ReadBytes(dashed), test::ReadBytes(good));

    // A rewrite says what it changed; a file whose codes are right is left alone.
    const QString wrong = File(QStringLiteral("wrong.APA"),
                               "A,01,\nD,ST1,,1.5,0,9911009,,,\nE,0,\n"
                               "F,P1,,1.500,r1001,0.0000,90.0000,123.456,,,,000,\nZ,\n");
    const Outcome fixed = Trevanto(
        {QStringLiteral("apa"), QStringLiteral("check"), QStringLiteral("--fix-codes"), wrong});
    EXPECT_EQ(fixed.status, 0) << fixed.err.toStdString();
    EXPECT_EQ(fixed.out, wrong +
                             QStringLiteral(":2: 観測コード 9911009 を 9911001 に直しました\n") +
                             wrong + QStringLiteral(": ok\n"));
    const QByteArray once = test::ReadBytes(wrong);
    const Outcome again = Trevanto(
        {QStringLiteral("apa"), QStringLiteral("check"), QStringLiteral("--fix-codes"), wrong});
    EXPECT_EQ(again.out, wrong + QStringLiteral(": ok\n"));
    EXPECT_EQ(test::ReadBytes(wrong), once);
}

// The menu cannot open where the work folder cannot be made: it says why and stays up
// with its message, rather than ending in an abort.
TEST_F(CommandLineTest, MenuWithoutAWorkFolderSaysWhy) {
    const QString blocker = File(QStringLiteral("plain-file"), "x");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TREVANTO_HOME"), blocker + QStringLiteral("/home"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TREVANTO_EXE), {});
    EXPECT_FALSE(process.waitForFinished(3000)) << "ended with " << process.exitCode();
    process.kill();
    process.waitForFinished();
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError())
                    .contains(QStringLiteral("作業フォルダーを作成できません。")));
}

TEST(CommandLine, OnlyADatabaseOrNothingOpensTheMenu) {
    using trevanto_app::OpensMenu;
    EXPECT_TRUE(OpensMenu({}));
    EXPECT_TRUE(OpensMenu(Args("--database d.mdb")));
    EXPECT_TRUE(OpensMenu(Args("--database=d.mdb")));
    EXPECT_EQ(trevanto_app::MenuDatabase(Args("--database=d.mdb")), QStringLiteral("d.mdb"));
    EXPECT_FALSE(OpensMenu(Args("--database")));
    EXPECT_FALSE(OpensMenu(Args("--database=")));
    EXPECT_FALSE(OpensMenu({QStringLiteral("--database"), QString()}));
    EXPECT_FALSE(OpensMenu(Args("--help")));
    EXPECT_FALSE(OpensMenu(Args("--database --help")));
    EXPECT_FALSE(OpensMenu(Args("district")));
}

}  // namespace
