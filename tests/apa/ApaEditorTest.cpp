#include <gtest/gtest.h>

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
    ApaEditor editor;
    editor.Open({kHeaderLine, kEmptyB, kEmptyC, kRunStart, kEmptyF, QStringLiteral("F,"), kEndLine},
                QStringLiteral("x"));
    EXPECT_FALSE(editor.HasStation());  // sightings without a station are kept, not shown
    EXPECT_EQ(editor.RowCount(), 0);
    EXPECT_FALSE(editor.ShowNext());
    EXPECT_FALSE(editor.ShowPrevious());
    editor.AddStation();  // goes before the end record
    ASSERT_TRUE(editor.HasStation());
    EXPECT_EQ(editor.Lines().mid(6), (QStringList{kEmptyD, kRunStart, kEmptyF, kEndLine}));

    // A last station with nothing after it, not even Z.
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

// Regression: pasting into a field book without a station put sightings before "A,01,".
TEST(ApaEditor, RowsNeedAStation) {
    ApaEditor editor;
    const QStringList lines = {kHeaderLine, kEmptyB, kEmptyC, kRunStart, kEmptyF, kEndLine};
    editor.Open(lines, QStringLiteral("x"));
    ASSERT_FALSE(editor.HasStation());
    editor.InsertRows(0, 1);
    EXPECT_EQ(editor.PasteRows(0, QString(240, u' ')), 0);
    EXPECT_EQ(editor.CommitCell(0, 1, QStringLiteral("P")), QString());
    editor.DeleteRows(0, 0);
    EXPECT_EQ(editor.Lines(), lines);
    EXPECT_FALSE(editor.Modified());
}
