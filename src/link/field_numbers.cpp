#include "link/field_numbers.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view skipBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int HexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int64_t> ReadDecimal(std::string_view text)
{
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !isDigit(text.front()))
        return std::nullopt;
    // Saturate rather than overflow: a field of forty digits is noise, not a number.
    constexpr int64_t limit = std::numeric_limits<int32_t>::max() + int64_t{1};
    int64_t value = 0;
    for (; !text.empty() && isDigit(text.front()); text.remove_prefix(1))
        value = std::min(value * 10 + (text.front() - '0'), limit);
    return negative ? -value : value;
}

int32_t LenientInt(std::string_view text)
{
    const int64_t value = ReadDecimal(text).value_or(0);
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, low, high));
}

double LenientDouble(std::string_view text)
{
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument)
        return 0;
    return negative ? -value : value;
}

std::optional<uint32_t> ReadHex(std::string_view text, int maxDigits)
{
    text = skipBlanks(text);
    uint32_t value = 0;
    int digits = 0;
    for (; digits < maxDigits && digits < static_cast<int>(text.size()); ++digits) {
        const int digit = HexDigitValue(text[digits]);
        if (digit < 0)
            break;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    if (digits == 0)
        return std::nullopt;
    return value;
}

bool IsDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!isDigit(c))
            return false;
    return true;
}
