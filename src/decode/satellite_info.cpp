#include "decode/satellite_info.h"

#include <algorithm>

namespace {
constexpr int kColumnsSearched = 30;

int SatInfoColumn(const TrackTable& table)
{
    for (int column = 0; column < kColumnsSearched; ++column)
        if (table.cell(column, 0).starts_with("SAT INFO"))
            return column;
    return -1;
}
} // namespace

std::optional<std::string> SatelliteInfoText(const TrackTable& table, int column, int row)
{
    const int satInfoColumn = SatInfoColumn(table);
    if (satInfoColumn <= 0 || column != satInfoColumn || row <= 0 || table.cell(column, row).empty())
        return std::nullopt;
    std::string text = table.cell(column, row);
    std::replace(text.begin(), text.end(), ';', '\n');
    return text;
}
