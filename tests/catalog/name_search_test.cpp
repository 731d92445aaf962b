// Finding objects by name: kana and width forms, designations, catalogue
// numbers, constellations and hostile input.
#include <string>

#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/name_search.h"

namespace catalog {
namespace {

const Catalogue& cat() {
    static const Catalogue loaded = loadCatalogue();
    return loaded;
}

const NameIndex& names() {
    static const NameIndex index(cat());
    return index;
}

NameTarget first(const std::string& query) {
    const std::vector<NameTarget> found = names().find(query);
    return found.empty() ? NameTarget{NameKind::Body, -1} : found.front();
}

constexpr NameTarget star(int row) { return {NameKind::Star, row}; }

TEST(FoldName, KanaWidthCaseAndVoicedMarks) {
    const struct { const char* in; const char* out; } cases[] = {
        {"ｼﾘｳｽ", "シリウス"},
        {"しりうす", "シリウス"},
        {"ﾍﾞﾃﾙｷﾞｳｽ", "ベテルギウス"},      // half-width voiced mark joins its kana
        {"ﾌﾟﾛｷｵﾝ", "プロキオン"},          // semi-voiced
        {"ｳﾞｪｶﾞ", "ヴェガ"},
        {"か\u3099", "ガ"},                 // combining voiced mark
        {"は゜", "パ"},                     // spacing semi-voiced mark
        {"ｱｰｸﾄｩﾙｽ", "アークトゥルス"},     // long-vowel mark and small kana kept
        {"ＨＲ　２４９１", "hr2491"},       // full-width letters, digits and space
        {"α¹ Cen", "α1cen"},
        {"リギル・ケンタウルス", "リギルケンタウルス"},
        {"ﾞ", "゛"},                        // a voiced mark with nothing to join stays
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(foldName(c.in), c.out) << c.in;
    // Invalid UTF-8 (a lone continuation byte, a cut sequence, an overlong
    // slash, a surrogate) is dropped, never read past the end.
    EXPECT_EQ(foldName("\x80ｼ\xe3\x82"), "シ");
    EXPECT_EQ(foldName("\xc0\xaf" "a\xed\xa0\x80"), "a");
}

TEST(FindByName, KanaFormsDesignationsAndNumbersMeetOnOneStar) {
    for (const char* q : {"シリウス", "しりうす", "ｼﾘｳｽ", "ｼﾘｳｽ ", "α CMa", "αCMa", "alpha cma", "9 CMa",
                          "おおいぬ座α", "おおいぬ座α星", "オオイヌ座α", "HR 2491", "hr2491", "ＨＲ２４９１"}) {
        EXPECT_EQ(first(q), star(134)) << q;
    }
    EXPECT_EQ(first("ベテルギウス"), star(118));
    EXPECT_EQ(first("べてるぎうす"), star(118));
    EXPECT_EQ(first("α Ori"), star(118));
    EXPECT_EQ(first("オリオン座α"), star(118));
    EXPECT_EQ(first("58 Ori"), star(118));
    EXPECT_EQ(first("オリオン座58番星"), star(118));
    // Without its component digit a letter finds the brighter component.
    EXPECT_EQ(first("α Cen"), star(298));
    EXPECT_EQ(first("α2 Cen"), star(297));
    EXPECT_EQ(first("α² Cen"), star(297));
    EXPECT_EQ(first("北極星"), star(36));
    EXPECT_EQ(first("ぽらりす"), star(36));
    EXPECT_EQ(first("HR 3017"), star(162));
    // Every Greek letter spelled out, with or without the component digit.
    EXPECT_EQ(first("alpha Cen"), star(298));
    EXPECT_EQ(first("alpha1 Cen"), star(298));
    EXPECT_EQ(first("Alpha2 Cen"), star(297));
    EXPECT_EQ(first("beta Cyg"), first("β Cyg"));
    EXPECT_EQ(first("alpha Cru"), first("α Cru"));
    EXPECT_NE(first("alpha Cru").id, -1);
}

// Only a whole name answers: a part of one ("HR 9", "1", "シリウ" left by a
// cut multi-byte character) is refused, and the names it begins are offered.
TEST(FindByName, APartOfANameIsNoAnswer) {
    for (const char* q : {"HR 9", "HR 1", "1", "シリウ\xe3\x82", "シリ", "alp"}) {
        EXPECT_TRUE(names().find(q).empty()) << q;
    }
    EXPECT_EQ(first("HR 936").kind, NameKind::Star);
    const std::vector<std::string> offer = names().candidates("シリ");
    ASSERT_FALSE(offer.empty());
    EXPECT_EQ(offer.front(), "シリウス");
    EXPECT_TRUE(names().candidates("シリウス").empty() || names().candidates("シリウス").front() != "シリウス");
}

TEST(FindByName, EveryLabelAndStarNameFindsItsOwnRow) {
    for (std::size_t k = 1; k < cat().starLabel.size(); ++k) {
        if (!cat().starLabel[k].empty()) {
            EXPECT_EQ(first(cat().starLabel[k]), star(static_cast<int>(k))) << k;
        }
    }
    for (const StarName& n : cat().starNames) EXPECT_EQ(first(n.name), star(n.row)) << n.name;
}

TEST(FindByName, BodiesConstellationsAndWhatIsNotThere) {
    const char* bodies[] = {"太陽", "月", "金星", "火星", "木星", "土星"};
    for (int b = 0; b < 6; ++b) EXPECT_EQ(first(bodies[b]), (NameTarget{NameKind::Body, b}));
    EXPECT_EQ(first("もくせい"), (NameTarget{NameKind::Body, 4}));
    // A constellation: the name finds the constellation, whose brightest
    // star the finder turns to.
    const NameTarget orion = first("おりおん座");
    ASSERT_EQ(orion.kind, NameKind::Constellation);
    EXPECT_EQ(cat().iauConstellations[orion.id].abbrev, "Ori");
    EXPECT_EQ(brightestStarOf(cat(), orion.id), 93);  // Rigel, 0.12, before Betelgeuse
    for (int c = 1; c <= kIauConstellationCount; ++c) {
        EXPECT_EQ(first(cat().iauConstellations[c].name), (NameTarget{NameKind::Constellation, c}));
    }
    EXPECT_EQ(brightestStarOf(cat(), findIauConstellation(cat(), "Mic")), 0);  // none in the table
    EXPECT_EQ(brightestStarOf(cat(), 0), 0);
    EXPECT_TRUE(names().find("").empty());
    EXPECT_TRUE(names().find("   ").empty());
    EXPECT_TRUE(names().find("ニビル").empty());
    EXPECT_TRUE(names().find("HR 99999").empty());
    EXPECT_TRUE(names().find(std::string("\0\xff", 2)).empty());
    EXPECT_TRUE(names().find(std::string(100000, 'x')).empty());
}

TEST(CompleteName, OffersPrefixMatchesBrightestFirstThenInnerMatches) {
    const auto offered = names().complete("しり");
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered.front()->text, "シリウス");
    // "ケンタウ" is inside the names of the alpha Centauri pair and is the
    // start of the constellation's.
    const auto centaurus = names().complete("けんたう", 50);
    ASSERT_FALSE(centaurus.empty());
    EXPECT_EQ(centaurus.front()->text, "ケンタウルス座");
    bool inner = false;
    for (const NameEntry* e : centaurus) inner |= e->text == "アルファケンタウリ";
    EXPECT_TRUE(inner);
    EXPECT_LE(names().complete("a", 5).size(), 5u);
    EXPECT_TRUE(names().complete("").empty());
}

}  // namespace
}  // namespace catalog

