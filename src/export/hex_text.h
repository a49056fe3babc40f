// Hexadecimal digits for checksums and colour words.
#pragma once

#include <string>

// printf "%0<digits>X", or "%0<digits>x" when not upper case.
void AppendHex(std::string& out, unsigned long long value, int digits, bool upperCase);
