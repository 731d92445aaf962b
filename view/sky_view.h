// One picture of the sky: toward one of the four quarters or, in one
// circle, the whole sky above the horizon.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "astro/sky_state.h"
#include "catalog/catalog.h"
#include "view/chart_style.h"
#include "view/direction.h"
#include "view/hit_test.h"
#include "view/painter.h"

namespace view {

// The display options of the window (check boxes and lists) that the picture reads.
struct ViewOptions {
    bool equator = false;         // chkOP(0) "赤道"
    bool ecliptic = false;        // chkOP(1) "黄道"
    bool altAzLines = false;      // chkOP(2) "高度・方位線"
    bool starNames = false;       // chkOP(3) "星の名前"
    bool constellations = false;  // chkSTR "星座"
    bool meteors = false;         // chkMET "流星群"
    bool asterisms = false;       // 星の並び: 夏の大三角, 北斗七星, ...
    bool deepSky = false;         // 星団・星雲: M42, すばる, ...
    // 大きな星名: star names in full-width kana and every object's name
    // kLargeNameScale times the labels' size (always so in the print style).
    bool largeNames = false;
    // Item c-1 of the constellation list selected <=> selected[c] (1..41).
    std::array<bool, 42> selected{};
    // Date fields as entered (JST) and the time step of lstINTV1, read by the
    // shooting stars.
    int year = 2000;
    int month = 1;
    double day = 1.0;
    int stepMinutes = 15;
    // The window's colours, or the black-on-white chart for paper.
    ChartStyle style = ChartStyle::Screen;
};

// Source of the shooting stars' random numbers; seed it for repeatable pictures.
using MeteorRng = std::mt19937_64;

// Draws the whole picture: clear, horizon, lines, bodies, Moon, stars,
// direction labels, constellation figures, shooting stars. With a record,
// also notes every drawn Sun, Moon, planet, star and shooting star there
// (the record is cleared first; its viewport is kept).
void drawView(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat,
              const ViewOptions& opt, MeteorRng& rng, Painter& painter, DrawRecord* record = nullptr);

struct Trails;  // view/trails.h
class Projector;  // view/projector.h
// The same picture with trails drawn after the lines and before the bodies
// and stars, so every object sits at the end of its own trail.
void drawView(Direction dir, const astro::SkyState& sky, const catalog::Catalogue& cat,
              const ViewOptions& opt, MeteorRng& rng, Painter& painter, const Trails& trails,
              DrawRecord* record = nullptr);
// placesNames: whether a picture's names go through the label placer
// (label_placer.h): every picture but the four quarters' screen style,
// which keeps the design's own layout.
bool placesNames(const Projector& projector, ChartStyle style);
// Any view: the picture its projector frames (the free view's), with trails
// when given.
void drawView(const Projector& projector, const astro::SkyState& sky, const catalog::Catalogue& cat,
              const ViewOptions& opt, MeteorRng& rng, Painter& painter, const Trails* trails = nullptr,
              DrawRecord* record = nullptr);

}  // namespace view

namespace view {

// Colours of the picture.
inline constexpr Rgb kHorizonColour{88, 88, 88};
inline constexpr Rgb kGridColourNight{186, 186, 186};  // Sun below the horizon
inline constexpr Rgb kGridColourDay{77, 77, 77};
inline constexpr Rgb kEquatorColour{240, 48, 48};
inline constexpr Rgb kEclipticColourNight{240, 255, 0};
inline constexpr Rgb kEclipticColourDay{255, 242, 0};
inline constexpr Rgb kBodyColour{224, 80, 16};  // Sun and planets
inline constexpr Rgb kStarColour{240, 208, 0};

inline constexpr float kSunRadiusTwips = 150.0f;

// The large names: 1.6 times the 12-pixel labels, 19 pixels at the design
// size, 3.6 % of the picture's height (39 pixels on a 1080-line projector,
// readable from about 14 m on a 2 m high screen by the usual 1:200 rule).
inline constexpr float kLargeNameScale = 1.6f;

inline constexpr Rgb kDeepSkyColour{150, 230, 170};
inline constexpr float kDeepSkyRadiusTwips = 45.0f;

// Radius of a star's disc: 10 twips per magnitude below 5 (never below 1).
float starRadiusTwips(double magnitude);

}  // namespace view
