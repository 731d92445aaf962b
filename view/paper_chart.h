// What the paper chart prints around the sky: the title line above it (the
// moment, the place and the direction), and below it a magnitude legend and
// the program's name.
#pragma once

#include <optional>
#include <string>

#include "astro/calendar.h"
#include "view/direction.h"
#include "view/free_projector.h"
#include "view/painter.h"

namespace view {


struct ChartHeading {
    astro::CivilMinute moment;  // as entered, Japan Standard Time
    std::string placeName;  // empty for coordinates typed by hand
    double latDeg = 0.0;    // north positive
    double lonDeg = 0.0;    // east positive
    Direction direction = Direction::South;
    // The time on the clocks of a place abroad at that moment.
    std::optional<astro::CivilMinute> localClock;
    // With trails: the end of their span (the moment the sky is drawn at);
    // the title then gives the span, 「15:00〜18:00」.
    std::optional<astro::CivilMinute> until;
    // The free view's look: the title names it instead of the direction.
    std::optional<FreeLook> free;
};

inline constexpr float kTitleX = 300.0f;
inline constexpr float kTitleY = 300.0f;
inline constexpr float kLegendY = 9700.0f;  // centre line of the legend's discs
inline constexpr float kLegendX = 300.0f;
inline constexpr float kLegendStepX = 900.0f;
inline constexpr float kProgramNameX = 12600.0f;
inline constexpr const char* kProgramName = "プラネタリウム";

// The title line, e.g.
//   "2026年1月15日 22:00 日本時間　東京　北緯35.65° 東経139.75°　南の空"
// with "（現地時間 1月15日 3:00）" after the Japanese time for places abroad.
// Numbers are written the same in every locale.
std::string chartTitle(const ChartHeading& heading);

// drawPaperFrame: the title line, the legend (one black disc per magnitude
// 0..4, sized as the chart's stars, each labelled "N等") and the program's
// name. Drawn after the sky, on top of it.
void drawPaperFrame(const ChartHeading& heading, Painter& painter);

}  // namespace view
