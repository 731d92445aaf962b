// Reading the date, time and place fields of the window. A field's value is
// the leading number of its text, 0 when the text does not start with one;
// what could not be used is reported per field so the window can say so.
// Pure functions of UTF-8 text; no Qt.
#pragma once

#include <array>
#include <string_view>

#include "astro/sky_state.h"

namespace astro {

enum class FieldStatus {
    Number,     // a number was read and is used as it is
    NoNumber,   // blank or no leading number: the value is 0
    Clamped,    // a number was read but lay outside the field's range: the
                // value is the nearest limit
    NotFinite,  // the number overflows a double (e.g. "1e999"): the value is 0
};

struct FieldValue {
    double value = 0.0;
    FieldStatus status = FieldStatus::NoNumber;
    bool trailingText = false;  // non-blank text after the number was ignored
};

// readLeadingNumber: the numeric value of the leading number of a text.
//   text  UTF-8. Leading blanks (space, tab, line breaks, the ideographic
//         space U+3000) are skipped. A number is an optional sign, digits
//         with an optional decimal point (at least one digit), and an
//         optional exponent e/E with optional sign and at least one digit.
//         Full-width digits, plus, minus and full stop (U+FF10..FF19, U+FF0B,
//         U+FF0D, U+FF0E) count as their ASCII forms. The decimal point is
//         always '.', whatever the locale.
//   returns  the value with status Number; 0 with NoNumber when the text
//            does not start with a number ("inf", "nan", "abc", ""); 0 with
//            NotFinite when it overflows; a number too small for a double
//            reads as 0 (status Number). Never NaN or infinity.
FieldValue readLeadingNumber(std::string_view text);

// readLeadingNumberClamped: readLeadingNumber held to [lo, hi]; a value
// outside becomes the nearest limit with status Clamped.
FieldValue readLeadingNumberClamped(std::string_view text, double lo, double hi);

// readYearOrMonth: the leading number rounded half to even to a whole number,
// then held to the 16-bit range -32768..32767 (status Clamped outside it).
FieldValue readYearOrMonth(std::string_view text);

// The seven fields the computation pass reads, in this order.
enum SkyField : int { FieldYear, FieldMonth, FieldDay, FieldHour, FieldMinute, FieldLat, FieldLon };
inline constexpr int kSkyFieldCount = 7;

struct SkyFieldTexts {
    std::string_view year, month, day, hour, minute;  // txtYMD(0..4), JST
    std::string_view lat;  // txtIDO, degrees north
    std::string_view lon;  // txtKEIDO, degrees east
};

struct SkyFieldsReading {
    SkyInput input;
    std::array<FieldValue, kSkyFieldCount> fields{};  // indexed by SkyField
    // True when every field held a number that is used unchanged.
    bool allNumbers() const;
};

// readSkyFields: the seven field texts turned into the computation pass's
// input. Year and month as readYearOrMonth; day, hour and minute held to the
// pass's limits (kMaxAbsDay, kMaxAbsHour, kMaxAbsMinute in astro.h);
// latitude held to [-90, 90]; a longitude beyond -180..180 reduced to the
// same meridian (status Clamped).
SkyFieldsReading readSkyFields(const SkyFieldTexts& texts);

}  // namespace astro
