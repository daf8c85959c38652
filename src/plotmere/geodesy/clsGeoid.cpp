#include "plotmere/geodesy/clsGeoid.h"

#include <QFileInfo>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "plotmere/geodesy/GeoidGrid.h"
#include "plotmere/geodesy/GeoidTable.h"
#include "plotmere/geodesy/Prompt.h"
#include "plotmere/geodesy/ZoneOrigins.h"

namespace plotmere {
namespace {

constexpr double kRadian = std::numbers::pi / 180.0;
constexpr double kSecondsPerRadian = 206264.806247096;
constexpr double kScale = 0.9999;  // m0 at every zone's origin
constexpr int kGrs80 = 2;
constexpr double kConverged = 1e-14;  // radians
constexpr int kMaxSteps = 100;

const Ellipsoid kEllipsoids[] = {{"Bessel", 6377397.155, 299.152813}, {"GRS-80", 6378137.0, 298.257222101}};

// A polynomial in e² from its coefficients for e², e⁴, … (lowest first).
template <size_t N>
double Series(double e2, const double (&k)[N]) {
    double sum = 0;
    for (size_t i = N; i-- > 0;) sum = (sum + k[i]) * e2;
    return sum;
}

double Radians(double packed) {
    double degrees = 0;
    int16_t sign = 0, d = 0, m = 0;
    double s = 0;
    clsGeoid::dms2deg(packed, degrees, sign, d, m, s);
    return degrees * kRadian;
}

}  // namespace

clsGeoid::clsGeoid(Prompt* prompt) : prompt_(prompt), table_(std::make_unique<GeoidTable>()) {}

clsGeoid::~clsGeoid() = default;

const Ellipsoid& EllipsoidAt(int index) {
    if (index < 1 || index > 2) throw std::out_of_range("ellipsoid index");
    return kEllipsoids[index - 1];
}

ArcCoefficients ArcCoefficientsFor(double e2) {
    // Expanded from (1 - e² sin²t)^(-3/2) term by term, exact fractions to e^16.
    static constexpr double a[] = {3.0 / 4, 45.0 / 64, 175.0 / 256, 11025.0 / 16384, 43659.0 / 65536,
                                   693693.0 / 1048576, 19324305.0 / 29360128, 4927697775.0 / 7516192768};
    static constexpr double b[] = {3.0 / 4, 15.0 / 16, 525.0 / 512, 2205.0 / 2048, 72765.0 / 65536,
                                   297297.0 / 262144, 135270135.0 / 117440512, 547521975.0 / 469762048};
    static constexpr double c[] = {0, 15.0 / 64, 105.0 / 256, 2205.0 / 4096, 10395.0 / 16384,
                                   1486485.0 / 2097152, 45090045.0 / 58720256, 766530765.0 / 939524096};
    static constexpr double d[] = {0, 0, 35.0 / 512, 315.0 / 2048, 31185.0 / 131072,
                                   165165.0 / 524288, 45090045.0 / 117440512, 209053845.0 / 469762048};
    static constexpr double e[] = {0, 0, 0, 315.0 / 16384, 3465.0 / 65536, 99099.0 / 1048576,
                                   4099095.0 / 29360128, 348423075.0 / 1879048192};
    static constexpr double f[] = {0, 0, 0, 0, 693.0 / 131072, 9009.0 / 524288, 4099095.0 / 117440512,
                                   26801775.0 / 469762048};
    static constexpr double g[] = {0, 0, 0, 0, 0, 3003.0 / 2097152, 315315.0 / 58720256, 11486475.0 / 939524096};
    static constexpr double h[] = {0, 0, 0, 0, 0, 0, 45045.0 / 117440512, 765765.0 / 469762048};
    static constexpr double i[] = {0, 0, 0, 0, 0, 0, 0, 765765.0 / 7516192768};
    return {1 + Series(e2, a), Series(e2, b), Series(e2, c), Series(e2, d), Series(e2, e),
            Series(e2, f),     Series(e2, g), Series(e2, h), Series(e2, i)};
}

double MeridianArc(const Ellipsoid& ellipsoid, double phi) {
    const double e2 = ellipsoid.E2();
    const ArcCoefficients k = ArcCoefficientsFor(e2);
    double s = 0;
    clsGeoid::MeridS(phi, ellipsoid.a * (1 - e2), k.A, k.B, k.C, k.D, k.E, k.F, k.G, k.H, k.I, s);
    return s;
}

void clsGeoid::dms2deg(double DMS, double& DEG, int16_t& SN, int16_t& D, int16_t& AM, double& s) {
    SN = static_cast<int16_t>(DMS > 0 ? 1 : DMS < 0 ? -1 : 0);
    double v = std::fabs(DMS) / 10000 + 1e-13;
    D = static_cast<int16_t>(std::floor(v));
    v = (v - D) * 100;
    AM = static_cast<int16_t>(std::floor(v));
    s = (v - AM) * 100;
    DEG = ((s / 60 + AM) / 60 + D) * SN;
}

namespace {

// The arc's series with sin 2kΦ from sin Φ and cos Φ by the angle-sum rule: one sine and
// cosine instead of eight, and those the footpoint iteration has already.
double ArcSeries(double phi, double sinPhi, double cosPhi, double AEE, const double (&k)[9]) {
    const double s1 = 2 * sinPhi * cosPhi, c1 = cosPhi * cosPhi - sinPhi * sinPhi;
    const double terms[] = {-k[1] / 2, k[2] / 4, -k[3] / 6, k[4] / 8, -k[5] / 10, k[6] / 12, -k[7] / 14, k[8] / 16};
    double s = s1, c = c1, sum = k[0] * phi;
    for (double term : terms) {
        sum += term * s;
        const double next = s * c1 + c * s1;
        c = c * c1 - s * s1;
        s = next;
    }
    return AEE * sum;
}

}  // namespace

void clsGeoid::MeridS(double Phi, double AEE, double AJ, double BJ, double CJ, double DJ, double EJ, double FJ,
                      double GJ, double HJ, double IJ, double& SS) {
    SS = ArcSeries(Phi, std::sin(Phi), std::cos(Phi), AEE, {AJ, BJ, CJ, DJ, EJ, FJ, GJ, HJ, IJ});
}

namespace {

// GRS80's constants and the zones' origins with their arcs, worked out once.
struct Grs80 {
    double a, e2, aee, c, ep2;
    ArcCoefficients k;
    double phi0[19], lambda0[19], s0[19];
    double foot[4];  // sin 2μ … sin 8μ in the footpoint series from the rectifying latitude μ

