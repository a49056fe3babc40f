#include "core/text_scan.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {
// The blanks of the C locale, as scanf skips them.
bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Past this a value no longer fits an int, whatever its sign.
constexpr long long kIntegerLimit = 2147483647;
} // namespace

void TextScanner::skipBlanks()
{
    while (position_ < text_.size() && IsBlank(text_[position_]))
        ++position_;
}

bool TextScanner::integer(int& value, int maxWidth)
{
    skipBlanks();
    const std::size_t limit = maxWidth > 0 ? std::min(text_.size(), position_ + maxWidth) : text_.size();
    std::size_t end = position_;
    bool negative = false;
    if (end < limit && (text_[end] == '+' || text_[end] == '-'))
        negative = text_[end++] == '-';
    const std::size_t digits = end;
    long long magnitude = 0;
    for (; end < limit && IsDigit(text_[end]); ++end) {
        magnitude = magnitude * 10 + (text_[end] - '0');
        if (magnitude > kIntegerLimit)
            return false;
    }
    if (end == digits)
        return false;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    position_ = end;
    return true;
}

bool TextScanner::decimal(double& value)
{
    skipBlanks();
    std::size_t end = position_;
    if (end < text_.size() && (text_[end] == '+' || text_[end] == '-'))
        ++end;
    const std::size_t numberStart = end;
    std::size_t digitCount = 0;
    for (; end < text_.size() && IsDigit(text_[end]); ++end)
        ++digitCount;
    if (end < text_.size() && text_[end] == '.')
        for (++end; end < text_.size() && IsDigit(text_[end]); ++end)
            ++digitCount;
    if (digitCount == 0)
        return false;
    // from_chars takes neither a "+" nor a bare "." prefix, so give it a tidy copy.
    std::string number(text_.substr(numberStart, end - numberStart));
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    double magnitude = 0;
    const auto result =
        std::from_chars(number.data(), number.data() + number.size(), magnitude, std::chars_format::fixed);
    if (result.ec != std::errc{})
        return false;
    value = text_[position_] == '-' ? -magnitude : magnitude;
    position_ = end;
    return true;
}

bool TextScanner::literal(char expected)
{
    if (IsBlank(expected)) {
        skipBlanks();
        return true;
    }
    if (position_ < text_.size() && text_[position_] == expected) {
        ++position_;
        return true;
    }
    return false;
}

double LeadingDecimal(std::string_view text)
{
    double value = 0;
    TextScanner(text).decimal(value);
    return value;
}

int LeadingInteger(std::string_view text)
{
    int value = 0;
    TextScanner(text).integer(value);
    return value;
}
