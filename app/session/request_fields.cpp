#include "app/session/request_fields.h"

#include "app/session/moment_text.h"
#include "app/session/time_step.h"

namespace app {

// Digits only, at least minLen and at most maxLen of them.
std::optional<int> digitsField(std::string_view s, std::size_t minLen, std::size_t maxLen) {
    if (s.size() < minLen || s.size() > maxLen) return std::nullopt;
    int v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::vector<std::string_view> splitCommas(std::string_view s) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = s.find(',', start);
        parts.push_back(s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return parts;
}

namespace {

std::string dateText(int y, int m, int d) {
    const auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return std::to_string(y) + "-" + two(m) + "-" + two(d);
}

// Empty when the date exists in the program's calendar (Julian before
// 1582-10-15, Gregorian from then on); otherwise the error line, naming the
// last day of the month (2026-02-31) or the calendar change (1582-10-10).
std::string missingDate(int y, int m, int d) {
    const std::optional<MissingDay> missing = missingDay(y, m, d);
    if (!missing) return {};
    if (missing->pastMonthEnd)
        return dateText(y, m, d) + " does not exist; the last day of that month is " +
               dateText(y, m, missing->lastDay);
    return dateText(y, m, d) +
           " does not exist; the calendar goes from 1582-10-04 (Julian) to 1582-10-15 (Gregorian)";
}

}  // namespace

std::string parseMoment(std::string_view s, astro::CivilMinute& out) {
    const std::string bad = quotedArgument(s) + " is not a date and time \"YYYY-MM-DD HH:MM\"";
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (negative) i = 1;
    const std::size_t yearEnd = s.find('-', i);
    if (yearEnd == std::string_view::npos) return bad;
    const auto year = digitsField(s.substr(i, yearEnd - i), 1, 5);
    const std::size_t monthEnd = s.find('-', yearEnd + 1);
    if (!year || monthEnd == std::string_view::npos) return bad;
    const auto month = digitsField(s.substr(yearEnd + 1, monthEnd - yearEnd - 1), 1, 2);
    std::size_t dayEnd = monthEnd + 1;
    while (dayEnd < s.size() && s[dayEnd] >= '0' && s[dayEnd] <= '9') ++dayEnd;
    const auto day = digitsField(s.substr(monthEnd + 1, dayEnd - monthEnd - 1), 1, 2);
    std::size_t t = dayEnd;
    if (t < s.size() && s[t] == 'T') {
        ++t;
    } else {
        while (t < s.size() && s[t] == ' ') ++t;
        if (t == dayEnd) return bad;
    }
    const std::size_t colon = s.find(':', t);
    if (!month || !day || colon == std::string_view::npos) return bad;
    const auto hour = digitsField(s.substr(t, colon - t), 1, 2);
    const auto minute = digitsField(s.substr(colon + 1), 1, 2);
    if (!hour || !minute) return bad;

    const int y = negative ? -*year : *year;
    if (y < kMinYear || y > kMaxYear)
        return "year " + std::to_string(y) + " is outside " + std::to_string(kMinYear) + ".." +
               std::to_string(kMaxYear);
    if (*month < 1 || *month > 12) return "month " + std::to_string(*month) + " is outside 1..12";
    if (*day < 1 || *day > 31) return "day " + std::to_string(*day) + " is outside 1..31";
    if (const std::string gap = missingDate(y, *month, *day); !gap.empty()) return gap;
    if (*hour > 23) return "hour " + std::to_string(*hour) + " is outside 0..23";
    if (*minute > 59) return "minute " + std::to_string(*minute) + " is outside 0..59";
    out = {y, *month, *day, *hour, *minute};
    return {};
}

bool showItem(std::string_view item, view::ViewOptions& v) {
    if (item == "equator") v.equator = true;
    else if (item == "ecliptic") v.ecliptic = true;
    else if (item == "grid") v.altAzLines = true;
    else if (item == "names") v.starNames = true;
    else if (item == "constellations") v.constellations = true;
    else if (item == "meteors") v.meteors = true;
    else if (item == "asterisms") v.asterisms = true;
    else if (item == "deepsky") v.deepSky = true;
    else if (item == "bignames") v.largeNames = true;
    else return false;
    return true;
}

std::optional<std::string> chooseConstellations(const std::vector<std::string_view>& names,
                                                const catalog::Catalogue& cat, view::ViewOptions& v) {
    if (names.size() == 1 && names.front() == "all") {
        for (int c = 1; c <= catalog::kConstellationCount; ++c) v.selected[static_cast<std::size_t>(c)] = true;
    } else {
        for (const std::string_view name : names) {
            const int c = catalog::findConstellation(cat, std::string(name));
            if (c < 1 || c > catalog::kConstellationCount) return std::string(name);
            v.selected[static_cast<std::size_t>(c)] = true;
        }
    }
    // Choosing figures asks for them to be drawn.
    v.constellations = true;
    return std::nullopt;
}

// Valid UTF-8 passes through, except what would break or disguise the line:
// C0 controls and DEL become \xNN; C1 controls, the line and paragraph
// separators and the bidirectional overrides become \u{XXXX}; a byte that
// is not part of valid UTF-8 (a Latin-1 or EUC-JP name, a cut sequence, an
// overlong form, a surrogate) becomes \xNN. The result is always one line of
// valid UTF-8.
std::string escapedText(std::string_view s) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    const auto byteEscape = [&](unsigned char b) {
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 0xf];
    };
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            len = 1;
            cp = b;
        } else if (b >= 0xc2 && b <= 0xdf) {
            len = 2;
            cp = b & 0x1f;
        } else if (b >= 0xe0 && b <= 0xef) {
            len = 3;
            cp = b & 0x0f;
        } else if (b >= 0xf0 && b <= 0xf4) {
            len = 4;
            cp = b & 0x07;
        }
        bool valid = len > 0 && i + len <= s.size();
        for (std::size_t k = 1; valid && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            valid = (c & 0xc0) == 0x80;
            cp = (cp << 6) | (c & 0x3f);
        }
        // Overlong forms, surrogates and code points past U+10FFFF.
        if (valid && ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10ffff)) ||
                      (cp >= 0xd800 && cp <= 0xdfff)))
            valid = false;
        if (!valid) {
            byteEscape(b);
            ++i;
            continue;
        }
        const bool control = cp < 0x20 || (cp >= 0x7f && cp <= 0x9f) || cp == 0x2028 || cp == 0x2029 ||
                             (cp >= 0x202a && cp <= 0x202e) || (cp >= 0x2066 && cp <= 0x2069);
        if (control && cp < 0x80) {
            byteEscape(b);
        } else if (control) {
            out += "\\u{";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(cp >> shift) & 0xf];
            out += '}';
        } else {
            out.append(s.substr(i, len));
        }
        i += len;
    }
    return out;
}

std::string quotedArgument(std::string_view s) { return "'" + escapedText(s) + "'"; }

}  // namespace app
