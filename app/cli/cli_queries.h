// The command line's options as the session's queries: the parser reads
// argv into CliOptions, these turn them into what the session answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/cli/cli_args.h"
#include "app/session/answers.h"
#include "app/session/zone.h"
#include "catalog/catalog.h"

namespace app {

// --at, --place, --lat/--lon and --tz.
SkyQuery skyQuery(const CliOptions& opt);
// skyRequest: the moment (now when --at is missing) and place (東京 when
// neither --place nor --lat/--lon was given) the options ask about.
SkyRequest skyRequest(const CliOptions& opt, const catalog::Catalogue& cat, Clock::time_point now);

// meteorSeed: --seed, or a fresh seed from the clock and the system's
// random source.
std::uint64_t meteorSeed(const CliOptions& opt);

// The picture of --render, --identify and the film frames: the moment and
// place, --dir, --show and --constellations, --scale, --trails, `seed`.
PictureQuery pictureQuery(const CliOptions& opt, std::uint64_t seed);
PictureRequest pictureRequest(const CliOptions& opt, const SkyRequest& req, std::uint64_t seed);

FindQuery findQuery(const CliOptions& opt);
IdentifyQuery identifyQuery(const CliOptions& opt, std::uint64_t seed);
AlmanacMonthQuery almanacQuery(const CliOptions& opt);

// requestZone: the zone the options ask for, by the system's zone data;
// on failure `error` holds the line to print ("--tz: unknown time zone ...").
std::optional<LocalZone> requestZone(const CliOptions& opt, const catalog::Catalogue& cat, std::string& error);

// commandLineChart: the chart of the options in `style`, the title line in
// the zone the options ask for (Japan's when it is unknown), the colours of
// the Sun's altitude.
ChartScene commandLineChart(const CliOptions& opt, const catalog::Catalogue& cat, view::ChartStyle style,
                            std::uint64_t seed);

}  // namespace app
