// Hex numbers and digit checks for the text fields of incoming sentences;
// decimal fields are read with core/text_scan.h like every other text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Leading blanks, then at most maxDigits hex digits of either case; empty when none.
std::optional<uint32_t> ReadHex(std::string_view text, int maxDigits = 8);
// The value of one hex digit of either case; -1 for any other character.
int HexDigitValue(char c);
// The whole text is one or more decimal digits.
bool IsDigits(std::string_view text);
