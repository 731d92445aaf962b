// The chart --render writes as PDF, SVG or a print-style PNG, built from the
// command line's options by the session (the window builds its own from its
// controls the same way).
#pragma once

#include <cstdint>

#include "app/cli/cli_args.h"
#include "app/session/chart_scene.h"
#include "catalog/catalog.h"

namespace app {

// commandLineChart: the chart of the options in `style`, the title line
// in the zone the command line asks for (Japan's when it names none it
// knows), the colours of the Sun's altitude.
ChartScene commandLineChart(const CliOptions& opt, const catalog::Catalogue& cat, view::ChartStyle style,
                            std::uint64_t seed);

}  // namespace app
