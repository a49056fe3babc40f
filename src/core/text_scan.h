// Reading numbers out of cell texts the way scanf conversions do, but without
// the process locale: "." is always the decimal point.
#pragma once

#include <string_view>

class TextScanner {
public:
    explicit TextScanner(std::string_view text) : text_(text) {}

    // "%d", or "%<maxWidth>d" when maxWidth > 0: blanks skipped, optional sign, digits.
    bool integer(int& value, int maxWidth = 0);
    // "%lf": blanks skipped, optional sign, digits with an optional fraction.
    bool decimal(double& value);
    // One literal character of a format; a blank matches any run of blanks.
    bool literal(char expected);

    std::string_view rest() const { return text_.substr(position_); }

private:
    void skipBlanks();

    std::string_view text_;
    std::size_t position_ = 0;
};

// The optionally signed decimal number at the start of the text, 0 when there is none.
double LeadingDecimal(std::string_view text);
// The optionally signed whole number at the start of the text, 0 when there is none.
int LeadingInteger(std::string_view text);
