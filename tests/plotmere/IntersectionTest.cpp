// The intersection view's computations: lines from two points, from a direction or moved
// sideways, circles, the perpendicular foot, and the cases with no, one or two answers.

#include <gtest/gtest.h>

#include "plotmere/plotview/Intersections.h"

namespace {

using namespace plotmere;

KoutenInput Points(std::initializer_list<std::pair<const char*, GridPoint>> given) {
    KoutenInput in;
    int i = 0;
    for (const auto& [name, point] : given) {
        in.names[i] = QString::fromLatin1(name);
        in.points[i] = point;
        ++i;
    }
    return in;
}

void ExpectPoint(const GridPoint& p, double x, double y) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

TEST(Intersections, Lines) {
    // Two crossing lines, and two parallel ones.
    KoutenFigure f = SolveKouten(Points({{"A", {0, 0}}, {"B", {10, 10}}, {"C", {0, 10}}, {"D", {10, 0}}}));
    ASSERT_EQ(f.answers.size(), 1u);
    ExpectPoint(f.answers[0], 5, 5);
    EXPECT_TRUE(SolveKouten(Points({{"A", {0, 0}}, {"B", {10, 0}}, {"C", {0, 5}}, {"D", {10, 5}}})).answers.empty());

    // A direction of 324000" (90°) runs due east; an offset of -5 moves a line left of its
    // direction: a line running north moves west.
    KoutenInput in = Points({{"A", {0, 0}}, {"", {}}, {"C", {-5, 50}}, {"D", {5, 50}}});
    in.hang[0] = QStringLiteral("324000");
    f = SolveKouten(in);
    ExpectPoint(f.first.second, 0, 100);
    ASSERT_EQ(f.answers.size(), 1u);
    ExpectPoint(f.answers[0], 0, 50);
    KoutenInput moved = Points({{"A", {0, 0}}, {"B", {100, 0}}, {"C", {50, -20}}, {"D", {50, 20}}});
    moved.hanare[0] = QStringLiteral("-5");
    f = SolveKouten(moved);
    EXPECT_TRUE(f.first.moved);
    ExpectPoint(f.first.start, 0, -5);
    ExpectPoint(f.first.givenStart, 0, 0);
    ExpectPoint(f.answers[0], 50, -5);
    moved.hanare[0] = QStringLiteral("5");
    ExpectPoint(SolveKouten(moved).answers[0], 50, 5);
}

TEST(Intersections, PerpendicularFoot) {
    const KoutenFigure f = SolveKouten(Points({{"A", {0, 0}}, {"B", {100, 0}}, {"C", {50, 20}}}));
    EXPECT_TRUE(f.perpendicular);
    ASSERT_EQ(f.answers.size(), 1u);
    ExpectPoint(f.answers[0], 50, 0);
}

TEST(Intersections, Circles) {
    KoutenInput in = Points({{"O", {0, 0}}, {"", {}}, {"Q", {8, 0}}});
    in.radius = {QStringLiteral("5"), QStringLiteral("5")};
    KoutenFigure f = SolveKouten(in);
    ASSERT_EQ(f.answers.size(), 2u);
    EXPECT_NEAR(f.answers[0].x, 4, 1e-9);
    EXPECT_NEAR(std::fabs(f.answers[0].y), 3, 1e-9);
    EXPECT_NEAR(f.answers[0].y, -f.answers[1].y, 1e-9);
    in.points[2] = {0, 0};  // concentric
    EXPECT_TRUE(SolveKouten(in).answers.empty());
    in.points[2] = {10, 0};  // touching
    EXPECT_EQ(SolveKouten(in).answers.size(), 1u);

    // A line tangent to a circle touches it once; one through its centre cuts it twice.
    KoutenInput tangent = Points({{"A", {10, -5}}, {"B", {10, 5}}, {"O", {0, 0}}});
    tangent.radius[1] = QStringLiteral("10");
    f = SolveKouten(tangent);
    ASSERT_EQ(f.answers.size(), 1u);
    ExpectPoint(f.answers[0], 10, 0);
    KoutenInput through = Points({{"A", {-20, 0}}, {"B", {20, 0}}, {"O", {0, 0}}});
    through.radius[1] = QStringLiteral("10");
    EXPECT_EQ(SolveKouten(through).answers.size(), 2u);
    through.radius[1] = QStringLiteral("0");  // a circle without a radius
    EXPECT_TRUE(SolveKouten(through).answers.empty());
}

TEST(Intersections, NumbersOutOfRangeGiveNoAnswer) {
    KoutenInput lines;
    lines.names = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    lines.points = {GridPoint{1e308, 0}, GridPoint{-1e308, 1}, GridPoint{0, 0}, GridPoint{1, 0}};
    EXPECT_TRUE(SolveKouten(lines).answers.empty());
    KoutenInput circles;
    circles.names[0] = circles.names[2] = QStringLiteral("C");
    circles.points[2] = {10, 0};
    circles.radius = {QStringLiteral("1e200"), QStringLiteral("1e200")};
    EXPECT_TRUE(SolveKouten(circles).answers.empty());
    KoutenInput lineCircle = circles;  // a line through the circle's centre, not a tangent
    lineCircle.radius[0].clear();
    lineCircle.hang[0] = QStringLiteral("0");
    EXPECT_TRUE(SolveKouten(lineCircle).answers.empty());
    // A direction that is given but is no number builds no line, and no circle either.
    KoutenInput text = circles;
    text.radius = {QStringLiteral("5"), QStringLiteral("8")};
    text.hang[0] = QStringLiteral("北");
    EXPECT_EQ(SolveKouten(text).first.kind, Element::Kind::None);
    EXPECT_TRUE(SolveKouten(text).answers.empty());
    // Nor does a bad radius of element 2 turn it into the perpendicular from P3.
    text.hang[0] = QStringLiteral("0");
    text.radius[1] = QStringLiteral("r");
    EXPECT_FALSE(SolveKouten(text).perpendicular);
    EXPECT_TRUE(SolveKouten(text).answers.empty());
}

}  // namespace
