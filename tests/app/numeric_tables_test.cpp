#include "app/session/numeric_tables.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/session/colour_scheme.h"
#include "astro/astro.h"
#include "astro/transforms.h"

namespace {

// Switches LC_NUMERIC to a locale whose decimal separator is a comma, as Qt
// does for a German user; a machine without one gets de_DE compiled into a
// temporary folder. Restores the C locale on destruction.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
            if (use(name)) return;
        dir_ = std::filesystem::temp_directory_path() / ("comma_locale_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        const std::string cmd = "localedef -i de_DE -f UTF-8 '" + dir_.string() + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0 && !std::filesystem::exists(dir_ / "de_DE.UTF-8")) return;
        ::setenv("LOCPATH", dir_.c_str(), 1);
        use("de_DE.UTF-8");
        ::unsetenv("LOCPATH");
    }
    ~CommaDecimalLocale() {
        std::setlocale(LC_NUMERIC, "C");
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }
    bool active() const { return active_; }

private:
    bool use(const char* name) {
        active_ = std::setlocale(LC_NUMERIC, name) != nullptr && std::localeconv()->decimal_point[0] == ',';
        if (!active_) std::setlocale(LC_NUMERIC, "C");
        return active_;
    }
    std::filesystem::path dir_;
    bool active_ = false;
};

TEST(OneDecimal, IgnoresACommaDecimalLocale) {
    const CommaDecimalLocale german;
    if (!german.active()) GTEST_SKIP() << "no comma-decimal locale available and localedef could not make one";
    EXPECT_EQ(app::oneDecimal(12.34), "12.3");
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const app::NumericTable t = app::altAzTable(astro::computeSky({.year = 2026, .month = 1, .day = 15, .hour = 22,
                                                                   .minute = 0, .latDeg = 35.65, .lonDeg = 139.75}),
                                                cat);
    for (int row = 1; row < app::kTableRows; ++row) {
        EXPECT_EQ(t[row].h.find(','), std::string::npos) << t[row].h;
        EXPECT_EQ(t[row].v.find(','), std::string::npos) << t[row].v;
    }
}

TEST(OneDecimal, RoundsAndNeverShowsMinusZero) {
    EXPECT_EQ(app::oneDecimal(12.34), "12.3");
    EXPECT_EQ(app::oneDecimal(-12.36), "-12.4");
    EXPECT_EQ(app::oneDecimal(359.96), "360.0");
    EXPECT_EQ(app::oneDecimal(-0.04), "0.0");
    EXPECT_EQ(app::oneDecimal(0.0), "0.0");
}

TEST(NumericTables, AltAzRowsFollowTheBodiesThenTheNamedStars) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const astro::SkyState sky = astro::computeSky(
        {.year = 2026, .month = 12, .day = 8, .hour = 22, .minute = 10, .latDeg = 35.65, .lonDeg = 139.75});
    const app::NumericTable t = app::altAzTable(sky, cat);
    EXPECT_EQ(t[0].st, "星の名前");
    EXPECT_EQ(t[15].v, "方位");
    EXPECT_EQ(t[1].st, " 太陽");
    EXPECT_EQ(t[1].h, app::oneDecimal(sky.bodyAltDeg[astro::Sun]));
    EXPECT_EQ(t[2].st, " 月　");
    EXPECT_EQ(t[6].st, " 土星");
    EXPECT_EQ(t[6].v, app::oneDecimal(sky.bodyAzDeg[astro::Saturn]));
    // Named star 9 is the first of the right block.
    ASSERT_GE(cat.namedStars.size(), 21u);
    const auto& star = cat.namedStars[9];
    const astro::Horizontal hz =
        astro::equatorialToHorizontal(star.raHours, star.decDeg, sky.siderealTimeHours, sky.obsLatDeg, sky.obsLonDeg);
    EXPECT_EQ(t[16].st, star.name);
    EXPECT_EQ(t[16].h, app::oneDecimal(hz.altDeg));
    EXPECT_EQ(t[16].v, app::oneDecimal(hz.azDeg));
    EXPECT_EQ(t[14].st, cat.namedStars[8].name);
    EXPECT_EQ(t[27].st, cat.namedStars[20].name);
    EXPECT_EQ(t[28].st, "");
}

TEST(NumericTables, ShowerCalendar) {
    const catalog::Catalogue cat = catalog::loadCatalogue();
    const app::NumericTable t = app::showerTable(cat);
    EXPECT_EQ(t[0].st, "群名");
    EXPECT_EQ(t[0].h, "ピーク時期");
    EXPECT_EQ(t[0].v, "出現数/hour");
    EXPECT_EQ(t[15].st, "群名");
    for (int k = 1; k <= 26; ++k) {
        const app::TableRow& row = t[k <= 14 ? k : k + 1];
        const catalog::Shower& s = cat.showers[static_cast<std::size_t>(k)];
        EXPECT_EQ(row.st, s.name);
        EXPECT_EQ(row.h, std::to_string(s.month) + "月" + std::to_string(s.day) + "日");
        EXPECT_EQ(row.v, std::to_string(s.ratePerHour));
    }
    EXPECT_EQ(t[28].st, "");
}

TEST(ColourRules, DrawAndTimedRedraw) {
    EXPECT_EQ(app::schemeForSunAltitude(-0.1), app::kNightScheme);
    EXPECT_EQ(app::schemeForSunAltitude(0.0), app::kDayScheme);
    EXPECT_EQ(app::schemeAfterStep(-1.0, 2.0), app::kDayScheme);
    EXPECT_EQ(app::schemeAfterStep(3.0, -0.5), app::kNightScheme);
    EXPECT_FALSE(app::schemeAfterStep(-1.0, -2.0).has_value());
    EXPECT_FALSE(app::schemeAfterStep(1.0, 2.0).has_value());
    EXPECT_FALSE(app::schemeAfterStep(0.0, -2.0).has_value());
    EXPECT_FALSE(app::schemeAfterStep(-2.0, 0.0).has_value());
}

}  // namespace
