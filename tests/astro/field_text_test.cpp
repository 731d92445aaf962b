#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>
#include <string>

#include "astro/astro.h"
#include "astro/field_text.h"
#include "astro/number_text.h"

namespace astro {
namespace {

struct NumberCase {
    const char* text;
    double value;
    FieldStatus status;
    bool trailing;
};

TEST(ReadLeadingNumber, Table) {
    using S = FieldStatus;
    const NumberCase cases[] = {
        {"", 0.0, S::NoNumber, false},
        {"   ", 0.0, S::NoNumber, false},
        {"abc", 0.0, S::NoNumber, true},
        {"-", 0.0, S::NoNumber, true},
        {".", 0.0, S::NoNumber, true},
        {"35.65", 35.65, S::Number, false},
        {"  -157.93", -157.93, S::Number, false},
        {"+7", 7.0, S::Number, false},
        {".5", 0.5, S::Number, false},
        {"5.", 5.0, S::Number, false},
        {"12abc", 12.0, S::Number, true},
        {"12 ", 12.0, S::Number, false},
        {"1.5.3", 1.5, S::Number, true},
        {"1e3", 1000.0, S::Number, false},
        {"2E-2x", 0.02, S::Number, true},
        {"1e", 1.0, S::Number, true},      // no exponent digits: the e is text
        {"1e+", 1.0, S::Number, true},
        {"0x1A", 0.0, S::Number, true},    // no hexadecimal
        {"1,5", 1.0, S::Number, true},     // the decimal point is always '.'
        {"inf", 0.0, S::NoNumber, true},
        {"nan", 0.0, S::NoNumber, true},
        {"-infinity", 0.0, S::NoNumber, true},
        {"1e999", 0.0, S::NotFinite, false},
        {"-1e999", 0.0, S::NotFinite, false},
        {"1e99999999999999999999", 0.0, S::NotFinite, false},
        {"1e-999", 0.0, S::Number, false},
        {"0e999999", 0.0, S::Number, false},
        {"1e308", 1e308, S::Number, false},
        // Full-width digits, sign and point, and the ideographic space.
        {"２００５", 2005.0, S::Number, false},
        {"\xE3\x80\x80－１２．５", -12.5, S::Number, false},
        {"＋３", 3.0, S::Number, false},
        {"１2．5", 12.5, S::Number, false},
        {"１２年", 12.0, S::Number, true},
        {"\xE3\x80\x80", 0.0, S::NoNumber, false},
        {"\xEF\xBC", 0.0, S::NoNumber, true},  // truncated UTF-8
    };
    for (const NumberCase& c : cases) {
        const FieldValue v = readLeadingNumber(c.text);
        EXPECT_EQ(v.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(v.status, c.status) << '"' << c.text << '"';
        EXPECT_EQ(v.trailingText, c.trailing) << '"' << c.text << '"';
        EXPECT_FALSE(v.value == 0.0 && std::signbit(v.value)) << '"' << c.text << '"' << " gave -0";
    }
}

TEST(ReadLeadingNumber, HugeDigitStringsAreNotFinite) {
    const FieldValue v = readLeadingNumber(std::string(400, '9'));
    EXPECT_EQ(v.status, FieldStatus::NotFinite);
    EXPECT_EQ(v.value, 0.0);
    const FieldValue tiny = readLeadingNumber("0." + std::string(400, '0') + "1");
    EXPECT_EQ(tiny.status, FieldStatus::Number);
    EXPECT_EQ(tiny.value, 0.0);
}

TEST(ReadLeadingNumber, RandomTextNeverGivesNonFiniteValues) {
    // Pieces that exercise every branch, glued at random, plus random bytes.
    const char* pieces[] = {"1", "9", "0", ".", "-", "+", "e", "E", " ", "x", "９", "－", "．", "＋",
                            "\xE3\x80\x80", "\xEF", "\xEF\xBC", "\x80", "999999999", "e999", "\t"};
    std::mt19937 rng(12345);
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        const int len = static_cast<int>(rng() % 12);
        for (int i = 0; i < len; ++i) {
            if (rng() % 8 == 0) text += static_cast<char>(rng() % 256);
            else text += pieces[rng() % std::size(pieces)];
        }
        const FieldValue v = readLeadingNumber(text);
        ASSERT_TRUE(std::isfinite(v.value)) << text;
        const FieldValue y = readYearOrMonth(text);
        ASSERT_GE(y.value, -32768.0) << text;
        ASSERT_LE(y.value, 32767.0) << text;
        ASSERT_EQ(y.value, std::trunc(y.value)) << text;
    }
}

TEST(ReadYearOrMonth, RoundsHalfToEvenThenHoldsTo16Bits) {
    struct Case {
        const char* text;
        double value;
        FieldStatus status;
    };
    const Case cases[] = {
        {"2004.5", 2004.0, FieldStatus::Number},  {"2005.5", 2006.0, FieldStatus::Number},
        {"-0.5", 0.0, FieldStatus::Number},       {"-1.5", -2.0, FieldStatus::Number},
        {"2.49", 2.0, FieldStatus::Number},       {"32767.4", 32767.0, FieldStatus::Number},
        {"32767.5", 32767.0, FieldStatus::Clamped}, {"-32768.5", -32768.0, FieldStatus::Number},
        {"99999", 32767.0, FieldStatus::Clamped}, {"-1e300", -32768.0, FieldStatus::Clamped},
        {"1e999", 0.0, FieldStatus::NotFinite},   {"", 0.0, FieldStatus::NoNumber},
    };
    for (const Case& c : cases) {
        const FieldValue v = readYearOrMonth(c.text);
        EXPECT_EQ(v.value, c.value) << c.text;
        EXPECT_EQ(v.status, c.status) << c.text;
    }
}

TEST(ReadSkyFields, BuildsTheInputAndReportsEachField) {
    SkyFieldTexts t;
    t.year = "２００５";
    t.month = "1";
    t.day = "1";
    t.hour = "5";
    t.minute = "xx";  // a non-numeric minute counts as 0
    t.lat = "95";
    t.lon = "139.75";
    const SkyFieldsReading r = readSkyFields(t);
    EXPECT_EQ(r.input.year, 2005);
    EXPECT_EQ(r.input.month, 1);
    EXPECT_EQ(r.input.minute, 0.0);
    EXPECT_EQ(r.input.latDeg, 90.0);
    EXPECT_EQ(r.input.lonDeg, 139.75);
    EXPECT_EQ(r.fields[FieldMinute].status, FieldStatus::NoNumber);
    EXPECT_EQ(r.fields[FieldLat].status, FieldStatus::Clamped);
    EXPECT_EQ(r.fields[FieldYear].status, FieldStatus::Number);
    EXPECT_FALSE(r.allNumbers());

    t.minute = "0";
    t.lat = "35.65";
    const SkyFieldsReading ok = readSkyFields(t);
    EXPECT_TRUE(ok.allNumbers());
    // The non-numeric minute and the typed 0 give the same sky.
    EXPECT_EQ(computationPass(r.input).jdUt, computationPass(ok.input).jdUt);
}

TEST(ReadSkyFields, HugeDayIsHeldToThePassLimit) {
    SkyFieldTexts t;
    t.day = "1e100";
    t.hour = "-1e100";
    const SkyFieldsReading r = readSkyFields(t);
    EXPECT_EQ(r.input.day, kMaxAbsDay);
    EXPECT_EQ(r.input.hour, -kMaxAbsHour);
    EXPECT_EQ(r.fields[FieldDay].status, FieldStatus::Clamped);
}

}  // namespace
}  // namespace astro

