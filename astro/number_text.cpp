#include "astro/number_text.h"

#include <charconv>
#include <cmath>
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

template <class... Format>
std::string written(double value, Format... format) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    char buf[400];
    const std::to_chars_result res = std::to_chars(buf, buf + sizeof buf, value, format...);
    if (res.ec != std::errc{}) return nonFiniteText(NAN);
    return std::string(buf, res.ptr);
}

}  // namespace

std::string fixedText(double value, int decimals) {
    // Beyond 1e300 a fixed form is hundreds of digits; such a value is
    // written in the general form.
    if (std::isfinite(value) && std::fabs(value) > 1e300) return written(value, std::chars_format::general, 17);
    return written(value, std::chars_format::fixed, decimals < 0 ? 0 : decimals);
}

std::string shortestText(double value) { return written(value); }

std::string fixedShortestText(double value) {
    if (std::isfinite(value) && std::fabs(value) > 1e300) return written(value);
    return written(value, std::chars_format::fixed);
}

std::string significantText(double value, int digits) {
    return written(value, std::chars_format::general, digits < 1 ? 1 : digits);
}

}  // namespace astro
