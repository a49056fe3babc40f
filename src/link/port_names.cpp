// What both platforms share of the port names: the one way a typed name is read.
#include "link/port_names.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace PortNames {
namespace {
bool IsBlank(unsigned char c)
{
    return std::isspace(c) != 0;
}

std::string Trimmed(const std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), std::string::const_reverse_iterator(first), IsBlank).base();
    return std::string(first, last);
}

bool AllDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool StartsWithComInAnyCase(const std::string& text)
{
    constexpr std::string_view prefix = "com";
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}
} // namespace

std::string Canonical(const std::string& portText)
{
    const std::string text = Trimmed(portText);
    if (!StartsWithComInAnyCase(text) || !AllDigits(text.substr(3)))
        return portText;
    return "Com" + text.substr(3);
}

bool IsPortName(const std::string& portText)
{
    const std::string name = Canonical(portText);
    return name.starts_with("Com") && AllDigits(name.substr(3));
}
} // namespace PortNames
