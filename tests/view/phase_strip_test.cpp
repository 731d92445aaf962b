// 金星の満ち欠け: the discs' lit fraction and apparent size against an
// independent ephemeris, the side of the day, and the page.
#include <gtest/gtest.h>

#include <cmath>

#include "catalog/ephemeris.h"
#include "recording_painter.h"
#include "view/phase_strip.h"

namespace {

// Venus's evening apparition of 2026 seen from Tokyo every six weeks: the
// crescent grows as it nears the Earth. Astronomy Engine's lit fraction and
// its diameter from the distance (radius 6051.8 km) at the same instants.
TEST(PhaseStrip, VenusAgainstTheReferenceAndGrowingToInferiorConjunction) {
    const auto jst = astro::fixedUtcOffset(9 * 3600);
    const view::PhaseStrip strip =
        view::phaseStrip(catalog::ephemerisTables(), astro::Venus, {2026, 5, 1}, 42, 5, 35.65, 139.75, jst);
    ASSERT_EQ(strip.discs.size(), 5u);
    const double illum[] = {0.87872, 0.75813, 0.59406, 0.36511, 0.02942};
    const double diameter[] = {11.621, 14.160, 19.390, 31.583, 58.807};
    for (std::size_t i = 0; i < 5; ++i) {
        const view::PhaseDisc& d = strip.discs[i];
        EXPECT_NEAR(d.illum, illum[i], 0.002) << i;
        EXPECT_NEAR(d.diameterArcsec, diameter[i], 0.2) << i;
        EXPECT_TRUE(d.evening) << i;
        if (i > 0) {
            EXPECT_GT(d.diameterArcsec, strip.discs[i - 1].diameterArcsec);
        }
        // The lit side faces the set Sun, below the disc's middle.
        EXPECT_GT(d.limbAngleDeg, 90.0) << i;
        EXPECT_LT(d.limbAngleDeg, 270.0) << i;
    }
    // After inferior conjunction (2026-10-24) it is the morning star.
    const view::PhaseStrip after =
        view::phaseStrip(catalog::ephemerisTables(), astro::Venus, {2026, 11, 20}, 14, 1, 35.65, 139.75, jst);
    EXPECT_FALSE(after.discs[0].evening);

    viewtest::RecordingPainter page;
    view::drawPhaseStrip(strip, page);
    int evening = 0;
    for (const auto& l : page.labels()) evening += l.text.find("宵の明星") != std::string::npos ? 1 : 0;
    EXPECT_EQ(evening, 5);
}

}  // namespace
