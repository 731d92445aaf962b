// Eclipses for the front ends: the list of a span at a place and one
// eclipse's circumstances there, as JSON and as the national almanac's
// table in Japanese. The window, the command line (--eclipses, --eclipse)
// and the browser edition all ask here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/session/answers.h"
#include "app/session/zone.h"
#include "astro/almanac.h"
#include "astro/eclipses.h"
#include "catalog/catalog.h"
#include "view/eclipse_picture.h"

namespace app {

// readEclipseDate: "YYYY" (the year's first day, or its last with
// `yearEnd`) or "YYYY-MM-DD"; nothing and a reason for anything else.
std::optional<astro::LocalDate> readEclipseDate(std::string_view text, bool yearEnd, std::string& why);

// The eclipses whose greatest phase falls on the local dates from..to
// (inclusive) in the place's zone, each with its circumstances there. At
// most kMaxEclipseYears: a longer span is refused (`why`).
inline constexpr int kMaxEclipseYears = 200;
struct EclipsesAnswer {
    SkyRequest place;
    std::vector<astro::LocalEclipse> eclipses;
    std::string why;  // why nothing was answered
};
EclipsesAnswer answerEclipses(const SkyQuery& place, const astro::LocalDate& from, const astro::LocalDate& to,
                              const catalog::Catalogue& cat, const LocalZone& zone, Clock::time_point now);
// The same for a place already read (the window's).
EclipsesAnswer answerEclipses(const SkyRequest& place, const astro::LocalDate& from, const astro::LocalDate& to,
                              const LocalZone& zone);

// The eclipse whose greatest phase falls on a local date at the place
// (the nearest within a day of it); nothing, and `why`, when there is none.
struct EclipseAnswer {
    SkyRequest place;
    std::optional<astro::LocalEclipse> eclipse;
    std::string why;
};
EclipseAnswer answerEclipse(const SkyQuery& place, const astro::LocalDate& date, const catalog::Catalogue& cat,
                            const LocalZone& zone, Clock::time_point now);
EclipseAnswer answerEclipse(const SkyRequest& place, const astro::LocalDate& date, const LocalZone& zone);

// The JSON of --eclipses: [{"date", "kind", "type", "greatest", "local":
// {"seen", "type", "magnitude"}}, ...].
std::string eclipsesJson(const EclipsesAnswer& a, const LocalZone& zone);
// The list in Japanese, one eclipse a line.
std::string eclipsesText(const EclipsesAnswer& a, const LocalZone& zone);

// The JSON of --eclipse: {"kind", "type", "greatest", "local": {...},
// "events": [{"event", "time", "altDeg", "azDeg", "paNorthDeg",
// "paZenithDeg"}, ...], "rise"/"set"}.
std::string eclipseJson(const astro::LocalEclipse& e, const LocalZone& zone);
// The national almanac's table (各地予報) in Japanese: solar times to the
// second, lunar to 0.1 minute.
std::string eclipseText(const astro::LocalEclipse& e, const std::string& placeName, const LocalZone& zone);

// The picture of an eclipse at the place at a moment (UT): the body zenith
// up, the moment and place as the title, the magnitude and the body's
// altitude and azimuth below.
view::EclipseScene eclipseScene(const astro::LocalEclipse& e, double jdUt, const std::string& placeName,
                                const LocalZone& zone);
// The moment of the local greatest phase (the global one where the place
// has no contacts).
double eclipseGreatestJdUt(const astro::LocalEclipse& e);
// The textbook's series: from the first contact (U1 for a lunar eclipse
// with an umbral phase, P1 for a penumbral one, C1) every `everyMinutes`,
// `count` moments, or with count 0 up to the last contact (U4, P4, C4).
std::vector<double> eclipseSeries(const astro::LocalEclipse& e, int everyMinutes, int count);

// Japanese names: 皆既日食, 金環日食, 金環皆既日食, 部分日食; 皆既月食, 部分月食, 半影月食.
std::string eclipseNameJa(astro::EclipseKind kind, astro::EclipseType type);

}  // namespace app
