#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
void AppendPadded(std::string& text, std::string_view digits, int width, char pad)
{
    const bool negative = !digits.empty() && digits.front() == '-';
    const std::size_t shortBy = width > static_cast<int>(digits.size()) ? width - digits.size() : 0;
    if (pad == '0' && negative) {
        text += '-';
        digits.remove_prefix(1);
    }
    text.append(shortBy, pad);
    text += digits;
}
} // namespace

void AppendFixed(std::string& text, double value, int precision, int width)
{
    char buffer[std::numeric_limits<double>::max_exponent10 + 64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    AppendPadded(text, std::string_view(buffer, result.ptr - buffer), width, ' ');
}

void AppendInteger(std::string& text, long long value, int width, char pad)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    AppendPadded(text, std::string_view(buffer, result.ptr - buffer), width, pad);
}

std::optional<long long> ParseInteger(std::string_view text, int base)
{
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(std::string_view text)
{
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string ShortestText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
