// The tables beyond the stars: the IAU constellation boundaries, the star
// patterns and the clusters and nebulae.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/bodies.h"
#include "astro/calendar.h"
#include "astro/star_place.h"
#include "catalog/catalog.h"

namespace catalog {
namespace {

const Catalogue& cat() {
    static const Catalogue c = loadCatalogue();
    return c;
}

std::string abbrevAt(double raHours, double decDeg, double equinoxJd) {
    const int c = constellationAt(cat(), raHours, decDeg, equinoxJd);
    return c > 0 ? cat().iauConstellations[static_cast<std::size_t>(c)].abbrev : std::string("-");
}

// Every star of the table lies, by the boundaries, in the constellation the
// Bright Star Catalogue gives it: 508 independent checks of the table, the
// precession to B1875 and the search order.
TEST(ConstellationBounds, EveryStarLiesInItsOwnConstellation) {
    int wrong = 0;
    for (std::size_t k = 1; k < cat().stars.size(); ++k) {
        const Star& s = cat().stars[k];
        const std::string got = abbrevAt(s.raHours, s.decDeg, astro::kEquinox2003_5Jd);
        if (got != s.constellation) {
            ++wrong;
            ADD_FAILURE() << "row " << k << " (HR " << s.hr << "): " << got << ", catalogue " << s.constellation;
        }
    }
    EXPECT_EQ(wrong, 0);
    // The poles and the seams of right ascension.
    EXPECT_EQ(abbrevAt(0.0, 90.0, astro::kJ2000Jd), "UMi");
    EXPECT_EQ(abbrevAt(12.0, -90.0, astro::kJ2000Jd), "Oct");
    EXPECT_EQ(abbrevAt(23.9999, 0.0, astro::kJ2000Jd), abbrevAt(23.9999 - 24.0, 0.0, astro::kJ2000Jd));
    EXPECT_EQ(constellationAt(cat(), NAN, 0.0, astro::kJ2000Jd), 0);
}

// The planets' constellations every 61 days over 1900-2100 against
// Astronomy Engine's (tests/catalog/data, made by tools/almanac_reference).
// They differ only where a planet stands within its own position error of a
// boundary.
TEST(ConstellationBounds, PlanetsAgainstAnIndependentEphemeris) {
    std::ifstream in(PLANET_CONSTELLATIONS_CSV);
    std::string line;
    std::getline(in, line);
    int rows = 0, differ = 0;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream ss(line);
        for (std::string cell; std::getline(ss, cell, ',');) cells.push_back(cell);
        ASSERT_EQ(cells.size(), 5u) << line;
        const double jd = astro::ymdYD(std::stoi(cells[0].substr(0, 4)), std::stoi(cells[0].substr(5, 2)),
                                       std::stod(cells[0].substr(8, 2)));
        const astro::BodyPositions p = astro::bodyPositions(astro::jcent(jd));
        for (int k = 0; k < 4; ++k) {
            const std::string got = abbrevAt(p.ra[static_cast<std::size_t>(astro::Venus + k)],
                                             p.dec[static_cast<std::size_t>(astro::Venus + k)], jd);
            if (got != cells[static_cast<std::size_t>(k) + 1]) {
                ++differ;
                std::printf("%s planet %d: %s, reference %s\n", cells[0].c_str(), k, got.c_str(),
                            cells[static_cast<std::size_t>(k) + 1].c_str());
            }
        }
        ++rows;
    }
    ASSERT_GT(rows, 1000);
    std::printf("planet constellations: %d of %d differ from the reference\n", differ, 4 * rows);
    EXPECT_LE(differ, 4 * rows / 200) << "more than 0.5 % differ";
}

TEST(SkyObjects, PatternsAndClustersAreWhereTheyBelong) {
    // Each pattern's stars, by constellation.
    const std::vector<std::pair<std::string, std::vector<std::string>>> patterns = {
        {"夏の大三角", {"Lyr", "Cyg", "Aql", "Lyr"}},
        {"冬の大三角", {"Ori", "CMa", "CMi", "Ori"}},
        {"春の大三角", {"Boo", "Vir", "Leo", "Boo"}},
        {"秋の四辺形", {"Peg", "Peg", "And", "Peg", "Peg"}},
        {"北斗七星", {"UMa", "UMa", "UMa", "UMa", "UMa", "UMa", "UMa", "UMa"}},
        {"春の大曲線", {"UMa", "UMa", "UMa", "Boo", "Vir"}},
        {"冬のダイヤモンド", {"CMa", "Ori", "Tau", "Aur", "Gem", "CMi", "CMa"}},
        {"オリオンの三つ星", {"Ori", "Ori", "Ori"}},
    };
    ASSERT_EQ(cat().asterisms.size(), patterns.size() + 1);
    for (std::size_t a = 0; a < patterns.size(); ++a) {
        const Asterism& got = cat().asterisms[a + 1];
        EXPECT_EQ(got.name, patterns[a].first);
        ASSERT_EQ(got.rows.size(), patterns[a].second.size()) << got.name;
        for (std::size_t i = 0; i < got.rows.size(); ++i) {
            const Star& s = cat().stars[static_cast<std::size_t>(got.rows[i])];
            EXPECT_EQ(s.constellation, patterns[a].second[i]) << got.name << " star " << i;
            EXPECT_LT(s.mag, 3.5) << got.name << " star " << i;  // a pattern of bright stars
        }
    }
    // The clusters and nebulae: each in its constellation, at the table's
    // equinox (the J2000 places moved by 3.5 years of precession, 3').
    const std::vector<std::pair<std::string, std::string>> where = {
        {"M42", "Ori"}, {"M45", "Tau"}, {"M31", "And"}, {"M44", "Cnc"}, {"M13", "Her"}, {"h-χ", "Per"},
        {"M8", "Sgr"},  {"M57", "Lyr"}, {"M27", "Vul"}, {"M81", "UMa"}, {"M104", "Vir"}, {"NGC 5139", "Cen"}};
    for (const auto& [id, abbrev] : where) {
        const DeepSkyObject* o = nullptr;
        for (const DeepSkyObject& d : cat().deepSky)
            if (d.id == id) o = &d;
        ASSERT_NE(o, nullptr) << id;
        EXPECT_EQ(abbrevAt(o->raHours, o->decDeg, astro::kEquinox2003_5Jd), abbrev) << id;
    }
    // Names that would overlap a brighter neighbour's are left to the card.
    int unnamed = 0;
    for (const DeepSkyObject& d : cat().deepSky) {
        if (d.id.empty()) continue;
        const bool crowded = d.id == "M20" || d.id == "M82";
        EXPECT_EQ(d.named, !crowded) << d.id;
        unnamed += !d.named;
    }
    EXPECT_EQ(unnamed, 2);
    const DeepSkyObject& m42 = cat().deepSky[13];
    ASSERT_EQ(m42.id, "M42");
    // The annual precession by the textbook's m = 3.075 s, n = 1.336 s = 20.04".
    const double a = 5.587911 * 15.0 * M_PI / 180.0, d = -5.38967 * M_PI / 180.0;
    EXPECT_NEAR(m42.raHours, 5.587911 + 3.5 * (3.075 + 1.336 * std::sin(a) * std::tan(d)) / 3600.0, 2e-5);
    EXPECT_NEAR(m42.decDeg, -5.38967 + 3.5 * 20.04 * std::cos(a) / 3600.0, 2e-5);
}

}  // namespace
}  // namespace catalog
