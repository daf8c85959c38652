#include <gtest/gtest.h>

#include "apa/ApaCheck.h"
#include "apa/ApaEditor.h"
#include "support/QtPrinters.h"

using namespace apa;

namespace {

// Two stations sharing one B and C, a third with its own, a re-measurement and a line of
// another record in between.
QStringList FieldBook() {
    return {
        QStringLiteral("A,01,"),
        QStringLiteral("B,HDR,SET5,123,山田,26/12/06,,,"),
        QStringLiteral("C,1,2,15,1013,0,1,"),
        QStringLiteral("D,ST1     ,,1.500,0,9911002,09:00,09:30,"),
        QStringLiteral("E,0,"),
        QStringLiteral("F,T2      ,memo,1.600,r1001,  0.0000, 90.0000, 123.456,,,,000,"),
        QStringLiteral("E,1,"),
        QStringLiteral("F,T3      ,,1.600,r1002, 45.1230, 89.5959, 100.000,,,,000,"),
        QStringLiteral("D,ST2     ,,1.400,1,9911001,10:00,10:20,"),
        QStringLiteral("E,0,"),
        QStringLiteral("G,a line no reader knows,"),
        QStringLiteral("F,ST1     ,,1.500,r1001,180.0000, 90.1000,  99.999,,,,000,"),
        QStringLiteral("B,HDR,SET9,999,佐藤,26/12/07,,,"),
        QStringLiteral("C,2,3,10,1000,1,0,"),
        QStringLiteral("D,ST3     ,,1.450,0,9911001,,,"),
        QStringLiteral("E,0,"),
        QStringLiteral("F,ST2     ,,1.500,r1001,  0.0000,,,,,,000,"),
        QStringLiteral("Z,"),
    };
}

// The check's findings as "line: message", for readable failures.
QStringList Problems(const QStringList& lines) {
    QStringList out;
    for (const ApaProblem& p : CheckApaLines(lines))
        out << QString::number(p.line) + QStringLiteral(": ") + p.message;
    return out;
}

ApaEditor Opened(const QStringList& lines = FieldBook()) {
    ApaEditor editor;
    editor.Open(lines, QStringLiteral("/data/GENBA.APA"));
    return editor;
}

}  // namespace

