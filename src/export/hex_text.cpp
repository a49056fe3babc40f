#include "export/hex_text.h"

void AppendHex(std::string& out, unsigned long long value, int digits, bool upperCase)
{
    const char* symbols = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    char reversed[16];
    int count = 0;
    do {
        reversed[count++] = symbols[value & 0xF];
        value >>= 4;
    } while (value != 0);
    if (count < digits)
        out.append(digits - count, '0');
    while (count > 0)
        out += reversed[--count];
}
