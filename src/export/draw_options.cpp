#include "export/draw_options.h"

#include "core/number_text.h"
#include "core/text_scan.h"

#include <algorithm>

PointRuleRange::PointRuleRange(int dataRowCount)
    : maximum_(std::max(dataRowCount, 1)), end_(std::min(maximum_, kMaxWidth))
{
}

int PointRuleRange::clamp(int value) const
{
    return std::clamp(value, 1, maximum_);
}

// Each set that changes a value moves the other end; a set that changes
// nothing stops the chain, as the spin boxes' change notices do.
void PointRuleRange::setStart(int value)
{
    value = clamp(value);
    if (value == start_)
        return;
    start_ = value;
    setEnd(start_ + (kMaxWidth - 1));
}

void PointRuleRange::setEnd(int value)
{
    value = clamp(value);
    if (value == end_)
        return;
    end_ = value;
    setStart(end_ - (kMaxWidth - 1));
}

namespace {
constexpr double kMinLineWidth = 1.0;
constexpr double kMaxLineWidth = 4.0;
constexpr double kLineWidthStep = 0.1;

std::string LineWidthText(double width)
{
    std::string text;
    AppendFixed(text, std::clamp(width, kMinLineWidth, kMaxLineWidth), 1);
    return text;
}
} // namespace

std::string LineWidthUp(const std::string& shown)
{
    return LineWidthText(LeadingDecimal(shown) + kLineWidthStep);
}

std::string LineWidthDown(const std::string& shown)
{
    return LineWidthText(LeadingDecimal(shown) - kLineWidthStep);
}

const std::array<NamedColour, 20> kLineColours = {{
    {"Black", 0x000000},       {"Maroon", 0x000080},   {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},        {"Purple", 0x800080},   {"Teal", 0x808000},  {"Grey", 0x808080},
    {"Silver", 0xC0C0C0},      {"Red", 0x0000FF},      {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},        {"Fuchsia", 0xFF00FF},  {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF}, {"Medium Grey", 0xA4A0A0},
}};
