// Reading what a user types or a script sends into the fields of a
// question: one rule for the command line's arguments, the browser's JSON
// requests and the window's dialogs. Messages are English, one line, and
// name the value but not the field: each front end puts its own field name
// ("--at: ", "at: ") in front.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/calendar.h"
#include "catalog/catalog.h"
#include "view/sky_view.h"

namespace app {

// Digits only, at least minLen and at most maxLen of them.
std::optional<int> digitsField(std::string_view s, std::size_t minLen, std::size_t maxLen);

// The parts of a comma list, empty parts included ("a,,b" has three).
std::vector<std::string_view> splitCommas(std::string_view s);

// parseMoment: "YYYY-MM-DD HH:MM" (or with a T between date and time) in
// the program's calendar; the year may carry a minus sign (astronomical
// numbering) and must lie in the date fields' years; a day the month does
// not have is refused. Empty on success (`out` set), else the reason.
std::string parseMoment(std::string_view text, astro::CivilMinute& out);

// The items a picture can show, as a list names them.
inline constexpr const char* kShowItemList =
    "equator, ecliptic, grid, names, constellations, meteors, asterisms, deepsky, bignames";
// showItem: turns on the display option an item names; false for a word
// that names none.
bool showItem(std::string_view item, view::ViewOptions& v);

// chooseConstellations: "all", or figure names of the constellation list,
// chosen in `v` (and the figures turned on). Nothing on success, else the
// first name that is not in the list.
std::optional<std::string> chooseConstellations(const std::vector<std::string_view>& names,
                                                const catalog::Catalogue& cat, view::ViewOptions& v);

// The picture's size factors that can be asked for.
inline constexpr double kMinScale = 0.25;
inline constexpr double kMaxScale = 8.0;

// Text echoed in an error message, as one line of valid UTF-8 whatever the
// bytes were: controls and bytes that are not valid UTF-8 are escaped.
std::string escapedText(std::string_view s);
// The same in single quotes, for a value the user gave.
std::string quotedArgument(std::string_view s);

}  // namespace app
