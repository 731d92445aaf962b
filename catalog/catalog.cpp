#include "catalog/catalog.h"

#include <cmath>
#include <stdexcept>
#include <string_view>

#include "astro/star_place.h"
#include "astro/transforms.h"
#include "catalog/csv.h"
#include "catalog/embedded.h"

namespace catalog {
namespace {

// A parsed table whose columns are reached by header name, so a column may
// move without the loader changing. Every fault names table and line.
class Table {
public:
    Table(std::string name, std::string_view text, std::vector<std::string> columns)
        : name_(std::move(name)) {
        CsvParseResult parsed = parseCsv(text);
        if (!parsed.ok()) fail(parsed.errorLine, parsed.error);
        if (parsed.records.empty()) fail(0, "no header row");
        const CsvRecord& header = parsed.records.front();
        for (const std::string& column : columns) {
            int found = -1;
            for (std::size_t i = 0; i < header.size(); ++i) {
                if (header[i] == column) found = static_cast<int>(i);
            }
            if (found < 0) fail(1, "missing column " + column);
            index_.push_back(found);
        }
        records_.assign(parsed.records.begin() + 1, parsed.records.end());
        for (const CsvRecord& r : records_) {
            if (r.size() != header.size()) fail(0, "a record has the wrong number of fields");
        }
    }

    std::size_t size() const { return records_.size(); }

    // Field of record r (0-based, header excluded) in the c-th requested column.
    const std::string& text(std::size_t r, std::size_t c) const { return records_[r][index_[c]]; }

    double number(std::size_t r, std::size_t c) const {
        const auto v = parseDouble(text(r, c));
        if (!v) fail(static_cast<int>(r) + 2, "not a number: '" + text(r, c) + "'");
        return *v;
    }

    // An empty field reads as `fallback`; anything else must be a number.
    double numberOr(std::size_t r, std::size_t c, double fallback) const {
        return text(r, c).empty() ? fallback : number(r, c);
    }

    int integer(std::size_t r, std::size_t c) const {
        const auto v = parseInt(text(r, c));
        if (!v) fail(static_cast<int>(r) + 2, "not an integer: '" + text(r, c) + "'");
        return *v;
    }

    // The 1-based row number in column c, checked to be 1..count and the
    // (r+1)-th, so every table is complete and in order.
    int rowNumber(std::size_t r, std::size_t c, int count) const {
        const int row = integer(r, c);
        if (row != static_cast<int>(r) + 1 || row > count) {
            fail(static_cast<int>(r) + 2, "row number out of sequence");
        }
        return row;
    }

    void expectRows(int count) const {
        if (size() != static_cast<std::size_t>(count)) {
            fail(0, "expected " + std::to_string(count) + " rows, found " + std::to_string(size()));
        }
    }

