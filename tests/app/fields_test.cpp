#include "app/session/fields.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

app::FieldTexts texts(std::array<std::string, astro::kSkyFieldCount> t) { return app::FieldTexts{std::move(t)}; }

TEST(ReadFields, PlainNumbers) {
    const astro::SkyFieldsReading r = app::readFields(texts({"2026", "12", "8", "22", "10", "35.65", "139.75"}));
    EXPECT_TRUE(r.allNumbers());
    EXPECT_EQ(r.input.year, 2026);
    EXPECT_EQ(r.input.month, 12);
    EXPECT_EQ(r.input.day, 8.0);
    EXPECT_EQ(r.input.hour, 22.0);
    EXPECT_EQ(r.input.minute, 10.0);
    EXPECT_EQ(r.input.latDeg, 35.65);
    EXPECT_EQ(r.input.lonDeg, 139.75);
}

TEST(ReadFields, UnusableTextIsNotedAndReplaced) {
    const astro::SkyFieldsReading r = app::readFields(texts({"abc", "１２", "8日", "", "1e999", "95", "-157.93"}));
    EXPECT_EQ(r.fields[astro::FieldYear].status, astro::FieldStatus::NoNumber);
    EXPECT_EQ(r.input.year, 0);
    EXPECT_EQ(r.fields[astro::FieldMonth].status, astro::FieldStatus::Number);  // full-width digits
    EXPECT_EQ(r.input.month, 12);
    EXPECT_EQ(r.fields[astro::FieldDay].status, astro::FieldStatus::Number);  // trailing text ignored
    EXPECT_EQ(r.fields[astro::FieldHour].status, astro::FieldStatus::NoNumber);
    EXPECT_EQ(r.fields[astro::FieldMinute].status, astro::FieldStatus::NotFinite);
    EXPECT_TRUE(std::isfinite(r.input.minute));
    EXPECT_EQ(r.fields[astro::FieldLat].status, astro::FieldStatus::Clamped);
    EXPECT_EQ(r.input.latDeg, 90.0);
    EXPECT_EQ(r.input.lonDeg, -157.93);
    EXPECT_FALSE(app::fieldNoteText(r.fields[astro::FieldLat]).empty());
    EXPECT_TRUE(app::fieldNoteText(r.fields[astro::FieldLon]).empty());
}

TEST(DecimalText, ShortestWithoutExponent) {
    EXPECT_EQ(app::decimalText(35.65), "35.65");
    EXPECT_EQ(app::decimalText(128.0), "128");
    EXPECT_EQ(app::decimalText(-157.93), "-157.93");
    EXPECT_EQ(app::decimalText(35), "35");
    EXPECT_EQ(app::decimalText(-0.0), "0");
    EXPECT_EQ(app::decimalText(0.0001), "0.0001");
    EXPECT_EQ(app::decimalText(std::nan("")), "0");
}

}  // namespace
