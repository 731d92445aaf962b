// Numbers as text, the same whatever the locale and on every toolchain the
// program builds with. Reading goes through fast_float (Debian's
// libfast-float-dev), because the C++ library of some toolchains (the
// browser edition's emscripten among them) has no floating-point
// std::from_chars; writing goes through std::to_chars, which never consults
// the locale. Every decimal the program reads or writes passes here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace astro {

// How reading a decimal ended.
enum class DecimalStatus {
    Ok,
    Overflow,   // a valid number too large for a double ("1e999"); value is +-infinity
    Underflow,  // a valid non-zero number too small ("1e-999"); value is 0
    Invalid,    // no number at the start of the text
};

struct DecimalRead {
    DecimalStatus status = DecimalStatus::Invalid;
    double value = 0.0;
    std::size_t length = 0;  // characters read
};

// readDecimalPrefix: the decimal number (digits with an optional '-', a
// decimal point and an exponent; "inf" and "nan" too, as std::from_chars
// reads them) at the start of `text`. No leading '+' or blanks.
DecimalRead readDecimalPrefix(std::string_view text);

// readDecimal: the whole of `text` as a finite decimal, or nothing (also for
// out-of-range numbers and anything after the number).
std::optional<double> readDecimal(std::string_view text);

// fixedText: `decimals` digits after the point (12.3456, 2 -> "12.35");
// shortestText: the shortest form that reads back to the same double
// (35.65 -> "35.65"); significantText: `digits` significant digits in the
// shorter of fixed and scientific notation. "nan", "inf" or "-inf" for
// non-finite values.
std::string fixedText(double value, int decimals);
std::string shortestText(double value);
// fixedShortestText: the shortest fixed form (no exponent) that reads back
// to the same double (1e-7 -> "0.0000001").
std::string fixedShortestText(double value);
std::string significantText(double value, int digits);

}  // namespace astro
