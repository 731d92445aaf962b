#include "astro/rise_set.h"

#include <algorithm>
#include <cmath>

#include "astro/delta_t.h"
#include "astro/sky_path.h"

namespace astro {

double sunHorizonDeg(double sunDistAu) {
    if (!(sunDistAu > 0.5 && sunDistAu < 1.5)) sunDistAu = 1.0;
    return -kHorizonRefractionDeg - kSunSemidiameterAt1AuDeg / sunDistAu + kSunParallaxAt1AuDeg / sunDistAu;
}

double standardHorizonDeg(const EphemerisTables& tables, const SkyTarget& target, double jdUt) {
    if (!(target.isBody && target.body == Sun)) return kCentreHorizonDeg;
    return sunHorizonDeg(apparentPlace(tables, SkyBody::Sun, jdTtFromUt(jdUt)).distanceAu);
}

namespace {

constexpr double kMaxSearchDays = 800.0;
constexpr double kChunkDays = 5.0;
// The track reaches this far past each chunk, for the scan's outer samples.
constexpr double kTrackMarginDays = 0.25;
// Crossings are located to 0.2 s: one found within a second after the
// instant asked from is the event that instant already is (a caller asking
// for the rise after the last rise), not a new one.
constexpr double kSameEventDays = 1.0 / 86400.0;

// The first event of `kind` after the instant at horizon altitude h0 (the
// target's standard horizon when none is given), with the Moon seen from the
// surface or from the centre.
std::optional<SkyEvent> firstEvent(const EphemerisTables& tables, const SkyTarget& target, SkyEventKind kind, double latDeg, double lonDeg,
                                   double afterJdUt, double withinDays, std::optional<double> givenH0,
                                   bool topocentricMoon) {
    if (!std::isfinite(latDeg) || !std::isfinite(lonDeg) || !std::isfinite(afterJdUt) ||
        !std::isfinite(withinDays))
        return std::nullopt;
    if (!target.isBody && (!std::isfinite(target.raHours) || !std::isfinite(target.decDeg)))
        return std::nullopt;
    latDeg = std::clamp(latDeg, -90.0, 90.0);
    withinDays = std::clamp(withinDays, 0.0, kMaxSearchDays);

    const double h0 = givenH0 ? *givenH0 : standardHorizonDeg(tables, target, afterJdUt);
    if (!target.isBody && kind != SkyEventKind::Transit) {
        // A fixed point moves on a circle of altitudes between these two.
        const double highest = 90.0 - std::fabs(latDeg - target.decDeg);
        const double lowest = -90.0 + std::fabs(latDeg + target.decDeg);
        if (highest < h0 || lowest >= h0) return std::nullopt;
    }

    const double endJd = afterJdUt + withinDays;
    for (double from = afterJdUt; from < endJd; from += kChunkDays) {
        const double to = std::min(from + kChunkDays, endJd);
        const detail::PositionTrack track(tables, from - kTrackMarginDays, to + kTrackMarginDays,
                                          target.isBody ? detail::maskOf(target.body) : 0u);
        const detail::TargetPath path(track, target, latDeg, lonDeg, topocentricMoon);
        // The Sun's horizon follows its distance, which changes the horizon
        // by under 0.01' in a chunk.
        const double chunkH0 = givenH0                            ? *givenH0
                               : target.isBody && target.body == Sun ? sunHorizonDeg(track.sunDistAu(0.5 * (from + to)))
                                                                     : kCentreHorizonDeg;
        const detail::WindowScan scan = detail::scanWindow(path, from, to, {chunkH0});
        std::optional<double> found;
        if (kind == SkyEventKind::Transit) {
            for (double t : scan.upperCulminations)
                if (t > afterJdUt + kSameEventDays) { found = t; break; }
        } else {
            const bool rising = kind == SkyEventKind::Rise;
            for (const detail::Crossing& c : scan.crossings[0])
                if (c.rising == rising && c.jdUt > afterJdUt + kSameEventDays) { found = c.jdUt; break; }
        }
        if (found) {
            const Horizontal h = path.horizontal(*found);
            return SkyEvent{*found, h.azDeg, h.altDeg};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<SkyEvent> nextSkyEvent(const EphemerisTables& tables, const SkyTarget& target, SkyEventKind kind,
                                     double latDeg, double lonDeg, double afterJdUt, double withinDays) {
    return firstEvent(tables, target, kind, latDeg, lonDeg, afterJdUt, withinDays, std::nullopt, true);
}

std::optional<SkyEvent> nextRise(const EphemerisTables& tables, const SkyTarget& target, double latDeg,
                                 double lonDeg, double afterJdUt, double withinDays) {
    return nextSkyEvent(tables, target, SkyEventKind::Rise, latDeg, lonDeg, afterJdUt, withinDays);
}

std::optional<SkyEvent> nextPictureRise(const EphemerisTables& tables, const SkyTarget& target, double latDeg,
                                        double lonDeg, double afterJdUt, double withinDays) {
    return firstEvent(tables, target, SkyEventKind::Rise, latDeg, lonDeg, afterJdUt, withinDays, 0.0, false);
}

}  // namespace astro
