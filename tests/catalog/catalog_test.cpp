#include "catalog/catalog.h"

#include <gtest/gtest.h>

namespace catalog {
namespace {

const Catalogue& cat() {
    static const Catalogue loaded = loadCatalogue();
    return loaded;
}

TEST(CatalogueLoad, EveryTableHasItsRowsAndAnEmptyRowZero) {
    EXPECT_EQ(cat().stars.size(), static_cast<std::size_t>(kStarCount + 1));
    EXPECT_EQ(cat().starLabel.size(), static_cast<std::size_t>(kStarCount + 1));
    EXPECT_EQ(cat().namedStars.size(), static_cast<std::size_t>(kNamedStarCount + 1));
    EXPECT_EQ(cat().constellations.size(), static_cast<std::size_t>(kConstellationCount + 1));
    EXPECT_EQ(cat().showers.size(), static_cast<std::size_t>(kShowerCount + 1));
    EXPECT_EQ(cat().places.size(), static_cast<std::size_t>(kPlaceCount + 1));
    EXPECT_EQ(cat().stars[0].raHours, 0.0);
    EXPECT_EQ(cat().places[0].name, "");
    EXPECT_EQ(cat().constellations[0].nodes.size(), 0u);
}

TEST(Places, KeepTheirValuesVerbatim) {
    const auto& p = cat().places;
    EXPECT_EQ(p[1].name, "札幌");
    EXPECT_EQ(p[13].name, "東京");
    EXPECT_EQ(p[13].latDeg, 35.65);
    EXPECT_EQ(p[13].lonDeg, 139.75);
    EXPECT_EQ(p[25].latDeg, 35.0);
    EXPECT_EQ(p[kManualPlace].name, "入力");
    EXPECT_EQ(p[kManualPlace].latDeg, 0.0);
    EXPECT_EQ(p[kManualPlace].lonDeg, 0.0);
    EXPECT_EQ(p[62].name, "ニューデリー ");
    EXPECT_EQ(p[68].lonDeg, -0.18);
    EXPECT_EQ(p[75].name, "ホノルル");
    EXPECT_EQ(p[75].latDeg, 21.35);
    EXPECT_EQ(p[75].lonDeg, -157.93);
}

TEST(Places, CarryTheirTimeZones) {
    const auto& p = cat().places;
    // Every place in Japan, and the manual slot, keeps Japan's clock.
    for (int k = 1; k <= kManualPlace; ++k) EXPECT_EQ(p[k].timeZone, "Asia/Tokyo") << p[k].name;
    EXPECT_EQ(p[62].timeZone, "Asia/Kolkata");
    EXPECT_EQ(p[68].timeZone, "Europe/London");
    EXPECT_EQ(p[69].timeZone, "America/Sao_Paulo");
    EXPECT_EQ(p[75].timeZone, "Pacific/Honolulu");
    for (int k = kManualPlace + 1; k <= kPlaceCount; ++k) EXPECT_NE(p[k].timeZone, "Asia/Tokyo") << p[k].name;
}

TEST(Places, FindByNameIgnoresTrailingBlanks) {
    EXPECT_EQ(findPlace(cat(), "東京"), 13);
    EXPECT_EQ(findPlace(cat(), "ニューデリー"), 62);
    EXPECT_EQ(findPlace(cat(), "ニューデリー "), 62);
    EXPECT_EQ(findPlace(cat(), "入力"), kManualPlace);
    EXPECT_EQ(findPlace(cat(), "ホノルル"), 75);
    EXPECT_EQ(findPlace(cat(), "東"), 0);
    EXPECT_EQ(findPlace(cat(), ""), 0);
    EXPECT_EQ(findPlace(cat(), "   "), 0);
}

TEST(Constellations, NamesAndFindInListOrder) {
    EXPECT_EQ(cat().constellations[1].name, "アンドロメダ座");
    EXPECT_EQ(cat().constellations[41].name, "わし座");
    EXPECT_EQ(cat().constellations[13].abbrev, "Ori");
    for (int c = 1; c <= kConstellationCount; ++c) {
        EXPECT_EQ(findConstellation(cat(), cat().constellations[c].name), c);
        EXPECT_FALSE(cat().constellations[c].label.empty());
    }
    EXPECT_EQ(findConstellation(cat(), "オリオン"), 0);
    EXPECT_EQ(findConstellation(cat(), ""), 0);
}

TEST(Constellations, NodeListsEndWithZeroWithinFortyPositions) {
    for (int c = 1; c <= kConstellationCount; ++c) {
        const auto& nodes = cat().constellations[c].nodes;
        ASSERT_FALSE(nodes.empty()) << c;
        EXPECT_EQ(nodes.back(), 0) << c;
        EXPECT_LE(nodes.size(), static_cast<std::size_t>(kMaxFigureNodes)) << c;
    }
    EXPECT_EQ(cat().constellations[33].nodes.size(), 23u);  // the longest, ヘルクレス座
}

TEST(Constellations, SegmentsFollowPenLifts) {
    const auto aur = figureSegments(cat().constellations[16]);  // closed pentagon
    ASSERT_EQ(aur.size(), 5u);
    EXPECT_EQ(aur.front().fromRow, 94);
    EXPECT_EQ(aur.back().toRow, 94);
    EXPECT_TRUE(figureSegments(cat().constellations[12]).empty());  // おひつじ座: one star
    EXPECT_TRUE(figureSegments(cat().constellations[37]).empty());  // みなみのうお座
    EXPECT_EQ(figureSegments(cat().constellations[3]).size(), 1u);
}

TEST(Showers, KeepTheirValuesVerbatim) {
    const auto& s = cat().showers;
    EXPECT_EQ(s[1].name, "しぶんぎ");
    EXPECT_EQ(s[1].month, 1);
    EXPECT_EQ(s[1].day, 4);
    EXPECT_EQ(s[1].raHours, 15.4);
    EXPECT_EQ(s[3].name, "σとも");
    EXPECT_EQ(s[3].decDeg, -45.0);
    EXPECT_EQ(s[7].name, "６月うしかい");
    EXPECT_EQ(s[17].ratePerHour, 300);
    EXPECT_EQ(s[23].name, "１１月いっかくじゅう");
    EXPECT_EQ(s[26].name, "こぐま");
    EXPECT_EQ(s[26].decDeg, 76.0);
}

}  // namespace
}  // namespace catalog
