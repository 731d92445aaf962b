// 月の観察カード: the Moon toward one direction at a few moments from the
// request's (every `everyMinutes`), as a card to print and as JSON.
#pragma once

#include <string>

#include "app/session/answers.h"
#include "view/moon_card.h"

namespace app {

struct MoonCardQuery {
    SkyQuery sky;             // the first moment (JST) and the place
    double faceAzDeg = 180.0;  // the direction faced
    int everyMinutes = 60;    // 1440 for one time on several days
    int count = 3;            // 1..8
    bool blank = false;
};
view::MoonCard answerMoonCard(const MoonCardQuery& q, const catalog::Catalogue& cat, const LocalZone& zone,
                              Clock::time_point now);
// The same for a request already read (the window's).
view::MoonCard answerMoonCard(const SkyRequest& req, double faceAzDeg, int everyMinutes, int count, bool blank,
                              const LocalZone& zone);

// The direction of a name: north, northeast … northwest (or 北, 北東 …).
std::optional<double> faceAzimuthNamed(const std::string& name);

// {"view": "moonlog", "place", "face": "南西", "blank", "moons": [{"time",
// "altDeg", "azDeg", "illum", "limbAngleDeg", "ageDays", "x", "y", "inside"}]}
// (x, y: the Moon's pixel on the PNG at scale 1, 794 by 1123).
std::string moonCardJson(const view::MoonCard& card, const LocalZone& zone);

}  // namespace app
