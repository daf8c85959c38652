#pragma once
// The geodesy object of the control library: packed degree-minute-second values, the
// meridian arc, Japan Plane Rectangular coordinates to latitude and longitude, and the
// geoid height from the national grid.
//
// Conventions:
//   - Plane coordinates are in metres, X north and Y east, in one of the 19 zones (1..19)
//     of the Japan Plane Rectangular Coordinate System, on GRS80 with scale 0.9999 at the
//     zone's origin.
//   - Angles in and out of XY2BL are seconds of arc. Packed angles are ddd·10000 + mm·100
//     + ss.sss, the sign in front of the whole value.
//   - vC is the meridian convergence with its sign reversed: it is negative east of the
//     zone's central meridian, where GeographicLib and PROJ report it positive.
//
// Accuracy of XY2BL within |X| <= 300 km and |Y| <= 200 km of a zone's origin: latitude and
// longitude agree with an exact transverse Mercator inverse to 1e-6", the convergence to
// 1e-5". The footpoint latitude is iterated on the meridian arc series carried to e^16.

#include <QString>
#include <cstdint>
#include <memory>

namespace plotmere {

class GeoidTable;
class Prompt;

class clsGeoid {
  public:
    // Messages (the footpoint latitude not converging) go to `prompt`; nullptr drops them.
    explicit clsGeoid(Prompt* prompt = nullptr);
    ~clsGeoid();
    clsGeoid(const clsGeoid&) = delete;
    clsGeoid& operator=(const clsGeoid&) = delete;

    // Unpacks ddd·10000 + mm·100 + ss.sss: SN the sign (-1, 0, 1), D degrees, AM minutes,
    // s seconds, DEG the signed decimal degrees.
    static void dms2deg(double DMS, double& DEG, int16_t& SN, int16_t& D, int16_t& AM, double& s);

    // The meridian arc from the equator to latitude Phi (radians) in metres, for AEE =
    // a(1 - e²) and the series coefficients AJ..IJ of the ellipsoid.
    static void MeridS(double Phi, double AEE, double AJ, double BJ, double CJ, double DJ, double EJ, double FJ,
                       double GJ, double HJ, double IJ, double& SS);

    // Plane coordinates of a zone to latitude vB, longitude vL and the reversed convergence
    // vC, all in seconds of arc. Throws std::out_of_range for a zone outside 1..19.
    void XY2BL(int Zone, double X, double Y, double& vB, double& vL, double& vC);

    // The geoid height in metres at LAT and LON (packed dd·10000 + mm·100 + ss.sss, north and
    // east), from the first of Path1/GeoidTbl.mdb, Path2/Varnholt/GeoidTbl.mdb and
    // Path3/GeoidTbl.mdb that exists; 999.0 where it cannot be determined (outside the grid,
    // a missing node, no table). The table stays open between calls while the file on disk
    // stays the same.
    float CalcGeoHt(double LAT, double LON, const QString& Path1, const QString& Path2, const QString& Path3);

    // The paths of the last CalcGeoHt call.
    const QString& Path1() const { return paths_[0]; }
    const QString& Path2() const { return paths_[1]; }
    const QString& Path3() const { return paths_[2]; }

  private:
    Prompt* prompt_;
    std::unique_ptr<GeoidTable> table_;
    QString paths_[3];
};

// The ellipsoids the object knows: 1 Bessel, 2 GRS-80.
struct Ellipsoid {
    const char* name;
    double a;  // semi-major axis, metres
    double F;  // inverse flattening
    double E2() const { return (2 * F - 1) / (F * F); }
};
// Throws std::out_of_range for an index other than 1 or 2.
const Ellipsoid& EllipsoidAt(int index);

// The meridian arc series' coefficients A..I for e², carried to e^16.
struct ArcCoefficients {
    double A, B, C, D, E, F, G, H, I;
};
ArcCoefficients ArcCoefficientsFor(double e2);

// The meridian arc in metres at latitude phi (radians) of an ellipsoid.
double MeridianArc(const Ellipsoid& ellipsoid, double phi);

}  // namespace plotmere
