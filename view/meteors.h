// Shooting stars from the radiants of the active meteor showers.
#pragma once

#include <vector>

#include "view/projector.h"
#include "view/picture.h"
#include "view/sky_view.h"

namespace view {

// A shower counts as active within this many days of its maximum.
inline constexpr double kShowerWindowDays = 3.0;
// Never more meteors than this from one shower in one picture.
inline constexpr int kMaxMeteorsPerShower = 150;

inline constexpr Rgb kMeteorTailColour{90, 110, 170};
inline constexpr Rgb kMeteorBodyColour{170, 190, 235};
inline constexpr Rgb kMeteorHeadColour{255, 255, 255};

// daysFromMaximum: signed days from a shower's maximum (maxMonth/maxDay, at
// 0h) to the date year/month/day, taking whichever year's maximum is nearest,
// so that 31 December is 4 days before a maximum on 4 January.
double daysFromMaximum(int year, int month, double day, int maxMonth, int maxDay);

// activityProfile: the fraction of a shower's peak hourly rate on a day
// `daysFromMax` away from its maximum: 1 at the maximum, falling linearly by
// a quarter a day to 0.25 at the edge of the window, 0 outside it.
double activityProfile(double daysFromMax);

// expectedMeteors: the mean number of meteors of one shower over the whole
// sky during one time step.
//   ratePerHour     hourly rate at the maximum
//   profile         activityProfile() of the date
//   radiantAltDeg   altitude of the radiant; 0 meteors at or below 0
//   stepMinutes     the time step of one redraw, minutes (<= 0: none)
// = rate * profile * sin(altitude) * stepMinutes / 60.
double expectedMeteors(double ratePerHour, double profile, double radiantAltDeg, double stepMinutes);

// One streak as drawn: four points from the tail (the end nearer the
// radiant) to the head, in picture twips.
struct MeteorStreak {
    int shower = 0;  // row of the shower table
    PicturePoint points[4];
};

// meteorStreaks: the streaks of every active shower that fall inside the
// picture toward `dir`. Uses `rng` a fixed number of times per meteor, so a
// seed gives the same picture.
std::vector<MeteorStreak> meteorStreaks(const Projector& projector, const astro::SkyState& sky,
                                        const catalog::Catalogue& cat, const ViewOptions& opt, MeteorRng& rng);
inline std::vector<MeteorStreak> meteorStreaks(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat,
                                               const ViewOptions& opt, MeteorRng& rng) {
    return meteorStreaks(projectorFor(dir), sky, cat, opt, rng);
}

// drawMeteorStreaks: each streak as three lines brightening from tail to head
// (in the paper colours for the print style).
void drawMeteorStreaks(const std::vector<MeteorStreak>& streaks, ChartStyle style, Painter& painter);

// drawMeteors: the streaks above, drawn by drawMeteorStreaks.
void drawMeteors(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat, const ViewOptions& opt,
                 MeteorRng& rng, Painter& painter);

}  // namespace view
