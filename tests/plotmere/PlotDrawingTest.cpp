// What the plot view draws, before any display: the fit of an extent to a surface, the
// arcs of links and their colours.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "plotmere/plotview/ArcPath.h"
#include "plotmere/plotview/LinkStyle.h"
#include "plotmere/plotview/PlotFit.h"

namespace {

using plotmere::GridPoint;

TEST(PlotFit, FitsTheWiderSideWithAFifthToSpare) {
    // Data 100 m east-west and 10 m north-south on a 400 × 300 surface: the width rules.
    const auto wide = plotmere::FitExtent({0, 0, 10, 100}, 400, 300);
    ASSERT_TRUE(wide);
    EXPECT_DOUBLE_EQ(wide->width, 120);
    EXPECT_DOUBLE_EQ(wide->height, 90);
    EXPECT_DOUBLE_EQ(wide->PixelX(0), 400.0 / 12);   // west edge of the data
    EXPECT_DOUBLE_EQ(wide->PixelY(5), 150);          // centred north-south
    EXPECT_DOUBLE_EQ(wide->North(wide->PixelY(7.5)), 7.5);
    // Data taller than the surface: the height rules, north is up.
    const auto tall = plotmere::FitExtent({0, 0, 100, 10}, 400, 300);
    ASSERT_TRUE(tall);
    EXPECT_DOUBLE_EQ(tall->height, 120);
    EXPECT_DOUBLE_EQ(tall->PixelY(100), 300.0 / 12);
    EXPECT_LT(tall->PixelY(100), tall->PixelY(0));
    // A surface or data without area draws nothing.
    EXPECT_FALSE(plotmere::FitExtent({0, 0, 10, 100}, 0, 300));
    EXPECT_FALSE(plotmere::FitExtent({0, 5, 10, 5}, 400, 300));
}

TEST(PlotFit, WidensOnlyTheThinAxis) {
    plotmere::Extent line{0, 50, 10, 50};  // points on one north-south line
    plotmere::WidenDegenerate(line);
    EXPECT_EQ(line.MinY, 49);
    EXPECT_EQ(line.MaxY, 51);
    EXPECT_EQ(line.MinX, 0);
    EXPECT_EQ(line.MaxX, 10);
}

TEST(ArcPath, AzimuthsRunClockwiseFromNorth) {
    EXPECT_DOUBLE_EQ(plotmere::AzimuthSeconds(0, 1), 324000);
    EXPECT_DOUBLE_EQ(plotmere::AzimuthSeconds(0, -1), 972000);
    EXPECT_DOUBLE_EQ(plotmere::AzimuthSeconds(0, 0), 972000);
    EXPECT_DOUBLE_EQ(plotmere::AzimuthSeconds(1, 0), 1296000);
    EXPECT_DOUBLE_EQ(plotmere::AzimuthSeconds(-1, 0), 648000);
    EXPECT_NEAR(plotmere::AzimuthSeconds(1, 1), 162000, 1e-9);
    EXPECT_NEAR(plotmere::AzimuthSeconds(-1, -1), 810000, 1e-9);
}

TEST(ArcPath, ArcsRunFromStartToEndOnTheirCircle) {
    // Chords running east and west, so that the end direction wraps past north both ways.
    for (const auto& [a, b] : {std::pair{GridPoint{0, 0}, GridPoint{0, 10}}, std::pair{GridPoint{0, 10}, GridPoint{0, 0}}}) {
        const double east = b.y > a.y ? 1 : -1;
        for (double r : {10.0, -10.0, 25.0, -6.0}) {
            const auto path = plotmere::ArcPolyline(a, b, r);
            ASSERT_GE(path.size(), 3u) << r;
            EXPECT_NEAR(path.front().x, a.x, 1e-9);
            EXPECT_NEAR(path.front().y, a.y, 1e-9);
            EXPECT_NEAR(path.back().x, b.x, 1e-9);
            EXPECT_NEAR(path.back().y, b.y, 1e-9);
            // The centre lies left of the chord for r > 0 (north of an eastward chord): the
            // short arc bulges to the other side.
            const double h = std::sqrt(r * r - 25) * east;
            const GridPoint centre{r > 0 ? h : -h, 5};
            for (const GridPoint& p : path) EXPECT_NEAR(std::hypot(p.x - centre.x, p.y - centre.y), std::fabs(r), 1e-9);
            const GridPoint& mid = path[path.size() / 2];
            EXPECT_EQ(mid.x * centre.x < 0, true) << r << " " << east;
        }
    }
    const GridPoint a{0, 0}, b{0, 10};
    EXPECT_EQ(plotmere::ArcPolyline(a, b, 6).size(), 11u);  // ten chords below a radius of 10
    EXPECT_GT(plotmere::ArcPolyline(a, b, 25).size(), 10u);  // about a metre each above
    EXPECT_LT(plotmere::ArcPolyline(a, b, 25, 5).size(), 5u);  // no chord shorter than a pixel
}

TEST(ArcPath, ArcsThatCannotBeDrawnGiveNothing) {
    EXPECT_TRUE(plotmere::ArcPolyline({0, 0}, {0, 30}, 10).empty());  // chord longer than 2|r|
    EXPECT_TRUE(plotmere::ArcPolyline({0, 0}, {0, 30}, 0).empty());
    EXPECT_TRUE(plotmere::ArcPolyline({0, 0}, {0, 30}, NAN).empty());
    EXPECT_TRUE(plotmere::ArcPolyline({0, 0}, {NAN, 30}, 20).empty());
    // A huge radius is drawn in a bounded number of chords, and beyond doubles' reach as its chord.
    EXPECT_LE(plotmere::ArcPolyline({0, 0}, {0, 30}, 1e8).size(), 100002u);
    const auto flat = plotmere::ArcPolyline({0, 0}, {0, 30}, 1e20);
    ASSERT_EQ(flat.size(), 2u);
    EXPECT_EQ(flat[1].y, 30);
    // A link from a point to itself is a single point, not an endless walk.
    EXPECT_LE(plotmere::ArcPolyline({0, 0}, {0, 0}, 5).size(), 12u);
}

TEST(LinkStyle, ColoursComeFromTheTag) {
    EXPECT_EQ(plotmere::ColourName(QStringLiteral("A,COL:赤,B")), QStringLiteral("赤"));
    EXPECT_EQ(plotmere::ColourName(QStringLiteral("COL:破")), QStringLiteral("破"));
    EXPECT_EQ(plotmere::ColourName(QStringLiteral("赤")), QString());
    EXPECT_EQ(plotmere::ColourName(QStringLiteral("COL:")), QString());
    using namespace plotmere::palette;
    const auto pen = [](const char16_t* name, bool arc) { return plotmere::PenFor(QString::fromUtf16(name), arc); };
    EXPECT_EQ(pen(u"緑", false).palette, kGreen);
    EXPECT_EQ(pen(u"水", false).palette, kCyan);
    EXPECT_EQ(pen(u"紫", true).palette, kMagenta);
    EXPECT_TRUE(pen(u"破", false).dashed);
    EXPECT_EQ(pen(u"破", true).palette, kGrey);
    EXPECT_FALSE(pen(u"破", true).dashed);  // an arc is never dashed
    EXPECT_EQ(pen(u"桃", false).palette, kBlack);
    EXPECT_EQ(pen(u"赤赤", false).palette, kBlack);
}

}  // namespace
