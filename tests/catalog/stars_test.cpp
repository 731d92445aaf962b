#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/csv.h"

namespace catalog {
namespace {

const Catalogue& cat() {
    static const Catalogue loaded = loadCatalogue();
    return loaded;
}

struct Designation {
    int hr = 0;
    std::string constellation;
    std::string name;  // bytes 5-14 of the bright-star catalogue, trimmed
};

// Row -> catalogue designation, as written by tools/build_star_table.py.
const std::map<int, Designation>& designations() {
    static const std::map<int, Designation> table = [] {
        std::ifstream in(STAR_DESIGNATIONS_CSV, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const CsvParseResult parsed = parseCsv(text.str());
        std::map<int, Designation> rows;
        for (std::size_t i = 1; parsed.ok() && i < parsed.records.size(); ++i) {
            const CsvRecord& r = parsed.records[i];
            if (r.size() != 4) continue;
            rows[parseInt(r[0]).value_or(0)] = {parseInt(r[1]).value_or(0), r[2], r[3]};
        }
        return rows;
    }();
    return table;
}

double separationDeg(const Star& a, const Star& b) {
    constexpr double kRad = 0.017453292519943;
    const double c = std::sin(a.decDeg * kRad) * std::sin(b.decDeg * kRad) +
                     std::cos(a.decDeg * kRad) * std::cos(b.decDeg * kRad) *
                         std::cos((a.raHours - b.raHours) * 15.0 * kRad);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) / kRad;
}

// Figure nodes that are stars of a neighbouring constellation on purpose:
// (figure abbreviation, row).
const std::set<std::pair<std::string, int>> kBorrowedNodes = {
    {"Peg", 1},    // Alpheratz, corner of the Great Square
    {"Aur", 98},   // Elnath, shared with Taurus
    {"Ser", 341},  // delta Oph
    {"Ser", 394},  // nu Oph
};

TEST(StarTable, EveryRowOneTo508IsFilled) {
    for (int row = 1; row <= kStarCount; ++row) {
        const Star& s = cat().stars[row];
        EXPECT_TRUE(s.raHours != 0.0 || s.decDeg != 0.0) << row;
        EXPECT_GE(s.raHours, 0.0) << row;
        EXPECT_LT(s.raHours, 24.0) << row;
        EXPECT_LE(std::fabs(s.decDeg), 90.0) << row;
        EXPECT_LE(s.mag, 4.43) << row;
        if (row != 501) {
            EXPECT_GT(s.hr, 0) << row;  // 501 is a cluster, no catalogue star
        }
    }
    EXPECT_EQ(cat().stars[501].hr, 0);
}

TEST(StarTable, OrderedRunAscendsInRightAscensionAndIsBright) {
    // Rows 254 and 255 keep the original list's order (epsilon Cru before
    // eta Vir) so that Virgo's figure reaches eta Vir; they are the only
    // pair out of order.
    for (int row = 2; row <= 496; ++row) {
        if (row == 255) {
            EXPECT_GT(cat().stars[254].raHours, cat().stars[255].raHours);
            continue;
        }
        EXPECT_GT(cat().stars[row].raHours, cat().stars[row - 1].raHours) << row;
    }
    EXPECT_GT(cat().stars[256].raHours, cat().stars[254].raHours);
    for (int row = 1; row <= 496; ++row) EXPECT_LE(cat().stars[row].mag, 3.99) << row;
    for (int row = 497; row <= 508; ++row) {
        if (row != 501) {
            EXPECT_GE(cat().stars[row].mag, 4.05) << row;
            EXPECT_LE(cat().stars[row].mag, 4.43) << row;
        }
    }
}

TEST(StarTable, StatedRowsHoldTheirExactValues) {
    struct Row { int row; double ra, dec, mag; };
    const Row stated[] = {
        {1, 0.14283, 29.1097, 2.06},    {24, 1.63072, -57.2192, 0.46},
        {36, 2.59708, 89.2794, 2.02},   {134, 6.75503, -16.7208, -1.46},
        {297, 14.66358, -60.8525, 1.33}, {298, 14.66428, -60.8475, -0.01},
        {410, 18.61761, 38.7872, 0.03}, {496, 23.65822, 77.6519, 3.21},
        {497, 0.61678, 33.8219, 4.36},  {501, 13.45333, -47.3333, 3.0},
        {508, 6.63408, -18.2408, 4.43},
    };
    for (const Row& r : stated) {
        const Star& s = cat().stars[r.row];
        EXPECT_EQ(s.raHours, r.ra) << r.row;
        EXPECT_EQ(s.decDeg, r.dec) << r.row;
        EXPECT_EQ(s.mag, r.mag) << r.row;
    }
}

TEST(StarTable, NamedStarsEqualTheirLabelledRows) {
    // The numeric-table list repeats the labelled rows; two declinations
    // carry a fifth decimal there.
    std::map<std::string, int> rowOfLabel;
    for (int row = 1; row <= kStarCount; ++row) {
        if (!cat().starLabel[row].empty()) rowOfLabel[cat().starLabel[row]] = row;
    }
    ASSERT_EQ(rowOfLabel.size(), 20u);
    for (int n = 1; n <= kNamedStarCount; ++n) {
        const NamedStar& named = cat().namedStars[n];
        ASSERT_EQ(rowOfLabel.count(named.name), 1u) << named.name;
        const Star& s = cat().stars[rowOfLabel[named.name]];
        EXPECT_EQ(named.raHours, s.raHours) << named.name;
        EXPECT_EQ(named.mag, s.mag) << named.name;
        EXPECT_NEAR(named.decDeg, s.decDeg, 0.00005) << named.name;
    }
    EXPECT_EQ(cat().namedStars[9].decDeg, 5.21583);
    EXPECT_EQ(cat().stars[157].decDeg, 5.2158);
    EXPECT_EQ(cat().namedStars[16].decDeg, 38.78722);
    EXPECT_EQ(cat().namedStars[20].name, "北極星");
    for (int n = 2; n <= 19; ++n) {
        EXPECT_GT(cat().namedStars[n].raHours, cat().namedStars[n - 1].raHours) << n;
    }
}

TEST(StarTable, LabelledRowsAreTheNamedStarsByDesignation) {
    const std::map<int, std::pair<std::string, std::string>> expected = {
        {24, {"ｱｶｰﾅｰ", "Alp Eri"}},       {36, {"北極星", "1Alp UMi"}},
        {80, {"ｱﾙﾃﾞﾊﾞﾗﾝ", "87Alp Tau"}},  {93, {"ﾘｹﾞﾙ", "19Bet Ori"}},
        {94, {"ｶﾍﾟﾗ", "13Alp Aur"}},      {118, {"ﾍﾞﾃﾙｷﾞｳｽ", "58Alp Ori"}},
        {129, {"ｶﾉｰﾌﾟｽ", "Alp Car"}},     {134, {"ｼﾘｳｽ", "9Alp CMa"}},
        {156, {"ｶｽﾄﾙ", "66Alp Gem"}},     {157, {"ﾌﾟﾛｷｵﾝ", "10Alp CMi"}},
        {163, {"ﾎﾟﾙｯｸｽ", "78Bet Gem"}},   {211, {"ﾚｸﾞﾙｽ", "32Alp Leo"}},
        {277, {"ｽﾋﾟｶ", "67Alp Vir"}},     {292, {"ｱｰｸﾄｩﾙｽ", "16Alp Boo"}},
        {298, {"ｱﾙﾌｧｾﾝﾀｳﾘ", "Alp1Cen"}}, {348, {"ｱﾝﾀﾚｽ", "21Alp Sco"}},
        {410, {"ﾍﾞｶﾞ", "3Alp Lyr"}},      {433, {"ｱﾙﾀｲﾙ", "53Alp Aql"}},
        {450, {"ﾃﾞﾈﾌﾞ", "50Alp Cyg"}},    {487, {"ﾌｫｰﾏﾙﾊｳﾄ", "24Alp PsA"}},
    };
    int labelled = 0;
    for (int row = 1; row <= kStarCount; ++row) labelled += !cat().starLabel[row].empty();
    EXPECT_EQ(labelled, 20);
    for (const auto& [row, want] : expected) {
        EXPECT_EQ(cat().starLabel[row], want.first) << row;
        ASSERT_EQ(designations().count(row), 1u) << row;
        EXPECT_EQ(designations().at(row).name, want.second) << row;
        EXPECT_EQ(designations().at(row).hr, cat().stars[row].hr) << row;
    }
    EXPECT_EQ(designations().at(297).name, "Alp2Cen");
}

TEST(Figures, EveryNodeIsAStarOfItsOwnConstellation) {
    ASSERT_EQ(designations().size(), static_cast<std::size_t>(kStarCount));
    for (int c = 1; c <= kConstellationCount; ++c) {
        const Constellation& con = cat().constellations[c];
        for (const std::int16_t row : con.nodes) {
            if (row <= 0) continue;
            if (kBorrowedNodes.count({con.abbrev, row})) continue;
            EXPECT_EQ(designations().at(row).constellation, con.abbrev)
                << con.name << " node " << row << " is " << designations().at(row).name;
        }
    }
}

TEST(Figures, NoSegmentIsLongerThanFortyDegrees) {
    double longest = 0.0;
    for (int c = 1; c <= kConstellationCount; ++c) {
        for (const FigureSegment& seg : figureSegments(cat().constellations[c])) {
            const double d = separationDeg(cat().stars[seg.fromRow], cat().stars[seg.toRow]);
            longest = std::fmax(longest, d);
            EXPECT_LE(d, 40.0) << cat().constellations[c].name << " " << seg.fromRow << "-" << seg.toRow;
        }
    }
    std::cout << "longest figure segment: " << longest << " deg\n";
}

TEST(Figures, AppendedRowsServeOnlyTheirFigures) {
    const std::map<int, std::string> owner = {
        {497, "And"}, {498, "And"}, {499, "And"}, {500, "And"}, {501, "Cen"}, {502, "Boo"},
        {503, "Boo"}, {504, "Boo"}, {505, "CMa"}, {506, "CMa"}, {507, "CMa"}, {508, "CMa"},
    };
    std::set<int> seen;
    for (int c = 1; c <= kConstellationCount; ++c) {
        const Constellation& con = cat().constellations[c];
        for (const std::int16_t row : con.nodes) {
            if (row < 497) continue;
            EXPECT_EQ(owner.at(row), con.abbrev) << row;
            seen.insert(row);
        }
    }
    EXPECT_EQ(seen.size(), owner.size());
}

}  // namespace
}  // namespace catalog
