// The session layer answers every front end the same way: one JSON
// escaping rule, one local-time rule (JST is UTC+9 at every date whatever
// the zone data says; abroad, the zone data for the instant), and the texts
// the window shows built from the same pieces as the chart title.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/session/chart_heading.h"
#include "app/session/draw_list.h"
#include "app/session/fields.h"
#include "app/session/json_writer.h"
#include "app/session/moment_text.h"
#include "app/session/picture_fit.h"
#include "app/session/settings.h"
#include "app/session/sky_moments.h"
#include "app/session/time_step.h"
#include "app/session/zone.h"
#include "astro/astro.h"
#include "astro/number_text.h"

namespace {

using app::LocalZone;

// The draw list writes each coordinate from its whole thousandths of a
// twip: the very digits of the shortest form of the rounded value, for
// values across the picture, its fractions, negatives and far-off markers.
TEST(DrawList, CoordinatesAreTheShortestFormOfTheirThousandths) {
    std::vector<float> values = {0.0f, -0.0f, 0.5f, -0.5f, 0.001f, -0.0004f, 7271.652f, 14655.0f, 1.0e6f, -1.0e6f,
                                 3.0e9f, 123456.789f, 9999.9995f};
    for (int i = 0; i < 20000; ++i) values.push_back(static_cast<float>(i) * 0.7331f - 3000.0f);
    for (const float v : values) {
        app::DrawListPainter p;
        p.point(v, 0.0f, {0, 0, 0});
        const double rounded = std::round(static_cast<double>(v) * 1000.0) / 1000.0;
        const std::string want = astro::shortestText(rounded == 0.0 ? 0.0 : rounded);
        // Large whole numbers: the shortest form may be written with an
        // exponent; the value must be the same.
        const std::string& ops = p.ops();
        const std::string got = ops.substr(ops.find(',') + 1, ops.find(',', ops.find(',') + 1) - ops.find(',') - 1);
        if (want.find('e') == std::string::npos) {
            EXPECT_EQ(got, want) << v;
        } else {
            EXPECT_EQ(std::stod(got), std::stod(want)) << v << ": " << got << " vs " << want;
        }
    }
}

TEST(JsonString, EscapesControlsQuotesAndInvalidBytesOneWay) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"東京", "\"東京\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
        {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
        {std::string("\0x", 2), "\"\\u0000x\""},
        // Bytes that are not UTF-8: a lone continuation byte, a cut sequence
        // (シリウ + the first two bytes of ス), an overlong '/', a surrogate.
        {"\x80", "\"\\ufffd\""},
        {"シリウ\xe3\x82", "\"シリウ\\ufffd\\ufffd\""},
        {"\xc0\xaf", "\"\\ufffd\\ufffd\""},
        {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
        {"\xf0\x9f\x8c\x99", "\"\xf0\x9f\x8c\x99\""},  // 🌙 stays as it is
    };
    for (const Case& c : cases) EXPECT_EQ(app::jsonString(c.in), c.out) << c.in;

    app::JsonObject j;
    j.text("na\"me", "x\ny");
    j.number("alt", -0.00001, 2);
    j.number("bad", 1.0 / 0.0, 2);
    j.integer("hr", 2491);
    EXPECT_EQ(j.done(), "{\"na\\\"me\": \"x\\ny\", \"alt\": 0.00, \"bad\": null, \"hr\": 2491}\n");
    EXPECT_EQ(app::jsonRoundTrip(0.1), "0.10000000000000001");
}

// A stand-in for the zone data: Tokyo with its local mean time before 1888
// and summer time in July 1949 (what tzdata says), London on GMT in winter
// and BST in summer, local mean time before December 1847.
app::ZoneLookup fakeZoneData() {
    return [](const std::string& name) -> std::optional<astro::UtcOffsetFn> {
        if (name == "Asia/Tokyo") {
            return astro::UtcOffsetFn([](double jdUt) {
                if (jdUt < 2410000.0) return 9 * 3600 + 18 * 60 + 59;  // before 1888
                const astro::CalendarDate d = astro::ydYMD(jdUt);
                return d.year == 1949 && d.month >= 5 && d.month <= 9 ? 10 * 3600 : 9 * 3600;
            });
        }
        if (name == "Europe/London") {
            return astro::UtcOffsetFn([](double jdUt) {
                if (jdUt < 2395997.5) return -75;  // before 1847-12-01
                const astro::CalendarDate d = astro::ydYMD(jdUt);
                return d.year >= 1916 && d.month >= 4 && d.month <= 9 ? 3600 : 0;
            });
        }
        return std::nullopt;
    };
}

TEST(LocalTime, JapanIsUtcPlusNineAtEveryDateAndAbroadFollowsTheZoneData) {
    const app::ZoneLookup data = fakeZoneData();
    const std::optional<LocalZone> tokyo = app::resolveZone("Asia/Tokyo", data);
    ASSERT_TRUE(tokyo && tokyo->isJapan());
    const std::optional<LocalZone> london = app::resolveZone("Europe/London", data);
    ASSERT_TRUE(london);
    EXPECT_FALSE(app::resolveZone("No/Such_Zone", data));
    // Without any zone data Japan is still known.
    EXPECT_TRUE(app::resolveZone("Asia/Tokyo", {}));

    struct Case {
        astro::CivilMinute jst;
        astro::CivilMinute london;
    };
    const Case cases[] = {
        {{1850, 3, 1, 0, 0}, {1850, 2, 28, 15, 0}},
        {{1500, 6, 1, 12, 0}, {1500, 6, 1, 2, 58}},  // local mean time -0:01:15, cut to the minute
        {{1949, 7, 15, 23, 30}, {1949, 7, 15, 15, 30}},
        {{2026, 1, 15, 22, 0}, {2026, 1, 15, 13, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::localClock(c.jst, *tokyo), c.jst);
        EXPECT_EQ(app::localClock(c.jst, *london), c.london) << c.jst.year;
        // The status line and the chart title say the same local time.
        const astro::SkyInput in{.year = c.jst.year, .month = c.jst.month, .day = double(c.jst.day),
                                 .hour = double(c.jst.hour), .minute = double(c.jst.minute), .latDeg = 51.5,
                                 .lonDeg = -0.13};
        const view::ChartHeading h = app::chartHeading(in, "ロンドン", view::Direction::South, *london);
        ASSERT_TRUE(h.localClock);
        EXPECT_EQ(*h.localClock, c.london);
        const std::string status = app::statusText(in, "ロンドン", 0, *london);
        EXPECT_NE(status.find("現地時刻 " + app::civilMinuteText(c.london)), std::string::npos) << status;
        EXPECT_EQ(app::statusText(in, "東京", 0, *tokyo).find("現地時刻"), std::string::npos);
        EXPECT_FALSE(app::chartHeading(in, "東京", view::Direction::South, *tokyo).localClock);
    }
}

TEST(MomentText, StatusLineFileNameAndFieldNotes) {
    const astro::SkyInput in{.year = 2026, .month = 1, .day = 15, .hour = 22, .minute = 0, .latDeg = -33.87,
                             .lonDeg = -151.2};
    // With trails the span is given everywhere, the sky being drawn at its end.
    EXPECT_EQ(app::statusText(in, "", 240, LocalZone{}),
              "2026年1月15日 22:00〜2026年1月16日 02:00（日本時間）　入力した場所（南緯 33.87°、西経 151.2°）　軌跡 4 時間");
    EXPECT_EQ(app::pictureFileName(in, view::Direction::West, ".png"), "sky-2026-01-15-2200-west.png");
    EXPECT_EQ(app::pictureFileName(in, view::Direction::West, ".png", 240), "sky-2026-01-15-2200-20260116-0200-west.png");
    const astro::SkyInput three{.year = 2026, .month = 12, .day = 11, .hour = 15, .minute = 0};
    EXPECT_EQ(app::pictureFileName(three, view::Direction::South, ".png", 180), "sky-2026-12-11-1500-1800-south.png");
    view::ChartHeading heading = app::chartHeading(three, "東京", view::Direction::South);
    heading.until = astro::CivilMinute{2026, 12, 11, 18, 0};
    EXPECT_EQ(view::chartTitle(heading).rfind("2026年12月11日 15:00〜18:00 日本時間　東京", 0), 0u) << view::chartTitle(heading);
    const astro::SkyInput carried{.year = 2026, .month = 12, .day = 31, .hour = 25, .minute = 0};
    EXPECT_EQ(app::pictureFileName(carried, view::Direction::North, ".pdf"), "sky-2027-01-01-0100-north.pdf");

    app::FieldTexts t;
    t.text = {"2026", "13", "1", "25", "x", "35", "139"};
    const auto notes = app::fieldNotes(app::readFields(t));
    EXPECT_EQ(notes[astro::FieldMonth], "月は 1〜12 の範囲外です。繰り越して 2027年1月2日 01:00 として計算しました。");
    EXPECT_NE(notes[astro::FieldHour].find("時は 0〜23 の範囲外です。"), std::string::npos);
    EXPECT_FALSE(notes[astro::FieldMinute].empty());  // no number: astro's own note
    EXPECT_TRUE(notes[astro::FieldDay].empty());
    EXPECT_TRUE(notes[astro::FieldLat].empty());
}

TEST(FilmMoments, StepLikeTheTimerAndNameTheFirstFrameOutOfRange) {
    std::string error;
    const astro::SkyInput start{.year = 2026, .month = 12, .day = 31, .hour = 23, .minute = 30};
    const auto moments = app::filmMoments(start, 3, 15, error);
    ASSERT_TRUE(moments);
    ASSERT_EQ(moments->size(), 3u);
    EXPECT_EQ(moments->back().year, 2027);
    EXPECT_EQ(moments->back().hour, 0.0);
    const astro::SkyInput end{.year = astro::kMaxYear, .month = 12, .day = 31, .hour = 23, .minute = 40};
    EXPECT_FALSE(app::filmMoments(end, 4, 10, error));
    EXPECT_EQ(error, "frame 3 falls outside the years -32768..32767");
}

// The steps lessons need: days at the same clock time, and sidereal days
// after which the stars stand where they stood (each frame at the minute
// nearest its k steps, so the rounding never adds up: the sidereal time of
// frame 100 is within half a minute of the first's).
TEST(FilmMoments, DaysAndSiderealDays) {
    int minutes = 0;
    double exact = 0.0;
    EXPECT_EQ(app::parseFilmStep("15", minutes, exact), "");
    EXPECT_EQ(minutes, 15);
    EXPECT_EQ(exact, 0.0);
    EXPECT_EQ(app::parseFilmStep("7d", minutes, exact), "");
    EXPECT_EQ(minutes, 7 * 1440);
    EXPECT_EQ(app::parseFilmStep("1sd", minutes, exact), "");
    EXPECT_EQ(minutes, 1436);
    EXPECT_NEAR(exact, 1436.068175, 1e-9);
    for (const char* bad : {"", "0", "0d", "367d", "1.5d", "d", "1s", "-1", "1sdd", "527041"})
        EXPECT_NE(app::parseFilmStep(bad, minutes, exact), "") << bad;

    std::string error;
    const astro::SkyInput start{.year = 2026, .month = 1, .day = 15, .hour = 20, .minute = 0, .latDeg = 35.65,
                                .lonDeg = 139.75};
    const auto days = app::filmMoments(start, 8, 1440, error);
    ASSERT_TRUE(days);
    EXPECT_EQ(days->back().day, 22.0);
    EXPECT_EQ(days->back().hour, 20.0);
    const auto sidereal = app::filmMoments(start, 101, 1436, error, app::kSiderealDayMinutes);
    ASSERT_TRUE(sidereal);
    const double first = astro::computeSky(sidereal->front()).siderealTimeHours;
    const double last = astro::computeSky(sidereal->back()).siderealTimeHours;
    EXPECT_LT(std::fabs(std::remainder(last - first, 24.0)) * 60.0, 0.51) << "minutes of sidereal time";
    EXPECT_EQ(sidereal->at(1).hour * 60 + sidereal->at(1).minute, 19 * 60 + 56.0);  // 23 h 56 min later

    // Long films of sidereal years: k steps of 366 sidereal days pass two
    // billion minutes, yet every frame in range is made and the first out of
    // range is named.
    const astro::SkyInput early{.year = -30000, .month = 1, .day = 1, .latDeg = 35, .lonDeg = 139};
    const auto many = app::filmMoments(early, 9999, 525600, error, 366 * app::kSiderealDayMinutes);
    ASSERT_TRUE(many) << error;
    EXPECT_NEAR(many->back().year, -30000 + 9998 * 365.0 / 365.2425, 1.0);
    const astro::SkyInput late{.year = 28000, .month = 1, .day = 1, .latDeg = 35, .lonDeg = 139};
    EXPECT_FALSE(app::filmMoments(late, 4800, 525600, error, 366 * app::kSiderealDayMinutes));
    EXPECT_EQ(error.rfind("frame 47", 0), 0u) << error;
}

// One rule for a coordinate wherever it comes from: a longitude of 1e20 in
// the settings file or a field names the meridian it reduces to, so the
// sky still turns (it was taken as is, and the Sun stood still).
TEST(Coordinates, LongitudesPastTheAntimeridianAreReducedEverywhere) {
    const app::Settings s = app::parseSettings("48,35,1e20\n");
    EXPECT_TRUE(s.hasCoordinates);
    EXPECT_GE(s.lonDeg, -180.0);
    EXPECT_LE(s.lonDeg, 180.0);
    EXPECT_EQ(app::parseSettings("48,35,-190\n").lonDeg, 170.0);
    EXPECT_EQ(app::parseSettings("48,95,10\n").hasCoordinates, true);  // the longitude still counts
    EXPECT_EQ(app::parseSettings("48,95,10\n").latDeg, 0.0);           // a latitude past a pole does not

    app::FieldTexts t;
    t.text = {"2026", "1", "15", "22", "0", "35", "540"};
    const astro::SkyFieldsReading r = app::readFields(t);
    EXPECT_EQ(r.input.lonDeg, 180.0);
    EXPECT_EQ(r.fields[astro::FieldLon].status, astro::FieldStatus::Clamped);
    EXPECT_FALSE(app::fieldNotes(r)[astro::FieldLon].empty());
    t.text[astro::FieldLon] = "139.75";
    EXPECT_EQ(app::readFields(t).fields[astro::FieldLon].status, astro::FieldStatus::Number);
}

// The window's picture: the design's at the design size and a little
// above, whole steps of an eighth when it grows, never unusable numbers.
TEST(PictureFit, DesignSizeExactlyLargerScaledAndCentred) {
    EXPECT_EQ(app::fitPicture(985.0, 633.0, 977.0, 625.0), app::PictureFit{});
    EXPECT_EQ(app::fitPicture(1200.0, 760.0, 977.0, 625.0), app::PictureFit{});  // 1.216: still the design's
    const app::PictureFit hd = app::fitPicture(1920.0, 1040.0, 977.0, 625.0);
    EXPECT_DOUBLE_EQ(hd.scale, 1.625);
    EXPECT_DOUBLE_EQ(hd.originX, std::floor((1920.0 - 977.0 * 1.625) / 2.0));
    EXPECT_DOUBLE_EQ(hd.originY, std::floor((1040.0 - 625.0 * 1.625) / 2.0));
    EXPECT_DOUBLE_EQ(app::fitPicture(3840.0, 2160.0, 977.0, 625.0).scale, 3.375);
    EXPECT_DOUBLE_EQ(app::fitPicture(1e12, 1e12, 977.0, 625.0).scale, 64.0);
    for (const double bad : {0.0, -5.0, double(NAN), double(INFINITY)}) {
        EXPECT_EQ(app::fitPicture(bad, 1000.0, 977.0, 625.0), app::PictureFit{});
        EXPECT_EQ(app::fitPicture(2000.0, 1000.0, bad, 625.0), app::PictureFit{});
    }
}

}  // namespace
