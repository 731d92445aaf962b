#include "view/paper_chart.h"

#include <cmath>
#include <string_view>

#include "astro/number_text.h"
#include "view/chart_style.h"
#include "view/sky_view.h"

namespace view {

namespace {

// A coordinate to at most three decimals, shortest form, '.' whatever the
// locale: 35.65 -> "35.65", 43.0671 -> "43.067".
std::string degrees(double v) {
    if (!std::isfinite(v)) return "?";
    return astro::shortestText(std::round(std::fabs(v) * 1000.0) / 1000.0);
}

std::string twoDigits(int v) {
    std::string s = std::to_string(v < 0 ? -v : v);
    return s.size() < 2 ? "0" + s : s;
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return std::string(s);
}

}  // namespace

std::string chartTitle(const ChartHeading& h) {
    const astro::CivilMinute& m = h.moment;
    std::string t = std::to_string(m.year) + "年" + std::to_string(m.month) + "月" + std::to_string(m.day) + "日 " +
                    std::to_string(m.hour) + ":" + twoDigits(m.minute);
    if (h.until) {
        const astro::CivilMinute& u = *h.until;
        t += "〜";
        if (u.year != m.year) t += std::to_string(u.year) + "年";
        if (u.year != m.year || u.month != m.month || u.day != m.day)
            t += std::to_string(u.month) + "月" + std::to_string(u.day) + "日 ";
        t += std::to_string(u.hour) + ":" + twoDigits(u.minute);
    }
    t += " 日本時間";
    if (h.localClock) {
        const astro::CivilMinute& c = *h.localClock;
        t += "（現地時間 ";
        if (c.year != m.year) t += std::to_string(c.year) + "年";
        t += std::to_string(c.month) + "月" + std::to_string(c.day) + "日 " + std::to_string(c.hour) + ":" +
             twoDigits(c.minute) + "）";
    }
    t += "　";
    const std::string name = trimmed(h.placeName);
    if (!name.empty()) t += name + "　";
    t += (h.latDeg < 0.0 ? "南緯" : "北緯") + degrees(h.latDeg) + "° ";
    t += (h.lonDeg < 0.0 ? "西経" : "東経") + degrees(h.lonDeg) + "°　";
    if (h.free) {
        t += "自由視点（方位" + degrees(h.free->azDeg) + "° 高度" + (h.free->altDeg < 0.0 ? "−" : "") +
             degrees(h.free->altDeg) + "° 視野" +
             degrees(h.free->fovDeg) + "°）";
    } else {
        t += std::string(directionTitleJa(h.direction));
    }
    return t;
}

void drawPaperFrame(const ChartHeading& heading, Painter& painter) {
    painter.setTextPosition(kTitleX, kTitleY);
    painter.text(chartTitle(heading));

    static constexpr const char* kMagnitudeLabels[] = {"0等", "1等", "2等", "3等", "4等"};
    painter.setFillStyleSolid();
    for (int m = 0; m <= 4; ++m) {
        const float x = kLegendX + 60.0f + kLegendStepX * static_cast<float>(m);
        const float r = starRadiusTwips(m);
        painter.setFillColour(kPaperStar);
        painter.disc(x, kLegendY, r, kPaperStar);
        painter.setTextPosition(x + 80.0f, kLegendY - 90.0f);
        painter.text(kMagnitudeLabels[m]);
    }
    painter.setTextPosition(kProgramNameX, kLegendY - 90.0f);
    painter.text(kProgramName);
}

}  // namespace view
