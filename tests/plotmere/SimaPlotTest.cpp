// The SIMA file as the plot reads it: CP932 or UTF-8, points with and without heights,
// parcels joined through their point numbers, and the records that do not read.

#include <gtest/gtest.h>

#include "plotmere/plotview/SimaPlot.h"

namespace {

TEST(SimaPlot, ReadsPointsAndParcels) {
    const QByteArray text = QByteArray("G00,01,test,\r\nA00,\r\n"
                                       "A01,    1,T1      ,  -12345.678,   23456.789,35.120,\r\n"
                                       "A01,    2,") +
                            QByteArray("\x8b\xab\x8a\x45\x82\x50", 6) +  // 境界１ in CP932
                            "  ,  -12300.000,   23500.000,,\r\n"
                            "A01,3,T3,-12310,23510,\r\n"
                            "A99,\r\nD00,1,lot,1,\r\nB01,1,T1,\r\nB01,2,x,\r\nB01,9,none,\r\nB01,3,T3,\r\nD99,\r\n"
                            "D00,2,short,1,\r\nB01,1,T1,\r\nD99,\r\nD00,3,open,1,\r\nB01,2,,\r\nB01,3,,";
    const plotmere::SimaPlot plot = plotmere::ReadSimaPlot(text);
    ASSERT_EQ(plot.points.size(), 3u);
    EXPECT_EQ(plot.points[0].number, QStringLiteral("1"));
    EXPECT_EQ(plot.points[0].x, -12345.678);
    EXPECT_EQ(plot.points[0].z, 35.12);
    EXPECT_EQ(plot.points[1].name, QStringLiteral("境界１"));
    EXPECT_EQ(plot.points[1].z, 0);
    ASSERT_EQ(plot.parcels.size(), 2u);  // one corner is not enough for a line
    EXPECT_EQ(plot.parcels[0], (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(plot.parcels[1], (std::vector<int>{1, 2}));  // a last parcel without its D99
    ASSERT_EQ(plot.faults.size(), 1);
    EXPECT_TRUE(plot.faults[0].startsWith(QStringLiteral("10 行目: 点 9 "))) << plot.faults[0].toStdString();
}

TEST(SimaPlot, ReadsUtf8AndTellsBadRecords) {
    const plotmere::SimaPlot plot = plotmere::ReadSimaPlot(
        "\xEF\xBB\xBF" "A01,1,境界,1,2,3,\nA01,2,b,x,2,,\nA01,3,c,1,2,h,\nA01,4\nA01,5,e,1e400,0,\nA01,1,again,5,5,\n"
        "D00,1,p,\nB01,1,,\nB01,3,,\nD99,");
    ASSERT_EQ(plot.points.size(), 3u);  // a height that does not read is told, the point kept
    EXPECT_EQ(plot.points[0].name, QStringLiteral("境界"));
    EXPECT_EQ(plot.points[1].name, QStringLiteral("c"));
    EXPECT_EQ(plot.points[1].z, 0);
    EXPECT_EQ(plot.faults.size(), 5);
    EXPECT_TRUE(plot.faults.last().contains(QStringLiteral("点番号 1 は二度目"))) << plot.faults.last().toStdString();
    EXPECT_EQ(plot.parcels.at(0), (std::vector<int>{0, 1}));  // the first point numbered 1
    EXPECT_TRUE(plotmere::ReadSimaPlot(QByteArray()).points.empty());
}

}  // namespace
