#include "app/cli/cli_chart_qtcore.h"

#include <chrono>
#include <string>

#include "app/cli/cli_answers.h"
#include "app/cli/cli_json.h"
#include "app/session/colour_scheme.h"
#include "app/zones/time_zones_qtcore.h"

namespace app {

ChartScene commandLineChart(const CliOptions& opt, const catalog::Catalogue& cat, view::ChartStyle style,
                            std::uint64_t seed) {
    std::string zoneError;
    const std::optional<LocalZone> zone = requestZone(opt, cat, zoneError);
    return optionsChart(opt, cat, style, seed, zone.value_or(LocalZone{}), std::chrono::system_clock::now());
}

}  // namespace app
