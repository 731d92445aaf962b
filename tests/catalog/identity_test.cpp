// Each star row's identity (Bayer letter, Flamsteed number, constellation,
// colour index) against the catalogue, and the constellation and proper-name
// tables against the figures and labels.
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

// Bytes 5-14 of the catalogue entry behind each row, from the tool's
// designation file: "9Alp CMa", "Alp1Cen", "51    And", "" (no name).
std::map<int, std::string> nameFields() {
    std::ifstream in(STAR_DESIGNATIONS_CSV, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const CsvParseResult parsed = parseCsv(text.str());
    std::map<int, std::string> rows;
    for (std::size_t i = 1; parsed.ok() && i < parsed.records.size(); ++i) {
        if (parsed.records[i].size() == 4) rows[parseInt(parsed.records[i][0]).value_or(0)] = parsed.records[i][3];
    }
    return rows;
}

// The catalogue's name field read independently of the tool: right-aligned
// Flamsteed number, three-letter Bayer code, component digit, constellation.
struct NameField {
    int flamsteed = 0;
    std::string bayerCode;
    std::string component;
    std::string constellation;
};
NameField readNameField(std::string field) {
    field = std::string(10 - std::min<std::size_t>(field.size(), 10), ' ') + field;  // re-pad to 10
    NameField f;
    const std::string num = field.substr(0, 3);
    for (const char c : num) {
        if (c >= '0' && c <= '9') f.flamsteed = f.flamsteed * 10 + (c - '0');
    }
    std::string code = field.substr(3, 3);
    while (!code.empty() && code.back() == ' ') code.pop_back();
    f.bayerCode = code;
    if (field[6] != ' ') f.component = std::string(1, field[6]);
    f.constellation = field.substr(7, 3);
    return f;
}

TEST(StarIdentity, EveryNamedRowCarriesTheCatalogueNameField) {
    const std::map<std::string, std::string> greek = {
        {"Alp", "α"}, {"Bet", "β"}, {"Gam", "γ"}, {"Del", "δ"}, {"Eps", "ε"}, {"Zet", "ζ"},
        {"Eta", "η"}, {"The", "θ"}, {"Iot", "ι"}, {"Kap", "κ"}, {"Lam", "λ"}, {"Mu", "μ"},
        {"Nu", "ν"},  {"Xi", "ξ"},  {"Omi", "ο"}, {"Pi", "π"},  {"Rho", "ρ"}, {"Sig", "σ"},
        {"Tau", "τ"}, {"Ups", "υ"}, {"Phi", "φ"}, {"Chi", "χ"}, {"Psi", "ψ"}, {"Ome", "ω"}};
    const auto fields = nameFields();
    ASSERT_EQ(fields.size(), static_cast<std::size_t>(kStarCount));
    int withBayer = 0;
    for (int row = 1; row <= kStarCount; ++row) {
        if (row == 501) continue;  // the cluster: written by hand, checked below
        const Star& s = cat().stars[row];
        EXPECT_GT(findIauConstellation(cat(), s.constellation), 0) << row;
        EXPECT_TRUE(s.hasBv) << row;
        const std::string& field = fields.at(row);
        if (field.empty()) {
            EXPECT_TRUE(s.bayer.empty()) << row;
            EXPECT_EQ(s.flamsteed, 0) << row;
            continue;
        }
        const NameField f = readNameField(field);
        EXPECT_EQ(s.constellation, f.constellation) << row << " " << field;
        EXPECT_EQ(s.flamsteed, f.flamsteed) << row << " " << field;
        const std::string bayer = f.bayerCode.empty() ? "" : greek.at(f.bayerCode) + f.component;
        EXPECT_EQ(s.bayer, bayer) << row << " " << field;
        withBayer += !bayer.empty();
    }
    EXPECT_GT(withBayer, 400);
    const Star& omegaCen = cat().stars[501];
    EXPECT_EQ(omegaCen.bayer, "ω");
    EXPECT_EQ(omegaCen.constellation, "Cen");
    EXPECT_EQ(starDesignation(cat(), 501), "ω Cen");
}

TEST(StarIdentity, ColourIndexAndDesignationOfSampleRows) {
    // B-V from the catalogue (bytes 110-114) for rows of every colour.
    struct Row { int row; int hr; double bv; const char* designation; const char* ja; };
    const Row sample[] = {
        {134, 2491, 0.00, "α CMa", "おおいぬ座 α星"},
        {118, 2061, 1.85, "α Ori", "オリオン座 α星"},
        {93, 1713, -0.03, "β Ori", "オリオン座 β星"},
        {292, 5340, 1.23, "α Boo", "うしかい座 α星"},
        {348, 6134, 1.83, "α Sco", "さそり座 α星"},
        {94, 1708, 0.80, "α Aur", "ぎょしゃ座 α星"},
        {298, 5459, 0.71, "α¹ Cen", "ケンタウルス座 α¹星"},
        {297, 5460, 0.88, "α² Cen", "ケンタウルス座 α²星"},
        {25, 464, 1.28, "51 And", "アンドロメダ座 51番星"},
        {162, 3017, 1.73, "HR 3017", "とも座"},
    };
    for (const Row& r : sample) {
        const Star& s = cat().stars[r.row];
        EXPECT_EQ(s.hr, r.hr) << r.row;
        EXPECT_DOUBLE_EQ(s.bv, r.bv) << r.row;
        EXPECT_EQ(starDesignation(cat(), r.row), r.designation) << r.row;
        EXPECT_EQ(starDesignationJa(cat(), r.row), r.ja) << r.row;
    }
    EXPECT_EQ(starDesignation(cat(), 0), "");
    EXPECT_EQ(starDesignation(cat(), kStarCount + 1), "");
}

TEST(StarIdentity, TheTwentyLabelledStarsByDesignation) {
    const std::map<int, std::string> expected = {
        {24, "α Eri"},  {36, "α UMi"},  {80, "α Tau"},  {93, "β Ori"},  {94, "α Aur"},
        {118, "α Ori"}, {129, "α Car"}, {134, "α CMa"}, {156, "α Gem"}, {157, "α CMi"},
        {163, "β Gem"}, {211, "α Leo"}, {277, "α Vir"}, {292, "α Boo"}, {298, "α¹ Cen"},
        {348, "α Sco"}, {410, "α Lyr"}, {433, "α Aql"}, {450, "α Cyg"}, {487, "α PsA"},
    };
    for (const auto& [row, designation] : expected) {
        EXPECT_FALSE(cat().starLabel[row].empty()) << row;
        EXPECT_EQ(starDesignation(cat(), row), designation) << row;
        EXPECT_FALSE(starProperName(cat(), row).empty()) << row;
    }
}

TEST(ConstellationNames, AllEightyEightKeepTheFigureSpellings) {
    ASSERT_EQ(cat().iauConstellations.size(), static_cast<std::size_t>(kIauConstellationCount + 1));
    std::set<std::string> abbrevs, names;
    for (int c = 1; c <= kIauConstellationCount; ++c) {
        const ConstellationName& n = cat().iauConstellations[c];
        abbrevs.insert(n.abbrev);
        names.insert(n.name);
        EXPECT_TRUE(n.name.ends_with("座")) << n.abbrev;
        EXPECT_FALSE(n.genitive.empty()) << n.abbrev;
    }
    EXPECT_EQ(abbrevs.size(), 88u);
    EXPECT_EQ(names.size(), 88u);
    for (int c = 1; c <= kConstellationCount; ++c) {
        const Constellation& figure = cat().constellations[c];
        const int k = findIauConstellation(cat(), figure.abbrev);
        ASSERT_GT(k, 0) << figure.abbrev;
        EXPECT_EQ(cat().iauConstellations[k].name, figure.name);
    }
    const ConstellationName& cma = cat().iauConstellations[findIauConstellation(cat(), "CMa")];
    EXPECT_EQ(cma.name, "おおいぬ座");
    EXPECT_EQ(cma.genitive, "Canis Majoris");
    EXPECT_EQ(findIauConstellation(cat(), "cma"), 0);
}

TEST(StarNames, EveryStarOfMagnitudeOnePointFiveOrBrighterHasOne) {
    for (int row = 1; row <= kStarCount; ++row) {
        if (cat().stars[row].mag <= 1.5) {
            EXPECT_FALSE(starProperName(cat(), row).empty()) << row;
        }
    }
    EXPECT_EQ(starProperName(cat(), 134), "シリウス");
    EXPECT_EQ(starProperName(cat(), 36), "北極星");
    EXPECT_EQ(starProperName(cat(), 3), "");
}

}  // namespace
}  // namespace catalog
