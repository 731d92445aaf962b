// The viewing directions: the design's four quarters of the sky, each a
// small table read by the projection, the sky view and the direction labels,
// and the all-sky view (全天), the whole sky above the horizon as a circle.
#pragma once

#include <array>
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

}  // namespace view
