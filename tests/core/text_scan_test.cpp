#include "core/text_scan.h"

#include <gtest/gtest.h>

#include <optional>

namespace {
struct DecimalCase {
    const char* text;
    std::optional<double> value; // nullopt: no number
    const char* rest;
};

TEST(TextScanner, ReadsDecimalsLikeScanfWithAPointWhateverTheLocale)
{
    const DecimalCase cases[] = {
        {"12.500 m", 12.5, " m"}, {"  -3.25", -3.25, ""},
        {"+7", 7.0, ""},          {".123456", 0.123456, ""},
        {"5.", 5.0, ""},          {"62.137 mph", 62.137, " mph"},
        {"", std::nullopt, ""},   {"km/h", std::nullopt, "km/h"},
        {".", std::nullopt, "."}, {"-", std::nullopt, "-"},
        {"1,5", 1.0, ",5"},
    };
    for (const auto& c : cases) {
        TextScanner scanner(c.text);
        double value = -99;
        EXPECT_EQ(scanner.decimal(value), c.value.has_value()) << c.text;
        if (c.value) {
            EXPECT_DOUBLE_EQ(value, *c.value) << c.text;
        }
        EXPECT_EQ(scanner.rest(), c.rest) << c.text;
    }
}

TEST(TextScanner, WidthLimitsIntegersAsInDateAndTimeFields)
{
    TextScanner date("2007/05/24");
    int year = 0, month = 0, day = 0;
    ASSERT_TRUE(date.integer(year, 4) && date.literal('/') && date.integer(month, 2) && date.literal('/') &&
                date.integer(day, 2));
    EXPECT_EQ(year, 2007);
    EXPECT_EQ(month, 5);
    EXPECT_EQ(day, 24);

    TextScanner packed("123456");
    int first = 0, second = 0;
    ASSERT_TRUE(packed.integer(first, 2) && packed.integer(second, 3));
    EXPECT_EQ(first, 12);
    EXPECT_EQ(second, 345);
    EXPECT_EQ(packed.rest(), "6");

    TextScanner tooBig("99999999999");
    int value = 0;
    EXPECT_FALSE(tooBig.integer(value));
}

TEST(TextScanner, IntegerThenFractionSplitsACoordinate)
{
    TextScanner scanner("24.123456");
    int degrees = 0;
    double fraction = 0;
    ASSERT_TRUE(scanner.integer(degrees) && scanner.decimal(fraction));
    EXPECT_EQ(degrees, 24);
    EXPECT_DOUBLE_EQ(fraction, 0.123456);
}

TEST(LeadingNumbers, GiveZeroWithoutANumber)
{
    EXPECT_DOUBLE_EQ(LeadingDecimal("      5.00 m"), 5.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("N/A"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingDecimal("-25.5"), -25.5);
    EXPECT_EQ(LeadingInteger("12abc"), 12);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(" -3"), -3);
}
} // namespace
