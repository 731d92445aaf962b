// The viewing directions: the design's four quarters of the sky, each a
// small table read by the projection, the sky view and the direction labels,
// and the all-sky view (全天), the whole sky above the horizon as a circle.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace view {

enum class Direction { North = 0, East = 1, South = 2, West = 3, Zenith = 4 };  // 0..3: optDIR index

struct DirectionRule {
    double centreAzDeg;  // azimuth at the middle of the picture
    // Subtracted from |A - centre| so that a point exactly at the centre
    // azimuth does not make the projection degenerate (north keeps 0).
    double offsetEpsDeg;
    // North only: azimuths above 180 become A - 360, so the view runs
    // continuously through 0.
    bool wrapAbove180;
    // Labels under the horizon at x = 2400, 6950, 11300 twips.
    std::array<std::string_view, 3> labels;
};

// The rule of one of the four quarters (the south one for Zenith, which has
// no centre azimuth).
inline const DirectionRule& directionRule(Direction dir) {
    static constexpr std::array<DirectionRule, 4> kRules{{
        {0.0, 0.0, true, {"北西", "北", "北東"}},
        {90.0, 0.0001, false, {"東北", "東", "東南"}},
        {180.0, 0.0001, false, {"南東", "南", "南西"}},
        {270.0, 0.0001, false, {"西南", "西", "西北"}},
    }};
    const int i = static_cast<int>(dir);
    return kRules[(i >= 0 && i < 4) ? i : 2];
}

// What the chart title calls the view: "南の空", ... and "全天".
inline std::string_view directionTitleJa(Direction dir) {
    static constexpr std::array<std::string_view, 5> kTitles{"北の空", "東の空", "南の空", "西の空", "全天"};
    const int i = static_cast<int>(dir);
    return kTitles[(i >= 0 && i < 5) ? i : 2];
}

// The English word of a direction, as the command line and the browser's
// requests spell it: "north", "east", "south", "west", "zenith".
inline constexpr std::array<std::string_view, 5> kDirectionWords{"north", "east", "south", "west", "zenith"};
inline const char* directionWord(Direction dir) {
    const int i = static_cast<int>(dir);
    return kDirectionWords[(i >= 0 && i < 5) ? i : 2].data();
}
// directionFromWord: the direction a word names; nothing for any other text.
inline std::optional<Direction> directionFromWord(std::string_view word) {
    for (std::size_t i = 0; i < kDirectionWords.size(); ++i)
        if (word == kDirectionWords[i]) return static_cast<Direction>(i);
    return std::nullopt;
}

// The one-kanji name of a quarter on buttons and menus: 北, 東, 南, 西.
inline constexpr std::array<std::string_view, 4> kQuarterNamesJa{"北", "東", "南", "西"};

// The eight compass points as the textbooks write them, from north through
// east, with their length in characters (for centring a label).
struct CompassPoint {
    double azDeg;
    std::string_view text;
    int chars;
};
inline constexpr std::array<CompassPoint, 8> kCompassEight{{{0, "北", 1},
                                                           {45, "北東", 2},
                                                           {90, "東", 1},
                                                           {135, "南東", 2},
                                                           {180, "南", 1},
                                                           {225, "南西", 2},
                                                           {270, "西", 1},
                                                           {315, "北西", 2}}};
// The sixteen points, 北, 北北東, 北東, ..., 北北西.
inline constexpr std::array<std::string_view, 16> kCompassSixteen{
    "北", "北北東", "北東", "東北東", "東", "東南東", "南東", "南南東",
    "南", "南南西", "南西", "西南西", "西", "西北西", "北西", "北北西"};

// compassIndex: the nearest of `points` compass points to an azimuth
// (degrees from north through east, any finite value); -1 when not finite.
inline int compassIndex(double azDeg, int points) {
    if (!std::isfinite(azDeg)) return -1;
    double a = std::fmod(azDeg, 360.0);
    if (a < 0.0) a += 360.0;
    return static_cast<int>(std::floor(a / (360.0 / points) + 0.5)) % points;
}

}  // namespace view
