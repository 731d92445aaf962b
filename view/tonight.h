// 今夜の見どころ: what one night offers at one place, from sunset to the next
// sunrise: the planets that can be seen, the Moon, the active meteor showers
// and the bright stars and constellations high toward the equator at 20:00.
// The facts only; app/session/tonight_text.h words them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "astro/almanac.h"
#include "catalog/catalog.h"

namespace view {

// Where an object stands at one clock time of the night.
struct SkyAt {
    double jdUt = 0.0;
    double altDeg = 0.0;  // geometric, as the picture draws it
    double azDeg = 0.0;
};

struct TonightPlanet {
    int body = 0;                 // astro::Body index, Venus..Saturn
    std::string name;             // "木星"
    double mag = 0.0;             // at 20:00
    std::string constellation;    // IAU boundaries, at 20:00: "ふたご座"
    SkyAt at20, at22;             // 20:00 and 22:00 local
    // Between local noon of the date and noon of the next day.
    std::optional<astro::SkyEvent> rise, transit, set;
    // Seen: at least kPlanetSeenAltDeg high while the Sun is below
    // kPlanetSkyDarkDeg; best: the highest such moment (10-minute steps).
    bool seen = false;
    std::optional<SkyAt> best;
};

struct TonightMoon {
    std::optional<astro::SkyEvent> rise, set;  // noon to noon, as the planets'
    std::optional<SkyAt> atSunset;  // where it stands at sunset
    double ageDays = 0.0;      // at 21:00 local
    std::string phaseName;     // 新月, 三日月, 上弦の月, ..., from the age
    double illum = 0.0;        // illuminated fraction at 21:00
    double upDarkHours = 0.0;  // hours above the horizon while the sky is dark
    double darkHours = 0.0;    // hours the Sun is below kShowerSkyDarkDeg
    // Bright and up for at least a third of the dark hours: faint stars and
    // most meteors are lost in its light.
    bool brightensSky = false;
};

struct TonightShower {
    int row = 0;                 // row of the shower table
    std::string name;            // "ふたご座流星群"
    astro::LocalDate peak;       // the nearest maximum's date
    double daysFromPeak = 0.0;   // from the peak to local midnight of the night
    double zhr = 0.0;            // the table's hourly rate at the maximum
    std::optional<astro::SkyEvent> radiantRise;  // noon to noon
    bool radiantAlwaysUp = false;
    // The radiant's highest dark moment; the hourly rates are for it.
    std::optional<SkyAt> best;
    double rateCity = 0.0;       // meteors an hour under a city sky (limiting magnitude 4.0)
    double rateDark = 0.0;       // under a dark sky (6.5)
};

struct TonightStar {
    int row = 0;           // star row
    std::string name;      // "シリウス"
    std::string constellation;
    double mag = 0.0;
    SkyAt at20;
};

struct TonightConstellation {
    int iau = 0;           // index into Catalogue::iauConstellations
    std::string name;      // "ペガスス座"
    SkyAt at20;            // the mean direction of its figure's stars
};

struct TonightReport {
    astro::LocalDate date;             // the evening's date
    double latDeg = 0.0, lonDeg = 0.0;
    std::optional<double> sunsetJdUt;  // of that date; none in polar day or night
    std::optional<double> sunriseJdUt; // of the next morning
    bool sunUp20 = false;              // the Sun above the horizon at 20:00 (midnight sun)
    std::vector<TonightPlanet> planets;  // Venus, Mars, Jupiter, Saturn, in that order
    TonightMoon moon;
    std::vector<TonightShower> showers;  // active that night, nearest peak first
    // Toward the equator (south in the northern hemisphere) at 20:00.
    bool facesSouth = true;
    std::vector<TonightStar> stars;                  // brightest first
    std::vector<TonightConstellation> constellations;  // highest first
};

// A planet counts as seen at this altitude in this dark a sky.
inline constexpr double kPlanetSeenAltDeg = 5.0;
inline constexpr double kPlanetSkyDarkDeg = -6.0;    // the end of civil twilight
inline constexpr double kShowerSkyDarkDeg = -12.0;   // nautical twilight: meteors and faint stars
// "High toward the equator" at 20:00: at least this high, within this many
// degrees of azimuth of south (north for a southern place).
inline constexpr double kHighAltDeg = 30.0;
inline constexpr double kHighAzHalfWidthDeg = 60.0;
inline constexpr double kHighStarMag = 2.5;
// The hourly rate's rule: ZHR x profile x sin(radiant altitude) x
// r^-(6.5 - limiting magnitude), population index r = 2.5.
inline constexpr double kPopulationIndex = 2.5;
inline constexpr double kCityLimitingMag = 4.0;
inline constexpr double kDarkLimitingMag = 6.5;

// hourlyRate: the meteors one observer sees in an hour.
//   zhr             the shower's zenithal hourly rate at its maximum
//   profile         activityProfile() of the date (1 at the maximum)
//   radiantAltDeg   the radiant's altitude; 0 at or below the horizon
//   limitingMag     the faintest star the sky shows
double hourlyRate(double zhr, double profile, double radiantAltDeg, double limitingMag);

// moonPhaseName: the name of the Moon of that age (days since new moon):
// 新月 below 1.5 and from 28.0, 三日月 to 5.5, 上弦の月 to 9.5, 十三夜の月 to
// 13.5, 満月 to 16.5, 満月過ぎの月 to 20.5, 下弦の月 to 24.5, 有明の月 after.
const char* moonPhaseName(double ageDays);

// tonight: the report for the night that begins on `date` at the place
// (latitude held to [-90, 90]; non-finite coordinates count as 0).
TonightReport tonight(const catalog::Catalogue& cat, const astro::LocalDate& date, double latDeg, double lonDeg,
                      const astro::UtcOffsetFn& zone);

}  // namespace view
