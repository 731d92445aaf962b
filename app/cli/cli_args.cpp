// The command-line parser: a pure function of the argument list and the
// catalogue (for place and constellation names). No clock, no files.
#include "app/cli/cli_args.h"

#include "app/session/request_fields.h"
#include "app/session/sky_moments.h"
#include "app/session/zone.h"
#include "view/free_projector.h"
#include "astro/number_text.h"

#include <charconv>
#include <cmath>
#include <set>
#include <string_view>

#include "app/session/time_step.h"

namespace app {

namespace {

constexpr int kMaxFrames = 9999;               // four-digit frame numbers

// Every option, once: its name, whether a value follows, where it applies
// and its lines of --help. The parser and the help text both read it.
enum class Applies {
    Mode,       // chooses the mode
    Place,      // the moment and place, in every mode
    Picture,    // shapes the --render picture (and --identify's)
    TimeLapse,  // a picture over time: --render only
    Film,       // a film's frames
    Flag,       // a mode's switch
};
struct OptionSpec {
    std::string_view name;
    bool takesValue;
    Applies applies;
    std::string_view column;  // the name as --help shows it, with its value
    std::string_view help;    // its lines of --help, joined by '\n'
};

constexpr OptionSpec kOptions[] = {
    {"--json", false, Applies::Mode, "--json",
     "print the computed sky state as one JSON object, with\nthe almanac of the local day containing --at"},
    {"--render", true, Applies::Mode, "--render FILE",
     "draw the sky picture into a file, without a window;\nthe extension chooses the format: .png (pixels),\n"
     ".pdf (one A4 landscape page), .svg (vector drawing);\nFILE \"-\": a PNG on standard output"},
    {"--almanac", true, Applies::Mode, "--almanac YYYY-MM",
     "print the month's almanac as CSV (UTF-8, header row):\ndate, sunrise, sunset, moonrise, moonset (HH:MM local\n"
     "time, empty when there is none), Moon's age at noon,\nprincipal phase of the day, then each planet's rise and\nset (水星 to 海王星)"},
    {"--identify", true, Applies::Mode, "--identify X,Y",
     "name the object at pixel X,Y of the --render picture (the\npicture options apply; FILE.png is optional) as JSON"},
    {"--find", true, Applies::Mode, "--find NAME",
     "where the object called NAME stands (シリウス, しりうす,\nｼﾘｳｽ, α CMa, おおいぬ座α, HR 2491, 木星, オリオン座...):\n"
     "JSON with the picture that shows it, or its next rise\n(--dir zenith: on the all-sky picture, with its frame)"},
    {"--planisphere", true, Applies::Mode, "--planisphere FILE.pdf",
     "the place's planisphere (星座早見盤) as two A4 pages\nto print on card: the star disc and the horizon mask\n"
     "with its instructions; latitudes 10..80 either side"},
    {"--tonight", false, Applies::Mode, "--tonight",
     "今夜の見どころ: the night after --at's date at the place\n(sunset to sunrise) in Japanese sentences: the planets\n"
     "that can be seen (magnitude, constellation, where at 20:00\nand 22:00, rise and set, best time), the Moon, the active\n"
     "meteor showers with the hourly rates to expect, the bright\nstars and constellations high in the south at 20:00;\n"
     "with --json the same as one JSON object"},
    {"--eclipses", true, Applies::Mode, "--eclipses FROM TO",
     "every solar and lunar eclipse between two years (2026)\nor dates (2026-03-03), with whether and how it is seen\n"
     "at the place (日食・月食); with --json a JSON list"},
    {"--eclipse", true, Applies::Mode, "--eclipse DATE",
     "the eclipse of that local date at the place as the\nnational almanac's table (各地予報): contacts, greatest\n"
     "phase, magnitude, altitudes, position angles, rising or\nsetting during it; with --json as JSON"},
    {"--help", false, Applies::Mode, "--help, -h", "print this text"},
    {"-h", false, Applies::Mode, "", ""},
    {"--at", true, Applies::Place, "--at \"YYYY-MM-DD HH:MM\"",
     "Japan Standard Time (UT+9 h, whatever the place);\nyear -32768..32767, month 1..12, a day that\n"
     "exists in that month, hour 0..23, minute 0..59.\nDefault: the computer's clock now."},
    {"--place", true, Applies::Place, "--place NAME", "a place of the place list, e.g. 東京, ホノルル"},
    {"--lat", true, Applies::Place, "--lat DEG --lon DEG",
     "latitude -90..90 (north positive) and longitude\n-180..180 (east positive); give both.\n"
     "Default place, in every mode and in the window:\nthe place the window remembered on 終了 (the file\n"
     "pstart.txt in the working directory), 東京 (35.65,\n139.75) when there is none or it cannot be read."},
    {"--lon", true, Applies::Place, "", ""},
    {"--tz", true, Applies::Place, "--tz ZONE",
     "IANA time zone of a --lat/--lon place for the\nalmanac (default Asia/Tokyo); a listed place\nuses its own zone."},
    {"--dir", true, Applies::Picture, "--dir D",
     "viewing direction: north, east, south (default), west,\nzenith (全天: the whole sky in one circle) or free\n"
     "(自由視点: any direction, shapes kept)"},
    {"--look", true, Applies::Picture, "--look AZ,ALT",
     "where the free view looks: azimuth from north through\neast and altitude, degrees (default 180,35)"},
    {"--fov", true, Applies::Picture, "--fov DEG", "the free view's field of view across, 5..180\n(default 90)"},
    {"--show", true, Applies::Picture, "--show LIST",
     "comma list of: equator, ecliptic, grid (altitude and\nazimuth lines), names (star names), constellations,\n"
     "meteors (shooting stars of active showers),\nasterisms (星の並び: 夏の大三角, 北斗七星, ...),\n"
     "deepsky (星団・星雲: M42, すばる, ...), bignames\n(大きな星名: names in full-width kana, 1.6 times\nthe size)"},
    {"--constellations", true, Applies::Picture, "--constellations LIST",
     "all, or constellation names as in the list\n(e.g. オリオン座,さそり座); also turns figures on"},
    {"--scale", true, Applies::Picture, "--scale N", "picture size factor, 0.25..8 (default 1)"},
    {"--seed", true, Applies::Picture, "--seed N", "seed of the shooting stars, 0..18446744073709551615"},
    {"--trails", true, Applies::TimeLapse, "--trails HOURS",
     "star trails of the HOURS (above 0, at most 24) from\nthe entered moment; the picture is the one of the\n"
     "end moment, each object at the end of its trail"},
    {"--frames", true, Applies::TimeLapse, "--frames N --every STEP",
     "a time-lapse of N pictures (1..9999), the first at\nthe entered moment, then every STEP: minutes\n"
     "(15; 1..527040), days at the same clock time (1d,\n7d) or sidereal days, the stars back in place\n"
     "(1sd), up to 366 days. FILE.png gives FILE-0001.png ...;\nFILE.gif, FILE.mp4 or FILE.webm one animation\n"
     "(4 pictures a second; --fps) made by ffmpeg. Frame k uses\nthe shooting-star seed N + k - 1. Every frame\n"
     "carries its date, time and place at the top left;\n--no-stamp leaves them out."},
    {"--every", true, Applies::TimeLapse, "", ""},
    {"--fps", true, Applies::TimeLapse, "--fps N", "pictures a second of a GIF, MP4 or WebM film, 1..60\n(default 4)"},
    {"--frame-size", true, Applies::TimeLapse, "--frame-size WxH",
     "every frame of a film this size (even, 64..7680 by\n64..4320), the picture as large as fits, centred;\n"
     "projector: 1920x1080"},
    {"--stamp", false, Applies::Film, "", ""},
    {"--no-stamp", false, Applies::Film, "", ""},
    {"--view", true, Applies::Picture, "--view sunpath|phases|moonlog|orbits",
     "with --render: sunpath, 透明半球, the Sun's path of the\n--at date (a dot every hour, sunrise and sunset) on\n"
     "the textbook's hemisphere; phases, the discs of\n--body (金星, 水星, 月) from the --at date, to one\n"
     "scale and tilted as in the sky (--every 14d, --frames\n12 by default); moonlog, 月の観察カード toward --dir\n"
     "(8 directions); orbits, 宇宙から見た図, the solar\nsystem from the north with the Earth facing --dir or\n"
     "--body (a film with --frames); FILE .png, .pdf (A4),\n.svg or .json. --find NAME --view orbits: a planet's\n"
     "pixel on it"},
    {"--body", true, Applies::Picture, "--body NAME",
     "--view phases: 金星 (default), 水星 or 月; --view orbits:\nthe planet faced, with the line of sight"},
    {"--extent", true, Applies::Picture, "--extent mars|saturn|neptune",
     "--view orbits: how far it reaches (saturn by default;\nmars is all to scale)"},
    {"--seasons", false, Applies::Picture, "--seasons",
     "--view sunpath: the solstices and equinoxes of the\nyear together, in three colours"},
    {"--blank", false, Applies::Picture, "--blank",
     "--view sunpath: the pupils' worksheet, the hemisphere\nand its rim only"},
    {"--style", true, Applies::Picture, "--style S",
     "natural (the sky as the eye sees it: dusk, star\ncolours, the stars the twilight shows; default for\n"
     ".png of --dir free and zenith), screen (the window's\ncolours; default for .png of the four quarters) or\n"
     "print (black on white with a title line and a\nmagnitude legend; default for .pdf and .svg)"},
};

const OptionSpec* optionSpec(std::string_view name) {
    for (const OptionSpec& o : kOptions)
        if (o.name == name) return &o;
    return nullptr;
}

bool takesValue(std::string_view opt) {
    const OptionSpec* o = optionSpec(opt);
    return o != nullptr && o->takesValue;
}
bool isTimeLapseOption(std::string_view opt) {
    const OptionSpec* o = optionSpec(opt);
    return o != nullptr && o->applies == Applies::TimeLapse;
}
// The options that only shape the --render picture.
bool renderOnly(std::string_view opt) {
    const OptionSpec* o = optionSpec(opt);
    return o != nullptr && (o->applies == Applies::Picture || o->applies == Applies::TimeLapse);
}
bool isStampFlag(std::string_view opt) {
    const OptionSpec* o = optionSpec(opt);
    return o != nullptr && o->applies == Applies::Film;
}

// The --help lines of the options that apply so: the column, then the help
// lines, each later line under the first.
std::string helpLines(Applies applies, std::size_t column) {
    std::string out;
    for (const OptionSpec& o : kOptions) {
        if (o.applies != applies || o.column.empty()) continue;
        std::string head = "  " + std::string(o.column);
        head += head.size() < column ? std::string(column - head.size(), ' ') : "  ";
        out += head;
        std::size_t start = 0;
        while (true) {
            const std::size_t nl = o.help.find('\n', start);
            out += std::string(o.help.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start)) + "\n";
            if (nl == std::string_view::npos) break;
            out += std::string(column, ' ');
            start = nl + 1;
        }
    }
    return out;
}

// A whole argument as a finite decimal number; nothing may follow it.
std::optional<double> wholeNumber(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    return astro::readDecimal(s);
}

}  // namespace

