#include "app/time_zones.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace app {

std::optional<LocalZone> systemZone(const std::string& ianaName) {
    const QByteArray id = QByteArray::fromStdString(ianaName);
    if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id)) return std::nullopt;
    const QTimeZone tz(id);
    if (!tz.isValid()) return std::nullopt;
    LocalZone z;
    z.name = ianaName;
    z.offset = [tz](double jdUt) {
        const double secs = std::clamp(astro::unixSecondsFromJd(jdUt), -1.0e13, 1.0e13);
        const auto at = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(secs)), Qt::UTC);
        return tz.offsetFromUtc(at);
    };
    return z;
}

LocalZone zoneOrJapan(const std::string& ianaName) {
    const auto z = systemZone(ianaName);
    return z ? *z : LocalZone{};
}

std::string placeZoneName(const catalog::Place& place) {
    return place.timeZone.empty() ? std::string(kJapanZone) : place.timeZone;
}

std::optional<LocalZone> requestZone(const CliOptions& opt, const catalog::Catalogue& cat, std::string& error) {
    std::string name = kJapanZone;
    if (opt.latDeg && !opt.timeZone.empty()) {
        name = opt.timeZone;
    } else if (opt.placeIndex >= 1 && static_cast<std::size_t>(opt.placeIndex) < cat.places.size()) {
        name = placeZoneName(cat.places[static_cast<std::size_t>(opt.placeIndex)]);
    }
    auto zone = systemZone(name);
    // Japan has kept UTC+9 all year since 1951: without zone data its
    // clock is still known.
    if (!zone && name == kJapanZone) zone = LocalZone{};
    if (!zone) {
        error = opt.timeZone.empty() ? "the time zone " + quotedArgument(name) + " is not in the system's zone data"
                                     : "--tz: unknown time zone " + quotedArgument(name);
    }
    return zone;
}

std::string zoneHeading(const LocalZone& zone, double jdUt) {
    if (zone.name == kJapanZone) return "時刻は日本標準時";
    const int off = zone.offset ? zone.offset(jdUt) : 0;
    const int a = std::abs(off);
    std::string utc = std::string("UTC") + (off < 0 ? "-" : "+") + std::to_string(a / 3600);
    if (a % 3600 != 0) {
        const int m = a / 60 % 60;
        utc += std::string(":") + (m < 10 ? "0" : "") + std::to_string(m);
    }
    if (off == 0) utc = "UTC";
    return "時刻は現地時間 (" + zone.name + ", " + utc + ")";
}

}  // namespace app
