// The sky catalogues: stars with their labels and the named-star list,
// constellation figures, meteor showers and observing places. The tables are
// CSV files in catalog/data/, embedded into the program at build time and
// parsed once by loadCatalogue(). Every table is 1-based: element 0 stays
// empty, as the rest of the program indexes by row number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalog {

inline constexpr int kStarCount = 508;
inline constexpr int kNamedStarCount = 20;
inline constexpr int kConstellationCount = 41;
inline constexpr int kIauConstellationCount = 88;
inline constexpr int kShowerCount = 26;
inline constexpr int kPlaceCount = 75;
inline constexpr int kManualPlace = 49;  // "入力": coordinates come from the settings file
// A figure's node list holds at most this many entries, its closing 0 included.
inline constexpr int kMaxFigureNodes = 40;

struct Star {
    double raHours = 0.0;  // mean equator and equinox 2003.5
    double decDeg = 0.0;
    double mag = 0.0;      // visual magnitude
    int hr = 0;            // Bright Star Catalogue number, 0 where there is none
    std::string bayer;     // Greek letter with component digit ("α", "α1"), or ""
    int flamsteed = 0;     // Flamsteed number, 0 where there is none
    std::string constellation;  // IAU abbreviation, e.g. "CMa"
    double bv = 0.0;       // B-V colour index, magnitudes
    bool hasBv = false;
};

// One of the 88 IAU constellations.
struct ConstellationName {
    std::string abbrev;    // "CMa"
    std::string name;      // "おおいぬ座"
    std::string genitive;  // "Canis Majoris"
};

// A Japanese proper name of a star row; a row may have several, the first is
// the one shown.
struct StarName {
    int row = 0;
    std::string name;      // full-width katakana, or kanji ("北極星")
};

struct NamedStar {
    std::string name;
    double raHours = 0.0;
    double decDeg = 0.0;
    double mag = 0.0;
};

struct Constellation {
    std::string name;     // as in the constellation list, e.g. "オリオン座"
    std::string abbrev;   // IAU abbreviation, e.g. "Ori"
    std::string label;    // text printed beside the figure
    int labelOffsetTwips = 0;        // extra downward offset of the label
    // Node list from position 1 (nodes[0]) up: a value k > 0 is star row k,
    // -1 lifts the pen, and the last entry is the closing 0.
    std::vector<std::int16_t> nodes;
};

// One drawn line of a figure: the two star rows it joins.
struct FigureSegment {
    int fromRow = 0;
    int toRow = 0;
};

struct Shower {
    std::string name;
    int month = 0;
    int day = 0;
    double raHours = 0.0;  // radiant
    double decDeg = 0.0;
    int ratePerHour = 0;   // hourly rate at the maximum
};

struct Place {
    std::string name;
    double latDeg = 0.0;  // north positive
    double lonDeg = 0.0;  // east positive
    std::string timeZone; // IANA zone of the local clock there, e.g. "Asia/Tokyo"
};

// A star pattern of the textbooks (夏の大三角, 北斗七星): a path through star
// rows, each neighbouring pair joined by a line.
struct Asterism {
    std::string name;        // "夏の大三角"
    std::string reading;     // "なつのだいさんかく"
    std::vector<int> rows;   // star rows along the path; closed shapes end where they began
};

// A famous cluster, nebula or galaxy (OpenNGC's data).
struct DeepSkyObject {
    std::string id;          // "M42", "h-χ"
    std::string name;        // "オリオン大星雲"
    std::string reading;     // "おりおんだいせいうん"
    std::string kind;        // "散光星雲", "散開星団", "球状星団", "惑星状星雲", "銀河", "超新星残骸"
    double raHours = 0.0;    // mean equator and equinox 2003.5, like the star table
    double decDeg = 0.0;
    double mag = 0.0;        // visual magnitude of the whole object
    double sizeArcmin = 0.0; // largest extent
    // Its name is written beside it unless a brighter one of the table
    // stands within 2 degrees (M20 beside M8, M82 beside M81): the two names
    // would overlap.
    bool named = true;
};

// One strip of the IAU constellation boundaries (Roman 1987), equinox
// B1875: the constellation holds dec >= decLowDeg and raLow <= ra < raHigh,
// unless an earlier strip holds the point.
struct ConstellationBound {
    int constellation = 0;   // index 1..88 into Catalogue::iauConstellations
    double raLowHours = 0.0;
    double raHighHours = 0.0;
    double decLowDeg = 0.0;
};

struct Catalogue {
    std::vector<Star> stars;                   // [0] empty, 1..508
    std::vector<std::string> starLabel;        // parallel to stars; "" for most
    std::vector<NamedStar> namedStars;         // [0] empty, 1..20
    std::vector<Constellation> constellations; // [0] empty, 1..41
    std::vector<Shower> showers;               // [0] empty, 1..26
    std::vector<Place> places;                 // [0] empty, 1..75; 49 is "入力" at (0, 0)
    std::vector<ConstellationName> iauConstellations;  // [0] empty, 1..88, by abbreviation
    std::vector<StarName> starNames;           // in row order
    // Other names users type for an object the program already names
    // (English and common Japanese names, variants): alias -> that name.
    std::vector<std::pair<std::string, std::string>> nameAliases;
    std::vector<Asterism> asterisms;           // [0] empty, 1..7
    std::vector<DeepSkyObject> deepSky;        // [0] empty, then the table's rows
    std::vector<ConstellationBound> constellationBounds;  // in the order they are searched
};

// Parses the embedded tables. Cheap enough to call once at start-up; the
// result is immutable afterwards and passed by reference. Throws
// std::runtime_error naming table and line if an embedded table is malformed,
// which is a build defect (the catalogue tests load every table).
Catalogue loadCatalogue();

// Index of the place with this exact name (trailing blanks of the table
// ignored), or 0 when there is none.
int findPlace(const Catalogue& cat, const std::string& name);

// Index 1..41 of the constellation with this list name, or 0.
int findConstellation(const Catalogue& cat, const std::string& name);

// Index 1..88 of the IAU constellation with this abbreviation, or 0.
int findIauConstellation(const Catalogue& cat, std::string_view abbrev);

// The shown proper name of star row k ("シリウス"), or "" when it has none.
std::string_view starProperName(const Catalogue& cat, int row);

// The star's short designation: Bayer letter and abbreviation ("α CMa",
// "α¹ Cen"), else Flamsteed number ("51 And"), else "HR 3017"; "" for a row
// out of range.
std::string starDesignation(const Catalogue& cat, int row);

// The designation in Japanese: "おおいぬ座 α星", "アンドロメダ座 51番星", else
// the constellation name alone; "" for a row out of range.
std::string starDesignationJa(const Catalogue& cat, int row);

// constellationAt: the IAU constellation (index 1..88 into
// iauConstellations) holding the point at (raHours, decDeg) of the mean
// equator and equinox equinoxJd (Julian day): the point is carried to B1875
// by precession and looked up in the boundary table. 0 for non-finite input.
int constellationAt(const Catalogue& cat, double raHours, double decDeg, double equinoxJd);

// The segments a figure draws: each two neighbouring nodes that are both
// stars, read up to the closing 0.
std::vector<FigureSegment> figureSegments(const Constellation& c);

}  // namespace catalog
