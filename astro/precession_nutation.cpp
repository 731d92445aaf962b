#include "astro/precession_nutation.h"

#include <cmath>

namespace astro {

namespace {

constexpr double kArcsecToRad = 3.14159265358979323846 / 648000.0;
constexpr double kTurnArcsec = 1296000.0;
constexpr double kTwoPi = 2.0 * 3.14159265358979323846;

double centuriesFromJ2000(double jdTt) { return (jdTt - 2451545.0) / 36525.0; }

// R1(a) and R3(a) applied to m from the left (ERFA's rx and rz).
void rotateX(double a, Mat3& m) {
    const double s = std::sin(a), c = std::cos(a);
    for (int j = 0; j < 3; ++j) {
        const double y = m[1][j], z = m[2][j];
        m[1][j] = c * y + s * z;
        m[2][j] = -s * y + c * z;
    }
}
void rotateZ(double a, Mat3& m) {
    const double s = std::sin(a), c = std::cos(a);
    for (int j = 0; j < 3; ++j) {
        const double x = m[0][j], y = m[1][j];
        m[0][j] = c * x + s * y;
        m[1][j] = -s * x + c * y;
    }
}

}  // namespace

Nutation nutation2000b(const std::vector<NutationTerm>& terms, double jdTt) {
    const double t = centuriesFromJ2000(jdTt);
    // Delaunay arguments (Simon et al. 1994), as the 2000B model takes them.
    const double args[5] = {
        std::fmod(485868.249036 + 1717915923.2178 * t, kTurnArcsec) * kArcsecToRad,
        std::fmod(1287104.79305 + 129596581.0481 * t, kTurnArcsec) * kArcsecToRad,
        std::fmod(335779.526232 + 1739527262.8478 * t, kTurnArcsec) * kArcsecToRad,
        std::fmod(1072260.70369 + 1602961601.2090 * t, kTurnArcsec) * kArcsecToRad,
        std::fmod(450160.398036 - 6962890.5431 * t, kTurnArcsec) * kArcsecToRad,
    };
    double dp = 0.0, de = 0.0;
    // Smallest terms first, as the model's tables are summed.
    for (auto it = terms.rbegin(); it != terms.rend(); ++it) {
        double a = 0.0;
        for (int k = 0; k < 5; ++k) a += it->multipliers[static_cast<std::size_t>(k)] * args[k];
        a = std::fmod(a, kTwoPi);
        const double s = std::sin(a), c = std::cos(a);
        dp += (it->ps + it->pst * t) * s + it->pc * c;
        de += (it->ec + it->ect * t) * c + it->es * s;
    }
    constexpr double kUnitToRad = kArcsecToRad / 1.0e7;
    constexpr double kPlanetaryDpsi = -0.135e-3 * kArcsecToRad, kPlanetaryDeps = 0.388e-3 * kArcsecToRad;
    return {dp * kUnitToRad + kPlanetaryDpsi, de * kUnitToRad + kPlanetaryDeps};
}

double meanObliquity2006Rad(double jdTt) {
    const double t = centuriesFromJ2000(jdTt);
    return (84381.406 + (-46.836769 + (-0.0001831 + (0.00200340 + (-0.000000576 + -0.0000000434 * t) * t) * t) * t) * t) *
           kArcsecToRad;
}

PrecessionAngles precessionAngles2006(double jdTt) {
    const double t = centuriesFromJ2000(jdTt);
    PrecessionAngles a;
    a.gammaBar = (-0.052928 + (10.556378 + (0.4932044 + (-0.00031238 + (-0.000002788 + 0.0000000260 * t) * t) * t) * t) * t) *
                 kArcsecToRad;
    a.phiBar = (84381.412819 + (-46.811016 + (0.0511268 + (0.00053289 + (-0.000000440 + -0.0000000176 * t) * t) * t) * t) * t) *
               kArcsecToRad;
    a.psiBar = (-0.041775 + (5038.481484 + (1.5584175 + (-0.00018522 + (-0.000026452 + -0.0000000148 * t) * t) * t) * t) * t) *
               kArcsecToRad;
    a.epsA = meanObliquity2006Rad(jdTt);
    return a;
}

Mat3 trueOfDateMatrix(const PrecessionAngles& a, const Nutation& n) {
    Mat3 m{{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};
    rotateZ(a.gammaBar, m);
    rotateX(a.phiBar, m);
    rotateZ(-(a.psiBar + n.dpsiRad), m);
    rotateX(-(a.epsA + n.depsRad), m);
    return m;
}

Vec3 eclipticJ2000ToGcrs(const Vec3& e) {
    return {e[0] + 0.000000440360 * e[1] - 0.000000190919 * e[2],
            -0.000000479966 * e[0] + 0.917482137087 * e[1] - 0.397776982902 * e[2],
            0.397776982902 * e[1] + 0.917482137087 * e[2]};
}

}  // namespace astro
