#include <gtest/gtest.h>

#include "apa/ApaCheck.h"
#include "apa/ApaLine.h"
#include "apa/ApaReader.h"
#include "apa/ObservationCode.h"
#include "platform/CodePage.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

using namespace apa;

namespace {

// A station with the given sightings after a header: "r1001 r1003:10.0" is two sightings,
// the second with a distance 2 value.
QStringList Station(const QString& sightings) {
    QStringList lines = {kHeaderLine, QStringLiteral("D,ST1     ,,1.500,0,9911001,,,"), kRunStart};
    for (const QString& sighting : sightings.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = sighting.split(u':');
        lines << QStringLiteral("F,P,,1.500,%1,0.0000,90.0000,10.000,%2,,,000,")
                     .arg(parts[0], parts.value(1));
    }
    lines << kEndLine;
    return lines;
}

}  // namespace

TEST(ApaLine, FieldCursorAndReplace) {
    const QString f = QStringLiteral("F,P1,,1.500,r1001,0.0000,90.0000,123.456,123.456,");
    EXPECT_EQ(Field(f, 1), QStringLiteral("P1"));
    EXPECT_EQ(Field(f, 2), QString());
    EXPECT_EQ(Field(f, 8), QStringLiteral("123.456"));
    EXPECT_EQ(Field(f, 9), QString());  // a short record reads as if the rest were empty
    EXPECT_EQ(Field(QStringLiteral("D,ST1"), 1),
              QStringLiteral("ST1"));  // last field without its comma

    EXPECT_EQ(ReplaceField(QStringLiteral("D,,,,,,,,"), 5, QStringLiteral("2121002")),
              QStringLiteral("D,,,,,2121002,,,"));
    EXPECT_EQ(ReplaceField(QStringLiteral("F,P1,,1.5,"), 5, QStringLiteral(" 12.3456")),
              QStringLiteral("F,P1,,1.5,, 12.3456,"));
    EXPECT_EQ(ReplaceField(QStringLiteral("B,x"), 1, QStringLiteral("y")), QStringLiteral("B,y,"));
}

