#include "app/cli/cli_chart_qtcore.h"

#include <chrono>
#include <string>

#include "app/cli/cli_json.h"
#include "app/session/colour_scheme.h"
#include "app/zones/time_zones_qtcore.h"

namespace app {

ChartScene commandLineChart(const CliOptions& opt, const catalog::Catalogue& cat, view::ChartStyle style,
                            std::uint64_t seed) {
    const SkyRequest req = skyRequest(opt, cat, std::chrono::system_clock::now());
    const PictureRequest pic = pictureRequest(opt, req, seed);
    std::string zoneError;
    const std::optional<LocalZone> zone = requestZone(opt, cat, zoneError);
    const PictureSky shown = pictureSky(pic, cat);
    return chartScene(pic, shown, style, req.placeName, zone.value_or(LocalZone{}),
                      schemeForSunAltitude(shown.sky.bodyAltDeg[astro::Sun]));
}

}  // namespace app
