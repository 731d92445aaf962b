#include "app/zones/time_zones_qtcore.h"

#include "app/cli/cli_answers.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace app {

namespace {

// A name the zone data could hold: letters, digits and "_+-" in parts
// separated by "/", none of them "." or "..". Anything else never reaches
// the zone data, which opens a file of that name.
bool plausibleZoneName(const std::string& name) {
    if (name.empty() || name.size() > 64 || name.front() == '/' || name.back() == '/') return false;
    std::size_t partStart = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            const std::string part = name.substr(partStart, i - partStart);
            if (part.empty() || part == "." || part == "..") return false;
            partStart = i + 1;
            continue;
        }
        const char c = name[i];
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-' || c == '+';
        if (!ok) return false;
    }
    return true;
}

}  // namespace

ZoneLookup systemZoneLookup() {
    return [](const std::string& ianaName) -> std::optional<astro::UtcOffsetFn> {
        // Every name the zone data holds, its links (Etc/UTC, Asia/Calcutta,
        // Europe/Kiev) included: Qt's list of available ids leaves links out.
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

std::optional<LocalZone> requestZone(const CliOptions& opt, const catalog::Catalogue& cat, std::string& error) {
    return requestZoneWith(opt, cat, systemZoneLookup(), error);
}

}  // namespace app
