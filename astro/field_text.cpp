#include "astro/field_text.h"

#include "astro/number_text.h"

#include "astro/angles.h"

#include <charconv>
#include <cmath>
#include <string>

#include "astro/astro.h"

namespace astro {

namespace {

// One character of the text, read as the ASCII character it counts as.
// Characters that are neither ASCII nor one of the accepted full-width forms
// come back as '\x7f' (never part of a number); the ideographic space comes
// back as ' '.
struct Char {
    char ascii;
    std::size_t length;  // bytes taken from the text
};

Char nextChar(std::string_view s, std::size_t pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) return {static_cast<char>(b0), 1};
    if (pos + 3 <= s.size()) {
        const auto b1 = static_cast<unsigned char>(s[pos + 1]);
        const auto b2 = static_cast<unsigned char>(s[pos + 2]);
        if (b0 == 0xEF && b1 == 0xBC) {  // U+FF00..U+FF3F
            if (b2 >= 0x90 && b2 <= 0x99) return {static_cast<char>('0' + (b2 - 0x90)), 3};
            if (b2 == 0x8B) return {'+', 3};
            if (b2 == 0x8D) return {'-', 3};
            if (b2 == 0x8E) return {'.', 3};
        }
        if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) return {' ', 3};  // U+3000
    }
    return {'\x7f', 1};
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

double roundHalfEven(double x) {
    const double r = std::round(x);  // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return r;
}

FieldValue clampValue(FieldValue v, double lo, double hi) {
    if (v.status != FieldStatus::Number) return v;
    if (v.value < lo) {
        v.value = lo;
        v.status = FieldStatus::Clamped;
    } else if (v.value > hi) {
        v.value = hi;
        v.status = FieldStatus::Clamped;
    }
    return v;
}

}  // namespace

FieldValue readLeadingNumber(std::string_view text) {
    FieldValue out;
    std::size_t pos = 0;
    auto peek = [&]() -> Char { return pos < text.size() ? nextChar(text, pos) : Char{'\0', 0}; };

    while (pos < text.size() && isBlank(peek().ascii)) pos += peek().length;

    bool negative = false;
    if (const Char c = peek(); c.ascii == '+' || c.ascii == '-') {
        negative = c.ascii == '-';
        pos += c.length;
    }
    std::string intDigits, fracDigits;
    while (isDigit(peek().ascii)) {
        intDigits += peek().ascii;
        pos += peek().length;
    }
    if (peek().ascii == '.') {
        pos += peek().length;
        while (isDigit(peek().ascii)) {
            fracDigits += peek().ascii;
            pos += peek().length;
        }
    }
    if (intDigits.empty() && fracDigits.empty()) {
        // Non-blank text without a number: report it as ignored text.
        for (std::size_t i = 0; i < text.size();) {
            const Char c = nextChar(text, i);
            if (!isBlank(c.ascii)) {
                out.trailingText = true;
                break;
            }
            i += c.length;
        }
        return out;  // NoNumber, 0
    }

    // Exponent: only when at least one digit follows the e and its sign.
    long exponent = 0;
    bool hasExponent = false;
    if (const Char e = peek(); e.ascii == 'e' || e.ascii == 'E') {
        std::size_t p = pos + e.length;
        bool expNegative = false;
        if (p < text.size()) {
            const Char s = nextChar(text, p);
            if (s.ascii == '+' || s.ascii == '-') {
                expNegative = s.ascii == '-';
                p += s.length;
            }
        }
        if (p < text.size() && isDigit(nextChar(text, p).ascii)) {
            hasExponent = true;
            while (p < text.size() && isDigit(nextChar(text, p).ascii)) {
                const Char d = nextChar(text, p);
                // Saturate: any exponent this large over- or underflows anyway.
                if (exponent < 100000) exponent = exponent * 10 + (d.ascii - '0');
                p += d.length;
            }
            if (expNegative) exponent = -exponent;
            pos = p;
        }
    }

    // The number is rebuilt in ASCII for the locale-free reader.
    std::string ascii = (intDigits.empty() ? std::string("0") : intDigits);
    if (!fracDigits.empty()) ascii += "." + fracDigits;
    if (hasExponent) ascii += "e" + std::to_string(exponent);

    const DecimalRead read = readDecimalPrefix(ascii);
    const double value = read.value;
    if (read.status == DecimalStatus::Overflow || read.status == DecimalStatus::Underflow) {
        // Overflow or underflow: tell them apart by the decimal exponent of
        // the leading significant digit.
        long lead = 0;
        const std::size_t nz = intDigits.find_first_not_of('0');
        if (nz != std::string::npos) {
            lead = static_cast<long>(intDigits.size() - nz) - 1;
        } else {
            const std::size_t fz = fracDigits.find_first_not_of('0');
            lead = fz == std::string::npos ? -100000 : -static_cast<long>(fz) - 1;
        }
        if (lead + exponent > 0) {
            out.value = 0.0;
            out.status = FieldStatus::NotFinite;
        } else {
            out.value = 0.0;
            out.status = FieldStatus::Number;
        }
    } else {
        out.value = negative ? -value : value;
        out.status = std::isfinite(out.value) ? FieldStatus::Number : FieldStatus::NotFinite;
        if (out.status == FieldStatus::NotFinite) out.value = 0.0;
    }
    if (out.value == 0.0) out.value = 0.0;  // no negative zero

    while (pos < text.size()) {
        const Char c = nextChar(text, pos);
        if (!isBlank(c.ascii)) {
            out.trailingText = true;
            break;
        }
        pos += c.length;
    }
    return out;
}

