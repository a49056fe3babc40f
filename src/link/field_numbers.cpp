#include "link/field_numbers.h"

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view SkipBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int HexDigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<uint32_t> ReadHex(std::string_view text, int maxDigits)
{
    text = SkipBlanks(text);
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
        if (!IsDigit(c))
            return false;
    return true;
}
