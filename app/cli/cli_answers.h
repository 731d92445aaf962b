// The command line's answers as text, without Qt and without printing: the
// program prints them, and the browser edition returns the same text to its
// page, so --json, --find, --identify, --almanac and a picture's draw list
// have one path each.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "app/cli/cli_args.h"
#include "app/session/chart_scene.h"
#include "app/session/zone.h"
#include "catalog/catalog.h"

namespace app {

// An answer: the text for standard output, or a one-line error with its
// exit status (2: the request cannot be answered as asked).
struct CliAnswer {
    int status = 0;
    std::string text;   // with a final newline
    std::string error;  // without "planetarium: " and without a newline
};

// The zone a request asks for, through `lookup`: --tz for a --lat/--lon
// place (Asia/Tokyo without it), the place's own zone for --place,
// Asia/Tokyo for the default place; nothing and a one-line `error` for a
// name the zone data does not hold.
std::optional<LocalZone> requestZoneWith(const CliOptions& opt, const catalog::Catalogue& cat, const ZoneLookup& lookup,
                                         std::string& error);

// --json: the sky state and, as its last member, the almanac of the local
// day that contains the moment.
std::string skyAnswer(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone,
                      std::chrono::system_clock::time_point now);

// --find NAME (status 2 for a name that matches nothing whole).
CliAnswer findAnswer(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone,
                     std::chrono::system_clock::time_point now);

// --identify X,Y: what the picture of the options has at that pixel, the
// shooting stars from `seed` (meteorSeed(opt) for the command line).
std::string identifyAnswer(const CliOptions& opt, const catalog::Catalogue& cat,
                           std::chrono::system_clock::time_point now, std::uint64_t seed);

// The chart --render writes as PDF, SVG or a print-style PNG, for the
// options in `style`, the title line in `zone`, the colours of the Sun's
// altitude.
ChartScene optionsChart(const CliOptions& opt, const catalog::Catalogue& cat, view::ChartStyle style,
                        std::uint64_t seed, const LocalZone& zone, std::chrono::system_clock::time_point now);

// --tonight: 今夜の見どころ for the night after the local date of --at, as
// sentences or (opt.tonightJson) JSON.
std::string tonightAnswer(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone,
                          std::chrono::system_clock::time_point now);

// --almanac YYYY-MM: the month as CSV.
std::string almanacAnswer(const CliOptions& opt, const catalog::Catalogue& cat, const LocalZone& zone,
                          std::chrono::system_clock::time_point now);

}  // namespace app