FieldValue readLeadingNumberClamped(std::string_view text, double lo, double hi) {
    return clampValue(readLeadingNumber(text), lo, hi);
}

FieldValue readYearOrMonth(std::string_view text) {
    FieldValue v = readLeadingNumber(text);
    if (v.status == FieldStatus::Number) v.value = roundHalfEven(v.value);
    if (v.value == 0.0) v.value = 0.0;
    static_assert(kMinMonth == kMinYear && kMaxMonth == kMaxYear, "year and month share one range");
    return clampValue(v, kMinYear, kMaxYear);
}

bool SkyFieldsReading::allNumbers() const {
    for (const FieldValue& f : fields)
        if (f.status != FieldStatus::Number) return false;
    return true;
}

SkyFieldsReading readSkyFields(const SkyFieldTexts& texts) {
    SkyFieldsReading r;
    auto& f = r.fields;
    f[FieldYear] = readYearOrMonth(texts.year);
    f[FieldMonth] = readYearOrMonth(texts.month);
    f[FieldDay] = readLeadingNumberClamped(texts.day, -kMaxAbsDay, kMaxAbsDay);
    f[FieldHour] = readLeadingNumberClamped(texts.hour, -kMaxAbsHour, kMaxAbsHour);
    f[FieldMinute] = readLeadingNumberClamped(texts.minute, -kMaxAbsMinute, kMaxAbsMinute);
    f[FieldLat] = readLeadingNumberClamped(texts.lat, -90.0, 90.0);
    f[FieldLon] = readLeadingNumber(texts.lon);
    // A longitude beyond the antimeridian names the meridian it reduces to.
    if (f[FieldLon].status == FieldStatus::Number && std::fabs(f[FieldLon].value) > 180.0) {
        f[FieldLon].value = longitudeInRangeDeg(f[FieldLon].value);
        f[FieldLon].status = FieldStatus::Clamped;
    }

    r.input.year = static_cast<int>(f[FieldYear].value);
    r.input.month = static_cast<int>(f[FieldMonth].value);
    r.input.day = f[FieldDay].value;
    r.input.hour = f[FieldHour].value;
    r.input.minute = f[FieldMinute].value;
    r.input.latDeg = f[FieldLat].value;
    r.input.lonDeg = f[FieldLon].value;
    return r;
}

}  // namespace astro
