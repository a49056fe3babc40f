// Numbers read from the text fields of incoming sentences, with the leniency
// the receiver's sentences need: leading digits count, trailing text is ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Leading blanks, an optional sign, then digits; no digits give 0.
int32_t LenientInt(std::string_view text);
// The same for a floating-point number ("10.123", ".5"); no digits give 0.
double LenientDouble(std::string_view text);
// Like LenientInt, but empty when there are no digits to read.
std::optional<int64_t> ReadDecimal(std::string_view text);
// Leading blanks, then at most maxDigits hex digits of either case; empty when none.
std::optional<uint32_t> ReadHex(std::string_view text, int maxDigits = 8);
// The value of one hex digit of either case; -1 for any other character.
int HexDigitValue(char c);
// The whole text is one or more decimal digits.
bool IsDigits(std::string_view text);
