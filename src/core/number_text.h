// Number texts as printf writes them in the C locale, whatever locale the
// window runs under: track table texts always use a decimal point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// printf "%<width>.<precision>f".
void AppendFixed(std::string& text, double value, int precision, int width = 0);
// printf "%0<width>d", or "%<width>d" with pad ' '; width 0 gives "%d".
void AppendInteger(std::string& text, long long value, int width = 0, char pad = '0');

// A whole number in the base, optionally negative, and nothing else: the one
// strict reader, for command-line values and exact cell texts.
std::optional<long long> ParseInteger(std::string_view text, int base = 10);
// A decimal number with "." as the point, optionally negative, and nothing else.
std::optional<double> ParseDecimal(std::string_view text);
// The shortest text that reads back as the value: 5, 2.5, 0.1.
std::string ShortestText(double value);
