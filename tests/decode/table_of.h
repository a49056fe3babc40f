// A track table filled by hand, for the tests of what reads and changes tables.
#pragma once

#include "decode/track_table.h"

#include <string>
#include <vector>

// Row 0 the headers; the counts as the decoder leaves them (header + data rows).
inline TrackTable TableOf(const std::vector<std::vector<std::string>>& rows)
{
    TrackTable table;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int column = 0; column < static_cast<int>(rows[row].size()); ++column)
            table.setCell(column, row, rows[row][column]);
    table.setColumnCount(rows.empty() ? 0 : static_cast<int>(rows.front().size()));
    table.setRowCount(static_cast<int>(rows.size()));
    return table;
}

// The texts of a row's first `columns` cells.
inline std::vector<std::string> RowOf(const TrackTable& table, int row, int columns)
{
    std::vector<std::string> texts;
    for (int column = 0; column < columns; ++column)
        texts.push_back(table.cell(column, row));
    return texts;
}
