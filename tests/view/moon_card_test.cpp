// 月の観察カード: the Moons where the sky puts them, the fists, and the
// pupils' card without Moons.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/precise_sky.h"
#include "catalog/ephemeris.h"
#include "recording_painter.h"
#include "view/moon_card.h"

namespace {

// The waxing Moon toward the south from Tokyo at 18:00 on five days of
// December 2026: each entry is the precise sky's Moon (the same altitude
// and azimuth --find gives), it moves east and grows day by day, and each
// is drawn at its place on the card with its label.
TEST(MoonCard, MoonsWhereTheSkyPutsThemAndTheBlankCard) {
    const auto jst = astro::fixedUtcOffset(9 * 3600);
    std::vector<double> moments;
    for (int d = 0; d < 5; ++d) moments.push_back(astro::localToJdUt({2026, 12, 15 + d}, 18 * 3600.0, jst));
    view::MoonCard card = view::moonCard(catalog::ephemerisTables(), 180.0, moments, 35.65, 139.75, jst);
    ASSERT_EQ(card.entries.size(), 5u);
    EXPECT_TRUE(card.sameTime);
    for (std::size_t i = 0; i < 5; ++i) {
        const view::MoonCardEntry& e = card.entries[i];
        astro::SkyState s;
        s.jdUt = moments[i];
        s.obsLatDeg = 35.65;
        s.obsLonDeg = 139.75;
        astro::applyPreciseEphemeris(catalog::ephemerisTables(), s);
        EXPECT_NEAR(e.altDeg, s.bodyAltDeg[astro::Moon], 1e-9);
        EXPECT_NEAR(e.azDeg, s.bodyAzDeg[astro::Moon], 1e-9);
        EXPECT_TRUE(view::moonCardPoint(card, e.altDeg, e.azDeg).inside) << i;
        if (i > 0) {
            EXPECT_LT(view::moonCardPoint(card, e.altDeg, e.azDeg).x,
                      view::moonCardPoint(card, card.entries[i - 1].altDeg, card.entries[i - 1].azDeg).x);  // east is left
            EXPECT_GT(e.illum, card.entries[i - 1].illum);
            EXPECT_NEAR(e.ageDays - card.entries[i - 1].ageDays, 1.0, 1e-6);
        }
        // Waxing: the lit side toward the set Sun, on the right (west).
        EXPECT_GT(e.limbAngleDeg, 180.0) << i;
    }
    EXPECT_NEAR(card.entries[1].ageDays, 7.3, 0.1);  // 新月 12月9日 09:52

    viewtest::RecordingPainter page;
    view::drawMoonCard(card, page);
    std::string text;
    for (const auto& l : page.labels()) text += l.text + "|";
    for (const char* must : {"南の空を向いて", "こぶし1", "① 12月15日 18:00|", "高さ 47°（こぶし4つ半）"})
        EXPECT_NE(text.find(must), std::string::npos) << must << "\n" << text;

    card.blank = true;
    viewtest::RecordingPainter sheet;
    view::drawMoonCard(card, sheet);
    std::string sheetText;
    for (const auto& l : sheet.labels()) sheetText += l.text + "|";
    EXPECT_EQ(sheetText.find("18:00"), std::string::npos);
    EXPECT_NE(sheetText.find("天気"), std::string::npos);
}

}  // namespace
