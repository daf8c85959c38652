// The geodesy object against values worked out independently: every zone's origin, the
// meridian arc at the anchor latitudes, packed angles with a sign, and the convergence's
// reversed sign on both sides of a central meridian.

#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>

#include "plotmere/geodesy/Prompt.h"
#include "plotmere/geodesy/clsGeoid.h"

namespace {

using plotmere::clsGeoid;

constexpr double kRadian = M_PI / 180;

// Latitude and longitude of the origins in whole minutes (zones.csv of the national
// definitions): 33°N 129°30′E for zone 1, and so on.
constexpr int kOriginMinutes[19][2] = {
    {33 * 60, 129 * 60 + 30}, {33 * 60, 131 * 60}, {36 * 60, 132 * 60 + 10}, {33 * 60, 133 * 60 + 30},
    {36 * 60, 134 * 60 + 20}, {36 * 60, 136 * 60}, {36 * 60, 137 * 60 + 10}, {36 * 60, 138 * 60 + 30},
    {36 * 60, 139 * 60 + 50}, {40 * 60, 140 * 60 + 50}, {44 * 60, 140 * 60 + 15}, {44 * 60, 142 * 60 + 15},
    {44 * 60, 144 * 60 + 15}, {26 * 60, 142 * 60}, {26 * 60, 127 * 60 + 30}, {26 * 60, 124 * 60},
    {26 * 60, 131 * 60}, {20 * 60, 136 * 60}, {26 * 60, 154 * 60}};

class Recorded : public plotmere::Prompt {
  public:
    void Show(const QString& text) override { shown << text; }
    QStringList shown;
};

TEST(Geodesy, EveryZonesOriginReturnsItself) {
    Recorded prompt;
    clsGeoid geoid(&prompt);
    for (int zone = 1; zone <= 19; ++zone) {
        double b = 0, l = 0, c = 0;
        geoid.XY2BL(zone, 0, 0, b, l, c);
        EXPECT_NEAR(b, kOriginMinutes[zone - 1][0] * 60.0, 1e-7) << zone;
        EXPECT_NEAR(l, kOriginMinutes[zone - 1][1] * 60.0, 1e-7) << zone;
        EXPECT_EQ(c, 0.0) << zone;
    }
    double b = 0, l = 0, c = 0;
    EXPECT_THROW(geoid.XY2BL(0, 0, 0, b, l, c), std::out_of_range);
    EXPECT_THROW(geoid.XY2BL(20, 0, 0, b, l, c), std::out_of_range);
    EXPECT_TRUE(prompt.shown.isEmpty());
    // A northing that is no number never converges: told once per call, and the call returns.
    geoid.XY2BL(9, NAN, 0, b, l, c);
    EXPECT_EQ(prompt.shown, QStringList{QStringLiteral("異性緯度を求めるのに収束しません。")});
}

// The anchors were computed with exact rational coefficients (to 1e-8 m); a dropped or
// mistyped coefficient down to the sin 8φ term moves them by more than the tolerance.
TEST(Geodesy, MeridianArcAtTheAnchorLatitudes) {
    const plotmere::Ellipsoid& grs80 = plotmere::EllipsoidAt(2);
    const struct {
        double degrees;
        double metres;
    } anchors[] = {{0, 0},
                   {20, 2212366.254103},
                   {26, 2876834.572518},
                   {33, 3652748.043075},
                   {36, 3985542.670296},
                   {40, 4429529.030237},
                   {44, 4873822.369596}};
    for (const auto& a : anchors) EXPECT_NEAR(plotmere::MeridianArc(grs80, a.degrees * kRadian), a.metres, 1e-6) << a.degrees;
    // The Bessel ellipsoid is another arc: 397 m shorter at 36°.
    EXPECT_NEAR(plotmere::MeridianArc(plotmere::EllipsoidAt(1), 36 * kRadian) - 3985542.670296, -396.6, 0.1);
    EXPECT_THROW(plotmere::EllipsoidAt(3), std::out_of_range);
}

TEST(Geodesy, PackedAnglesWithTheirSign) {
    double deg = 0, s = 0;
    int16_t sign = 0, d = 0, m = 0;
    clsGeoid::dms2deg(-1353045.5, deg, sign, d, m, s);
    EXPECT_EQ(sign, -1);
    EXPECT_EQ(d, 135);
    EXPECT_EQ(m, 30);
    EXPECT_NEAR(s, 45.5, 1e-6);
    EXPECT_NEAR(deg, -(135 + 30 / 60.0 + 45.5 / 3600), 1e-9);
    clsGeoid::dms2deg(0, deg, sign, d, m, s);
    EXPECT_EQ(sign, 0);
    EXPECT_EQ(deg, 0.0);
    clsGeoid::dms2deg(395959.999, deg, sign, d, m, s);  // just under 40°
    EXPECT_EQ(d, 39);
    EXPECT_EQ(m, 59);
}

// East of the central meridian the convergence is positive in the usual sense, so vC is
// negative; the two sides mirror each other, and the longitude moves the right way.
TEST(Geodesy, ConvergenceSignAndSymmetry) {
    clsGeoid geoid;
    double bEast = 0, lEast = 0, cEast = 0, bWest = 0, lWest = 0, cWest = 0;
    geoid.XY2BL(9, 50000, 100000, bEast, lEast, cEast);
    geoid.XY2BL(9, 50000, -100000, bWest, lWest, cWest);
    EXPECT_LT(cEast, 0);
    EXPECT_NEAR(cEast, -cWest, 1e-9);
    EXPECT_NEAR(bEast, bWest, 1e-9);
    const double origin = (139 * 60 + 50) * 60.0;
    EXPECT_NEAR(lEast - origin, origin - lWest, 1e-7);
    EXPECT_GT(lEast, origin);
}

}  // namespace
