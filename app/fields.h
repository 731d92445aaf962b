// The seven entry fields of the window (year, month, day, hour, minute,
// latitude, longitude) read as numbers for the computation, with a note for
// every field whose text could not be used as typed.
#pragma once

#include <array>
#include <string>

#include "astro/sky_state.h"

namespace app {

enum Field : int { Year = 0, Month = 1, Day = 2, Hour = 3, Minute = 4, Lat = 5, Lon = 6 };
inline constexpr int kFieldCount = 7;

struct FieldTexts {
    std::array<std::string, kFieldCount> text;  // UTF-8, in Field order
};

enum class FieldIssue {
    None,        // the number was used as typed
    NoNumber,    // no leading number: 0 was used
    NotFinite,   // too large to be a number: a replacement was used
    OutOfRange,  // outside what the field holds: the nearest usable value was used
};

struct FieldNote {
    FieldIssue issue = FieldIssue::None;
    double usedValue = 0.0;  // the value the computation uses
};

struct FieldReading {
    astro::SkyInput input;
    std::array<FieldNote, kFieldCount> notes{};
    bool allUsable() const {
        for (const FieldNote& n : notes)
            if (n.issue != FieldIssue::None) return false;
        return true;
    }
};

// Reads the fields with the computation's own rules (astro/field_text.h):
// the leading number of each text, full-width digits as ASCII, 0 when there
// is none, year and month whole 16-bit numbers, latitude held to +-90.
FieldReading readFields(const FieldTexts& texts);

// A short Japanese sentence for the user saying what was used instead of the
// typed text; empty when the field was used as typed.
std::string fieldNoteText(const FieldNote& note);

// Decimal text of a number for a field: the shortest text that reads back
// as the same double, no leading zeros, no exponent for ordinary values
// ("35.65", "128", "-157.93").
std::string decimalText(double value);

}  // namespace app