TEST(ApaLine, NumbersAndRecords) {
    EXPECT_EQ(LenientNumber(QStringLiteral("  12.3456 ")), 12.3456);
    EXPECT_EQ(LenientNumber(QStringLiteral("1.5m")), 1.5);
    EXPECT_EQ(LenientNumber(QStringLiteral("-.5")), -0.5);
    EXPECT_EQ(LenientNumber(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(LenientNumber(QString()), 0.0);
    EXPECT_TRUE(ReadsAsNumber(QStringLiteral("  90.0000")));
    EXPECT_FALSE(ReadsAsNumber(QStringLiteral("1.5m")));
    EXPECT_FALSE(ReadsAsNumber(QStringLiteral("1.2.3")));
    EXPECT_EQ(RecordOf(QStringLiteral("F,")), Record::F);
    EXPECT_EQ(RecordOf(QStringLiteral("G,P1,")), Record::Other);
    EXPECT_EQ(RecordOf(QStringLiteral("F")), Record::Other);
    EXPECT_EQ(CheckCharacter(QStringLiteral("A,01,")), u'Z');  // 250 % 64 + 32
    EXPECT_EQ(CheckCharacter(QStringLiteral("Z,")), u'&');
}

TEST(ApaReader, ToleratesBlanksShortLinesAndCheckCharacters) {
    EXPECT_EQ(
        NormalizeApaLines(
            {QStringLiteral("  A,01,  "), QStringLiteral("B,,,,,"), QStringLiteral("Z,")}),
        (QStringList{QStringLiteral("A,01,"), QStringLiteral("B,,,,,"), QStringLiteral("Z,")}));
    EXPECT_EQ(NormalizeApaLines({QStringLiteral("A,01"), QStringLiteral("Z")}),
              std::nullopt);  // no comma at five
    EXPECT_EQ(NormalizeApaLines({QStringLiteral("B,01,")}), std::nullopt);
    const auto checked =
        NormalizeApaLines({QStringLiteral("A,01,X,"), QStringLiteral("D,ST1,,1.5,0,9911001,,,Q,"),
                           QStringLiteral("Z,&")});
    EXPECT_EQ(checked,
              (QStringList{QStringLiteral("A,01,"), QStringLiteral("D,ST1,,1.5,0,9911001,,,"),
                           QStringLiteral("Z,")}));
    EXPECT_EQ(NormalizeApaLines({QStringLiteral("A,01,"), QStringLiteral("Z,")})->size(),
              2);  // no stations
}

TEST(ApaReader, FilesInEveryLineEndConvention) {
    const QString folder = test::NewFolder(QStringLiteral("apa"));
    const QByteArray crlf =
        "A,01,\r\nD,\x8A\xEE\x8F\x80\x93\x5F,,1.500,0,9911001,,,\r\nE,0,\r\nF,T2,,1.6,r1001,0."
        "0000\r\nZ,\r\n";
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    test::WriteBytes(folder + QStringLiteral("/a.APA"), crlf);
    test::WriteBytes(folder + QStringLiteral("/b.APA"), lf);
    const auto a = ReadApaFile(folder + QStringLiteral("/a.APA"));
    ASSERT_TRUE(a);
    EXPECT_EQ(ReadApaFile(folder + QStringLiteral("/b.APA")), a);
    EXPECT_EQ((*a)[1], QStringLiteral("D,基準点,,1.500,0,9911001,,,"));
    EXPECT_EQ((*a)[3], QStringLiteral("F,T2,,1.6,r1001,0.0000,"));
}

TEST(ObservationCode, FromTheSightingsOfTheRun) {
    const struct {
        const char16_t* sightings;
        const char* code;
    } cases[] = {
        {u"r1001 r1002", "9911002"},  // all r1
        {u"r1001 l1001 r2001 l2001 r1002", "2121002"},
        {u"r1001:10.000 r1003", "9912003"},  // distance 2
        {u"r9001:5.0", "9912001"},
        {u"r3012:5.0 l3012", "3121012"},  // set 3: kind 1
        {u"", "9911001"},                 // no sightings
    };
    for (const auto& c : cases)
        EXPECT_EQ(ObservationCode(Station(QString::fromUtf16(c.sightings)), 1), QString::fromLatin1(c.code)) << c.code;
    // The run ends at the next station: its sightings do not count.
    QStringList two = Station(u"r1001"_qs);
    two.insert(4, QStringLiteral("C,,,,,,,"));
    two.insert(5, QStringLiteral("D,ST2,,1.5,0,,,,"));
    two.insert(6, kRunStart);
    two.insert(7, QStringLiteral("F,P,,1.5,r2005,0,,,,,,000,"));
    EXPECT_EQ(ObservationCode(two, 1), QStringLiteral("9911001"));
    EXPECT_EQ(ObservationCode(two, 5), QStringLiteral("2121005"));
}

TEST(ObservationCode, SaveDropsPlaceholdersAndKeepsOtherLines) {
    const QStringList lines = {kHeaderLine,
                               QStringLiteral("D,ST1,,1.5,0,,,,"),
                               kRunStart,
                               QStringLiteral("F,P,,1.5,r2001,0,,,,,,000,"),
                               kRemeasure,
                               QStringLiteral("F,P,,1.5,r2001,0,,,,,,000,"),
                               QStringLiteral("G,memo line,"),
                               kEmptyD,
                               kRunStart,
                               kEmptyF,
                               kEndLine};
    EXPECT_EQ(PrepareForSave(lines),
              (QStringList{kHeaderLine, QStringLiteral("D,ST1,,1.5,0,2121001,,,"), kRunStart,
                           QStringLiteral("F,P,,1.5,r2001,0,,,,,,000,"), kRemeasure,
                           QStringLiteral("F,P,,1.5,r2001,0,,,,,,000,"),
                           QStringLiteral("G,memo line,"), kEndLine}));
}

TEST(ApaCheck, GoodFileHasNoProblems) {
    EXPECT_TRUE(CheckApaLines(EmptyDataSet()).isEmpty());
    QStringList lines = Station(u"r1001 r1002"_qs);
    lines[1] = ReplaceField(lines[1], 5, QStringLiteral("9911002"));
    lines.insert(1, kEmptyB);
    lines.insert(2, kEmptyC);
    EXPECT_TRUE(CheckApaLines(lines).isEmpty());
    EXPECT_TRUE(CheckApaLines({kHeaderLine, kEndLine}).isEmpty());
}

TEST(ApaCheck, EveryKindOfProblemWithItsLine) {
    const QStringList lines = {
        kHeaderLine,
        QStringLiteral("D,ST1,,1.5m,0,9911001,,,"),          // 2: number; code
        QStringLiteral("F,T2,,1.6,x1001,0.0000,,,,,,000,"),  // 3: no run; number shape
        kRunStart,                                           // 4: fine (closes nothing)
        QStringLiteral("Q,what,"),                           // 5: unknown
        QStringLiteral("D,ST2,,1.5,0,9911001,,,"),           // 6: no E,0 after it
        QStringLiteral("F,T3,,1.6,r1000,,,,,,,000,"),        // 7: no run; direction 000
        kEndLine,
        QStringLiteral("F,T4,")};  // 9: after Z
    QList<int> at;
    for (const ApaProblem& p : CheckApaLines(lines)) at << p.line;
    EXPECT_EQ(at, (QList<int>{2, 2, 3, 3, 5, 7, 7, 8, 9}));  // 8: Z while line 6 waits for its E,0
    EXPECT_EQ(CheckApaLines({kHeaderLine, QStringLiteral("D,ST1,,,,9911001,,,")}).size(),
              2);  // no E,0; no Z
}

TEST(ApaCheck, FixCodesRewritesInPlace) {
    const QString path = test::NewFolder(QStringLiteral("apa")) + QStringLiteral("/fix.APA");
    test::WriteBytes(path,
                     "A,01,\r\nD,ST1,,1.5,0,9911001,,,\r\nE,0,\r\nF,P,,1.5,r2003,0,,,,,,000,\r\nG,"
                     "kept,\r\nZ,\r\n");
    EXPECT_EQ(CheckApaFile(path).size(), 2);  // the code, and the record G no reader knows
    QString reason;
    ASSERT_TRUE(FixObservationCodes(path, reason)) << reason.toStdString();
    ASSERT_EQ(CheckApaFile(path).size(), 1);
    EXPECT_EQ(CheckApaFile(path)[0].line, 5);
    EXPECT_EQ(test::ReadBytes(path), QByteArray("A,01,\r\nD,ST1,,1.5,0,2121003,,,\r\nE,0,\r\nF,P,,"
                                                "1.5,r2003,0,,,,,,000,\r\nG,kept,\r\nZ,\r\n"));

    test::WriteBytes(path, "A,01,Z,\r\nZ,&,\r\n");
    EXPECT_FALSE(FixObservationCodes(path, reason));
    EXPECT_EQ(test::ReadBytes(path), QByteArray("A,01,Z,\r\nZ,&,\r\n"));
}

// What cannot be checked at all is one problem at line 0, so that the command line can
// tell trouble from problems found; /dev/zero was read until the process was killed. An
// empty file is no field book anywhere: the reader gave an empty list, which the editor and
// --fix-codes took for one (--fix-codes then crashed).
TEST(ApaCheck, FilesThatCannotBeCheckedAreOneProblemAtLineZero) {
    const QString folder = test::NewFolder(QStringLiteral("apa"));
    const QString empty = folder + QStringLiteral("/EMPTY.APA");
    test::WriteBytes(empty, "");
    EXPECT_EQ(NormalizeApaLines({}), std::nullopt);
    EXPECT_EQ(ReadApaFile(empty), std::nullopt);
    QString why;
    EXPECT_FALSE(FixObservationCodes(empty, why));
    EXPECT_EQ(why, QStringLiteral("APAデータではありません。"));
    EXPECT_EQ(test::ReadBytes(empty), QByteArray());
    test::WriteBytes(folder + QStringLiteral("/RAW.SDR"), "B,01,\r\nA,01,\r\n");
    for (const QString& path :
         {QStringLiteral("/dev/zero"), folder, empty,
          folder + QStringLiteral("/RAW.SDR"), folder + QStringLiteral("/GONE.APA")}) {
        const QList<ApaProblem> problems = CheckApaFile(path);
        ASSERT_EQ(problems.size(), 1) << path.toStdString();
        EXPECT_EQ(problems[0].line, 0) << path.toStdString();
        QString reason;
        EXPECT_FALSE(FixObservationCodes(path, reason)) << path.toStdString();
    }
}

// --fix-codes leaves a right file as it is (it rewrote a correct LF-only file with CR LF,
// trimmed and with commas added), and a rewrite touches only the codes it names.
TEST(ApaCheck, FixCodesChangesOnlyTheCodesItReports) {
    const QString path = test::NewFolder(QStringLiteral("apa")) + QStringLiteral("/fix.APA");
    const QByteArray right =
        "A,01,\n D,ST1,,1.5,0,2121003,,,\nE,0,\nF,P,,1.5,r2003,0,,,,,,000\nG,\x82\xA0 "
        "\xE2\x9C\x93,\nZ,";
    test::WriteBytes(path, right);
    QString reason;
    QList<CodeChange> changes{{9, {}, {}}};
    ASSERT_TRUE(FixObservationCodes(path, reason, &changes)) << reason.toStdString();
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(test::ReadBytes(path), right);

    QByteArray wrong = right;
    wrong.replace("2121003", "9911001");
    wrong.replace("Z,", "D,ST2,,1.5,0,9911009,,,\r\nE,0,\r\nZ,");
    test::WriteBytes(path, wrong);
    ASSERT_TRUE(FixObservationCodes(path, reason, &changes));
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes[0].line, 2);
    EXPECT_EQ(changes[0].from, QStringLiteral("9911001"));
    EXPECT_EQ(changes[0].to, QStringLiteral("2121003"));
    EXPECT_EQ(changes[1].line, 6);
    EXPECT_EQ(changes[1].to, QStringLiteral("9911001"));
    QByteArray expected = wrong;
    expected.replace(" D,ST1,,1.5,0,9911001,,,", "D,ST1,,1.5,0,2121003,,,");
    expected.replace("9911009", "9911001");
    EXPECT_EQ(test::ReadBytes(path), expected);
}

// A placeholder station that received anything stays a station of its own; one that did
// not goes, with the blank headers that only it used.
TEST(ObservationCode, SaveKeepsAPlaceholderWithSightings) {
    const QString st1 = QStringLiteral("D,ST1,,1.5,0,9911001,,,");
    const QString sighting = QStringLiteral("F,P,,1.5,r2004,0,,,,,,000,");
    const QString blankName = QStringLiteral("D,        ,,,,,,,");
    EXPECT_EQ(PrepareForSave({kHeaderLine, kEmptyB, kEmptyC, kEmptyD, kRunStart, sighting, kEmptyF,
                              st1, kRunStart, kEndLine}),
              (QStringList{kHeaderLine, kEmptyB, kEmptyC, QStringLiteral("D,,,,,2121004,,,"),
                           kRunStart, sighting, kEmptyF, st1, kRunStart, kEndLine}));
    EXPECT_EQ(PrepareForSave({kHeaderLine, st1, kRunStart, blankName, kRunStart,
                              QStringLiteral("F,        ,,     ,,,,,,,,,"), kEndLine}),
              (QStringList{kHeaderLine, st1, kRunStart, kEndLine}));
    EXPECT_EQ(
        PrepareForSave({kHeaderLine, kEmptyB, kEmptyC, kEmptyD, kRunStart, kEmptyF, kEndLine}),
        (QStringList{kHeaderLine, kEndLine}));
    EXPECT_EQ(PrepareForSave(
                  {kHeaderLine, kEmptyB, kEmptyC, kEmptyD, kRunStart, st1, kRunStart, kEndLine}),
              (QStringList{kHeaderLine, kEmptyB, kEmptyC, st1, kRunStart, kEndLine}));
}
