#include "app/session/json_requests.h"

#include <cmath>
#include <set>

#include "app/session/almanac_text.h"
#include "app/session/draw_list.h"
#include "app/session/json_reader.h"
#include "app/session/json_writer.h"
#include "app/session/eclipse_text.h"
#include "app/session/planisphere_request.h"
#include "app/session/pointing_json.h"
#include "app/session/moon_card_answer.h"
#include "app/session/orbit_answer.h"
#include "app/session/phase_strip_answer.h"
#include "app/session/request_fields.h"
#include "app/session/sun_path_answer.h"
#include "app/session/time_step.h"
#include "catalog/readings.h"
#include "view/free_projector.h"
#include "view/picture.h"

namespace app {

namespace {

// A refusal; `candidates`, when given, are names a page can offer instead.
std::string errorJson(const std::string& message, const std::vector<std::string>& candidates = {}) {
    JsonObject j;
    j.text("error", message);
    j.integer("status", 2);
    if (!candidates.empty()) j.texts("candidates", candidates);
    return j.done();
}

// A request's members, read one by one; the first problem is kept.
class Members {
public:
    explicit Members(const JsonValue::Object& o) : o_(o) {}

    const JsonValue* get(std::string_view key) {
        used_.insert(std::string(key));
        const auto it = o_.find(key);
        return it == o_.end() || it->second.isNull() ? nullptr : &it->second;
    }
    std::optional<std::string> text(std::string_view key) {
        const JsonValue* v = get(key);
        if (v == nullptr) return std::nullopt;
        if (v->string() == nullptr) return fail(std::string(key) + ": not a string"), std::nullopt;
        return *v->string();
    }
    std::optional<double> number(std::string_view key) {
        const JsonValue* v = get(key);
        if (v == nullptr) return std::nullopt;
        if (v->number() == nullptr) return fail(std::string(key) + ": not a number"), std::nullopt;
        return *v->number();
    }
    // A list of strings, or one string standing for a list of one.
    std::optional<std::vector<std::string>> texts(std::string_view key) {
        const JsonValue* v = get(key);
        if (v == nullptr) return std::nullopt;
        if (v->string() != nullptr) return std::vector<std::string>{*v->string()};
        std::vector<std::string> out;
        if (v->array() != nullptr) {
            for (const JsonValue& item : *v->array()) {
                if (item.string() == nullptr) return fail(std::string(key) + ": not a list of strings"), std::nullopt;
                out.push_back(*item.string());
            }
            return out;
        }
        return fail(std::string(key) + ": not a list of strings"), std::nullopt;
    }
    void fail(std::string why) {
        if (error.empty()) error = std::move(why);
    }
    // After every member was read: one that no question took.
    void checkAllUsed() {
        for (const auto& [key, value] : o_)
            if (!used_.count(key)) return fail("unknown member " + quotedArgument(key));
    }