TEST(ApaEditor, NewDataIsOneEmptyStationWithItsHeaders) {
    ApaEditor editor;
    editor.Open({}, QString());
    EXPECT_EQ(editor.Lines(),
              (QStringList{kHeaderLine, kEmptyB, kEmptyC, kEmptyD, kRunStart, kEmptyF, kEndLine}));
    ASSERT_EQ(editor.RowCount(), 1);
    EXPECT_EQ(editor.Cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(editor.Cell(0, 2), QStringLiteral("0.000"));
    EXPECT_EQ(editor.Cell(0, 4), QStringLiteral("0.0000"));
    EXPECT_FALSE(editor.Modified());

    editor.Open(
        {kHeaderLine, QStringLiteral("C,1,,,,,,"), kEmptyD, kRunStart, kEmptyF, kEmptyF, kEndLine},
        QStringLiteral("x"));
    EXPECT_EQ(editor.Lines()[1], kEmptyB);  // B goes before the C that is there
    EXPECT_EQ(editor.Lines()[2], QStringLiteral("C,1,,,,,,"));
}

TEST(ApaEditor, StationsAndTheirHeaders) {
    ApaEditor editor = Opened();
    EXPECT_EQ(editor.Box(0), QStringLiteral("ST1     "));
    EXPECT_EQ(editor.Box(7), QStringLiteral("山田"));
    EXPECT_EQ(editor.Box(2), QStringLiteral("1"));  // pressure unit: C field 6
    ASSERT_EQ(editor.RowCount(), 3);
    EXPECT_EQ(editor.Cell(1, 1), QStringLiteral("再測"));
    EXPECT_TRUE(editor.IsRemeasureRow(1));
    EXPECT_EQ(editor.Cell(2, 4), QStringLiteral("45.1230"));
    EXPECT_EQ(editor.Cell(0, 8), QStringLiteral("memo"));

    ASSERT_TRUE(editor.ShowNext());
    EXPECT_EQ(editor.Box(0), QStringLiteral("ST2     "));
    EXPECT_EQ(editor.Box(7), QStringLiteral("山田"));  // the header it shares with ST1, not ST3's
    EXPECT_EQ(editor.RowCount(), 1);                   // the G line is kept but not shown

    ASSERT_TRUE(editor.ShowNext());
    EXPECT_EQ(editor.Box(7), QStringLiteral("佐藤"));
    EXPECT_FALSE(editor.ShowNext());  // the last station stays shown
    EXPECT_EQ(editor.Box(0), QStringLiteral("ST3     "));

    ASSERT_TRUE(editor.ShowPrevious());
    EXPECT_EQ(editor.Box(7), QStringLiteral("山田"));
    editor.ShowFirst();
    EXPECT_FALSE(editor.ShowPrevious());
    editor.ShowLast();
    EXPECT_EQ(editor.Box(0), QStringLiteral("ST3     "));
}

TEST(ApaEditor, HeaderAndCellEditsGoToTheirFields) {
    ApaEditor editor = Opened();
    editor.SetBox(0, QStringLiteral("ST1     "));  // the same text: nothing changes
    EXPECT_FALSE(editor.Modified());
    editor.SetBox(0, QStringLiteral(" K9 "));
    EXPECT_EQ(editor.Lines()[3], QStringLiteral("D,K9      ,,1.500,0,9911002,09:00,09:30,"));
    editor.SetBox(7, QStringLiteral("鈴木"));
    EXPECT_EQ(editor.Lines()[1], QStringLiteral("B,HDR,SET5,123,鈴木,26/12/06,,,"));
    EXPECT_TRUE(editor.Modified());

    EXPECT_EQ(editor.CommitCell(0, 4, QStringLiteral("12.3456")), QStringLiteral("12.3456"));
    EXPECT_EQ(editor.CommitCell(0, 2, QStringLiteral("1.5")), QStringLiteral("1.500"));
    EXPECT_EQ(editor.CommitCell(0, 1, QStringLiteral("P1")), QStringLiteral("P1"));
    EXPECT_EQ(editor.CommitCell(0, 7, QStringLiteral("abc")), QStringLiteral("0.000"));
    EXPECT_EQ(editor.CommitCell(0, 6, QString()), QString());
    EXPECT_EQ(
        editor.Lines()[5],
        QStringLiteral("F,P1      ,memo,1.500,r1001, 12.3456, 90.0000,        ,   0.000,,,000,"));
    EXPECT_EQ(editor.CommitCell(1, 1, QStringLiteral("X")),
              QStringLiteral("再測"));  // the E line stays
    EXPECT_EQ(editor.Lines()[6], kRemeasure);
}

TEST(ApaEditor, RowOperations) {
    ApaEditor editor = Opened();
    editor.InsertRows(0, 2);
    EXPECT_EQ(editor.RowCount(), 5);
    EXPECT_EQ(editor.Lines()[5], kEmptyF);
    EXPECT_EQ(editor.Lines()[7],
              QStringLiteral("F,T2      ,memo,1.600,r1001,  0.0000, 90.0000, 123.456,,,,000,"));
    editor.DeleteRows(0, 1);
    EXPECT_EQ(editor.Lines(), Opened().Lines());

    const QString copied = editor.CopyRows(2, 2);
    ASSERT_EQ(copied.size(), 120);
    EXPECT_EQ(copied.left(15), QStringLiteral("T3             "));
    EXPECT_EQ(editor.PasteRows(3, copied + copied), 2);
    EXPECT_EQ(editor.PasteRows(0, copied + copied.left(50)), 1);  // 170 / 120 rounds to 1
    EXPECT_EQ(editor.PasteRows(0, copied.left(60)), 0);           // 0.5 rounds to even: none
    ASSERT_EQ(editor.RowCount(), 6);
    EXPECT_EQ(editor.Cell(4, 4), QStringLiteral("45.1230"));
    // A pasted row is a new sighting: every cell written, an empty status field.
    EXPECT_EQ(editor.Lines()[10],
              QStringLiteral("F,T3      ,,1.600,r1002, 45.1230, 89.5959, 100.000,   0.000,,,,"));

    editor.ShowNext();
    editor.ShowNext();
    editor.AddStation();  // before ST3
    EXPECT_EQ(editor.Box(0), QString());
    EXPECT_EQ(editor.RowCount(), 1);
    const QStringList saved = editor.SaveLines();
    EXPECT_EQ(saved.size(),
              editor.Lines().size() - 3);  // the placeholder, its E,0 and empty sighting
    EXPECT_FALSE(saved.contains(kEmptyD));
    EXPECT_TRUE(saved.contains(QStringLiteral("D,ST2     ,,1.400,1,9911001,10:00,10:20,")));
    QStringList coded = editor.Lines();
    coded[5] = QStringLiteral("F,T2,,1.6,r2004,0,,,,,,000,");
    ApaEditor other;
    other.Open(coded, QStringLiteral("x"));
    EXPECT_EQ(other.SaveLines()[3],
              QStringLiteral("D,ST1     ,,1.500,0,2121004,09:00,09:30,"));  // codes recomputed
}

TEST(ApaEditor, OddFieldBooksStayWorkable) {
    // A last station with nothing after it, not even Z.
    ApaEditor editor;
    editor.Open({kHeaderLine, kEmptyB, kEmptyC, QStringLiteral("D,S1,"), kRunStart, kEmptyF,
                 QStringLiteral("D,S2,")},
                QStringLiteral("x"));
    editor.ShowLast();
    EXPECT_EQ(editor.Box(0), QStringLiteral("S2"));
    EXPECT_EQ(editor.RowCount(), 0);
    editor.InsertRows(0, 2);
    EXPECT_EQ(editor.RowCount(), 2);
    EXPECT_EQ(editor.Lines().size(), 9);
    editor.SetBox(13, QStringLiteral("10:00"));  // a short D line gets the fields it lacks
    EXPECT_EQ(editor.Lines()[6], QStringLiteral("D,S2,,,,,10:00,"));
    EXPECT_EQ(editor.PasteRows(2, QString(120, u'x')), 1);
    EXPECT_EQ(editor.Cell(2, 2), QStringLiteral("0.000"));  // letters in a number slot read as 0
    editor.DeleteRows(0, 2);
    EXPECT_EQ(editor.RowCount(), 0);
}

// A field book is replaced by the empty data set only when it has no station at all; a
// short one is a field book like any other (it was replaced, and saving overwrote it).
TEST(ApaEditor, OpensEveryFieldBookWithAStationAsItself) {
    const QStringList shortBook = {kHeaderLine, QStringLiteral("D,ST1,,1.5,0,9911001,,,"),
                                   kRunStart, QStringLiteral("F,P1,,1.6,r1001,0.0000,,,,,,000,"),
                                   kEndLine};
    ApaEditor editor;
    editor.Open(shortBook, QStringLiteral("/data/SHORT.APA"));
    EXPECT_EQ(editor.Box(0), QStringLiteral("ST1"));
    ASSERT_EQ(editor.RowCount(), 1);
    EXPECT_EQ(editor.Cell(0, 1), QStringLiteral("P1"));
    EXPECT_EQ(editor.SaveLines(), (QStringList{kHeaderLine, kEmptyB, kEmptyC} + shortBook.mid(1)));

    editor.Open({kHeaderLine, kEndLine}, QStringLiteral("/data/NONE.APA"));
    EXPECT_EQ(editor.Lines(),
              (QStringList{kHeaderLine, kEmptyB, kEmptyC, kEmptyD, kRunStart, kEmptyF, kEndLine}));

    // Lines without a station keep what they hold; the station to work in goes before Z,
    // and rows go into it, never before the header (as a fuzzer once found).
    const QStringList orphans = {
        kHeaderLine, kEmptyB, kEmptyC, kRunStart, QStringLiteral("F,P9,,,,,,,,,,000,"), kEndLine};
    editor.Open(orphans, QStringLiteral("x"));
    EXPECT_EQ(editor.Lines(),
              (orphans.mid(0, 5) + QStringList{kEmptyD, kRunStart, kEmptyF, kEndLine}));
    EXPECT_EQ(editor.PasteRows(0, QString(240, u' ')), 2);
    EXPECT_EQ(editor.Lines().mid(0, 6), (orphans.mid(0, 5) + QStringList{kEmptyD}));
    EXPECT_FALSE(editor.ShowPrevious());
}

// Typed numbers are rounded on their decimal digits: through a binary double 1.0005 was
// 1.000 and 12.34565 was 12.3456. Values read from the file are shown the same way.
TEST(ApaEditor, TypedNumbersRoundHalfAwayFromZeroOnTheirDigits) {
    ApaEditor editor = Opened();
    const struct {
        int column;
        const char16_t* typed;
        const char16_t* shown;
    } cases[] = {
        {2, u"1.0005", u"1.001"},    {4, u"12.34565", u"12.3457"},
        {5, u"-0.00004", u"0.0000"}, {6, u"99.9995", u"100.000"}, {7, u"-1.0005", u"-1.001"},
        {6, u"1e3", u"1.000"},       {7, u" 5.", u"5.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(editor.CommitCell(0, c.column, QString::fromUtf16(c.typed)),
                  QString::fromUtf16(c.shown))
            << c.column;
    EXPECT_EQ(Field(editor.Lines()[5], 3), QStringLiteral("1.001"));

    QStringList lines = FieldBook();
    lines[5] = QStringLiteral("F,T2,,1.0005,r1001,12.34565,,,,,,000,");
    editor = Opened(lines);
    EXPECT_EQ(editor.Cell(0, 2), QStringLiteral("1.001"));
    EXPECT_EQ(editor.Cell(0, 4), QStringLiteral("12.3457"));
}

// Whatever the user types, the record stays one the check accepts: a "," shifted every
// later field ("A,B" in a memo made the target height 0.000 and the number "1.600").
TEST(ApaEditor, TypedTextNeverBreaksARecord) {
    QStringList clean = FieldBook();
    clean.removeAt(10);  // the G line: a record the check does not know
    ApaEditor editor = Opened(clean);
    ASSERT_EQ(Problems(editor.SaveLines()), QStringList());

    const QString hostile[] = {
        QStringLiteral("A,B"),  QStringLiteral("SET,5"), QStringLiteral("x\ny"),
        QStringLiteral("1.5m"), QStringLiteral("r0001"), QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"),
        QStringLiteral("\t"),   QStringLiteral("l2003"), QStringLiteral("memo\n")};
    for (const QString& text : hostile) {
        for (int box = 0; box < kHeaderBoxCount; ++box) editor.SetBox(box, text);
        for (int column = 1; column < kGridColumns; ++column) editor.CommitCell(0, column, text);
        editor.PasteRows(1, text + QString(120, u' '));
        editor.PasteRows(1, text + u'\t' + text + u'\n');
    }
    EXPECT_EQ(Problems(editor.SaveLines()), QStringList());

    EXPECT_FALSE(editor.SetBox(4, QStringLiteral("SET,5")));  // instrument model
    EXPECT_EQ(editor.CommitCell(0, 8, QStringLiteral("memo\n")),
              std::nullopt);                                  // a break at the end
    EXPECT_FALSE(editor.SetBox(10, QStringLiteral("15 C")));  // temperature: a number field
    EXPECT_TRUE(editor.SetBox(10, QStringLiteral(" -2.5 ")));
    EXPECT_EQ(editor.CommitCell(0, 8, QStringLiteral("A,B")), std::nullopt);
    EXPECT_EQ(editor.CommitCell(0, 3, QStringLiteral("r0001")), std::nullopt);
    EXPECT_EQ(editor.CommitCell(0, 3, QStringLiteral("l2003")), QStringLiteral("l2003"));
    // Names and memos keep the 12 characters their hint states.
    EXPECT_EQ(editor.CommitCell(0, 1, QStringLiteral("ABCDEFGHIJKLMN")),
              QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(editor.PasteRows(0, QStringLiteral("P,1\t\t\t\t\t\t\tMEMO,X\n")), 1);
    EXPECT_EQ(editor.Cell(0, 1), QStringLiteral("P1"));
    EXPECT_EQ(editor.Cell(0, 8), QStringLiteral("MEMOX"));
}

// Leaving the name box pads the name to 8 characters; that is no edit, and an empty
// placeholder stays a placeholder that saving leaves out.
TEST(ApaEditor, PaddingIsNoEdit) {
    ApaEditor editor = Opened();
    EXPECT_TRUE(editor.SetBox(0, QStringLiteral("ST1")));
    EXPECT_TRUE(editor.SetBox(7, QStringLiteral(" 山田 ")));
    EXPECT_FALSE(editor.Modified());

    const QStringList none = {kHeaderLine, kEndLine};
    editor.Open(none, QStringLiteral("/data/NONE.APA"));
    for (int box = 0; box < kHeaderBoxCount; ++box) editor.SetBox(box, editor.Box(box));
    editor.CommitCell(0, 1, QString());
    EXPECT_EQ(editor.SaveLines(), none);  // no blank B, C or station
}

// Sightings typed under a new, unnamed station stay under it: they went into the station
// before it (and changed its code), or before the first station.
TEST(ApaEditor, AnUnnamedStationKeepsItsSightings) {
    ApaEditor editor = Opened();
    editor.ShowNext();  // ST2
    editor.AddStation();
    editor.CommitCell(0, 1, QStringLiteral("P5"));
    editor.CommitCell(0, 3, QStringLiteral("r2007"));
    const QStringList saved = editor.SaveLines();
    const qsizetype p5 = saved.indexOf(QStringLiteral("F,P5      ,,,r2007,,,,,,,,"));
    ASSERT_GT(p5, 0);
    EXPECT_EQ(saved[p5 - 2], QStringLiteral("D,,,,,2121007,,,"));
    EXPECT_EQ(saved[p5 - 1], kRunStart);
    EXPECT_TRUE(saved.contains(QStringLiteral("D,ST1     ,,1.500,0,9911002,09:00,09:30,")));

    editor.ShowFirst();
    editor.AddStation();  // before the first station
    editor.CommitCell(0, 2, QStringLiteral("1.5"));
    const QStringList first = editor.SaveLines();
    EXPECT_EQ(first.mid(0, 6), (QStringList{kHeaderLine, FieldBook()[1], FieldBook()[2],
                                            QStringLiteral("D,,,,,9911001,,,"), kRunStart,
                                            QStringLiteral("F,,,1.500,,,,,,,,,")}));
    EXPECT_EQ(Problems(first.mid(0, 6) + QStringList{kEndLine}), QStringList());
}

// The clipboard's 15-character slots cut longer cells; such rows travel tab-separated.
TEST(ApaEditor, LongCellsSurviveCopyAndPaste) {
    QStringList lines = FieldBook();
    lines[5] = QStringLiteral("F,基準点ABCDEFGHIJKLMNOP,,1.600,r1001,1234567890123.4567,,,,,,000,");
    ApaEditor editor = Opened(lines);
    const QString copied = editor.CopyRows(0, 0);
    EXPECT_EQ(editor.PasteRows(3, copied), 1);
    EXPECT_EQ(editor.Cell(3, 1), QStringLiteral("基準点ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(editor.Cell(3, 4), QStringLiteral("1234567890123.4567"));
    EXPECT_EQ(editor.Cell(3, 3), QStringLiteral("r1001"));

    const QString classic = editor.CopyRows(1, 2);  // short cells: the 120-character form
    EXPECT_EQ(classic.size(), 240);
    EXPECT_FALSE(classic.contains(u'\t'));
    EXPECT_EQ(editor.PasteRows(0, classic), 2);
    EXPECT_EQ(editor.Cell(1, 4), QStringLiteral("45.1230"));
}
