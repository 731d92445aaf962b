// ふりがな: the school grades of the kanji, where ruby goes and what it
// says, and a reading for every kanji word the program writes.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/session/answers.h"
#include "app/session/card_text.h"
#include "app/session/eclipse_text.h"
#include "catalog/catalog.h"
#include "catalog/readings.h"
#include "catalog/utf8.h"

namespace {

const catalog::Catalogue& cat() {
    static const catalog::Catalogue c = catalog::loadCatalogue();
    return c;
}

// The pieces written out: ruby as 漢字(かんじ).
std::string shown(std::string_view text, int throughGrade) {
    std::string out;
    for (const catalog::RubyPiece& p : catalog::rubyPieces(text, throughGrade))
        out += p.reading.empty() ? p.text : p.text + "(" + p.reading + ")";
    return out;
}

TEST(Ruby, GradesAreThe2020List) {
    // 1,026 kanji: 80, 160, 200, 202, 193 and 191 by grade.
    int count[7] = {};
    for (char32_t c = 0x3400; c <= 0x9FFF; ++c) ++count[catalog::kanjiGrade(c)];
    EXPECT_EQ(count[1], 80);
    EXPECT_EQ(count[2], 160);
    EXPECT_EQ(count[3], 200);
    EXPECT_EQ(count[4], 202);
    EXPECT_EQ(count[5], 193);
    EXPECT_EQ(count[6], 191);
    // The prefectures' kanji came to the 4th grade in 2020.
    EXPECT_EQ(catalog::kanjiGrade(U'潟'), 4);
    EXPECT_EQ(catalog::kanjiGrade(U'阜'), 4);
    EXPECT_EQ(catalog::kanjiGrade(U'星'), 2);
    EXPECT_EQ(catalog::kanjiGrade(U'座'), 6);
    EXPECT_EQ(catalog::kanjiGrade(U'惑'), 0);
    EXPECT_EQ(catalog::kanjiGrade(U'ほ'), 0);
}

TEST(Ruby, GoesOverWordsBeyondTheGradeAndOverTheirKanjiOnly) {
    // A 4th grader reads 金星 and 見える, not 惑星 or 座.
    EXPECT_EQ(shown("金星は惑星です。オリオン座が見える", 4), "金星は惑星(わくせい)です。オリオン座(ざ)が見える");
    // Every kanji word: okurigana stay plain, and a word is read whole.
    EXPECT_EQ(shown("日の入りに月が見える", 0), "日(ひ)の入(い)りに月(つき)が見(み)える");
    EXPECT_EQ(shown("南中 輝面比 赤緯", 0), "南中(なんちゅう) 輝面比(きめんひ) 赤緯(せきい)");
    // After a number a kanji is a counter.
    EXPECT_EQ(shown("12月11日 19時55分、3日後", 0), "12月(がつ)11日(にち) 19時(じ)55分(ふん)、3日後(みっかご)");
    EXPECT_EQ(shown("1月1日 6時41分、20日", 0), "1月(がつ)1日(ついたち) 6時(じ)41分(ぷん)、20日(はつか)");
    // A fist's width is ぶん, a bare minute ふん.
    EXPECT_EQ(shown("こぶし1つ分 間隔（分）", 0), "こぶし1つ分(ぶん) 間隔(かんかく)（分(ふん)）");
    // The sixteen points are words of their own: 東北東 is not 東 and 北東.
    EXPECT_EQ(shown("東北東", 0), "東北東(とうほくとう)");
    // Nothing is lost: invalid bytes dropped, unknown kanji and other text kept.
    EXPECT_EQ(shown("A\xff" "鬱B", 0), "A鬱B");
    EXPECT_EQ(shown("", 0), "");
    // なし is not asked; grade 6 still reads 惑 (taught in junior high).
    EXPECT_EQ(shown("星座と惑星", 6), "星座と惑星(わくせい)");
}

// Every kanji of a text sits under a reading when every kanji word is read.
void expectAllRead(const std::string& text, std::vector<std::string>& unread) {
    for (const catalog::RubyPiece& p : catalog::rubyPieces(text, 0)) {
        if (!p.reading.empty()) continue;
        for (const char32_t c : catalog::decodeUtf8All(p.text))
            if ((c >= 0x3400 && c <= 0x9FFF) || c == U'々') {
                unread.push_back(text);
                return;
            }
    }
}

TEST(Ruby, EveryKanjiTheProgramWritesHasAReading) {
    std::vector<std::string> unread;
    const catalog::Catalogue& c = cat();
    for (std::size_t i = 1; i < c.places.size(); ++i) expectAllRead(c.places[i].name, unread);
    for (std::size_t i = 1; i < c.iauConstellations.size(); ++i) expectAllRead(c.iauConstellations[i].name, unread);
    for (const auto& s : c.starNames) expectAllRead(s.name, unread);
    for (const std::string& s : c.starLabel) expectAllRead(s, unread);
    for (std::size_t i = 1; i < c.showers.size(); ++i) expectAllRead(c.showers[i].name, unread);
    for (std::size_t i = 1; i < c.asterisms.size(); ++i) expectAllRead(c.asterisms[i].name, unread);
    for (std::size_t i = 1; i < c.deepSky.size(); ++i) {
        expectAllRead(c.deepSky[i].name, unread);
        expectAllRead(c.deepSky[i].kind, unread);
    }
    // The evening's sentences and the cards of the bodies and bright stars,
    // through the seasons and the showers' nights, here and far north.
    const auto now = std::chrono::system_clock::now();
    const app::LocalZone jst;
    for (const astro::CivilMinute at : {astro::CivilMinute{2026, 1, 3, 21, 0}, {2026, 4, 20, 20, 0}, {2026, 6, 21, 22, 0},
                                        {2026, 8, 12, 23, 0}, {2026, 10, 21, 2, 0}, {2026, 12, 14, 19, 0}}) {
        for (const char* place : {"東京", "那覇", "札幌"}) {
            app::SkyQuery q;
            q.at = at;
            q.placeIndex = catalog::findPlace(c, place);
            expectAllRead(app::tonightAnswerText(app::answerTonight(q, c, jst, now), jst, false), unread);
            const app::SkyAnswer sky = app::answerSky(q, c, jst, now);
            for (const char* name : {"太陽", "月", "金星", "火星", "木星", "土星", "シリウス", "ベガ", "北極星", "M42", "オリオン座"}) {
                const app::FindResult r = app::answerFind({q, name, false, 1.0, std::nullopt, false}, c, jst, now);
                for (const std::string& line : app::cardLines(app::cardFacts(r.found.info, sky.sky, jst.offset), jst.offset))
                    expectAllRead(line, unread);
            }
        }
        app::SkyQuery north;
        north.at = at;
        north.latDeg = 78.2;
        north.lonDeg = 15.6;
        expectAllRead(app::tonightAnswerText(app::answerTonight(north, c, jst, now), jst, false), unread);
    }
    // The eclipse tables: solar and lunar, partial, total and annular, rising eclipsed.
    for (const auto& [date, place] : {std::pair{astro::LocalDate{2035, 9, 2}, "東京"}, {astro::LocalDate{2026, 3, 3}, "那覇"},
                                      {astro::LocalDate{2012, 5, 21}, "東京"}, {astro::LocalDate{2030, 6, 1}, "札幌"}}) {
        app::SkyQuery q;
        q.placeIndex = catalog::findPlace(c, place);
        const app::EclipseAnswer a = app::answerEclipse(q, date, c, jst, now);
        ASSERT_TRUE(a.eclipse.has_value()) << place;
        expectAllRead(app::eclipseText(*a.eclipse, place, jst), unread);
        expectAllRead(app::eclipsesText(app::answerEclipses(q, date, date, c, jst, now), jst), unread);
    }
    for (const std::string& text : unread) ADD_FAILURE() << "a kanji without a reading in: " << text;
}

}  // namespace
