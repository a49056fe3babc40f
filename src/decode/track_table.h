// The track table: the log page grid's own cell store, plain text cells.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TrackTable {
public:
    // Cells live independently of the counts: writing past them is allowed,
    // and an unwritten cell reads as the empty text.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    int columnCount() const { return columnCount_; }
    int rowCount() const { return rowCount_; }
    void setColumnCount(int count);
    void setRowCount(int count);

    // Empties the row from fromColumn on.
    void clearRow(int row, int fromColumn = 0);
    // Drops every cell and width hint; the counts stay.
    void clearCells();

    // Readers' rules: columns end at the first empty header, rows at the
    // first row whose column 0 is empty.
    int usedColumnCount() const;
    int usedRowCount() const;
    // Column whose header (row 0) is exactly the text, within the used columns;
    // a later column with the same header replaces an earlier one. -1 if none.
    int findColumn(std::string_view header) const;

    // Width hint in pixels for the grid; 0 means the grid's default.
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // Hours the DATE and TIME texts have been shifted from UTC since the
    // table was last decoded or loaded; writers of UTC fields take it back off.
    int timeShiftHours() const { return timeShiftHours_; }
    void setTimeShiftHours(int hours) { timeShiftHours_ = hours; }
    // GPS week-number rollovers (1024 weeks each) added to the DATE texts:
    // a correction of UTC itself, so writers keep it.
    int weekRollovers() const { return weekRollovers_; }
    void setWeekRollovers(int count) { weekRollovers_ = count; }
    // The texts hold the dates and times as read from a file again.
    void clearDateChanges()
    {
        timeShiftHours_ = 0;
        weekRollovers_ = 0;
    }

    // The same content without the observers below, to be filled or read
    // where they must not be told (another thread).
    TrackTable detached() const;
    // Takes the other table's content; the observers stay and are told once.
    void takeContent(TrackTable&& other);

    // Told after the counts or widths changed, and after a cell changed.
    std::function<void()> onShapeChanged;
    std::function<void(int column, int row)> onCellChanged;

private:
    std::vector<std::vector<std::string>> rows_;
    std::vector<int> widths_;
    int columnCount_ = 0;
    int rowCount_ = 0;
    int timeShiftHours_ = 0;
    int weekRollovers_ = 0;
};
