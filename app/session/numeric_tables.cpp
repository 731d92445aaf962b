#include "app/session/numeric_tables.h"

#include "astro/number_text.h"

#include <cmath>
#include <charconv>

#include "astro/transforms.h"

namespace app {

namespace {

// Table row k (1-based, below the heading) to the label row it occupies.
constexpr int kLeftCapacity = kRightBlockFirstRow - 1;  // rows 1..14
int cellRow(int k) { return k <= kLeftCapacity ? k : k + 1; }

constexpr const char* kBodyNames[astro::kBodyCount] = {" 太陽", " 月　", " 金星", " 火星", " 木星", " 土星"};

}  // namespace

std::string oneDecimal(double value) {
    if (!std::isfinite(value)) return "-";
    // Never through the locale: Qt switches the C locale to the user's,
    // where snprintf would write "12,3".
    std::string s = astro::fixedText(value, 1);
    if (s == "-0.0") s = "0.0";
    return s;
}

NumericTable altAzTable(const astro::SkyState& sky, const catalog::Catalogue& cat) {
    NumericTable t;
    const TableRow heading{"星の名前", "高度", "方位"};
    t[0] = heading;
    t[kRightBlockFirstRow] = heading;
    int k = 1;
    for (int b = 0; b < astro::kBodyCount; ++b, ++k)
        t[cellRow(k)] = {kBodyNames[b], oneDecimal(sky.bodyAltDeg[b]), oneDecimal(sky.bodyAzDeg[b])};
    for (std::size_t s = 1; s < cat.namedStars.size() && cellRow(k) < kTableRows; ++s, ++k) {
        const catalog::NamedStar& star = cat.namedStars[s];
        const astro::Horizontal hz =
            astro::equatorialToHorizontal(star.raHours, star.decDeg, sky.siderealTimeHours, sky.obsLatDeg, sky.obsLonDeg);
        t[cellRow(k)] = {star.name, oneDecimal(hz.altDeg), oneDecimal(hz.azDeg)};
    }
    return t;
}

NumericTable showerTable(const catalog::Catalogue& cat) {
    NumericTable t;
    const TableRow heading{"群名", "ピーク時期", "出現数/hour"};
    t[0] = heading;
    t[kRightBlockFirstRow] = heading;
    int k = 1;
    for (std::size_t s = 1; s < cat.showers.size() && cellRow(k) < kTableRows; ++s, ++k) {
        const catalog::Shower& sh = cat.showers[s];
        t[cellRow(k)] = {sh.name, std::to_string(sh.month) + "月" + std::to_string(sh.day) + "日",
                         std::to_string(sh.ratePerHour)};
    }
    return t;
}

}  // namespace app
