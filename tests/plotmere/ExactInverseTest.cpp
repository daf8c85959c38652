// XY2BL against GeographicLib's exact transverse Mercator over every zone, |X| <= 300 km
// and |Y| <= 200 km: latitude and longitude to 1e-6", the convergence to 1e-5". This is
// what catches a missing series term, a missing division by the scale, degrees for
// radians, the wrong ellipsoid or a sign.

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <gtest/gtest.h>

#include "plotmere/geodesy/clsGeoid.h"

namespace {

// Zone origins in degrees (the national definitions).
constexpr double kOrigins[19][2] = {
    {33, 129.5}, {33, 131}, {36, 132 + 10 / 60.0}, {33, 133.5}, {36, 134 + 20 / 60.0}, {36, 136},
    {36, 137 + 10 / 60.0}, {36, 138.5}, {36, 139 + 50 / 60.0}, {40, 140 + 50 / 60.0}, {44, 140.25}, {44, 142.25},
    {44, 144.25}, {26, 142}, {26, 127.5}, {26, 124}, {26, 131}, {20, 136}, {26, 154}};

TEST(Geodesy, AgreesWithTheExactTransverseMercator) {
    const GeographicLib::TransverseMercatorExact exact(6378137.0, 1 / 298.257222101, 0.9999);
    plotmere::clsGeoid geoid;
    double worstLatLon = 0;
    double worstConvergence = 0;
    for (int zone = 1; zone <= 19; ++zone) {
        const double lat0 = kOrigins[zone - 1][0];
        const double lon0 = kOrigins[zone - 1][1];
        double x0 = 0, y0 = 0;
        exact.Forward(lon0, lat0, lon0, x0, y0);
        for (double x = -300000; x <= 300000; x += 50000) {
            for (double y = -200000; y <= 200000; y += 25000) {
                double lat = 0, lon = 0, gamma = 0, k = 0;
                exact.Reverse(lon0, y, x + y0, lat, lon, gamma, k);
                double b = 0, l = 0, c = 0;
                geoid.XY2BL(zone, x, y, b, l, c);
                worstLatLon = std::max({worstLatLon, std::fabs(b - lat * 3600), std::fabs(l - lon * 3600)});
                worstConvergence = std::max(worstConvergence, std::fabs(-c - gamma * 3600));
                ASSERT_NEAR(b, lat * 3600, 1e-6) << zone << ' ' << x << ' ' << y;
                ASSERT_NEAR(l, lon * 3600, 1e-6) << zone << ' ' << x << ' ' << y;
                ASSERT_NEAR(-c, gamma * 3600, 1e-5) << zone << ' ' << x << ' ' << y;
            }
        }
    }
    RecordProperty("worst_latlon_arcsec", std::to_string(worstLatLon));
    RecordProperty("worst_convergence_arcsec", std::to_string(worstConvergence));
}

}  // namespace
