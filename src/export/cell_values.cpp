#include "export/cell_values.h"

#include "core/text_scan.h"

std::optional<double> SignedDegrees(std::string_view number, std::string_view hemisphere, std::string_view positive)
{
    double degrees = 0;
    if (hemisphere.empty() || !TextScanner(number).decimal(degrees))
        return std::nullopt;
    return hemisphere == positive ? degrees : -degrees;
}

bool ReadSatelliteCounts(std::string_view cell, int& inUse, int& inView)
{
    TextScanner scanner(cell);
    return scanner.integer(inUse) && scanner.literal('(') && scanner.integer(inView);
}