    [[noreturn]] void fail(int line, const std::string& what) const {
        throw std::runtime_error("embedded table " + name_ + ".csv" +
                                 (line > 0 ? " line " + std::to_string(line) : std::string()) +
                                 ": " + what);
    }

private:
    std::string name_;
    std::vector<CsvRecord> records_;
    std::vector<int> index_;
};

void loadStars(Catalogue& cat) {
    const Table t("stars", embedded::starsCsv(),
                  {"row", "ra_h", "dec_deg", "mag", "hr", "bayer", "flamsteed", "con", "bv"});
    t.expectRows(kStarCount);
    cat.stars.assign(kStarCount + 1, Star{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        Star& s = cat.stars[t.rowNumber(r, 0, kStarCount)];
        s.raHours = t.number(r, 1);
        s.decDeg = t.number(r, 2);
        s.mag = t.number(r, 3);
        s.hr = t.text(r, 4).empty() ? 0 : t.integer(r, 4);
        s.bayer = t.text(r, 5);
        s.flamsteed = t.text(r, 6).empty() ? 0 : t.integer(r, 6);
        s.constellation = t.text(r, 7);
        s.hasBv = !t.text(r, 8).empty();
        s.bv = s.hasBv ? t.number(r, 8) : 0.0;
        if (s.raHours < 0.0 || s.raHours >= 24.0 || s.decDeg < -90.0 || s.decDeg > 90.0) {
            t.fail(static_cast<int>(r) + 2, "position out of range");
        }
    }
}

void loadStarLabels(Catalogue& cat) {
    const Table t("star_labels", embedded::starLabelsCsv(), {"row", "label"});
    cat.starLabel.assign(kStarCount + 1, std::string());
    for (std::size_t r = 0; r < t.size(); ++r) {
        const int row = t.integer(r, 0);
        if (row < 1 || row > kStarCount) t.fail(static_cast<int>(r) + 2, "label row out of range");
        cat.starLabel[row] = t.text(r, 1);
    }
}

void loadNamedStars(Catalogue& cat) {
    const Table t("named_stars", embedded::namedStarsCsv(),
                  {"row", "name", "ra_h", "dec_deg", "mag"});
    t.expectRows(kNamedStarCount);
    cat.namedStars.assign(kNamedStarCount + 1, NamedStar{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        NamedStar& s = cat.namedStars[t.rowNumber(r, 0, kNamedStarCount)];
        s.name = t.text(r, 1);
        s.raHours = t.number(r, 2);
        s.decDeg = t.number(r, 3);
        s.mag = t.number(r, 4);
    }
}

std::vector<std::int16_t> parseNodes(const Table& t, std::size_t r, std::size_t c) {
    std::vector<std::int16_t> nodes;
    std::string_view list = t.text(r, c);
    const int line = static_cast<int>(r) + 2;
    while (!list.empty()) {
        const std::size_t blank = list.find(' ');
        const std::string_view word = list.substr(0, blank);
        list = blank == std::string_view::npos ? std::string_view() : list.substr(blank + 1);
        if (word.empty()) continue;
        const auto v = parseInt(word);
        if (!v || *v < -1 || *v > kStarCount) t.fail(line, "bad figure node '" + std::string(word) + "'");
        nodes.push_back(static_cast<std::int16_t>(*v));
        if (*v == 0) break;
    }
    if (!list.empty()) t.fail(line, "figure nodes after the closing 0");
    if (nodes.empty() || nodes.back() != 0) t.fail(line, "figure list does not end with 0");
    if (nodes.size() > static_cast<std::size_t>(kMaxFigureNodes)) t.fail(line, "figure list too long");
    return nodes;
}

void loadConstellations(Catalogue& cat) {
    const Table t("constellations", embedded::constellationsCsv(),
                  {"number", "name", "abbrev", "label", "label_offset_twips", "nodes"});
    t.expectRows(kConstellationCount);
    cat.constellations.assign(kConstellationCount + 1, Constellation{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        Constellation& c = cat.constellations[t.rowNumber(r, 0, kConstellationCount)];
        c.name = t.text(r, 1);
        c.abbrev = t.text(r, 2);
        c.label = t.text(r, 3);
        c.labelOffsetTwips = t.integer(r, 4);
        c.nodes = parseNodes(t, r, 5);
    }
}

void loadShowers(Catalogue& cat) {
    const Table t("showers", embedded::showersCsv(),
                  {"row", "name", "month", "day", "ra_h", "dec_deg", "rate_per_hour"});
    t.expectRows(kShowerCount);
    cat.showers.assign(kShowerCount + 1, Shower{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        Shower& s = cat.showers[t.rowNumber(r, 0, kShowerCount)];
        s.name = t.text(r, 1);
        s.month = t.integer(r, 2);
        s.day = t.integer(r, 3);
        s.raHours = t.number(r, 4);
        s.decDeg = t.number(r, 5);
        s.ratePerHour = t.integer(r, 6);
    }
}

void loadPlaces(Catalogue& cat) {
    const Table t("places", embedded::placesCsv(), {"k", "name", "lat_deg", "lon_deg", "time_zone"});
    t.expectRows(kPlaceCount);
    cat.places.assign(kPlaceCount + 1, Place{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        Place& p = cat.places[t.rowNumber(r, 0, kPlaceCount)];
        p.name = t.text(r, 1);
        // "入力" has no coordinates of its own: the settings file supplies them.
        p.latDeg = t.numberOr(r, 2, 0.0);
        p.lonDeg = t.numberOr(r, 3, 0.0);
        // An IANA zone name: "Area/Location", letters, digits, '_', '-', '+', '/'.
        p.timeZone = t.text(r, 4);
        const bool wellFormed = p.timeZone.find('/') != std::string::npos &&
                                p.timeZone.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                             "0123456789_-+/") == std::string::npos;
        if (!wellFormed) t.fail(static_cast<int>(r) + 2, "not a time-zone name: '" + p.timeZone + "'");
    }
}

void loadIauConstellations(Catalogue& cat) {
    const Table t("constellation_names", embedded::constellationNamesCsv(), {"abbrev", "name", "genitive"});
    t.expectRows(kIauConstellationCount);
    cat.iauConstellations.assign(1, ConstellationName{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        cat.iauConstellations.push_back({t.text(r, 0), t.text(r, 1), t.text(r, 2)});
    }
}

// Star names refer to rows; the HR column must agree with the star table so
// a name can never drift onto a neighbouring row.
void loadStarNames(Catalogue& cat) {
    const Table t("star_names", embedded::starNamesCsv(), {"row", "hr", "name"});
    cat.starNames.clear();
    for (std::size_t r = 0; r < t.size(); ++r) {
        const int line = static_cast<int>(r) + 2;
        const int row = t.integer(r, 0);
        if (row < 1 || row > kStarCount) t.fail(line, "star row out of range");
        const int hr = t.text(r, 1).empty() ? 0 : t.integer(r, 1);
        if (hr != cat.stars[static_cast<std::size_t>(row)].hr) t.fail(line, "HR does not match the star row");
        if (t.text(r, 2).empty()) t.fail(line, "empty name");
        if (!cat.starNames.empty() && cat.starNames.back().row > row) t.fail(line, "rows out of order");
        cat.starNames.push_back({row, t.text(r, 2)});
    }
}

void loadNameAliases(Catalogue& cat) {
    const Table t("name_aliases", embedded::nameAliasesCsv(), {"alias", "name"});
    cat.nameAliases.clear();
    for (std::size_t r = 0; r < t.size(); ++r) {
        if (t.text(r, 0).empty() || t.text(r, 1).empty()) t.fail(static_cast<int>(r) + 2, "empty alias or name");
        cat.nameAliases.emplace_back(t.text(r, 0), t.text(r, 1));
    }
}

// Star patterns name their stars by HR number, so a pattern cannot drift
// onto another star when the star table is rebuilt.
void loadAsterisms(Catalogue& cat) {
    const Table t("asterisms", embedded::asterismsCsv(), {"name", "reading", "hr_path"});
    cat.asterisms.assign(1, Asterism{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        const int line = static_cast<int>(r) + 2;
        Asterism a{t.text(r, 0), t.text(r, 1), {}};
        std::string_view path = t.text(r, 2);
        while (!path.empty()) {
            const std::size_t blank = path.find(' ');
            const std::string_view field = path.substr(0, blank);
            path = blank == std::string_view::npos ? std::string_view{} : path.substr(blank + 1);
            if (field.empty()) continue;
            const auto hr = parseInt(field);
            int row = 0;
            for (std::size_t k = 1; hr && k < cat.stars.size() && row == 0; ++k) {
                if (cat.stars[k].hr == *hr) row = static_cast<int>(k);
            }
            if (row == 0) t.fail(line, "no star with HR " + std::string(field));
            a.rows.push_back(row);
        }
        if (a.name.empty() || a.rows.size() < 2) t.fail(line, "a pattern needs a name and two stars");
        cat.asterisms.push_back(std::move(a));
    }
}

// The table gives J2000 places; the picture's stars are at the equinox
// 2003.5, and so are these once loaded.
void loadDeepSky(Catalogue& cat) {
    const Table t("deep_sky", embedded::deepSkyCsv(),
                  {"id", "name", "reading", "kind", "ra_hours", "dec_deg", "mag", "size_arcmin"});
    cat.deepSky.assign(1, DeepSkyObject{});
    for (std::size_t r = 0; r < t.size(); ++r) {
        DeepSkyObject o{t.text(r, 0), t.text(r, 1), t.text(r, 2), t.text(r, 3), 0.0, 0.0,
                        t.number(r, 6), t.number(r, 7)};
        const double ra = t.number(r, 4), dec = t.number(r, 5);
        if (o.id.empty() || o.name.empty() || !(ra >= 0.0 && ra < 24.0) || !(dec >= -90.0 && dec <= 90.0))
            t.fail(static_cast<int>(r) + 2, "an object needs an id, a name and a place");
        const astro::Equatorial at = astro::precessMeanPlace(ra, dec, astro::kJ2000Jd, astro::kEquinox2003_5Jd);
        o.raHours = at.raHours;
        o.decDeg = at.decDeg;
        cat.deepSky.push_back(std::move(o));
    }
    for (DeepSkyObject& o : cat.deepSky) {
        for (const DeepSkyObject& b : cat.deepSky) {
            if (&b != &o && !b.id.empty() && b.mag <= o.mag &&
                astro::angularSeparationDeg(o.raHours, o.decDeg, b.raHours, b.decDeg) < 2.0)
                o.named = false;
        }
    }
}

void loadConstellationBounds(Catalogue& cat) {
    const Table t("constellation_bounds", embedded::constellationBoundsCsv(),
                  {"abbrev", "ra_low_10s", "ra_high_10s", "dec_low_2_5arcmin"});
    cat.constellationBounds.clear();
    for (std::size_t r = 0; r < t.size(); ++r) {
        const int c = findIauConstellation(cat, t.text(r, 0));
        if (c == 0) t.fail(static_cast<int>(r) + 2, "unknown constellation '" + t.text(r, 0) + "'");
        cat.constellationBounds.push_back(
            {c, t.number(r, 1) / 360.0, t.number(r, 2) / 360.0, t.number(r, 3) / 24.0});
    }
    // The last strip reaches the south pole, so every point finds one.
    if (cat.constellationBounds.empty() || cat.constellationBounds.back().decLowDeg > -90.0)
        t.fail(0, "the strips do not reach the south pole");
}

std::string_view withoutTrailingBlanks(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

Catalogue loadCatalogue() {
    Catalogue cat;
    loadStars(cat);
    loadStarLabels(cat);
    loadNamedStars(cat);
    loadPlaces(cat);
    loadConstellations(cat);
    loadShowers(cat);
    loadIauConstellations(cat);
    loadStarNames(cat);
    loadNameAliases(cat);
    loadAsterisms(cat);
    loadDeepSky(cat);
    loadConstellationBounds(cat);
    for (std::size_t k = 1; k < cat.stars.size(); ++k) {
        if (findIauConstellation(cat, cat.stars[k].constellation) == 0) {
            throw std::runtime_error("embedded table stars.csv line " + std::to_string(k + 1) +
                                     ": unknown constellation '" + cat.stars[k].constellation + "'");
        }
    }
    return cat;
}

int findPlace(const Catalogue& cat, const std::string& name) {
    const std::string_view wanted = withoutTrailingBlanks(name);
    if (wanted.empty()) return 0;
    for (std::size_t k = 1; k < cat.places.size(); ++k) {
        if (withoutTrailingBlanks(cat.places[k].name) == wanted) return static_cast<int>(k);
    }
    return 0;
}

int findConstellation(const Catalogue& cat, const std::string& name) {
    if (name.empty()) return 0;
    for (std::size_t c = 1; c < cat.constellations.size(); ++c) {
        if (cat.constellations[c].name == name) return static_cast<int>(c);
    }
    return 0;
}

int findIauConstellation(const Catalogue& cat, std::string_view abbrev) {
    if (abbrev.empty()) return 0;
    for (std::size_t c = 1; c < cat.iauConstellations.size(); ++c) {
        if (cat.iauConstellations[c].abbrev == abbrev) return static_cast<int>(c);
    }
    return 0;
}

int constellationAt(const Catalogue& cat, double raHours, double decDeg, double equinoxJd) {
    if (!std::isfinite(raHours) || !std::isfinite(decDeg) || !std::isfinite(equinoxJd)) return 0;
    // B1875.0 = JD 2405889.25855 (Besselian year 1875.0).
    constexpr double kB1875Jd = 2405889.258550475;
    const astro::Equatorial at = astro::precessMeanPlace(raHours, decDeg, equinoxJd, kB1875Jd);
    for (const ConstellationBound& b : cat.constellationBounds) {
        if (at.decDeg >= b.decLowDeg && at.raHours >= b.raLowHours && at.raHours < b.raHighHours)
            return b.constellation;
    }
    return 0;
}

std::string_view starProperName(const Catalogue& cat, int row) {
    for (const StarName& n : cat.starNames) {
        if (n.row == row) return n.name;
    }
    return {};
}

namespace {

const Star* starAt(const Catalogue& cat, int row) {
    if (row < 1 || static_cast<std::size_t>(row) >= cat.stars.size()) return nullptr;
    return &cat.stars[static_cast<std::size_t>(row)];
}

// "α1" -> "α¹": the component digit of a Bayer letter as it is printed.
std::string bayerPrinted(const std::string& bayer) {
    static constexpr const char* kSuperscript[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string out;
    for (const char c : bayer) {
        if (c >= '0' && c <= '9') out += kSuperscript[c - '0'];
        else out += c;
    }
    return out;
}

}  // namespace

std::string starDesignation(const Catalogue& cat, int row) {
    const Star* s = starAt(cat, row);
    if (s == nullptr) return {};
    if (!s->bayer.empty()) return bayerPrinted(s->bayer) + " " + s->constellation;
    if (s->flamsteed > 0) return std::to_string(s->flamsteed) + " " + s->constellation;
    if (s->hr > 0) return "HR " + std::to_string(s->hr);
    return s->constellation;
}

std::string starDesignationJa(const Catalogue& cat, int row) {
    const Star* s = starAt(cat, row);
    if (s == nullptr) return {};
    const int c = findIauConstellation(cat, s->constellation);
    std::string out = c > 0 ? cat.iauConstellations[static_cast<std::size_t>(c)].name : s->constellation;
    if (!s->bayer.empty()) return out + " " + bayerPrinted(s->bayer) + "星";
    if (s->flamsteed > 0) return out + " " + std::to_string(s->flamsteed) + "番星";
    return out;
}

std::vector<FigureSegment> figureSegments(const Constellation& c) {
    std::vector<FigureSegment> segments;
    for (std::size_t j = 0; j + 1 < c.nodes.size() && c.nodes[j] != 0; ++j) {
        if (c.nodes[j] > 0 && c.nodes[j + 1] > 0) segments.push_back({c.nodes[j], c.nodes[j + 1]});
    }
    return segments;
}

}  // namespace catalog
