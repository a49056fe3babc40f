#include "decode/track_table.h"

#include <gtest/gtest.h>

TEST(TrackTable, UnwrittenCellsAreEmptyAndCountsAreIndependent)
{
    TrackTable table;
    EXPECT_EQ(table.cell(5, 5), "");
    EXPECT_EQ(table.cell(-1, 0), "");
    table.setCell(3, 2, "x");
    table.setCell(-1, 0, "ignored");
    EXPECT_EQ(table.cell(3, 2), "x");
    EXPECT_EQ(table.rowCount(), 0);
    table.setRowCount(-4);
    EXPECT_EQ(table.rowCount(), 0);
}

TEST(TrackTable, ReadersEndAtTheFirstEmptyHeaderAndRow)
{
    TrackTable table;
    for (int column = 0; column < 4; ++column)
        table.setCell(column, 0, "H" + std::to_string(column));
    table.setCell(2, 0, "");
    table.setCell(0, 1, "1");
    table.setCell(0, 3, "3");
    EXPECT_EQ(table.usedColumnCount(), 2);
    EXPECT_EQ(table.usedRowCount(), 2);
    EXPECT_EQ(table.findColumn("H1"), 1);
    EXPECT_EQ(table.findColumn("H3"), -1);
    table.setCell(2, 0, "H1");
    table.setCell(3, 0, "H3");
    EXPECT_EQ(table.findColumn("H1"), 2) << "the later of two equal headers";
}

TEST(TrackTable, ClearRowFromAColumnKeepsTheCellsBeforeIt)
{
    TrackTable table;
    for (int column = 0; column < 5; ++column)
        table.setCell(column, 1, "c" + std::to_string(column));
    table.clearRow(1, 3);
    EXPECT_EQ(table.cell(2, 1), "c2");
    EXPECT_EQ(table.cell(3, 1), "");
    EXPECT_EQ(table.cell(4, 1), "");
    table.clearRow(7, 0);
    table.clearRow(1, -2);
    EXPECT_EQ(table.cell(0, 1), "");
}

TEST(TrackTable, ListenersHearOnlyRealChanges)
{
    TrackTable table;
    int shapeChanges = 0;
    std::vector<std::pair<int, int>> cellChanges;
    table.onShapeChanged = [&] { ++shapeChanges; };
    table.onCellChanged = [&](int column, int row) { cellChanges.emplace_back(column, row); };
    table.setColumnWidth(2, 35);
    table.setColumnWidth(2, 35);
    table.setColumnWidth(4, 0); // already the default
    table.setRowCount(3);
    table.setRowCount(3);
    EXPECT_EQ(shapeChanges, 2);
    EXPECT_EQ(table.columnWidth(2), 35);
    table.setCell(1, 1, "a");
    table.setCell(9, 9, ""); // nothing there to clear
    table.clearRow(1);
    EXPECT_EQ(cellChanges, (std::vector<std::pair<int, int>>{{1, 1}, {1, 1}}));
}
