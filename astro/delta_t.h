// ΔT = TT − UT1: how far the Earth's rotation (UT) lags uniform time (TT),
// which the precise ephemeris runs on.
#pragma once

namespace astro {

// deltaTSeconds: ΔT at a moment, seconds.
//   decimalYear  the year and its fraction (2026.5 is mid-2026); any finite
//                value
// Method: 1900.0-2023.0, the published values at the start of each year
// (the Astronomical Almanac's table, from 1973 the IERS/USNO observations)
// joined by straight lines. Before 1900, the polynomials of Espenak and Meeus (2006, from
// Morrison and Stephenson 2004) for -500..1900, and the long-term parabola
// -20 + 32u² (u centuries from 1820) before -500. After 2023, a stated rule
// (the future of the Earth's rotation is not known): the 2023 value growing
// 0.1 s a year to 2050, then a straight line to the parabola at 2150, then
// the parabola. Continuous at every joint to a few tenths of a second
// (1900: 0.1 s). Non-finite input gives NaN.
double deltaTSeconds(double decimalYear);

// The year and fraction of a Julian day (365.25 days a year from J2000).
double decimalYearFromJd(double jd);

// jdTtFromUt: Julian day of TT for a Julian day of UT.
double jdTtFromUt(double jdUt);

}  // namespace astro
