#include "catalog/csv.h"

#include <gtest/gtest.h>

namespace catalog {
namespace {

TEST(CsvReader, SplitsRecordsAndFields) {
    const auto r = parseCsv("a,b,c\n1,2,3\n");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.records[1], (CsvRecord{"1", "2", "3"}));
}

TEST(CsvReader, QuotedFieldKeepsBlanksCommasQuotesAndLineBreaks) {
    const auto r = parseCsv("k,name\n62,\"ニューデリー \"\n1,\"a,b\"\n2,\"say \"\"hi\"\"\"\n3,\"two\nlines\"\n");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.records.size(), 5u);
    EXPECT_EQ(r.records[1][1], "ニューデリー ");
    EXPECT_EQ(r.records[2][1], "a,b");
    EXPECT_EQ(r.records[3][1], "say \"hi\"");
    EXPECT_EQ(r.records[4][1], "two\nlines");
}

TEST(CsvReader, UnquotedFieldsLoseSurroundingBlanks) {
    const auto r = parseCsv("  a , b\t,c  \n");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.records[0], (CsvRecord{"a", "b", "c"}));
}

TEST(CsvReader, SkipsBlankLinesBomAndAcceptsCrlfAndMissingFinalNewline) {
    const auto r = parseCsv("\xEF\xBB\xBFh1,h2\r\n\r\n   \n1,2\r\n\n3,4");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.records.size(), 3u);
    EXPECT_EQ(r.records[0], (CsvRecord{"h1", "h2"}));
    EXPECT_EQ(r.records[2], (CsvRecord{"3", "4"}));
}

TEST(CsvReader, EmptyFieldsStayFields) {
    const auto r = parseCsv("49,入力,,\n");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.records[0], (CsvRecord{"49", "入力", "", ""}));
}

TEST(CsvReader, ReportsMalformedQuotingWithItsLine) {
    const auto unterminated = parseCsv("a\n\"open,1\n2\n");
    EXPECT_FALSE(unterminated.ok());
    EXPECT_EQ(unterminated.errorLine, 2);
    EXPECT_TRUE(unterminated.records.empty());

    const auto trailing = parseCsv("a\n\"x\"y,1\n");
    EXPECT_FALSE(trailing.ok());
    EXPECT_EQ(trailing.errorLine, 2);
}

TEST(CsvNumbers, AcceptOnlyWholeFieldNumbers) {
    EXPECT_EQ(parseDouble("-0.18"), -0.18);
    EXPECT_EQ(parseDouble("+35"), 35.0);
    EXPECT_EQ(parseDouble(" 2.5 "), 2.5);
    EXPECT_FALSE(parseDouble(""));
    EXPECT_FALSE(parseDouble("12x"));
    EXPECT_FALSE(parseDouble("nan"));
    EXPECT_FALSE(parseDouble("inf"));
    EXPECT_EQ(parseInt("-1"), -1);
    EXPECT_FALSE(parseInt("1.5"));
    EXPECT_FALSE(parseInt("99999999999"));
}

}  // namespace
}  // namespace catalog