namespace {

std::string parseAt(std::string_view s, CliOptions& o) {
    astro::CivilMinute m;
    const std::string error = parseMoment(s, m);
    if (!error.empty()) return "--at: " + error;
    o.year = m.year;
    o.month = m.month;
    o.day = m.day;
    o.hour = m.hour;
    o.minute = m.minute;
    return {};
}

// "YYYY-MM": a four-digit year and a month 1..12.
std::string parseAlmanacMonth(std::string_view s, CliOptions& o) {
    const auto year = s.size() == 7 && s[4] == '-' ? digitsField(s.substr(0, 4), 4, 4) : std::nullopt;
    const auto month = year ? digitsField(s.substr(5), 2, 2) : std::nullopt;
    if (!year || !month) return "--almanac: " + quotedArgument(s) + " is not a month \"YYYY-MM\"";
    if (*month < 1 || *month > 12) return "--almanac: month " + std::to_string(*month) + " is outside 1..12";
    o.almanacYear = *year;
    o.almanacMonth = *month;
    return {};
}

// The shape of an IANA zone name (Asia/Tokyo, America/Argentina/Buenos_Aires,
// Etc/GMT+9, UTC); whether the zone exists is asked of the system's zone
// data when the program runs.
std::string parseTimeZone(std::string_view s, CliOptions& o) {
    if (!plausibleZoneName(s)) return "--tz: " + quotedArgument(s) + " is not a time zone name such as Asia/Tokyo";
    o.timeZone = std::string(s);
    return {};
}

std::string parseShow(std::string_view s, view::ViewOptions& v) {
    for (const std::string_view item : splitCommas(s)) {
        if (!showItem(item, v))
            return "--show: unknown item " + quotedArgument(item) + " (use " + kShowItemList + ")";
    }
    return {};
}

std::string parseConstellations(std::string_view s, const catalog::Catalogue& cat, view::ViewOptions& v) {
    if (const std::optional<std::string> bad = chooseConstellations(splitCommas(s), cat, v))
        return "--constellations: unknown constellation " + quotedArgument(*bad);
    return {};
}

// --trails HOURS, --frames N, --every MINUTES.
std::string parseTimeLapseOption(std::string_view opt, std::string_view value, CliOptions& o) {
    if (opt == "--trails") {
        const auto v = wholeNumber(value);
        if (!v || !(*v > 0.0) || *v > 24.0)
            return "--trails: " + quotedArgument(value) + " is not a number of hours above 0 and at most 24";
        o.trailsHours = *v;
        return {};
    }
    const bool frames = opt == "--frames";
    if (!frames) {
        // Minutes, days (1d, 7d) or sidereal days (1sd).
        const std::string error = parseFilmStep(value, o.everyMinutes, o.everyExactMinutes);
        return error.empty() ? std::string() : "--every: " + quotedArgument(value) + " " + error;
    }
    const int limit = kMaxFrames;
    const auto v = digitsField(value, 1, 6);
    if (!v || *v < 1 || *v > limit)
        return std::string(opt) + ": " + quotedArgument(value) + " is not a whole number from 1 to " + std::to_string(limit);
    o.frames = *v;
    return {};
}

// "X,Y": two finite numbers, pixels of the picture.
std::string parseIdentify(std::string_view value, CliOptions& o) {
    const std::size_t comma = value.find(',');
    const auto x = comma == std::string_view::npos ? std::nullopt : wholeNumber(value.substr(0, comma));
    const auto y = comma == std::string_view::npos ? std::nullopt : wholeNumber(value.substr(comma + 1));
    if (!x || !y || *x < -1.0e6 || *x > 1.0e6 || *y < -1.0e6 || *y > 1.0e6)
        return "--identify: " + quotedArgument(value) + " is not a pixel \"X,Y\"";
    o.identifyXPx = *x;
    o.identifyYPx = *y;
    return {};
}

std::string applyOption(std::string_view opt, std::string_view value, const catalog::Catalogue& cat,
                        CliOptions& o) {
    if (opt == "--identify") return parseIdentify(value, o);
    if (opt == "--find") {
        if (value.empty()) return "--find needs a name";
        o.findName = std::string(value);
        return {};
    }
    if (opt == "--view") {
        if (value != "sunpath" && value != "phases" && value != "moonlog" && value != "orbits")
            return "--view: " + quotedArgument(std::string(value)) + " is not a view (sunpath, phases, moonlog, orbits)";
        o.viewName = std::string(value);
        return {};
    }
    if (opt == "--body") {
        o.bodyName = std::string(value);
        return {};
    }
    if (opt == "--extent") {
        if (value != "mars" && value != "saturn" && value != "neptune")
            return "--extent: " + quotedArgument(std::string(value)) + " is not mars, saturn or neptune";
        o.extentName = std::string(value);
        return {};
    }
    if (opt == "--planisphere") {
        if (value.empty()) return "--planisphere needs a file name";
        o.planispherePath = std::string(value);
        return {};
    }
    if (opt == "--render") {
        if (value.empty()) return "--render needs a file name";
        o.renderPath = std::string(value);
        return {};
    }
    if (opt == "--at") return parseAt(value, o);
    if (opt == "--almanac") return parseAlmanacMonth(value, o);
    if (opt == "--tz") return parseTimeZone(value, o);
    if (opt == "--place") {
        const int k = catalog::findPlace(cat, std::string(value));
        if (k < 1) return "--place: unknown place " + quotedArgument(value);
        if (k == catalog::kManualPlace)
            return "--place: " + quotedArgument(value) + " is the manual-entry slot; give --lat and --lon instead";
        o.placeIndex = k;
        return {};
    }
    if (opt == "--lat" || opt == "--lon") {
        const auto v = wholeNumber(value);
        const bool lat = opt == "--lat";
        const double limit = lat ? 90.0 : 180.0;
        if (!v) return std::string(opt) + ": " + quotedArgument(value) + " is not a number";
        if (*v < -limit || *v > limit)
            return std::string(opt) + ": " + quotedArgument(value) + (lat ? " is outside -90..90" : " is outside -180..180");
        (lat ? o.latDeg : o.lonDeg) = *v;
        return {};
    }
    if (opt == "--dir") {
        if (value == "north") o.direction = view::Direction::North;
        else if (value == "east") o.direction = view::Direction::East;
        else if (value == "south") o.direction = view::Direction::South;
        else if (value == "west") o.direction = view::Direction::West;
        else if (value == "zenith") o.direction = view::Direction::Zenith;
        else if (value == "free") o.freeView = true;
        else if (value == "northeast" || value == "southeast" || value == "southwest" || value == "northwest")
            o.intercardinal = true;  // the moon card's directions
        else return "--dir: " + quotedArgument(value) + " is not north, east, south, west, zenith or free";
        o.dirName = std::string(value);
        return {};
    }
    if (opt == "--look") {
        const std::size_t comma = value.find(',');
        const auto az = comma == std::string_view::npos ? std::nullopt : wholeNumber(value.substr(0, comma));
        const auto alt = comma == std::string_view::npos ? std::nullopt : wholeNumber(value.substr(comma + 1));
        if (!az || !alt || *alt < -90.0 || *alt > 90.0 || std::fabs(*az) > 1.0e6)
            return "--look: " + quotedArgument(value) + " is not \"AZ,ALT\" (degrees, altitude -90..90)";
        o.look = std::pair{*az, *alt};
        return {};
    }
    if (opt == "--fov") {
        const auto v = wholeNumber(value);
        if (!v || *v < view::kMinFovDeg || *v > view::kMaxFovDeg)
            return "--fov: " + quotedArgument(value) + " is not a field of view from 5 to 180 degrees";
        o.fovDeg = *v;
        return {};
    }
    if (opt == "--show") return parseShow(value, o.view);
    if (opt == "--constellations") return parseConstellations(value, cat, o.view);
    if (opt == "--fps") {
        const auto v = digitsField(value, 1, 2);
        if (!v || *v < 1 || *v > 60) return "--fps: " + quotedArgument(value) + " is not a whole number from 1 to 60";
        o.filmFps = static_cast<int>(*v);
        return {};
    }
    if (opt == "--frame-size") {
        const std::string_view text = value == "projector" ? std::string_view("1920x1080") : value;
        const std::size_t x = text.find('x');
        const auto w = x == std::string_view::npos ? std::nullopt : digitsField(text.substr(0, x), 2, 4);
        const auto h = x == std::string_view::npos ? std::nullopt : digitsField(text.substr(x + 1), 2, 4);
        if (!w || !h || *w < 64 || *w > 7680 || *h < 64 || *h > 4320 || *w % 2 != 0 || *h % 2 != 0)
            return "--frame-size: " + quotedArgument(value) +
                   " is not WIDTHxHEIGHT in even pixels, 64..7680 by 64..4320 (or projector)";
        o.filmFrameSize = std::pair<int, int>{static_cast<int>(*w), static_cast<int>(*h)};
        return {};
    }
    if (opt == "--scale") {
        const auto v = wholeNumber(value);
        if (!v || *v < kMinScale || *v > kMaxScale)
            return "--scale: " + quotedArgument(value) + " is not a number from 0.25 to 8";
        o.scale = *v;
        return {};
    }
    if (opt == "--seed") {
        unsigned long long v = 0;
        const auto res = std::from_chars(value.data(), value.data() + value.size(), v);
        if (value.empty() || res.ec != std::errc{} || res.ptr != value.data() + value.size())
            return "--seed: " + quotedArgument(value) + " is not a whole number from 0 to 18446744073709551615";
        o.seed = v;
        return {};
    }
    if (opt == "--style") {
        if (value == "print") o.style = view::ChartStyle::Print;
        else if (value == "screen") o.style = view::ChartStyle::Screen;
        else if (value == "natural") o.style = view::ChartStyle::Natural;
        else return "--style: " + quotedArgument(value) + " is not natural, screen or print";
        return {};
    }
    if (isTimeLapseOption(opt)) return parseTimeLapseOption(opt, value, o);
    return "unknown option " + quotedArgument(opt);
}

}  // namespace