namespace catalog {
namespace {

// What Japanese users type: every alias of the table finds the object its
// name finds (a misspelt name in the table would find nothing); English
// names in any case, 七夕 names, kana constellations with ざ, variants.
TEST(FindByName, AliasesEnglishNamesAndKanaReadings) {
    const Catalogue& c = cat();
    const NameIndex& index = names();
    for (const auto& [alias, name] : c.nameAliases) {
        const std::vector<NameTarget> want = index.find(name);
        ASSERT_FALSE(want.empty()) << name << " (for " << alias << ") names nothing";
        EXPECT_EQ(index.find(alias).front(), want.front()) << alias;
    }
    const auto starNamed = [&](std::string_view typed, const char* name) {
        const std::vector<NameTarget> got = index.find(typed);
        ASSERT_FALSE(got.empty()) << typed;
        EXPECT_EQ(got.front(), index.find(name).front()) << typed;
    };
    starNamed("sirius", "シリウス");
    starNamed("SIRIUS", "シリウス");
    starNamed("vega", "ベガ");
    starNamed("Betelgeuse", "ベテルギウス");
    starNamed("kaus australis", "カウス・アウストラリス");
    starNamed("おりひめ", "ベガ");
    starNamed("ひこぼし", "アルタイル");
    starNamed("ほっきょくせい", "北極星");

    starNamed("おりおんざ", "オリオン座");
    starNamed("オリオンざ", "オリオン座");
    starNamed("かしおぺあざ", "カシオペヤ座");
    starNamed("カシオペア座", "カシオペヤ座");
    // What people type and were refused: a constellation without 座, in
    // kanji, the 七夕 and evening-star names, a common misspelling, the
    // English names of the bodies.
    for (const auto& [typed, name] :
         std::vector<std::pair<const char*, const char*>>{
             {"オリオン", "オリオン座"}, {"おりおん", "オリオン座"}, {"さそり", "さそり座"}, {"織姫", "ベガ"},
             {"南十字星", "みなみじゅうじ座"}, {"三つ星", "オリオンの三つ星"}, {"宵の明星", "金星"},
             {"明けの明星", "金星"}, {"ペテルギウス", "ベテルギウス"}, {"白鳥座", "はくちょう座"}, {"琴座", "こと座"},
             {"Venus", "金星"}, {"jupiter", "木星"}, {"Mars", "火星"}, {"Moon", "月"}, {"Sun", "太陽"}})
        starNamed(typed, name);
    EXPECT_TRUE(index.find("ベテルギ").empty());
    EXPECT_TRUE(index.find("siriusb").empty());

    // The star patterns and the clusters and nebulae, by name, reading,
    // catalogue number and the names users know them by.
    const auto is = [&](std::string_view typed, NameKind kind, const std::string& name) {
        const std::vector<NameTarget> got = index.find(typed);
        ASSERT_FALSE(got.empty()) << typed;
        EXPECT_EQ(got.front().kind, kind) << typed;
        const int id = got.front().id;
        EXPECT_EQ(kind == NameKind::Asterism ? c.asterisms[static_cast<std::size_t>(id)].name
                                             : c.deepSky[static_cast<std::size_t>(id)].name,
                  name)
            << typed;
    };
    for (const char* pattern : {"夏の大三角", "冬の大三角", "春の大三角", "秋の四辺形", "北斗七星", "春の大曲線", "冬のダイヤモンド"})
        is(pattern, NameKind::Asterism, pattern);
    is("なつのだいさんかく", NameKind::Asterism, "夏の大三角");
    is("Summer Triangle", NameKind::Asterism, "夏の大三角");
    is("big dipper", NameKind::Asterism, "北斗七星");
    is("M42", NameKind::DeepSky, "オリオン大星雲");
    is("m 42", NameKind::DeepSky, "オリオン大星雲");
    is("すばる", NameKind::DeepSky, "すばる");
    is("プレアデス星団", NameKind::DeepSky, "すばる");
    is("M45", NameKind::DeepSky, "すばる");
    is("アンドロメダ大星雲", NameKind::DeepSky, "アンドロメダ銀河");
    is("M31", NameKind::DeepSky, "アンドロメダ銀河");
    is("プレセペ星団", NameKind::DeepSky, "プレセペ星団");
    is("M13", NameKind::DeepSky, "ヘルクレス座球状星団");
    is("h-χ", NameKind::DeepSky, "二重星団");
    is("M57", NameKind::DeepSky, "環状星雲");
    // Only whole numbers: M4 is not in the table, and is not M45 or M42.
    EXPECT_TRUE(index.find("M4").empty());
    EXPECT_TRUE(index.find("夏の大").empty());
}

}  // namespace
}  // namespace catalog
