// 今夜の見どころ: what one night offers at one place, from sunset to the next
// sunrise: the planets that can be seen, the Moon, the active meteor showers
// and what a family would look for at 20:00: bright stars, star patterns,
// constellations and the famous clusters.
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
    SkyAt at20, at22;             // at the evening hours 20:00 and 22:00
    // Every rise and set between the place's noon and the next (a planet
    // may rise twice by the clock), and the transit.
    std::vector<astro::SkyEvent> rises, sets;
    std::optional<astro::SkyEvent> transit;
    // Seen: at least kPlanetSeenAltDeg high while the Sun is below
    // kPlanetSkyDarkDeg; best: the highest such moment (10-minute steps).
    bool seen = false;
    std::optional<SkyAt> best;
};

struct TonightMoon {
    std::vector<astro::SkyEvent> rises, sets;  // noon to noon, as the planets'
    std::optional<SkyAt> atSunset;  // where it stands at sunset
    double ageDays = 0.0;      // at 21:00
    // Seen in the night: at least kMoonSeenAltDeg high while the Sun is
    // below kMoonSkyDarkDeg (a 2-day crescent in the dusk is).
    bool seen = false;
    std::string phaseName;     // moonPhaseName(ageDays, seen)
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
    // The night of the maximum, by the evening it begins: the maximum of
    // the 14th is the night from the 13th's evening to the 14th's morning.
    astro::LocalDate peakEvening;
    int nightsToPeak = 0;        // peakEvening - the report's date: 0 tonight, 1 tomorrow, -1 last night
    double daysFromPeak = 0.0;   // from the peak to local midnight of the night
    double zhr = 0.0;            // the table's hourly rate at the maximum
    std::optional<astro::SkyEvent> radiantRise;  // noon to noon
    bool radiantAlwaysUp = false;
    // The radiant's highest dark moment; the hourly rates are for it.
    std::optional<SkyAt> best;
    double rateCity = 0.0;       // meteors an hour under a city sky (limiting magnitude 4.0)
    double rateDark = 0.0;       // under a dark sky (6.5)
};

// Something a family would look for at 20:00, wherever it stands.
struct TonightPick {
    int id = 0;            // star row, constellation figure, star pattern or deep-sky row
    std::string name;      // "シリウス", "オリオン座", "冬の大三角", "すばる"
    std::string detail;    // a star's constellation, a cluster's kind; else ""
    double mag = 0.0;      // a star's or cluster's magnitude; a figure's brightest star's
    SkyAt at;              // at 20:00 (a figure's mean direction), or at 22:00 for a star
                           // pattern that is whole above the horizon only by then
    bool later = false;    // at 22:00
};

struct TonightReport {
    astro::LocalDate date;             // the evening's date
    double latDeg = 0.0, lonDeg = 0.0;
    // The night is looked for between the place's own noons (local mean
    // time), whatever clock prints it.
    double noonJdUt = 0.0, nextNoonJdUt = 0.0;
    std::optional<double> sunsetJdUt;  // none in polar day or night
    std::optional<double> sunriseJdUt; // the next morning's
    // The evening hours (20:00, 21:00, 22:00) are the clock's; when the
    // clock runs more than kEveningClockSlackHours from the place's mean
    // solar time (Tokyo's clock for London), they are the place's own.
    bool eveningInLocalMeanTime = false;
    bool sunUp20 = false;              // the Sun above the horizon at 20:00 (midnight sun)
    std::vector<TonightPlanet> planets;  // Venus, Mars, Jupiter, Saturn, in that order
    TonightMoon moon;
    std::vector<TonightShower> showers;  // active that night, nearest peak first
    // What to look for at 20:00 (kPickMinAltDeg high at least), each list
    // by brightness: the textbooks' star patterns with every star up, the
    // bright stars, the figured constellations whole above the horizon,
    // the famous clusters, nebulae and galaxies the eye can see; a star
    // pattern that comes up by 22:00 (冬の大三角 in December) too.
    std::vector<TonightPick> asterisms, stars, constellations, deepSky;
};

// A planet counts as seen at this altitude in this dark a sky.
inline constexpr double kPlanetSeenAltDeg = 5.0;
inline constexpr double kPlanetSkyDarkDeg = -6.0;    // the end of civil twilight
inline constexpr double kShowerSkyDarkDeg = -12.0;   // nautical twilight: meteors and faint stars
// A Moon counts as seen this high with the Sun this far down.
inline constexpr double kMoonSeenAltDeg = 2.0;
inline constexpr double kMoonSkyDarkDeg = -3.0;
inline constexpr double kEveningClockSlackHours = 3.0;
// The picks: this high at 20:00; stars this bright; clusters this bright;
// at most this many of each.
inline constexpr double kPickMinAltDeg = 15.0;
inline constexpr double kPickStarsUpAltDeg = 5.0;  // every star of a figure at least this high
inline constexpr double kPickStarMag = 1.6;
inline constexpr double kPickDeepSkyMag = 4.5;
inline constexpr std::size_t kPickMax = 6;
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

// moonPhaseName: the name of the Moon of that age (days since new moon)
// by what is seen: within 2.5 days of new, 細い月 when it is seen and
// 新月 when it is not; 三日月 to 5.5, 上弦の月 to 9.5, 十三夜の月 to 13.5,
// 満月 to 16.5, 満月過ぎの月 to 20.5, 下弦の月 to 24.5, 有明の月 to 27.0.
const char* moonPhaseName(double ageDays, bool seen);

// tonight: the report for the night that begins on `date` at the place
// (latitude held to [-90, 90]; non-finite coordinates count as 0).
TonightReport tonight(const catalog::Catalogue& cat, const astro::LocalDate& date, double latDeg, double lonDeg,
                      const astro::UtcOffsetFn& zone);

}  // namespace view