    std::string error;

private:
    const JsonValue::Object& o_;
    std::set<std::string, std::less<>> used_;
};

SkyQuery readSkyQuery(Members& m, const catalog::Catalogue& cat) {
    SkyQuery q;
    if (const std::optional<std::string> at = m.text("at")) {
        astro::CivilMinute t;
        if (const std::string why = parseMoment(*at, t); !why.empty()) m.fail("at: " + why);
        q.at = t;
    }
    const std::optional<std::string> place = m.text("place");
    const std::optional<double> lat = m.number("lat");
    const std::optional<double> lon = m.number("lon");
    const std::optional<std::string> tz = m.text("tz");
    if (place && (lat || lon)) m.fail("place cannot be given together with lat/lon");
    if (lat.has_value() != lon.has_value()) m.fail(lat ? "lat needs lon as well" : "lon needs lat as well");
    if (place) {
        const int k = catalog::findPlace(cat, *place);
        if (k < 1 || k == catalog::kManualPlace) m.fail("place: unknown place " + quotedArgument(*place));
        q.placeIndex = k;
    }
    if (lat && (*lat < -90.0 || *lat > 90.0)) m.fail("lat: outside -90..90");
    if (lon && (*lon < -180.0 || *lon > 180.0)) m.fail("lon: outside -180..180");
    q.latDeg = lat;
    q.lonDeg = lon;
    if (tz) {
        if (!lat) m.fail("tz applies to a place given by lat/lon");
        if (!plausibleZoneName(*tz)) m.fail("tz: " + quotedArgument(*tz) + " is not a time zone name such as Asia/Tokyo");
        q.timeZone = *tz;
    }
    return q;
}

double readScale(Members& m) {
    const double scale = m.number("scale").value_or(1.0);
    if (!(scale >= kMinScale && scale <= kMaxScale)) m.fail("scale: not a number from 0.25 to 8");
    return scale;
}

// The free view: look {az, alt} (degrees) and fov (degrees across).
struct FreeLookRead {
    view::FreeLook look;
    bool lookGiven = false;
    bool fovGiven = false;
};
FreeLookRead readFreeLook(Members& m) {
    FreeLookRead r;
    const JsonValue* lookValue = m.get("look");
    const std::optional<double> fov = m.number("fov");
    if (lookValue != nullptr) {
        const JsonValue::Object* o = lookValue->object();
        const auto member = [&](const char* key) -> std::optional<double> {
            if (o == nullptr || !o->count(key) || o->at(key).number() == nullptr) return std::nullopt;
            return *o->at(key).number();
        };
        const std::optional<double> az = member("az"), alt = member("alt");
        if (!az || !alt || o->size() != 2 || std::fabs(*az) > 1.0e6 || *alt < -90.0 || *alt > 90.0)
            m.fail("look: not {\"az\": degrees, \"alt\": degrees -90..90}");
        r.look.azDeg = az.value_or(r.look.azDeg);
        r.look.altDeg = alt.value_or(r.look.altDeg);
        r.lookGiven = true;
    }
    if (fov) {
        if (!(*fov >= view::kMinFovDeg && *fov <= view::kMaxFovDeg)) m.fail("fov: not a field of view from 5 to 180 degrees");
        r.look.fovDeg = *fov;
        r.fovGiven = true;
    }
    return r;
}

PictureQuery readPictureQuery(Members& m, const catalog::Catalogue& cat) {
    PictureQuery q;
    q.sky = readSkyQuery(m, cat);
    bool free = false;
    if (const std::optional<std::string> dir = m.text("dir")) {
        free = *dir == "free";
        const std::optional<view::Direction> d = view::directionFromWord(*dir);
        if (!d && !free) m.fail("dir: " + quotedArgument(*dir) + " is not north, east, south, west, zenith or free");
        q.direction = d.value_or(view::Direction::South);
    }
    const FreeLookRead look = readFreeLook(m);
    if ((look.lookGiven || look.fovGiven) && !free)
        m.fail(std::string(look.lookGiven ? "look" : "fov") + ": applies to dir \"free\"");
    if (free) q.free = look.look;
    if (const std::optional<std::string> style = m.text("style")) {
        if (*style == "natural") q.style = view::ChartStyle::Natural;
        else if (*style == "screen") q.style = view::ChartStyle::Screen;
        else if (*style == "print") q.style = view::ChartStyle::Print;
        else m.fail("style: " + quotedArgument(*style) + " is not natural, screen or print");
    }
    if (const std::optional<std::vector<std::string>> show = m.texts("show")) {
        for (const std::string& item : *show)
            if (!showItem(item, q.view)) m.fail("show: unknown item " + quotedArgument(item) + " (use " + kShowItemList + ")");
    }
    if (const std::optional<std::vector<std::string>> names = m.texts("constellations")) {
        const std::vector<std::string_view> views(names->begin(), names->end());
        if (const std::optional<std::string> bad = chooseConstellations(views, cat, q.view))
            m.fail("constellations: unknown constellation " + quotedArgument(*bad));
    }
    q.scale = readScale(m);
    if (const std::optional<double> hours = m.number("trails")) {
        if (!(*hours > 0.0 && *hours <= 24.0)) m.fail("trails: not a number of hours above 0, at most 24");
        else q.trailsHours = *hours;
    }
    if (const JsonValue* stamp = m.get("stamp")) {
        if (stamp->boolean() == nullptr) m.fail("stamp: not true or false");
        else q.stamp = *stamp->boolean();
    }
    if (const std::optional<double> seed = m.number("seed")) {
        // Whole numbers a double holds exactly.
        if (!(*seed >= 0.0 && *seed <= 9007199254740992.0) || std::floor(*seed) != *seed)
            m.fail("seed: not a whole number from 0 to 9007199254740992");
        else q.seed = static_cast<std::uint64_t>(*seed);
    }
    return q;
}

std::string placesJson(const catalog::Catalogue& cat) {
    std::string out = "[";
    for (std::size_t i = 1; i < cat.places.size(); ++i) {
        const catalog::Place& p = cat.places[i];
        JsonObject j;
        j.text("name", p.name);
        j.number("lat", p.latDeg, 4);
        j.number("lon", p.lonDeg, 4);
        j.text("zone", placeZoneName(p));
        std::string one = j.done();
        one.pop_back();
        out += (i > 1 ? "," : "") + one;
    }
    return out + "]\n";
}

std::string constellationsJson(const catalog::Catalogue& cat) {
    std::string out = "[";
    for (std::size_t c = 1; c < cat.constellations.size(); ++c)
        out += (c > 1 ? "," : "") + jsonString(cat.constellations[c].name);
    return out + "]\n";
}

// Where the picture meets a device: twips per design pixel and the
// picture's size at scale 1, so the page sizes its canvas by the core's
// numbers.
std::string viewportJson() {
    JsonObject j;
    j.number("twipsPerPixel", view::kTwipsPerPixel, 0);
    j.number("widthPx", view::kSurfaceWidthTwips / view::kTwipsPerPixel, 0);
    j.number("heightPx", view::kSurfaceHeightTwips / view::kTwipsPerPixel, 0);
    return j.done();
}

// "YYYY-MM": a four-digit year and a month 1..12.
std::optional<std::pair<int, int>> readMonth(Members& m) {
    const std::optional<std::string> s = m.text("month");
    if (!s) return m.fail("month: missing (\"YYYY-MM\")"), std::nullopt;
    const auto year = s->size() == 7 && (*s)[4] == '-' ? digitsField(std::string_view(*s).substr(0, 4), 4, 4) : std::nullopt;
    const auto month = year ? digitsField(std::string_view(*s).substr(5), 2, 2) : std::nullopt;
    if (!year || !month || *month < 1 || *month > 12)
        return m.fail("month: " + quotedArgument(*s) + " is not a month \"YYYY-MM\""), std::nullopt;
    return std::pair{*year, *month};
}

// Readings for the page's texts: {"texts": [TEXT, ...], "grade": 0..6}
// gives one array a text, its pieces in order, a plain piece as a string
// and a piece with ruby as [TEXT, READING].
std::string rubyJson(Members& m) {
    const std::optional<std::vector<std::string>> texts = m.texts("texts");
    if (!texts) m.fail("texts: missing");
    const std::optional<double> grade = m.number("grade");
    if (!grade || !(*grade >= 0.0 && *grade <= 6.0) || *grade != std::trunc(*grade))
        m.fail("grade: not a whole number from 0 (every kanji word) to 6");
    m.checkAllUsed();
    if (!m.error.empty()) return errorJson(m.error);
    std::string out = "[";
    for (std::size_t t = 0; t < texts->size(); ++t) {
        out += t > 0 ? ",[" : "[";
        const std::vector<catalog::RubyPiece> pieces = catalog::rubyPieces((*texts)[t], static_cast<int>(*grade));
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            if (p > 0) out += ',';
            out += pieces[p].reading.empty()
                       ? jsonString(pieces[p].text)
                       : "[" + jsonString(pieces[p].text) + "," + jsonString(pieces[p].reading) + "]";
        }
        out += ']';
    }
    return out + "]\n";
}

// A lesson's JSON with its page as a draw list, as one object: {…, "picture": {…}}.
std::string withPicture(std::string json, std::string picture) {
    json.resize(json.size() - 2);  // "}\n"
    picture.pop_back();            // "\n"
    return json + ", \"picture\": " + picture + "}\n";
}

// A step of the timer: up to a year of minutes either way.
constexpr double kMaxStepMinutes = 366 * 24 * 60;

std::string answer(const JsonValue::Object& request, const catalog::Catalogue& cat, const ZoneLookup& zones,
                   Clock::time_point now) {
    Members m(request);
    const std::string op = m.text("op").value_or("");
    if (!m.error.empty()) return errorJson(m.error);
    const bool pictureOp = op == "identify" || op == "drawList" || op == "chartList";
    const bool skyOp = op == "json" || op == "find" || op == "almanac" || op == "tonight" || op == "planisphere" ||
                       op == "eclipses" || op == "eclipse" || op == "sunPath" || op == "phases" || op == "moonCard" ||
                       op == "orbits";
    if (op == "places" || op == "constellations" || op == "now" || op == "viewport") {
        m.checkAllUsed();
        if (!m.error.empty()) return errorJson(m.error);
        if (op == "places") return placesJson(cat);
        if (op == "constellations") return constellationsJson(cat);
        if (op == "now") return nowJson(now);
        return viewportJson();
    }
    if (op == "ruby") return rubyJson(m);
    if (op == "step") {
        // The timer's step, by the program's calendar (the Julian calendar
        // before 1582-10-15, every year -32768..32767), as the window's.
        astro::CivilMinute t;
        const std::optional<std::string> at = m.text("at");
        if (!at) m.fail("at: missing");
        else if (const std::string why = parseMoment(*at, t); !why.empty()) m.fail("at: " + why);
        const std::optional<double> minutes = m.number("minutes");
        if (!minutes || !(std::fabs(*minutes) <= kMaxStepMinutes) || *minutes != std::trunc(*minutes))
            m.fail("minutes: not a whole number of minutes from -527040 to 527040");
        m.checkAllUsed();
        if (!m.error.empty()) return errorJson(m.error);
        const auto next = advanceMinutes(t.year, t.month, t.day, t.hour, t.minute, static_cast<int>(*minutes));
        if (!next) return errorJson("the step leaves the years " + std::to_string(kMinYear) + ".." + std::to_string(kMaxYear));
        return minuteJson({next->year, next->month, next->day, next->hour, next->minute});
    }
    if (!pictureOp && !skyOp) return errorJson("unknown request " + quotedArgument(op));

    PictureQuery picture;
    SkyQuery sky;
    if (pictureOp) {
        picture = readPictureQuery(m, cat);
        sky = picture.sky;
    } else {
        sky = readSkyQuery(m, cat);
    }
    std::string name;
    double x = 0.0, y = 0.0;
    bool allSky = false, json = false, lookGiven = false, seasons = false, worksheet = false;
    astro::Body phaseBody = astro::Venus;
    int phaseEvery = 14, phaseCount = 12, cardEvery = 60;
    double cardFace = 180.0;
    std::optional<astro::Planet> orbitTarget;
    view::OrbitExtent orbitExtent = view::OrbitExtent::Saturn;
    std::string orbitFind;
    std::optional<view::FreeLook> freeLook;
    double scale = 1.0;
    std::optional<std::pair<int, int>> month;
    std::vector<astro::LocalDate> eclipseDates;
    if (op == "find") {
        name = m.text("name").value_or("");
        if (name.empty()) m.fail("name: missing");
        // Finding chooses the quarter itself; the all-sky picture or the
        // free view (with its look, or centred on the object) may be asked for.
        if (const std::optional<std::string> dir = m.text("dir")) {
            if (*dir != "zenith" && *dir != "free") m.fail("dir: finding takes only \"zenith\" or \"free\"");
            allSky = *dir == "zenith";
            if (*dir == "free") {
                const FreeLookRead look = readFreeLook(m);
                freeLook = look.look;
                lookGiven = look.lookGiven;
            }
        }
        scale = readScale(m);
    } else if (op == "identify") {
        const std::optional<double> px = m.number("x"), py = m.number("y");
        if (!px || !py || std::fabs(*px) > 1.0e6 || std::fabs(*py) > 1.0e6) m.fail("x, y: not a pixel");
        x = px.value_or(0.0);
        y = py.value_or(0.0);
    } else if (op == "almanac") {
        month = readMonth(m);
    } else if (op == "eclipses" || op == "eclipse") {
        // eclipses: from, to (years or dates); eclipse: date.
        static const std::vector<std::string> kSpan = {"from", "to"}, kDay = {"date"};
        for (const std::string& key : op == "eclipses" ? kSpan : kDay) {
            const std::optional<std::string> v = m.text(key);
            std::string why;
            if (!v) m.fail(key + ": missing");
            else if (const auto d = readEclipseDate(*v, key == "to", why)) eclipseDates.push_back(*d);
            else m.fail(key + ": " + why);
            if (key == "date" && v && v->size() != 10) m.fail("date: not a date YYYY-MM-DD");
        }
    } else if (op == "sunPath") {
        // 透明半球: the date's path, or seasons: true, or worksheet: true.
        for (const char* key : {"seasons", "worksheet"}) {
            if (const JsonValue* j = m.get(key)) {
                if (j->boolean() == nullptr) m.fail(std::string(key) + ": not true or false");
                else (key[0] == 's' ? seasons : worksheet) = *j->boolean();
            }
        }
    } else if (op == "moonCard") {
        // 月の観察カード: face (north … northwest, 北 … 北西), every (minutes,
        // 1..2880), count (1..8), blank.
        if (const std::optional<std::string> f = m.text("face")) {
            if (const std::optional<double> az = faceAzimuthNamed(*f)) cardFace = *az;
            else m.fail("face: " + quotedArgument(*f) + " is not one of the eight directions");
        }
        const std::optional<double> every = m.number("every"), count = m.number("count");
        if (every && !(*every >= 1.0 && *every <= 2880.0 && *every == std::floor(*every))) m.fail("every: not a whole number of minutes 1..2880");
        if (count && !(*count >= 1.0 && *count <= 8.0 && *count == std::floor(*count))) m.fail("count: not a whole number 1..8");
        cardEvery = every ? static_cast<int>(*every) : 60;
        phaseCount = count ? static_cast<int>(*count) : 3;
        if (const JsonValue* b = m.get("blank")) {
            if (b->boolean() == nullptr) m.fail("blank: not true or false");
            else worksheet = *b->boolean();
        }
    } else if (op == "orbits") {
        // 宇宙から見た図: facing (azimuth, degrees), target (a planet), extent
        // (mars, saturn, neptune); find: a body's pixel on it instead.
        if (const std::optional<double> f = m.number("facing")) {
            if (std::isfinite(*f) && std::fabs(*f) <= 1e6) cardFace = *f;
            else m.fail("facing: not an azimuth in degrees");
        }
        if (const std::optional<std::string> t = m.text("target")) {
            orbitTarget = orbitPlanetNamed(*t);
            if (!orbitTarget || *orbitTarget == astro::Planet::Earth)
                m.fail("target: " + quotedArgument(*t) + " is not a planet to face (水星 … 海王星)");
        }
        if (const std::optional<std::string> e = m.text("extent")) {
            if (const std::optional<view::OrbitExtent> found = orbitExtentNamed(*e)) orbitExtent = *found;
            else m.fail("extent: " + quotedArgument(*e) + " is not mars, saturn or neptune");
        }
        if (const std::optional<std::string> f = m.text("find")) orbitFind = *f;
    } else if (op == "phases") {
        // 満ち欠け: body (金星, 水星, 月), every (days, 1..60), count (1..40).
        if (const std::optional<std::string> b = m.text("body")) {
            if (const std::optional<astro::Body> found = phaseBodyNamed(*b)) phaseBody = *found;
            else m.fail("body: " + quotedArgument(*b) + " has no phases to show (金星, 水星 or 月)");
        }
        const std::optional<double> every = m.number("every"), count = m.number("count");
        if (every && !(*every >= 1.0 && *every <= 60.0 && *every == std::floor(*every))) m.fail("every: not a whole number of days 1..60");
        if (count && !(*count >= 1.0 && *count <= 40.0 && *count == std::floor(*count))) m.fail("count: not a whole number 1..40");
        phaseEvery = every ? static_cast<int>(*every) : 14;
        phaseCount = count ? static_cast<int>(*count) : 12;
    } else if (op == "tonight") {
        if (const JsonValue* j = m.get("json")) {
            if (j->boolean() == nullptr) m.fail("json: not true or false");
            else json = *j->boolean();
        }
    }
    m.checkAllUsed();
    if (!m.error.empty()) return errorJson(m.error);

    std::string zoneError;
    const std::optional<LocalZone> zone = zoneFor(sky, cat, zones, zoneError);
    if (!zone) return errorJson(zoneError);
    if (op == "json") return skyAnswerJson(answerSky(sky, cat, *zone, now), *zone);
    if (op == "almanac") return almanacCsv(answerAlmanacMonth({sky, month->first, month->second}, cat, *zone, now), *zone);
    if (op == "tonight") return tonightAnswerText(answerTonight(sky, cat, *zone, now), *zone, json);
    if (op == "find") {
        const FindResult r = answerFind({sky, name, allSky, scale, freeLook, lookGiven}, cat, *zone, now);
        const std::string error = findErrorText(r, name);
        return error.empty() ? findResultJson(r, scale, *zone) : errorJson(error, r.candidates);
    }
    if (op == "identify") {
        const IdentifyAnswer a = answerIdentify({picture, x, y}, cat, *zone, now);
        return identifyJson(a.point, a.card);
    }
    if (op == "eclipses") {
        const EclipsesAnswer a = answerEclipses(sky, eclipseDates[0], eclipseDates[1], cat, *zone, now);
        return a.why.empty() ? eclipsesJson(a, *zone) : errorJson(a.why);
    }
    if (op == "eclipse") {
        const EclipseAnswer a = answerEclipse(sky, eclipseDates[0], cat, *zone, now);
        if (!a.eclipse) return errorJson(a.why);
        // The JSON with the table the page shows beside it.
        std::string json = eclipseJson(*a.eclipse, *zone);
        json.pop_back();
        json.pop_back();
        JsonObject text;
        text.text("text", eclipseText(*a.eclipse, a.place.placeName, *zone));
        std::string member = text.done();
        // The picture at the local greatest phase, as a draw list.
        std::string picture = eclipseDrawList(eclipseScene(*a.eclipse, eclipseGreatestJdUt(*a.eclipse), a.place.placeName, *zone));
        picture.pop_back();
        member.pop_back();
        member.pop_back();
        return json + ", " + member.substr(1) + ", \"picture\": " + picture + "}\n";
    }
    if (op == "moonCard") {
        const view::MoonCard card = answerMoonCard({sky, cardFace, cardEvery, phaseCount, worksheet}, cat, *zone, now);
        return withPicture(moonCardJson(card, *zone), moonCardDrawList(card));
    }
    if (op == "orbits") {
        const OrbitAnswer a = answerOrbits({sky, cardFace, orbitTarget, orbitExtent}, cat, *zone, now);
        if (!orbitFind.empty()) {
            const std::optional<std::string> found = orbitFindJson(a, orbitFind);
            return found ? *found : errorJson(orbitNotFoundText(orbitFind));
        }
        return withPicture(orbitJson(a, *zone), orbitDrawList(a.scene, a.extent));
    }
    if (op == "phases") {
        const view::PhaseStrip strip = answerPhaseStrip({sky, phaseBody, phaseEvery, phaseCount}, cat, *zone, now);
        return withPicture(phaseStripJson(strip, *zone), phaseStripDrawList(strip));
    }
    if (op == "sunPath") {
        // The numbers and the page as a draw list.
        const SunPathAnswer a = answerSunPath({sky, seasons, worksheet}, cat, *zone, now);
        return withPicture(sunPathJson(a, *zone), sunPathDrawList(a.scene));
    }
    if (op == "planisphere") {
        // The two pages for the place, the hour ring in its standard time.
        const SkyRequest req = skyRequest(sky, cat, now);
        std::string why;
        const std::optional<view::Planisphere> p =
            planisphereOf(req.input.latDeg, req.input.lonDeg, *zone, req.input.year, why);
        if (!p) return errorJson(why);
        std::string out = "{\"fileName\": " + jsonString(planisphereFileName(req.placeName, req.input.latDeg, req.input.lonDeg)) +
                          ", \"pages\": [";
        for (const int page : {1, 2}) {
            std::string list = planispherePageDrawList(*p, cat, req.placeName, page);
            list.pop_back();  // its newline
            out += (page > 1 ? ", " : "") + list;
        }
        return out + "]}\n";
    }
    if (op == "chartList") return chartDrawList(answerChart(picture, view::ChartStyle::Print, cat, *zone, now), cat);
    return answerDrawList(picture, cat, *zone, now);
}

}  // namespace

std::string answerJsonRequest(std::string_view request, const catalog::Catalogue& cat, const ZoneLookup& zones,
                              Clock::time_point now) {
    if (request.size() > kMaxRequestBytes)
        return errorJson("the request is longer than " + std::to_string(kMaxRequestBytes) + " bytes");
    std::string error;
    const std::optional<JsonValue> v = readJson(request, error);
    if (!v) return errorJson("the request is not JSON: " + error);
    if (v->object() == nullptr) return errorJson("the request is not a JSON object");
    return answer(*v->object(), cat, zones, now);
}

}  // namespace app
