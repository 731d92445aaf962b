#include "view/meteors.h"

#include <cmath>
#include <cstddef>

#include "astro/angles.h"
#include "astro/calendar.h"
#include "view/horizontal.h"
#include "view/projector.h"

namespace view {

namespace {

// Where a meteor starts, as distance from the radiant (degrees), and how its
// length grows with that distance: meteors near the radiant are
// foreshortened, those far from it long.
constexpr double kMinStartDeg = 8.0;
constexpr double kMaxStartDeg = 70.0;
constexpr double kMinLengthFraction = 0.12;
constexpr double kMaxLengthFraction = 0.32;
constexpr double kMaxLengthDeg = 22.0;

// Uniform in [0, 1) from the top 53 bits: the same numbers on every standard
// library, unlike std::uniform_real_distribution.
double uniform01(MeteorRng& rng) { return static_cast<double>(rng() >> 11) * 0x1.0p-53; }

struct Equatorial {
    double raHours;
    double decDeg;
};

// The point `distDeg` from (raHours, decDeg) along position angle `paDeg`
// (from north through east): a step along the great circle through it.
Equatorial offsetAlongGreatCircle(Equatorial from, double distDeg, double paDeg) {
    const double d0 = from.decDeg * astro::kDegToRad;
    const double rho = distDeg * astro::kDegToRad;
    const double pa = paDeg * astro::kDegToRad;
    double sinDec = std::sin(d0) * std::cos(rho) + std::cos(d0) * std::sin(rho) * std::cos(pa);
    sinDec = sinDec > 1.0 ? 1.0 : (sinDec < -1.0 ? -1.0 : sinDec);
    const double dec = std::asin(sinDec);
    const double dRa = std::atan2(std::sin(pa) * std::sin(rho) * std::cos(d0), std::cos(rho) - std::sin(d0) * sinDec);
    return {from.raHours + dRa * astro::kRadToDeg / 15.0, dec * astro::kRadToDeg};
}

}  // namespace

double daysFromMaximum(int year, int month, double day, int maxMonth, int maxDay) {
    const double jd = astro::ymdYD(year, month, std::floor(day));
    double best = 0.0;
    bool first = true;
    for (int y = year - 1; y <= year + 1; ++y) {
        const double diff = jd - astro::ymdYD(y, maxMonth, maxDay);
        if (first || std::fabs(diff) < std::fabs(best)) best = diff;
        first = false;
    }
    return best;
}

double activityProfile(double daysFromMax) {
    const double a = std::fabs(daysFromMax);
    if (!(a <= kShowerWindowDays)) return 0.0;
    return 1.0 - a / (kShowerWindowDays + 1.0);
}

double expectedMeteors(double ratePerHour, double profile, double radiantAltDeg, double stepMinutes) {
    if (!(radiantAltDeg > 0.0) || !(stepMinutes > 0.0) || !(ratePerHour > 0.0) || !(profile > 0.0)) return 0.0;
    const double alt = radiantAltDeg > 90.0 ? 90.0 : radiantAltDeg;
    const double n = ratePerHour * profile * std::sin(alt * astro::kDegToRad) * stepMinutes / 60.0;
    return std::isfinite(n) ? n : 0.0;
}

std::vector<MeteorStreak> meteorStreaks(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat,
                                        const ViewOptions& opt, MeteorRng& rng) {
    std::vector<MeteorStreak> out;
    for (std::size_t row = 1; row < cat.showers.size(); ++row) {
        const catalog::Shower& sh = cat.showers[row];
        const double profile = activityProfile(daysFromMaximum(opt.year, opt.month, opt.day, sh.month, sh.day));
        if (profile <= 0.0) continue;
        const astro::Horizontal radiant = horizontal(sky, sh.raHours, sh.decDeg);
        const double mean = expectedMeteors(sh.ratePerHour, profile, radiant.altDeg, opt.stepMinutes);
        if (mean <= 0.0) continue;
        // The whole part always falls; the fraction falls with its probability.
        const double whole = std::floor(mean);
        int count = static_cast<int>(whole) + (uniform01(rng) < mean - whole ? 1 : 0);
        if (count > kMaxMeteorsPerShower) count = kMaxMeteorsPerShower;

        for (int m = 0; m < count; ++m) {
            const double startDeg = kMinStartDeg + (kMaxStartDeg - kMinStartDeg) * uniform01(rng);
            const double paDeg = 360.0 * uniform01(rng);
            double lengthDeg =
                startDeg * (kMinLengthFraction + (kMaxLengthFraction - kMinLengthFraction) * uniform01(rng));
            if (lengthDeg > kMaxLengthDeg) lengthDeg = kMaxLengthDeg;

            MeteorStreak streak;
            streak.shower = static_cast<int>(row);
            bool inPicture = true;
            for (int p = 0; p < 4 && inPicture; ++p) {
                const Equatorial e =
                    offsetAlongGreatCircle({sh.raHours, sh.decDeg}, startDeg + lengthDeg * p / 3.0, paDeg);
                const astro::Horizontal hz = horizontal(sky, e.raHours, e.decDeg);
                const Placed pr = projector.place(hz.altDeg, hz.azDeg);
                // A meteor that leaves the sky or the picture is not seen in
                // this direction; the other views show their own share.
                inPicture = hz.altDeg >= 0.0 && pr.visible;
                streak.points[p] = pr.at;
                inPicture = inPicture && streak.points[p].x >= 0.0f && streak.points[p].x < projector.frame().meteorMaxX;
            }
            if (inPicture) out.push_back(streak);
        }
    }
    return out;
}

void drawMeteors(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat, const ViewOptions& opt,
                 MeteorRng& rng, Painter& painter) {
    drawMeteorStreaks(meteorStreaks(dir, sky, cat, opt, rng), opt.style, painter);
}

void drawMeteorStreaks(const std::vector<MeteorStreak>& streaks, ChartStyle style, Painter& painter) {
    static constexpr Rgb kScreenColours[3] = {kMeteorTailColour, kMeteorBodyColour, kMeteorHeadColour};
    const Rgb* segmentColour = style == ChartStyle::Print ? kPaperMeteor : kScreenColours;
    for (const MeteorStreak& s : streaks) {
        for (int i = 0; i < 3; ++i) {
            painter.line(s.points[i].x, s.points[i].y, s.points[i + 1].x, s.points[i + 1].y, segmentColour[i]);
        }
    }
}

}  // namespace view
