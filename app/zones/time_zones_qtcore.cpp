#include "app/zones/time_zones_qtcore.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace app {

ZoneLookup systemZoneLookup() {
    return [](const std::string& ianaName) -> std::optional<astro::UtcOffsetFn> {
        const QByteArray id = QByteArray::fromStdString(ianaName);
        if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id)) return std::nullopt;
        const QTimeZone tz(id);
        if (!tz.isValid()) return std::nullopt;
        return astro::UtcOffsetFn([tz](double jdUt) {
            const double secs = std::clamp(astro::unixSecondsFromJd(jdUt), -1.0e13, 1.0e13);
            const auto at = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(secs)), Qt::UTC);
            return tz.offsetFromUtc(at);
        });
    };
}

std::optional<LocalZone> systemZone(const std::string& ianaName) { return resolveZone(ianaName, systemZoneLookup()); }

LocalZone zoneOrJapan(const std::string& ianaName) {
    const auto z = systemZone(ianaName);
    return z ? *z : LocalZone{};
}

std::optional<LocalZone> requestZone(const CliOptions& opt, const catalog::Catalogue& cat, std::string& error) {
    std::string name = kJapanZone;
    if (opt.latDeg && !opt.timeZone.empty()) {
        name = opt.timeZone;
    } else if (opt.placeIndex >= 1 && static_cast<std::size_t>(opt.placeIndex) < cat.places.size()) {
        name = placeZoneName(cat.places[static_cast<std::size_t>(opt.placeIndex)]);
    }
    const auto zone = systemZone(name);
    if (!zone) {
        error = opt.timeZone.empty() ? "the time zone " + quotedArgument(name) + " is not in the system's zone data"
                                     : "--tz: unknown time zone " + quotedArgument(name);
    }
    return zone;
}

}  // namespace app
