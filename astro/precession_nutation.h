// The rotation from the celestial reference frame (GCRS, which the
// ephemeris's J2000 frames are within 0.05" of) to the true equator and
// equinox of date: frame bias and precession IAU 2006, nutation IAU 2000B.
#pragma once

#include <array>
#include <vector>

namespace astro {

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

inline Vec3 multiply(const Mat3& m, const Vec3& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// One luni-solar term of IAU 2000B: the multipliers of the Delaunay
// arguments l, l', F, D, Ω, and the amplitudes in 0.1 μas (ERFA's nut00b):
// Δψ += (ps + pst t) sin A + pc cos A, Δε += (ec + ect t) cos A + es sin A.
struct NutationTerm {
    std::array<int, 5> multipliers{};
    double ps = 0.0, pst = 0.0, pc = 0.0, ec = 0.0, ect = 0.0, es = 0.0;
};

// Nutation in longitude and in obliquity, radians.
struct Nutation {
    double dpsiRad = 0.0;
    double depsRad = 0.0;
};

// nutation2000b: IAU 2000B nutation (McCarthy & Luzum 2003) at a moment.
//   terms  the 77 terms of the model (catalog's nutation_2000b table)
//   jdTt   Julian day, TT
// Accuracy 1 mas against IAU 2000A from 1995 to 2050; the planetary terms
// are the model's fixed offsets (-0.135 mas, +0.388 mas).
Nutation nutation2000b(const std::vector<NutationTerm>& terms, double jdTt);

// meanObliquity2006Rad: the mean obliquity of the ecliptic, IAU 2006
// (Hilton et al. 2006), radians, at a TT Julian day.
double meanObliquity2006Rad(double jdTt);

// The Fukushima-Williams angles of bias and precession, IAU 2006, radians
// (γ̄, φ̄, ψ̄ and the mean obliquity ε_A), as ERFA's pfw06.
struct PrecessionAngles {
    double gammaBar = 0.0, phiBar = 0.0, psiBar = 0.0, epsA = 0.0;
};
PrecessionAngles precessionAngles2006(double jdTt);

// trueOfDateMatrix: GCRS to the true equator and equinox of date, the
// product R1(-(ε_A + Δε)) R3(-(ψ̄ + Δψ)) R1(φ̄) R3(γ̄) (ERFA's fw2m):
// a GCRS direction v becomes trueOfDateMatrix(...) * v.
Mat3 trueOfDateMatrix(const PrecessionAngles& angles, const Nutation& nutation);

// eclipticJ2000ToGcrs: the rotation from the dynamical ecliptic and equinox
// of J2000 (VSOP87A's and ELP/MPP02's frame) to the equator (FK5 J2000,
// within 0.02" of the GCRS), as VSOP87's notes give it.
Vec3 eclipticJ2000ToGcrs(const Vec3& ecliptic);

}  // namespace astro
