// The SIMA file and the editor's model: lines the editor does not know keep their text and
// place through every row operation, fields are padded as written, and a file comes back
// byte for byte.

#include <gtest/gtest.h>

#include "coords/SimaFile.h"
#include "coords/SimaSheet.h"
#include "platform/CodePage.h"

namespace {

using namespace coords;

QStringList Sample() {
    return {QStringLiteral("G00,01,現場,"), QStringLiteral("Z00,座標ﾃﾞｰﾀ,"), QStringLiteral("A00,"),
            QStringLiteral("A01,1,T1,-12345.678,23456.789,35.120,"), QStringLiteral("A01,2,T2,-12300.000,23500.000,,"),
            QStringLiteral("Z00,comment,"), QStringLiteral("A01,3,K1,1,2,3,CODE,"), QStringLiteral("A01,4,K2,4,5,,"),
            QStringLiteral("A01,5,K3,6,7,,"), QStringLiteral("A99,END"), QStringLiteral("D00,1,101-2,1,"),
            QStringLiteral("B01,1,T1,"), QStringLiteral("D99,")};
}

TEST(SimaFile, ComesBackByteForByte) {
    const QByteArray crlf = platform::cp932::Encode(Sample().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    const QByteArray lf = platform::cp932::Encode(Sample().join(u'\n'));  // LF, last line unended
    for (const QByteArray& bytes : {crlf, lf}) {
        const SimaText text = ParseSimaBytes(bytes);
        EXPECT_EQ(text.lines, Sample());
        EXPECT_EQ(SimaBytes(text), bytes);
    }
    // A UTF-8 file from a web tool reads as its text and is written in CP932.
    const SimaText utf8 = ParseSimaBytes(QStringLiteral("A01,1,測点,1,2,,\r\n").toUtf8());
    EXPECT_TRUE(utf8.readAsUtf8);
    EXPECT_EQ(utf8.lines[0], QStringLiteral("A01,1,測点,1,2,,"));
    EXPECT_EQ(SimaBytes(utf8), platform::cp932::Encode(QStringLiteral("A01,1,測点,1,2,,\r\n")));
}

TEST(SimaSheet, RowsTicksAndCommittedFields) {
    SimaSheet sheet(Sample());
    ASSERT_EQ(sheet.RowCount(), 5);
    EXPECT_EQ(sheet.SelectedCount(), 5);
    EXPECT_EQ(sheet.Row(2).z, QStringLiteral("3"));
    sheet.Commit(1, PointField::X, QStringLiteral("123.456"));
    EXPECT_EQ(sheet.Lines()[4], QStringLiteral("A01,2,T2,    123.456,23500.000,,"));
    sheet.Commit(2, PointField::Name, QStringLiteral("測点"));
    sheet.Commit(2, PointField::Number, QStringLiteral("12"));
    EXPECT_EQ(sheet.Lines()[6], QStringLiteral("A01,   12,測点      ,1,2,3,CODE,"));  // later fields kept
    EXPECT_TRUE(sheet.Changed());

    // A comma or line break would split the point line: refused, nothing changed.
    EXPECT_FALSE(sheet.Commit(0, PointField::X, QStringLiteral("1,5")));
    EXPECT_EQ(sheet.Lines()[3], Sample()[3]);
    EXPECT_EQ(sheet.Paste(0, QStringLiteral("○              1              a,b")), -1);
    EXPECT_EQ(sheet.RowCount(), 5);

    SimaSheet fresh(NewSimaLines());
    ASSERT_EQ(fresh.RowCount(), 1);
    fresh.Commit(0, PointField::Z, QStringLiteral("1.5"));
    EXPECT_EQ(fresh.Lines()[3], QStringLiteral("A01,,,,,1.5,"));
}

TEST(SimaSheet, InsertDeleteKeepOtherLinesInPlace) {
    SimaSheet sheet(Sample());
    sheet.SetTicked(4, false);
    sheet.DeleteRows(4, 2);  // rows 3 to 5 of the grid, chosen upwards
    EXPECT_EQ(sheet.RowCount(), 2);
    EXPECT_EQ(sheet.SelectedCount(), 2);
    EXPECT_EQ(sheet.Lines(), (QStringList{Sample()[0], Sample()[1], Sample()[2], Sample()[3], Sample()[4], Sample()[5],
                                          Sample()[9], Sample()[10], Sample()[11], Sample()[12]}));
    sheet.SetTicked(1, false);
    sheet.InsertRows(1, 2);
    EXPECT_EQ(sheet.Lines()[4], kEmptyPointLine);
    EXPECT_EQ(sheet.Lines()[5], kEmptyPointLine);
    EXPECT_EQ(sheet.Lines()[6], Sample()[4]);
    EXPECT_TRUE(sheet.Ticked(1) && sheet.Ticked(2) && !sheet.Ticked(3));
    sheet.InsertRows(sheet.RowCount(), 1);  // after the last point line, before the comment
    EXPECT_EQ(sheet.Lines()[7], kEmptyPointLine);
    EXPECT_EQ(sheet.Lines()[8], Sample()[5]);

    // A file without point lines takes a new one in front of its A99.
    SimaSheet empty({QStringLiteral("Z00,x,"), QStringLiteral("A00,"), QStringLiteral("A99,"), QStringLiteral("Z,")});
    empty.InsertRows(0, 1);
    EXPECT_EQ(empty.Lines()[2], kEmptyPointLine);
}

TEST(SimaSheet, CopiedRowsPasteAsTheyWere) {
    SimaSheet sheet(Sample());
    sheet.SetTicked(1, false);
    const QString text = sheet.CopyText(0, 1);
    EXPECT_EQ(text.size(), 180);
    EXPECT_EQ(text.left(30), QStringLiteral("○              1              "));
    EXPECT_EQ(sheet.Paste(3, text), 2);
    ASSERT_EQ(sheet.RowCount(), 7);
    EXPECT_EQ(sheet.Row(3).x, QStringLiteral("-12345.678"));
    EXPECT_EQ(sheet.Row(4).name, QStringLiteral("T2"));
    EXPECT_TRUE(sheet.Ticked(3));
    EXPECT_FALSE(sheet.Ticked(4));
    EXPECT_EQ(sheet.Lines()[7], QStringLiteral("A01,    1,T1      , -12345.678,  23456.789,35.120,"));
    EXPECT_EQ(sheet.Paste(0, QString()), 0);

    const QList<TickedPoint> ticked = sheet.TickedPoints();
    ASSERT_EQ(ticked.size(), 5);
    EXPECT_EQ(ticked[0].line, 4);
    EXPECT_EQ(ticked[2].row, 4);  // the pasted copy of row 1
}

}  // namespace