namespace {

// How the place was given: --place or --lat and --lon, and --tz only with them.
std::string placeError(const CliOptions& o) {
    if (o.placeIndex != 0 && (o.latDeg || o.lonDeg)) return "--place cannot be used together with --lat/--lon";
    if (o.latDeg.has_value() != o.lonDeg.has_value())
        return o.latDeg ? "--lat needs --lon as well" : "--lon needs --lat as well";
    if (!o.timeZone.empty() && !o.latDeg) return "--tz applies to a place given by --lat/--lon";
    return {};
}

}  // namespace

CliParse parseCommandLine(const std::vector<std::string>& args, const catalog::Catalogue& cat) {
    CliParse r;
    CliOptions& o = r.options;
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            o.mode = Mode::Help;
            return r;
        }
    }

    std::set<std::string_view> seen;
    bool json = false;
    bool render = false;
    std::string_view firstRenderOnly;
    std::string_view firstTimeLapse;
    std::string_view firstNotForFind;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view opt = args[i];
        if (optionSpec(opt) == nullptr) {
            r.error = opt.starts_with("-") ? "unknown option " + quotedArgument(opt)
                                           : "unexpected argument " + quotedArgument(opt);
            return r;
        }
        if (!seen.insert(opt).second) {
            r.error = std::string(opt) + " is given more than once";
            return r;
        }
        if (!takesValue(opt)) {
            // The switches: --json, --tonight (read below), --stamp/--no-stamp,
            // --seasons and --blank (--view's).
            if (opt == "--json") json = true;
            if (opt == "--seasons") o.seasons = true;
            if (opt == "--blank") o.blank = true;
            if (isStampFlag(opt)) {
                if (seen.count("--stamp") && seen.count("--no-stamp")) {
                    r.error = "--stamp and --no-stamp cannot be used together";
                    return r;
                }
                o.stamp = opt == "--stamp";
            }
            continue;
        }
        if (i + 1 >= args.size()) {
            r.error = std::string(opt) + " needs a value";
            return r;
        }
        const std::string_view value = args[++i];
        if (opt == "--eclipses") {
            // Two values: the span's first and last year or date.
            if (i + 1 >= args.size()) {
                r.error = "--eclipses needs FROM and TO";
                return r;
            }
            o.eclipsesFrom = std::string(value);
            o.eclipsesTo = args[++i];
            continue;
        }
        if (opt == "--eclipse") {
            o.eclipseDate = std::string(value);
            continue;
        }
        if (opt == "--render") render = true;
        if (renderOnly(opt) && firstRenderOnly.empty()) firstRenderOnly = opt;
        if (isTimeLapseOption(opt) && firstTimeLapse.empty()) firstTimeLapse = opt;
        // --find chooses the quarter itself; the all-sky picture or the
        // free view (with its look and field) may be asked for.
        const bool findsIn = (opt == "--dir" && (value == "zenith" || value == "free")) || opt == "--look" ||
                             opt == "--fov" || opt == "--scale" || opt == "--view" || opt == "--extent";
        if (renderOnly(opt) && !findsIn && firstNotForFind.empty()) firstNotForFind = opt;
        r.error = applyOption(opt, value, cat, o);
        if (!r.error.empty()) return r;
    }

    const bool almanac = o.almanacMonth.has_value();
    const bool identify = seen.count("--identify") > 0;
    const bool find = seen.count("--find") > 0;
    const bool planisphere = seen.count("--planisphere") > 0;
    if (seen.count("--tonight")) {
        const char* other = render ? "--render" : almanac ? "--almanac" : identify ? "--identify" : find ? "--find"
                            : planisphere ? "--planisphere" : nullptr;
        if (other != nullptr) {
            r.error = std::string("--tonight and ") + other + " cannot be used together";
        } else if (!firstRenderOnly.empty()) {
            r.error = std::string(firstRenderOnly) + " only applies to --render";
        } else if (seen.count("--stamp") || seen.count("--no-stamp")) {
            r.error = std::string(seen.count("--stamp") ? "--stamp" : "--no-stamp") + " applies to films (--frames)";
        } else {
            r.error = placeError(o);
        }
        o.mode = Mode::Tonight;
        o.tonightJson = json;
        return r;
    }
    const bool eclipses = seen.count("--eclipses") > 0, eclipse = seen.count("--eclipse") > 0;
    if (eclipse && render && !eclipses) {
        // The eclipse's picture: at its greatest phase, or with --frames the
        // textbook's series from its first contact (every 30 minutes unless
        // --every says otherwise).
        const char* other = json ? "--json" : almanac ? "--almanac" : identify ? "--identify" : find ? "--find"
                            : planisphere ? "--planisphere" : nullptr;
        if (other != nullptr) r.error = std::string("--eclipse and ") + other + " cannot be used together";
        else if (o.year) r.error = "--at does not apply to --eclipse (the date is given with it)";
        else if (o.everyMinutes > 0 && o.frames == 0) r.error = "--every needs --frames as well";
        else if (o.everyExactMinutes > 0.0) r.error = "--every for an eclipse is in minutes";
        else r.error = placeError(o);
        if (o.frames > 0 && o.everyMinutes == 0) o.everyMinutes = 30;
        o.mode = Mode::Render;
        return r;
    }
    if (eclipses || eclipse) {
        const char* self = eclipses ? "--eclipses" : "--eclipse";
        const char* other = eclipses && eclipse ? "--eclipse" : render ? "--render" : almanac ? "--almanac"
                            : identify ? "--identify" : find ? "--find" : planisphere ? "--planisphere" : nullptr;
        if (other != nullptr) r.error = std::string(self) + " and " + other + " cannot be used together";
        else if (o.year) r.error = std::string("--at does not apply to ") + self + " (the dates are given with it)";
        else if (!firstRenderOnly.empty()) r.error = std::string(firstRenderOnly) + " only applies to --render";
        else r.error = placeError(o);
        o.mode = eclipses ? Mode::Eclipses : Mode::Eclipse;
        o.eclipseJson = json;
        return r;
    }
    if (seen.count("--view") && o.viewName == "orbits") {
        // 宇宙から見た図: one moment, or a film of --frames moments --every apart;
        // --find gives a planet's pixel on it.
        const bool film = o.frames > 0 || o.everyMinutes > 0;
        const char* other = json ? "--json" : almanac ? "--almanac" : identify ? "--identify"
                            : planisphere ? "--planisphere" : nullptr;
        if (other != nullptr) r.error = std::string("--view and ") + other + " cannot be used together";
        else if (find && render) r.error = "--find and --render cannot be used together";
        else if (!render && !find) r.error = "--view needs --render FILE (.png, .pdf, .svg or .json)";
        else if (seen.count("--seasons") || seen.count("--blank"))
            r.error = std::string(seen.count("--seasons") ? "--seasons" : "--blank") + " does not apply to --view orbits";
        else if (find && (film || seen.count("--body") || seen.count("--dir") || seen.count("--scale")))
            r.error = "--find --view orbits takes the moment, the place and --extent only";
        else if (seen.count("--trails")) r.error = "--trails does not apply to --view orbits";
        else if (film && o.frames == 0) r.error = "--every needs --frames as well";
        else if (o.frames > 0 && o.everyMinutes == 0 && o.everyExactMinutes == 0.0) r.error = "--frames needs --every as well";
        else if (o.everyExactMinutes > 0.0) r.error = "--every for --view orbits is minutes or days (60, 1d)";
        else if ((seen.count("--fps") || seen.count("--frame-size")) && !film)
            r.error = std::string(seen.count("--fps") ? "--fps" : "--frame-size") + " applies to films (--frames)";
        else if (o.freeView || o.direction == view::Direction::Zenith || o.intercardinal)
            r.error = "--view orbits faces north, east, south or west (--dir) or a planet (--body)";
        else if (seen.count("--look") || seen.count("--fov") || seen.count("--style"))
            r.error = "--view orbits draws its own picture (--look, --fov and --style do not apply)";
        else r.error = placeError(o);
        o.mode = find ? Mode::Find : Mode::Render;
        return r;
    }
    if (seen.count("--extent")) {
        r.error = "--extent needs --view orbits";
        return r;
    }
    if (seen.count("--view") && o.viewName == "moonlog") {
        // 月の観察カード: one direction, a few moments --every apart.
        const char* other = json ? "--json" : almanac ? "--almanac" : identify ? "--identify" : find ? "--find"
                            : planisphere ? "--planisphere" : nullptr;
        if (other != nullptr) r.error = std::string("--view and ") + other + " cannot be used together";
        else if (!render) r.error = "--view needs --render FILE (.png, .pdf, .svg or .json)";
        else if (seen.count("--seasons") || seen.count("--body")) r.error = std::string(seen.count("--seasons") ? "--seasons" : "--body") + " does not apply to --view moonlog";
        else if (seen.count("--trails") || seen.count("--fps") || seen.count("--frame-size"))
            r.error = "--view moonlog takes --every and --frames only (not --trails, --fps or --frame-size)";
        else if (o.everyExactMinutes > 0.0) r.error = "--every for --view moonlog is minutes or days (60, 1d)";
        else if (o.frames > 8) r.error = "--view moonlog draws at most 8 Moons (--frames)";
        else if (o.freeView || o.direction == view::Direction::Zenith) r.error = "--view moonlog faces north, northeast … northwest (--dir)";
        else if (seen.count("--look") || seen.count("--fov") || seen.count("--style"))
            r.error = "--view moonlog draws its own card (--look, --fov and --style do not apply)";
        else r.error = placeError(o);
        o.mode = Mode::Render;
        return r;
    }
    if (o.intercardinal) {
        r.error = "--dir " + o.dirName + " is for --view moonlog (the pictures face north, east, south or west)";
        return r;
    }
    if (seen.count("--view") && o.viewName == "phases") {
        // 金星の満ち欠け: a series of dates, every --every days, --frames of them.
        const char* other = json ? "--json" : almanac ? "--almanac" : identify ? "--identify" : find ? "--find"
                            : planisphere ? "--planisphere" : nullptr;
        if (other != nullptr) r.error = std::string("--view and ") + other + " cannot be used together";
        else if (!render) r.error = "--view needs --render FILE (.png, .pdf, .svg or .json)";
        else if (seen.count("--seasons") || seen.count("--blank")) r.error = std::string(seen.count("--seasons") ? "--seasons" : "--blank") + " needs --view sunpath";
        else if (seen.count("--trails") || seen.count("--fps") || seen.count("--frame-size"))
            r.error = "--view phases takes --every and --frames only (not --trails, --fps or --frame-size)";
        else if (o.everyExactMinutes > 0.0 || (o.everyMinutes > 0 && o.everyMinutes % 1440 != 0))
            r.error = "--every for --view phases is in days (14d)";
        else if (o.frames > 40) r.error = "--view phases draws at most 40 discs (--frames)";
        else if (seen.count("--dir") || seen.count("--look") || seen.count("--fov") || seen.count("--style"))
            r.error = "--view phases draws its own picture (--dir, --look, --fov and --style do not apply)";
        else r.error = placeError(o);
        o.mode = Mode::Render;
        return r;
    }
    if (seen.count("--body")) {
        r.error = "--body needs --view phases or --view orbits";
        return r;
    }
    if (seen.count("--view") || seen.count("--seasons") || seen.count("--blank")) {
        // A lesson's picture: the view of a date at a place, into a file.
        const char* other = json ? "--json" : almanac ? "--almanac" : identify ? "--identify" : find ? "--find"
                            : planisphere ? "--planisphere" : nullptr;
        if (!seen.count("--view")) r.error = std::string(seen.count("--seasons") ? "--seasons" : "--blank") + " needs --view sunpath";
        else if (other != nullptr) r.error = std::string("--view and ") + other + " cannot be used together";
        else if (!render) r.error = "--view needs --render FILE (.png, .pdf, .svg or .json)";
        else if (!firstTimeLapse.empty()) r.error = std::string(firstTimeLapse) + " does not apply to --view sunpath";
        else if (seen.count("--dir") || seen.count("--look") || seen.count("--fov") || seen.count("--style"))
            r.error = "--view sunpath draws its own picture (--dir, --look, --fov and --style do not apply)";
        else if (o.seasons && o.blank) r.error = "--seasons and --blank cannot be used together";
        else r.error = placeError(o);
        o.mode = Mode::Render;
        return r;
    }
    if (planisphere && (json || render || o.almanacMonth || seen.count("--identify") || seen.count("--find"))) {
        const char* other = json ? "--json" : render ? "--render" : o.almanacMonth ? "--almanac"
                            : seen.count("--identify") ? "--identify" : "--find";
        r.error = std::string("--planisphere and ") + other + " cannot be used together";
        return r;
    }
    if (planisphere && o.year) {
        r.error = "--at does not apply to --planisphere (a planisphere shows every date and time)";
        return r;
    }
    if (json && render) {
        r.error = "--json and --render cannot be used together";
    } else if (almanac && (json || render)) {
        r.error = json ? "--almanac and --json cannot be used together" : "--almanac and --render cannot be used together";
    } else if (almanac && o.year) {
        r.error = "--at does not apply to --almanac (the month is given by --almanac)";
    } else if ((identify || find) && (json || almanac)) {
        r.error = std::string(identify ? "--identify" : "--find") + " and " + (json ? "--json" : "--almanac") +
                  " cannot be used together";
    } else if (identify && find) {
        r.error = "--identify and --find cannot be used together";
    } else if (find && render) {
        r.error = "--find and --render cannot be used together";
    } else if (identify && !firstTimeLapse.empty()) {
        r.error = std::string(firstTimeLapse) + " does not apply to --identify";
    } else if (find && !firstNotForFind.empty()) {
        r.error = std::string(firstNotForFind) +
                  " does not apply to --find (it chooses the picture itself; --dir zenith asks for the all-sky one, "
                  "--dir free [--look AZ,ALT] [--fov DEG] the free view)";
    } else if (const std::string place = placeError(o); !place.empty()) {
        r.error = place;
    } else if ((seen.count("--stamp") || seen.count("--no-stamp")) && o.frames == 0) {
        r.error = std::string(seen.count("--stamp") ? "--stamp" : "--no-stamp") + " applies to films (--frames)";
    } else if ((seen.count("--look") || seen.count("--fov")) && !o.freeView) {
        r.error = std::string(seen.count("--look") ? "--look" : "--fov") + " applies to the free view (--dir free)";
    } else if ((seen.count("--fps") || seen.count("--frame-size")) && o.frames == 0) {
        r.error = std::string(seen.count("--fps") ? "--fps" : "--frame-size") + " applies to films (--frames)";
    } else if (seen.count("--frame-size") && seen.count("--scale")) {
        r.error = "--frame-size and --scale cannot be used together (the frame size sets the scale)";
    } else if ((o.frames > 0) != (o.everyMinutes > 0)) {
        r.error = o.frames > 0 ? "--frames needs --every as well" : "--every needs --frames as well";
    } else if (!render && !identify && !find && !firstRenderOnly.empty()) {
        r.error = std::string(firstRenderOnly) + " only applies to --render";
    }
    if (!r.error.empty()) return r;
    o.mode = planisphere ? Mode::Planisphere
             : json       ? Mode::Json
             : identify ? Mode::Identify
             : find     ? Mode::Find
             : render   ? Mode::Render
             : almanac  ? Mode::Almanac
                        : Mode::Window;
    return r;
}

