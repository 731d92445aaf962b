// Finding an object by any name the program knows: the six bodies, the
// Japanese star names and labels, the 88 constellations, the star patterns
// (夏の大三角), the famous clusters, nebulae and galaxies (M42), Bayer and Flamsteed
// designations ("α Ori", "オリオン座α", "58 Ori") and catalogue numbers
// ("HR 2491"). Names are compared after folding, so hiragana and katakana,
// full- and half-width forms (half-width katakana with its voiced marks
// included), letter case and blanks do not matter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"

namespace catalog {

// foldName: the form names are compared in. Half-width katakana becomes
// full-width (ｶﾞ -> ガ), hiragana becomes katakana, full-width ASCII becomes
// ASCII, ASCII letters become lower case, superscript digits plain digits,
// separate voiced marks join their kana; blanks, middle dots and hyphens are
// dropped. Invalid UTF-8 bytes are dropped.
std::string foldName(std::string_view utf8);

enum class NameKind { Body, Star, Constellation, Asterism, DeepSky };

// What a name names. Body: astro::Body index 0..5 (Sun, Moon, Venus, Mars,
// Jupiter, Saturn). Star: row 1..508. Constellation: index 1..88 into
// Catalogue::iauConstellations. Asterism: 1..7 into Catalogue::asterisms.
// DeepSky: row into Catalogue::deepSky.
struct NameTarget {
    NameKind kind = NameKind::Star;
    int id = 0;
    friend bool operator==(const NameTarget&, const NameTarget&) = default;
};

struct NameEntry {
    std::string key;      // foldName(text)
    std::string text;     // as offered to the user: "シリウス", "α CMa", "HR 2491"
    NameTarget target;
    float rankMag = 0.0f; // brighter first when several names fit
    bool designation = false;  // "α CMa", "HR 2491", ...: offered after names
};

class NameIndex {
public:
    explicit NameIndex(const Catalogue& cat);

    // find: the object a typed name means: every entry whose key equals the
    // folded query, the brightest object first (bodies before stars before
    // constellations when equally bright). Only whole names count: "HR 9"
    // is HR 9, never HR 936; empty when no name is the query.
    std::vector<NameTarget> find(std::string_view query) const;

    // candidates: for a query that is no whole name, the names that begin
    // with it (what the user may have meant), names before designations,
    // brighter first, each text once, at most `limit`.
    std::vector<std::string> candidates(std::string_view query, std::size_t limit = 5) const;

    // complete: names to offer while typing: keys starting with the folded
    // query first, then keys containing it, brighter objects first, each
    // text once, at most `limit`.
    std::vector<const NameEntry*> complete(std::string_view query, std::size_t limit = 20) const;

    const std::vector<NameEntry>& entries() const { return entries_; }

private:
    std::vector<NameEntry> entries_;
};

// The Japanese names of the six bodies, by astro::Body index.
inline constexpr const char* kBodyNames[9] = {"太陽", "月", "金星", "火星", "木星", "土星", "水星", "天王星", "海王星"};

// The star of a constellation the finder turns to: its brightest row in the
// star table, or 0 when the table holds none of its stars.
int brightestStarOf(const Catalogue& cat, int iauConstellation);

}  // namespace catalog
