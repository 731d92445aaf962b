// The seven entry fields of the window (year, month, day, hour, minute,
// latitude, longitude) read as numbers for the computation. The reading
// itself, with a status for every field, is astro::readSkyFields; this adds
// what the window needs around it: owned texts, the user's note and the
// decimal text written back into a field.
#pragma once

#include <array>
#include <string>

#include "astro/field_text.h"

namespace app {

// The field texts as the window holds them, UTF-8, indexed by astro::SkyField.
struct FieldTexts {
    std::array<std::string, astro::kSkyFieldCount> text;
};

astro::SkyFieldsReading readFields(const FieldTexts& texts);

// A short Japanese sentence for the user saying what was used instead of the
// typed text; empty when the field was used as typed.
std::string fieldNoteText(const astro::FieldValue& field);

// Decimal text of a number for a field: the shortest text that reads back
// as the same double, no leading zeros, no exponent for ordinary values
// ("35.65", "128", "-157.93").
std::string decimalText(double value);

}  // namespace app