std::string usageText() {
    return R"(usage:
  planetarium                      open the window
  planetarium --json [--at "YYYY-MM-DD HH:MM"] [--place NAME | --lat DEG --lon DEG [--tz ZONE]]
  planetarium --render FILE.png|FILE.pdf|FILE.svg [--at ...]
              [--place NAME | --lat DEG --lon DEG]
              [--dir north|east|south|west|zenith]
              [--show equator,ecliptic,grid,names,constellations,meteors,
                      asterisms,deepsky,bignames]
              [--constellations all|NAME,NAME,...] [--scale N] [--seed N]
              [--trails HOURS] [--frames N --every MINUTES [--no-stamp]]
              [--style print|screen]
  planetarium --almanac YYYY-MM [--place NAME | --lat DEG --lon DEG [--tz ZONE]]
  planetarium --identify X,Y [--render FILE.png] [--at ...] [--place ... | --lat ... --lon ...]
              [--dir ...] [--show ...] [--constellations ...] [--scale N] [--seed N]
  planetarium --find NAME [--at ...] [--place ... | --lat ... --lon ... [--tz ZONE]] [--scale N]
  planetarium --eclipses FROM TO [--place ... | --lat ... --lon ... [--tz ZONE]] [--json]
  planetarium --eclipse DATE [--place ... | --lat ... --lon ... [--tz ZONE]] [--json]
  planetarium --render FILE.png|.gif|.mp4|.webm --eclipse DATE [--place ...] [--frames N [--every MINUTES]] [--scale N]
              [--dir zenith]
  planetarium --planisphere FILE.pdf [--place NAME | --lat DEG --lon DEG [--tz ZONE]]
  planetarium --tonight [--json] [--at ...] [--place NAME | --lat DEG --lon DEG [--tz ZONE]]
  planetarium --help

modes:
)" + helpLines(Applies::Mode, 21) + R"(
moment and place (with --json, --render or --almanac; --at not with --almanac):
)" + helpLines(Applies::Place, 27) + R"(
window (no mode): --at and --place or --lat/--lon fill the window's fields
and choose the place as at any start; nothing is drawn until プラネタリウム.

picture options (with --render only):
)" + helpLines(Applies::Picture, 27) + helpLines(Applies::TimeLapse, 27) + R"(
Each option may be given once. Bad arguments print one line naming the
argument and exit with status 2; a file or output that cannot be written
prints one line and exits with status 1, and an existing file is kept.
)";
}

}  // namespace app
