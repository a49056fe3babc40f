#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace {
std::string Fixed(double value, int precision, int width = 0)
{
    std::string text = "<";
    AppendFixed(text, value, precision, width);
    return text;
}

std::string Integer(long long value, int width = 0, char pad = '0')
{
    std::string text = "<";
    AppendInteger(text, value, width, pad);
    return text;
}

std::string Printf(const char* format, double value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return std::string("<") + buffer;
}
} // namespace

TEST(NumberText, FixedMatchesPrintf)
{
    const struct {
        double value;
        int precision;
        int width;
        const char* expected;
    } cases[] = {
        {12.5, 3, 4, "<12.500"},
        {0.0, 3, 4, "<0.000"},
        {-0.0, 3, 0, "<-0.000"},
        {-0.0001, 3, 0, "<-0.000"},
        {5.0, 2, 10, "<      5.00"},
        {-5.0, 2, 10, "<     -5.00"},
        {123456789012.125, 2, 10, "<123456789012.12"}, // ties to even, as printf
        {0.125, 2, 0, "<0.12"},
        {0.375, 2, 0, "<0.38"},
        {48.2082, 6, 0, "<48.208200"},
        {1e20, 6, 0, "<100000000000000000000.000000"},
        {std::numeric_limits<double>::infinity(), 3, 6, "<   inf"},
        {-std::numeric_limits<double>::infinity(), 3, 0, "<-inf"},
        {std::numeric_limits<double>::quiet_NaN(), 6, 0, "<nan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fixed(c.value, c.precision, c.width), c.expected) << c.value;
}

TEST(NumberText, FixedAgreesWithPrintfOnManyValues)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double value =
            std::ldexp(static_cast<double>(random() >> 11) - 4e15, static_cast<int>(random() % 60) - 60);
        ASSERT_EQ(Fixed(value, 6), Printf("%f", value)) << value;
        ASSERT_EQ(Fixed(value, 3, 4), Printf("%4.3f", value)) << value;
        ASSERT_EQ(Fixed(value, 2, 10), Printf("%10.2f", value)) << value;
    }
}

TEST(NumberText, IntegerPadsLikePrintf)
{
    EXPECT_EQ(Integer(7), "<7");
    EXPECT_EQ(Integer(7, 2), "<07");
    EXPECT_EQ(Integer(123, 2), "<123");
    EXPECT_EQ(Integer(-5, 2), "<-5");
    EXPECT_EQ(Integer(-5, 3), "<-05");
    EXPECT_EQ(Integer(7, 3), "<007");
    EXPECT_EQ(Integer(999, 4, ' '), "< 999");
    EXPECT_EQ(Integer(-5, 4, ' '), "<  -5");
    EXPECT_EQ(Integer(std::numeric_limits<long long>::min()), "<-9223372036854775808");
}

TEST(NumberText, ParseIntegerTakesWholeNumbersOnly)
{
    EXPECT_EQ(ParseInteger("2007"), 2007);
    EXPECT_EQ(ParseInteger("09"), 9);
    EXPECT_EQ(ParseInteger("-1"), -1);
    EXPECT_EQ(ParseInteger("0003FE3F", 16), 0x0003FE3F);
    for (const char* bad : {"", " 9", "9 ", "1:", "1.5", "x", "+1", "99999999999999999999"})
        EXPECT_FALSE(ParseInteger(bad)) << bad;
}
