// Command-line arguments of the planetarium program. Parsing is a pure
// function of the argument list (and the catalogue, for place and
// constellation names), so it can be tested and fuzzed without a window.
#pragma once

#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "app/session/request_fields.h"
#include "astro/calendar.h"
#include "catalog/catalog.h"
#include "view/sky_view.h"

namespace app {

enum class Mode { Window, Json, Render, Help, Almanac, Identify, Find, Planisphere, Tonight, Eclipses, Eclipse };

struct CliOptions {
    Mode mode = Mode::Window;
    // --at "YYYY-MM-DD HH:MM" (JST); empty: the computer's clock now.
    std::optional<int> year, month, day, hour, minute;
    // --place NAME or --lat/--lon; neither: the default place (東京, or the
    // remembered place for the window and `make run`).
    int placeIndex = 0;  // 1..75 when --place was given
    std::optional<double> latDeg, lonDeg;
    // --render FILE.png and its picture options.
    std::string renderPath;
    view::Direction direction = view::Direction::South;
    // --dir free: the free view (自由視点), looking at --look AZ,ALT
    // (default 180,35) with --fov DEG across the picture (default 90).
    bool freeView = false;
    std::optional<std::pair<double, double>> look;
    std::optional<double> fovDeg;
    view::ViewOptions view;  // --show and --constellations fill the flags
    double scale = 1.0;      // --scale
    std::optional<unsigned long long> seed;  // --seed
    // --trails HOURS: star trails over 0 < HOURS <= 24 from the entered moment.
    std::optional<double> trailsHours;
    // --frames N --every MINUTES: a time-lapse of N pictures, MINUTES apart.
    int frames = 0;  // 0: one picture
    int everyMinutes = 0;
    double everyExactMinutes = 0.0;  // --every Nsd: N sidereal days, in minutes
    // --stamp (the default) / --no-stamp: the date, time and place on every frame.
    bool stamp = true;
    // --fps N: pictures a second of a GIF, MP4 or WebM film (1..60).
    std::optional<int> filmFps;
    // --frame-size WxH (or "projector", 1920x1080): every frame this size.
    std::optional<std::pair<int, int>> filmFrameSize;
    // --tz ZONE: IANA name of the zone of a --lat/--lon place (checked
    // against the system's zone data when the program runs).
    std::string timeZone;
    // --almanac YYYY-MM: the month table.
    std::optional<int> almanacYear, almanacMonth;
    // --style print|screen; unset: screen for PNG, print for PDF and SVG.
    std::optional<view::ChartStyle> style;
    // --identify X,Y: pixel of the --render picture to name (FILE optional).
    double identifyXPx = 0.0;
    double identifyYPx = 0.0;
    // --find NAME: the object to look for.
    std::string findName;
    // --tonight: 今夜の見どころ in sentences, or as JSON with --json.
    bool tonightJson = false;
    // --planisphere FILE.pdf: where to write the planisphere.
    std::string planispherePath;
    // --eclipses FROM TO (years or dates) and --eclipse DATE, as given; with
    // --json the JSON rather than the table.
    std::string eclipsesFrom, eclipsesTo, eclipseDate;
    bool eclipseJson = false;
    // --view sunpath (with --render): a lesson's picture of the --at date;
    // --seasons the solstices and equinoxes, --blank the worksheet.
    std::string viewName;
    bool seasons = false;
    bool blank = false;
    // --body NAME for --view phases (金星 when not given).
    std::string bodyName;
    // --extent mars|saturn|neptune for --view orbits (saturn when not given).
    std::string extentName;
    // --dir as given; northeast … northwest (intercardinal) only for --view moonlog.
    std::string dirName;
    bool intercardinal = false;
};

struct CliParse {
    CliOptions options;
    std::string error;  // one line naming the argument; empty on success
    bool ok() const { return error.empty(); }
};

// argv without the program name.
CliParse parseCommandLine(const std::vector<std::string>& args, const catalog::Catalogue& cat);

// The --help text.
std::string usageText();

}  // namespace app