namespace astro {
namespace {

// The one reader and writer of decimals: whole numbers only, out-of-range
// ones told apart, and the forms the JSON, the fields and the tables write.
TEST(NumberText, ReadsWholeDecimalsAndWritesWithoutTheLocale) {
    EXPECT_EQ(readDecimal("35.65"), 35.65);
    EXPECT_EQ(readDecimal("-0.5e2"), -50.0);
    for (const char* bad : {"", "+1", " 1", "1 ", "1e", "0x10", "1,5", "inf", "nan", "1e999"})
        EXPECT_FALSE(readDecimal(bad)) << bad;
    EXPECT_EQ(readDecimalPrefix("1e999").status, DecimalStatus::Overflow);
    EXPECT_EQ(readDecimalPrefix("-1e999").status, DecimalStatus::Overflow);
    EXPECT_EQ(readDecimalPrefix("1e-999").status, DecimalStatus::Underflow);
    EXPECT_EQ(readDecimalPrefix("0e-999").status, DecimalStatus::Ok);
    EXPECT_EQ(readDecimalPrefix("12abc").length, 2u);
    EXPECT_EQ(fixedText(12.3456, 2), "12.35");
    EXPECT_EQ(fixedText(-0.04, 1), "-0.0");  // callers drop the sign where they mean it
    EXPECT_EQ(shortestText(35.65), "35.65");
    EXPECT_EQ(fixedShortestText(1e-7), "0.0000001");
    EXPECT_EQ(significantText(0.1, 17), "0.10000000000000001");
    EXPECT_EQ(fixedText(NAN, 2), "nan");
    EXPECT_EQ(fixedText(1e308, 2).find('e') != std::string::npos, true);
}

}  // namespace
}  // namespace astro
