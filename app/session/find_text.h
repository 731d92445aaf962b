// The answer of 天体を探す in words, the same in the window, --find's
// "sentence" and the page: where the object stands, or when it comes up;
// for a constellation or a star pattern, which part of it is up and when it
// is best seen. Times to the minute by astro::localMinute.
#pragma once

#include <string>

#include "app/session/answers.h"

namespace app {

// 「3時12分に東北東から昇ります」, the date in front (「1月16日 3時12分…」)
// when it is not the local day of `nowJdUt`.
std::string riseSentence(const astro::SkyEvent& rise, double nowJdUt, const astro::UtcOffsetFn& zone);

// findSentence: the answer to a found name, one or more sentences each
// ending in 「。」; empty for an unknown name (findErrorText says why).
std::string findSentence(const FindResult& r, const LocalZone& zone);

}  // namespace app
