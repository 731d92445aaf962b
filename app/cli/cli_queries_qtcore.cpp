#include "app/cli/cli_queries.h"

#include "app/zones/time_zones_qtcore.h"

namespace app {

std::optional<LocalZone> requestZone(const CliOptions& opt, const catalog::Catalogue& cat, std::string& error) {
    std::optional<LocalZone> zone = zoneFor(skyQuery(opt), cat, systemZoneLookup(), error);
    // The zone --tz named: the message names the option.
    if (!zone && opt.latDeg && !opt.timeZone.empty()) error = "--tz: " + error;
    return zone;
}

ChartScene commandLineChart(const CliOptions& opt, const catalog::Catalogue& cat, view::ChartStyle style,
                            std::uint64_t seed) {
    std::string zoneError;
    const std::optional<LocalZone> zone = requestZone(opt, cat, zoneError);
    return answerChart(pictureQuery(opt, seed), style, cat, zone.value_or(LocalZone{}), Clock::now());
}

}  // namespace app
