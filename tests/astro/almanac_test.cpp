// The almanac core: published cases, days without an event, grazing passes
// and the poles, the local day's boundaries, and inputs that must not break
// it. The comparison against the independent reference table is in
// almanac_reference_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "astro/almanac.h"
#include "astro/angles.h"
#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/sky_path.h"
#include "catalog/ephemeris.h"

namespace astro {
namespace {

constexpr int kJst = 9 * 3600;
constexpr double kTokyoLat = 35.6894;
constexpr double kTokyoLon = 139.6917;

// Minutes after local midnight of the day's date, or -1 when there is none.
double localMinutes(const std::optional<SkyEvent>& e, const AlmanacDay& day) {
    if (!e) return -1.0;
    return (e->jdUt - day.startJdUt) * 1440.0;
}

// Japan's national almanac, Tokyo, January 2006 (JST, to the minute): moonrise
// 23:16 / none / 00:16, moonset 10:09 / 10:33 / 11:00 on the 21st..23rd.
TEST(AlmanacPublished, TokyoMoonJanuary2006) {
    const auto jst = fixedUtcOffset(kJst);
    struct Row { int day; double riseMin; double setMin; };
    const Row rows[] = {{21, 23 * 60 + 16, 10 * 60 + 9}, {22, -1, 10 * 60 + 33}, {23, 16, 11 * 60}};
    double worst = 0.0;
    for (const Row& r : rows) {
        const AlmanacDay d = almanacDay(catalog::ephemerisTables(), {2006, 1, r.day}, kTokyoLat, kTokyoLon, jst);
        const BodyDay& moon = d.bodies[Moon];
        EXPECT_EQ(moon.up, UpState::Sometimes);
        if (r.riseMin < 0) {
            EXPECT_FALSE(moon.rise) << "22 January has no moonrise";
        } else {
            ASSERT_TRUE(moon.rise);
            worst = std::max(worst, std::fabs(localMinutes(moon.rise, d) - r.riseMin));
        }
        ASSERT_TRUE(moon.set);
        worst = std::max(worst, std::fabs(localMinutes(moon.set, d) - r.setMin));
    }
    // Published times are rounded to the minute.
    RecordProperty("moon_worst_minutes", std::to_string(worst));
    std::printf("Tokyo January 2006 Moon: largest difference %.2f min\n", worst);
    EXPECT_LE(worst, 1.5);
}

TEST(AlmanacPublished, PhasesAndAgeJanuary2006) {
    const auto jst = fixedUtcOffset(kJst);
    const AlmanacDay d = almanacDay(catalog::ephemerisTables(), {2006, 1, 22}, kTokyoLat, kTokyoLon, jst);
    // Last quarter 2006-01-23 00:14 JST, new moon 01-29 23:15, first quarter
    // 02-05 15:29, full moon 02-13 13:44 (published, to the minute).
    const PhaseKind kinds[] = {PhaseKind::LastQuarter, PhaseKind::New, PhaseKind::FirstQuarter, PhaseKind::Full};
    const double published[] = {ymdYD(2006, 1, 23) + 14.0 / 1440.0, ymdYD(2006, 1, 29) + (23 * 60 + 15) / 1440.0,
                                ymdYD(2006, 2, 5) + (15 * 60 + 29) / 1440.0, ymdYD(2006, 2, 13) + (13 * 60 + 44) / 1440.0};
    double worst = 0.0;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(d.nextPhases[static_cast<std::size_t>(i)].kind, kinds[i]);
        const double diffMin = (d.nextPhases[static_cast<std::size_t>(i)].jdUt + kJst / 86400.0 - published[i]) * 1440.0;
        worst = std::max(worst, std::fabs(diffMin));
    }
    std::printf("January 2006 phases: largest difference %.2f min\n", worst);
    EXPECT_LE(worst, 15.0);
    // New moon 2005-12-31 12:12 JST: at noon on the 22nd the Moon is 21.99 days old.
    EXPECT_NEAR(d.moonAgeDays - 21.99, 0.0, 0.05);
}

// The invariant behind "no time for that event": sampled every ten minutes,
// a body reported up all day never dips below its horizon, one down all day
// never reaches it, and a day on which it does both has a rise or a set. Run
// where it is hardest: high latitudes around the solstices and equinoxes,
// where the Sun grazes the horizon and the Moon's own motion rivals the
// turning of the sky, and at the poles.
// The track interpolates the precise ephemeris: between its samples every
// body must stay where the ephemeris itself puts it, the Moon at perigee
// and Mercury near inferior conjunction (its fastest apparent motion) included.
TEST(PositionTrack, InterpolationStaysWithinAFractionOfAnArcsecondOfTheEphemeris) {
    const EphemerisTables& tables = catalog::ephemerisTables();
    constexpr SkyBody kSky[kAllBodyCount] = {SkyBody::Sun,     SkyBody::Moon,   SkyBody::Venus,
                                             SkyBody::Mars,    SkyBody::Jupiter, SkyBody::Saturn,
                                             SkyBody::Mercury, SkyBody::Uranus, SkyBody::Neptune};
    double worst[kAllBodyCount] = {};
    for (const double start : {ymdYD(2026, 1, 1.0), ymdYD(2024, 9, 25.0), ymdYD(1910, 5, 10.0), ymdYD(2095, 3, 1.0)}) {
        const detail::PositionTrack track(tables, start, start + 10.0);
        for (double t = start + 0.013; t < start + 10.0; t += 0.37) {
            const EarthFrame frame = earthFrame(tables, jdTtFromUt(t));
            for (int b = 0; b < kAllBodyCount; ++b) {
                const ApparentPlace exact = apparentPlace(tables, kSky[b], frame);
                const detail::PositionTrack::Position p = track.position(static_cast<Body>(b), t);
                const double dRa = std::remainder(p.raHours - exact.raHours, 24.0) * 15.0 * std::cos(exact.decDeg * kDegToRad);
                const double d = std::hypot(dRa, p.decDeg - exact.decDeg) * 3600.0;
                worst[b] = std::max(worst[b], d);
            }
        }
    }
    for (int b = 0; b < kAllBodyCount; ++b) {
        std::printf("track body %d: largest interpolation error %.4f\"\n", b, worst[b]);
        // 0.3" moves a rise by 0.02 s at most.
        EXPECT_LE(worst[b], b == Moon ? 0.3 : 0.15) << b;
    }
}

TEST(AlmanacNoEvent, UpAndDownAllDayAgreeWithTheAltitudeAtHighLatitudes) {
    const auto utc = fixedUtcOffset(0);
#ifdef PLANETARIUM_SWEEP_REDUCED
    const double latStep = 4.0;
#else
    const double latStep = 1.0;
#endif
    const LocalDate dates[] = {{2026, 6, 21}, {2026, 12, 21}, {2026, 3, 20}, {2026, 9, 23}, {2025, 5, 14}};
    int checked = 0;
    for (const LocalDate& date : dates) {
        for (double lat = 60.0; lat <= 90.0; lat += latStep) {
            for (const double sign : {1.0, -1.0}) {
                const double latDeg = sign * lat;
                const AlmanacDay day = almanacDay(catalog::ephemerisTables(), date, latDeg, 18.96, utc);
                const detail::PositionTrack track(catalog::ephemerisTables(), day.startJdUt - 0.3, day.endJdUt + 0.3);
                for (int b = 0; b < kBodyCount; ++b) {
                    SCOPED_TRACE(testing::Message() << date.year << "-" << date.month << "-" << date.day
                                                    << " lat " << latDeg << " body " << b);
                    const SkyTarget target = SkyTarget::ofBody(static_cast<Body>(b));
                    const detail::TargetPath path(track, target, latDeg, 18.96);
                    const double h0 = standardHorizonDeg(catalog::ephemerisTables(), target, 0.5 * (day.startJdUt + day.endJdUt));
                    bool above = false, below = false;
                    for (int m = 0; m <= 1440; m += 10) {
                        const double alt = path.altDeg(day.startJdUt + m / 1440.0);
                        (alt >= h0 ? above : below) = true;
                    }
                    const BodyDay& bd = day.bodies[static_cast<std::size_t>(b)];
                    EXPECT_FALSE(bd.up == UpState::Always && below);
                    EXPECT_FALSE(bd.up == UpState::Never && above);
                    EXPECT_TRUE(!(above && below) || bd.rise || bd.set);
                    // Refined to under a second: at most 15 deg/h * 0.25 s off the horizon.
                    for (const auto* e : {&bd.rise, &bd.set}) {
                        if (*e) {
                            EXPECT_NEAR(path.altDeg((*e)->jdUt) - h0, 0.0, 1e-3);
                        }
                    }
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(AlmanacNoEvent, PolarDayAndNightAt69North) {
    const auto cet = fixedUtcOffset(3600);
    const AlmanacDay june = almanacDay(catalog::ephemerisTables(), {2026, 6, 21}, 69.65, 18.96, cet);
    EXPECT_EQ(june.bodies[Sun].up, UpState::Always);
    EXPECT_FALSE(june.bodies[Sun].rise || june.bodies[Sun].set);
    EXPECT_TRUE(june.bodies[Sun].transit);
    EXPECT_FALSE(june.civil.beginJdUt || june.civil.endJdUt);
    const AlmanacDay dec = almanacDay(catalog::ephemerisTables(), {2026, 12, 21}, 69.65, 18.96, cet);
    EXPECT_EQ(dec.bodies[Sun].up, UpState::Never);
    // In the polar night the Sun still climbs above -6 degrees at noon.
    EXPECT_TRUE(dec.civil.beginJdUt && dec.civil.endJdUt);
    EXPECT_LT(*dec.civil.beginJdUt, *dec.civil.endJdUt);
}

TEST(AlmanacNoEvent, PolesHaveTheSunUpOrDownAllDay) {
    const auto utc = fixedUtcOffset(0);
    for (const double lat : {90.0, -90.0}) {
        const AlmanacDay june = almanacDay(catalog::ephemerisTables(), {2026, 6, 21}, lat, 0.0, utc);
        const AlmanacDay dec = almanacDay(catalog::ephemerisTables(), {2026, 12, 21}, lat, 0.0, utc);
        EXPECT_EQ(june.bodies[Sun].up, lat > 0 ? UpState::Always : UpState::Never);
        EXPECT_EQ(dec.bodies[Sun].up, lat > 0 ? UpState::Never : UpState::Always);
    }
}

TEST(AlmanacNoEvent, MoonMissesOneRiseAndOneSetAMonth) {
    const auto jst = fixedUtcOffset(kJst);
    int noRise = 0, noSet = 0;
    const auto month = almanacMonth(catalog::ephemerisTables(), 2026, 3, kTokyoLat, kTokyoLon, jst);
    ASSERT_EQ(month.size(), 31u);
    for (const AlmanacDay& d : month) {
        noRise += d.bodies[Moon].rise ? 0 : 1;
        noSet += d.bodies[Moon].set ? 0 : 1;
        EXPECT_EQ(d.bodies[Moon].up, UpState::Sometimes);
    }
    EXPECT_EQ(noRise, 1);
    EXPECT_EQ(noSet, 1);
}

// Grazing Sun: around the winter solstice the noon Sun's upper limb just
// touches the horizon near 67.4 N. Across a fine sweep of latitudes, a rise is
// found exactly when the altitude at transit reaches the horizon.
TEST(AlmanacNoEvent, GrazingSunRisesExactlyWhenTheTransitReachesTheHorizon) {
    const auto utc = fixedUtcOffset(0);
    int grazing = 0;
    for (double lat = 67.0; lat <= 67.8; lat += 0.01) {
        const AlmanacDay d = almanacDay(catalog::ephemerisTables(), {2026, 12, 21}, lat, 0.0, utc);
        const BodyDay& sun = d.bodies[Sun];
        ASSERT_TRUE(sun.transit);
        const bool reaches =
            sun.transit->altDeg >= standardHorizonDeg(catalog::ephemerisTables(), SkyTarget::ofBody(Sun), 0.5 * (d.startJdUt + d.endJdUt));
        EXPECT_EQ(bool(sun.rise), reaches) << lat;
        EXPECT_EQ(bool(sun.set), reaches) << lat;
        if (reaches) {
            EXPECT_LT(sun.rise->jdUt, sun.transit->jdUt);
            EXPECT_GT(sun.set->jdUt, sun.transit->jdUt);
            if (sun.set->jdUt - sun.rise->jdUt < 1.0 / 24.0) ++grazing;
        } else {
            EXPECT_EQ(sun.up, UpState::Never);
        }
    }
    EXPECT_GT(grazing, 0) << "the sweep must include days with under an hour of Sun";
}

// An event belongs to the local day it happens on: moonrise at 23:59:30 is
// that day's, at 00:00:30 the next day's. The zone's offset is chosen to put
// the 2006-01-21 Tokyo moonrise (about 14:16 UT) at those wall times.
TEST(AlmanacDayBoundary, EventJustBeforeAndJustAfterMidnight) {
    const double rise = almanacDay(catalog::ephemerisTables(), {2006, 1, 21}, kTokyoLat, kTokyoLon, fixedUtcOffset(kJst)).bodies[Moon].rise->jdUt;
    const double riseUtSeconds = (rise - (ymdYD(2006, 1, 21) + 0.0)) * 86400.0;  // after 21 Jan 00:00 UT
    for (const int wall : {86400 - 30, 86400 + 30}) {
        const int offset = static_cast<int>(std::lround(wall - riseUtSeconds));
        const auto zone = fixedUtcOffset(offset);
        const AlmanacDay d21 = almanacDay(catalog::ephemerisTables(), {2006, 1, 21}, kTokyoLat, kTokyoLon, zone);
        const AlmanacDay d22 = almanacDay(catalog::ephemerisTables(), {2006, 1, 22}, kTokyoLat, kTokyoLon, zone);
        const AlmanacDay& owner = wall < 86400 ? d21 : d22;
        const AlmanacDay& other = wall < 86400 ? d22 : d21;
        ASSERT_TRUE(owner.bodies[Moon].rise) << wall;
        EXPECT_NEAR((owner.bodies[Moon].rise->jdUt - rise) * 86400.0, 0.0, 1.0);
        if (other.bodies[Moon].rise) {
            EXPECT_GT(std::fabs(other.bodies[Moon].rise->jdUt - rise), 0.5);
        }
        const LocalDateTime local = localDateTime(rise, zone);
        EXPECT_EQ(local.date, owner.date);
    }
}

// A zone with summer time (the European rule: the last Sundays of March and
// October at 01:00 UT, +1 h): the days of the change are 23 and 25 hours long
// and sunrise moves by an hour on the wall clock, not in absolute time.
int londonOffset(double jdUt) {
    const double start = ymdYD(2026, 3, 29) + 1.0 / 24.0;
    const double end = ymdYD(2026, 10, 25) + 1.0 / 24.0;
    return jdUt >= start && jdUt < end ? 3600 : 0;
}

TEST(AlmanacDayBoundary, DaylightSavingChangesInLondon) {
    const UtcOffsetFn zone = londonOffset;
    const double lat = 51.5072, lon = -0.1276;
    const AlmanacDay before = almanacDay(catalog::ephemerisTables(), {2026, 3, 28}, lat, lon, zone);
    const AlmanacDay change = almanacDay(catalog::ephemerisTables(), {2026, 3, 29}, lat, lon, zone);
    EXPECT_NEAR((change.endJdUt - change.startJdUt) * 24.0, 23.0, 1e-6);
    const LocalDateTime r0 = localDateTime(before.bodies[Sun].rise->jdUt, zone);
    const LocalDateTime r1 = localDateTime(change.bodies[Sun].rise->jdUt, zone);
    EXPECT_EQ(r0.utcOffsetSeconds, 0);
    EXPECT_EQ(r1.utcOffsetSeconds, 3600);
    const int wall0 = r0.hour * 60 + r0.minute, wall1 = r1.hour * 60 + r1.minute;
    EXPECT_NEAR(wall1 - wall0, 60 - 2, 1.5);  // an hour later, less two minutes of spring
    const AlmanacDay autumn = almanacDay(catalog::ephemerisTables(), {2026, 10, 25}, lat, lon, zone);
    EXPECT_NEAR((autumn.endJdUt - autumn.startJdUt) * 24.0, 25.0, 1e-6);
    // Every event of those days converts back to its own date.
    for (const AlmanacDay* d : {&change, &autumn}) {
        for (const BodyDay& b : d->bodies) {
            for (const auto* e : {&b.rise, &b.transit, &b.set}) {
                if (*e) {
                    EXPECT_EQ(localDateTime((*e)->jdUt, zone).date, d->date);
                }
            }
        }
    }
}

TEST(AlmanacDayBoundary, LocalTimesRoundTripAndGapsMoveForward) {
    const UtcOffsetFn zone = londonOffset;
    const double t = localToJdUt({2026, 7, 1}, 12 * 3600 + 34 * 60 + 56, zone);
    const LocalDateTime l = localDateTime(t, zone);
    EXPECT_EQ(l.date, (LocalDate{2026, 7, 1}));
    EXPECT_EQ(l.hour * 3600 + l.minute * 60 + l.second, 12 * 3600 + 34 * 60 + 56);
    EXPECT_EQ(l.utcOffsetSeconds, 3600);
    // 01:30 on 29 March does not exist in London: the clock reads 02:30.
    const LocalDateTime g = localDateTime(localToJdUt({2026, 3, 29}, 5400, zone), zone);
    EXPECT_EQ(g.hour * 60 + g.minute, 150);
    EXPECT_EQ(daysInMonth(2026, 2), 28);
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2026, 13), 0);
}

TEST(RiseSet, NextRiseMatchesTheDayTableAndStarsThatNeverRise) {
    const auto jst = fixedUtcOffset(kJst);
    const AlmanacDay d = almanacDay(catalog::ephemerisTables(), {2026, 3, 20}, kTokyoLat, kTokyoLon, jst);
    for (int b = 0; b < kBodyCount; ++b) {
        const auto& rise = d.bodies[static_cast<std::size_t>(b)].rise;
        if (!rise) continue;
        const auto next = nextRise(catalog::ephemerisTables(), SkyTarget::ofBody(static_cast<Body>(b)), kTokyoLat, kTokyoLon, d.startJdUt);
        ASSERT_TRUE(next) << b;
        EXPECT_NEAR((next->jdUt - rise->jdUt) * 86400.0, 0.0, 1.0) << b;
        EXPECT_NEAR(next->azDeg - rise->azDeg, 0.0, 1e-3) << b;
    }
    // Sirius (6h45m, -16.7 deg) rises in Tokyo about 4 minutes earlier each day.
    const SkyTarget sirius = SkyTarget::ofFixed(6.7525, -16.716);
    const auto a = nextRise(catalog::ephemerisTables(), sirius, kTokyoLat, kTokyoLon, d.startJdUt);
    ASSERT_TRUE(a);
    const auto b = nextRise(catalog::ephemerisTables(), sirius, kTokyoLat, kTokyoLon, a->jdUt);
    ASSERT_TRUE(b);
    EXPECT_NEAR((b->jdUt - a->jdUt) * 1440.0, 1436.07, 0.1);
    EXPECT_NEAR(a->altDeg, kCentreHorizonDeg, 1e-4);
    // The south celestial pole's neighbours never rise in Tokyo; Polaris never sets.
    EXPECT_FALSE(nextRise(catalog::ephemerisTables(), SkyTarget::ofFixed(12.0, -80.0), kTokyoLat, kTokyoLon, d.startJdUt, 800.0));
    EXPECT_FALSE(nextSkyEvent(catalog::ephemerisTables(), SkyTarget::ofFixed(2.5, 89.26), SkyEventKind::Set, kTokyoLat, kTokyoLon, d.startJdUt));
    // The Sun at the North Pole in November: next rise in March, months away.
    const auto spring = nextRise(catalog::ephemerisTables(), SkyTarget::ofBody(Sun), 90.0, 0.0, ymdYD(2026, 11, 1), 400.0);
    ASSERT_TRUE(spring);
    const CalendarDate c = ydYMD(spring->jdUt);
    EXPECT_EQ(c.year, 2027);
    EXPECT_EQ(c.month, 3);
}

TEST(AlmanacBadInput, NonFiniteAndOutOfRangeStayFinite) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const UtcOffsetFn wild = [](double) { return 1 << 30; };
    const AlmanacDay days[] = {almanacDay(catalog::ephemerisTables(), {2026, 1, 1}, nan, inf, fixedUtcOffset(0)),
                               almanacDay(catalog::ephemerisTables(), {2026, 1, 0}, 1000.0, -1e9, wild),
                               almanacDay(catalog::ephemerisTables(), {2026, 2, 40}, -90.0, 0.0, UtcOffsetFn{})};
    for (const AlmanacDay& d : days) {
        EXPECT_TRUE(std::isfinite(d.startJdUt) && std::isfinite(d.endJdUt) && std::isfinite(d.moonAgeDays));
        EXPECT_GT(d.endJdUt, d.startJdUt);
        for (const BodyDay& b : d.bodies)
            for (const auto* e : {&b.rise, &b.transit, &b.set})
                if (*e) {
                    EXPECT_TRUE(std::isfinite((*e)->jdUt) && std::isfinite((*e)->azDeg));
                }
    }
    EXPECT_EQ(days[1].date, (LocalDate{2025, 12, 31}));
    EXPECT_EQ(days[2].date, (LocalDate{2026, 3, 12}));
    EXPECT_TRUE(almanacMonth(catalog::ephemerisTables(), 2026, 0, 35.0, 139.0, fixedUtcOffset(0)).empty());
    EXPECT_FALSE(nextRise(catalog::ephemerisTables(), SkyTarget::ofBody(Moon), nan, 0.0, 2461000.5));
    EXPECT_TRUE(principalPhases(catalog::ephemerisTables(), 2461000.5, 2461000.0).empty());
}

}  // namespace
}  // namespace astro
