#include "astro/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include <fast_float/fast_float.h>

namespace astro {

DecimalRead readDecimalPrefix(std::string_view text) {
    DecimalRead r;
    if (text.empty() || text.front() == '+') return r;
    double value = 0.0;
    const fast_float::from_chars_result res = fast_float::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::invalid_argument || res.ptr == text.data()) return r;
    r.length = static_cast<std::size_t>(res.ptr - text.data());
    r.value = value;
    const std::string_view read = text.substr(0, r.length);
    const bool spelled = read.find_first_of("iInN") != std::string_view::npos;  // inf, nan
    if (res.ec == std::errc::result_out_of_range || (!spelled && !std::isfinite(value))) {
        r.status = std::isinf(value) || std::fabs(value) > 1.0 ? DecimalStatus::Overflow : DecimalStatus::Underflow;
        if (r.status == DecimalStatus::Underflow) r.value = std::signbit(value) ? -0.0 : 0.0;
        return r;
    }
    if (!spelled && value == 0.0 && read.find_first_of("123456789") < read.find_first_of("eE")) {
        // A non-zero mantissa read as zero: too small for a double.
        r.status = DecimalStatus::Underflow;
        return r;
    }
    r.status = DecimalStatus::Ok;
    return r;
}

std::optional<double> readDecimal(std::string_view text) {
    const DecimalRead r = readDecimalPrefix(text);
    if (r.status != DecimalStatus::Ok || r.length != text.size() || !std::isfinite(r.value)) return std::nullopt;
    return r.value;
}

namespace {

std::string nonFiniteText(double value) {
    if (std::isnan(value)) return "nan";
    return value < 0.0 ? "-inf" : "inf";
}

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
// The C++ library writes floating-point numbers itself, without the locale.
template <class... Format>
std::string written(double value, Format... format) {
    char buf[400];
    const std::to_chars_result res = std::to_chars(buf, buf + sizeof buf, value, format...);
    if (res.ec != std::errc{}) return nonFiniteText(NAN);
    return std::string(buf, res.ptr);
}
std::string fixedDigits(double v, int decimals) { return written(v, std::chars_format::fixed, decimals); }
std::string generalDigits(double v, int digits) { return written(v, std::chars_format::general, digits); }
std::string shortestDigits(double v) { return written(v); }
std::string fixedShortestDigits(double v) { return written(v, std::chars_format::fixed); }
#else
// A C++ library without floating-point std::to_chars (emscripten's): printf,
// whose %f, %e and %g std::to_chars is defined by, in the C locale a
// WebAssembly module always has; the shortest forms are the fewest digits
// that read back to the same double, as std::to_chars chooses them.
std::string printed(const char* format, int precision, double v) {
    char buf[400];
    const int n = std::snprintf(buf, sizeof buf, format, precision, v);
    return n > 0 && n < static_cast<int>(sizeof buf) ? std::string(buf, static_cast<std::size_t>(n)) : nonFiniteText(NAN);
}
bool readsBack(const std::string& s, double v) {
    const DecimalRead r = readDecimalPrefix(s);
    return r.status == DecimalStatus::Ok && r.length == s.size() && r.value == v;
}
std::string fixedDigits(double v, int decimals) { return printed("%.*f", decimals, v); }
std::string generalDigits(double v, int digits) { return printed("%.*g", digits, v); }
std::string shortestDigits(double v) {
    for (int p = 0; p < 17; ++p) {
        const std::string sci = printed("%.*e", p, v);
        if (!readsBack(sci, v)) continue;
        // The same digits in fixed notation; the shorter form wins, fixed in a tie.
        const int exponent = std::atoi(sci.c_str() + sci.find('e') + 1);
        const std::string fixed = printed("%.*f", std::max(0, p - exponent), v);
        return readsBack(fixed, v) && fixed.size() <= sci.size() ? fixed : sci;
    }
    return printed("%.*e", 16, v);
}
std::string fixedShortestDigits(double v) {
    for (int d = 0; d < 330; ++d) {
        const std::string s = printed("%.*f", d, v);
        if (readsBack(s, v)) return s;
    }
    return printed("%.*f", 330, v);
}
#endif

}  // namespace

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    // Beyond 1e300 a fixed form is hundreds of digits; such a value is
    // written in the general form.
    if (std::fabs(value) > 1e300) return generalDigits(value, 17);
    return fixedDigits(value, decimals < 0 ? 0 : decimals);
}

std::string shortestText(double value) { return std::isfinite(value) ? shortestDigits(value) : nonFiniteText(value); }

std::string fixedShortestText(double value) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    if (std::fabs(value) > 1e300) return shortestDigits(value);
    return fixedShortestDigits(value);
}

std::string significantText(double value, int digits) {
    return std::isfinite(value) ? generalDigits(value, digits < 1 ? 1 : digits) : nonFiniteText(value);
}

}  // namespace astro
