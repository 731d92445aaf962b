#include "app/zones/time_zones_qtcore.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace app {

ZoneLookup systemZoneLookup() {
    return [](const std::string& ianaName) -> std::optional<astro::UtcOffsetFn> {
        // Every name the zone data holds, its links (Etc/UTC, Asia/Calcutta,
        // Europe/Kiev) included: Qt's list of available ids leaves links out.
        // A name of any other shape never reaches QTimeZone, which opens a
        // file of that name.
        if (!plausibleZoneName(ianaName)) return std::nullopt;
        const QByteArray id = QByteArray::fromStdString(ianaName);
        const QTimeZone tz(id);
        if (!tz.isValid()) return std::nullopt;
        return astro::UtcOffsetFn([tz](double jdUt) {
            // The nearest whole second: a Julian day carries about 40 us of
            // rounding, and the instant a clock changes (01:00 UTC) read as
            // 00:59:59.99996 would still get the old offset.
            const double secs = std::clamp(astro::unixSecondsFromJd(jdUt), -1.0e13, 1.0e13);
            const auto at = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::llround(secs)), Qt::UTC);
            return tz.offsetFromUtc(at);
        });
    };
}

std::optional<LocalZone> systemZone(const std::string& ianaName) { return resolveZone(ianaName, systemZoneLookup()); }

LocalZone zoneOrJapan(const std::string& ianaName) {
    const auto z = systemZone(ianaName);
    return z ? *z : LocalZone{};
}

}  // namespace app
