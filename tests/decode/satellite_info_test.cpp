#include "decode/satellite_info.h"

#include <gtest/gtest.h>

namespace {
TrackTable TableWithHeaders(const std::vector<std::string>& headers, int row, const std::string& text)
{
    TrackTable table;
    for (int column = 0; column < static_cast<int>(headers.size()); ++column) {
        table.setCell(column, 0, headers[column]);
        table.setCell(column, row, text);
    }
    return table;
}
} // namespace

TEST(SatelliteInfo, SatInfoCellShowsOneSatellitePerLine)
{
    const TrackTable table =
        TableWithHeaders({"INDEX", "TIME", "SAT INFO (SID-ELE-AZI-SNR)"}, 3, "#05-45-123-40;12-07-310-00");
    EXPECT_EQ(SatelliteInfoText(table, 2, 3), "#05-45-123-40\n12-07-310-00");
    EXPECT_EQ(SatelliteInfoText(table, 1, 3), std::nullopt);
    EXPECT_EQ(SatelliteInfoText(table, 0, 3), std::nullopt);
    EXPECT_EQ(SatelliteInfoText(table, 2, 0), std::nullopt); // the header row is not a selection
    EXPECT_EQ(SatelliteInfoText(table, 2, 4), std::nullopt); // nothing to show
}

TEST(SatelliteInfo, ColumnIsFoundByTheFirstHeaderStartingWithSatInfo)
{
    EXPECT_EQ(SatelliteInfoText(TableWithHeaders({"INDEX", "SAT INFO (SID)", "SAT INFO"}, 1, "05"), 1, 1), "05");
    EXPECT_EQ(SatelliteInfoText(TableWithHeaders({"INDEX", "SAT INFO (SID)", "SAT INFO"}, 1, "05"), 2, 1),
              std::nullopt);
    EXPECT_EQ(SatelliteInfoText(TableWithHeaders({"SAT INFO (SID)", "SAT INFO"}, 1, "05"), 0, 1), std::nullopt);
    EXPECT_EQ(SatelliteInfoText(TableWithHeaders({"INDEX", "SAT INF"}, 1, "05"), 1, 1), std::nullopt);

    // An empty header does not end the search; only 30 columns are searched.
    TrackTable table;
    table.setCell(29, 0, "SAT INFO (SID)");
    table.setCell(29, 1, "05;07");
    EXPECT_EQ(SatelliteInfoText(table, 29, 1), "05\n07");
    table.setCell(30, 0, "SAT INFO (SID)");
    table.setCell(29, 0, "");
    table.setCell(30, 1, "05");
    EXPECT_EQ(SatelliteInfoText(table, 30, 1), std::nullopt);
}