    Grs80() {
        const Ellipsoid& ellipsoid = EllipsoidAt(kGrs80);
        a = ellipsoid.a;
        e2 = ellipsoid.E2();
        aee = a * (1 - e2);
        c = a / std::sqrt(1 - e2);
        ep2 = e2 / (1 - e2);
        k = ArcCoefficientsFor(e2);
        for (size_t z = 0; z < kZoneOrigins.size(); ++z) {
            phi0[z] = Radians(kZoneOrigins[z].latitude);
            lambda0[z] = Radians(kZoneOrigins[z].longitude);
            s0[z] = Arc(phi0[z]);
        }
        const double e1 = (1 - std::sqrt(1 - e2)) / (1 + std::sqrt(1 - e2));
        const double e12 = e1 * e1, e13 = e12 * e1, e14 = e13 * e1;
        foot[0] = 3 * e1 / 2 - 27 * e13 / 32;
        foot[1] = 21 * e12 / 16 - 55 * e14 / 32;
        foot[2] = 151 * e13 / 96;
        foot[3] = 1097 * e14 / 512;
    }
    // The footpoint latitude to about 1e-11 rad from its arc: where Newton's method starts,
    // so that two steps reach the convergence limit.
    double FootpointStart(double arc) const {
        const double mu = arc / (aee * k.A);
        const double s1 = std::sin(2 * mu), c1 = std::cos(2 * mu);
        const double s2 = 2 * s1 * c1, c2 = c1 * c1 - s1 * s1;
        const double s3 = s2 * c1 + c2 * s1, s4 = 2 * s2 * c2;
        return mu + foot[0] * s1 + foot[1] * s2 + foot[2] * s3 + foot[3] * s4;
    }
    double Arc(double phi) const { return Arc(phi, std::sin(phi), std::cos(phi)); }
    double Arc(double phi, double sinPhi, double cosPhi) const {
        return ArcSeries(phi, sinPhi, cosPhi, aee, {k.A, k.B, k.C, k.D, k.E, k.F, k.G, k.H, k.I});
    }
};

const Grs80& Constants() {
    static const Grs80 constants;
    return constants;
}

}  // namespace

void clsGeoid::XY2BL(int Zone, double X, double Y, double& vB, double& vL, double& vC) {
    if (Zone < 1 || Zone > static_cast<int>(kZoneOrigins.size())) throw std::out_of_range("zone");
    const Grs80& g = Constants();
    const double e2 = g.e2, aee = g.aee, c = g.c, ep2 = g.ep2;
    const double lambda0 = g.lambda0[Zone - 1];

    // The footpoint latitude: the arc of X/m0 beyond the origin's, by Newton's method from
    // the latitude the rectifying latitude's series gives.
    const double target = X / kScale + g.s0[Zone - 1];
    double phi = X == 0 ? g.phi0[Zone - 1] : g.FootpointStart(target);
    // The last step's sine and cosine serve the series below: the step after them moved φ
    // by less than 1e-14 rad, far below what the series can tell.
    double sin = 0, cos = 1;
    for (int step = 1;; ++step) {
        if (step > kMaxSteps) {
            if (prompt_) prompt_->Show(QStringLiteral("異性緯度を求めるのに収束しません。"));
            break;
        }
        sin = std::sin(phi);
        cos = std::cos(phi);
        const double ds = g.Arc(phi, sin, cos) - target;
        const double w = std::sqrt(1 - e2 * sin * sin);
        const double change = 2 * ds * w * w * w / (3 * e2 * ds * sin * cos * w - 2 * aee);
        phi += change;
        if (std::fabs(change) < kConverged) break;
    }

    const double t = sin / cos, t2 = t * t, t4 = t2 * t2, t6 = t4 * t2;
    const double cos1 = cos;
    const double n2 = ep2 * cos1 * cos1;  // η²
    const double N = c / std::sqrt(1 + n2);
    const double y = Y / kScale;
    const double u = y / N, u2 = u * u;

    // Latitude to y⁸, longitude difference to y⁷, convergence to y⁵.
    // In u = y/N the y² term carries N/M = 1 + η²; the polynomials of the higher terms have it
    // multiplied in.
    const double latitude =
        phi - t * u2 *
                  ((1 + n2) / 2 - u2 / 24 * (5 + 3 * t2 + 6 * n2 - 6 * t2 * n2 - 3 * n2 * n2 - 9 * t2 * n2 * n2) +
                   u2 * u2 / 720 * (61 + 90 * t2 + 45 * t4 + 107 * n2 - 162 * t2 * n2 - 45 * t4 * n2) -
                   u2 * u2 * u2 / 40320 * (1385 + 3633 * t2 + 4095 * t4 + 1575 * t6));
    const double dLambda = u / cos1 *
                           (1 - u2 / 6 * (1 + 2 * t2 + n2) + u2 * u2 / 120 * (5 + 28 * t2 + 24 * t4 + 6 * n2 + 8 * t2 * n2) -
                            u2 * u2 * u2 / 5040 * (61 + 662 * t2 + 1320 * t4 + 720 * t6));
    const double gamma = u * t * (1 - u2 / 3 * (1 + t2 - n2 - 2 * n2 * n2) + u2 * u2 / 15 * (3 * t2 + 2) * (t2 + 1));

    vB = latitude * kSecondsPerRadian;
    vL = (lambda0 + dLambda) * kSecondsPerRadian;
    vC = -gamma * kSecondsPerRadian;
}

namespace {

// A folder and a file name, with one separator between them.
QString Joined(const QString& folder, const QString& name) {
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// The first candidate that exists as a file, else the last one (whose open then fails).
QString GeoidFile(const QString (&paths)[3]) {
    const QString candidates[] = {Joined(paths[0], QStringLiteral("GeoidTbl.mdb")),
                                  Joined(paths[1], QStringLiteral("Varnholt/GeoidTbl.mdb")),
                                  Joined(paths[2], QStringLiteral("GeoidTbl.mdb"))};
    for (const QString& c : candidates)
        if (QFileInfo(c).isFile()) return c;
    return candidates[2];
}

double Degrees(double packed) {
    double degrees = 0, s = 0;
    int16_t sign = 0, d = 0, m = 0;
    clsGeoid::dms2deg(packed, degrees, sign, d, m, s);
    return degrees;
}

}  // namespace

float clsGeoid::CalcGeoHt(double LAT, double LON, const QString& Path1, const QString& Path2, const QString& Path3) {
    paths_[0] = Path1;
    paths_[1] = Path2;
    paths_[2] = Path3;
    if (!table_->Use(GeoidFile(paths_))) return kNoHeight;
    return InterpolateGeoid(Degrees(LAT), Degrees(LON), [this](int row, int column) { return table_->Node(row, column); });
}

}  // namespace plotmere
