#include "decode/track_table.h"

#include <algorithm>

namespace {
const std::string kEmpty;

void Notify(const std::function<void()>& listener)
{
    if (listener)
        listener();
}
} // namespace

const std::string& TrackTable::cell(int column, int row) const
{
    if (row < 0 || column < 0 || row >= static_cast<int>(rows_.size()))
        return kEmpty;
    const auto& cells = rows_[row];
    return column < static_cast<int>(cells.size()) ? cells[column] : kEmpty;
}

void TrackTable::setCell(int column, int row, std::string text)
{
    if (row < 0 || column < 0)
        return;
    if (row >= static_cast<int>(rows_.size())) {
        if (text.empty())
            return;
        rows_.resize(row + 1);
    }
    auto& cells = rows_[row];
    if (column >= static_cast<int>(cells.size())) {
        if (text.empty())
            return;
        // A row is mostly filled left to right: room for all its columns at once.
        cells.reserve(std::max(column + 1, columnCount_));
        cells.resize(column + 1);
    }
    cells[column] = std::move(text);
    if (onCellChanged)
        onCellChanged(column, row);
}

void TrackTable::setColumnCount(int count)
{
    if (count == columnCount_)
        return;
    columnCount_ = count < 0 ? 0 : count;
    Notify(onShapeChanged);
}

void TrackTable::setRowCount(int count)
{
    if (count == rowCount_)
        return;
    rowCount_ = count < 0 ? 0 : count;
    Notify(onShapeChanged);
}

void TrackTable::clearRow(int row, int fromColumn)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    auto& cells = rows_[row];
    for (int column = fromColumn < 0 ? 0 : fromColumn; column < static_cast<int>(cells.size()); ++column)
        if (!cells[column].empty())
            setCell(column, row, {});
}

void TrackTable::clearCells()
{
    rows_.clear();
    widths_.clear();
    Notify(onShapeChanged);
}

int TrackTable::usedColumnCount() const
{
    int column = 0;
    while (!cell(column, 0).empty())
        ++column;
    return column;
}

int TrackTable::usedRowCount() const
{
    int row = 0;
    while (!cell(0, row).empty())
        ++row;
    return row;
}

int TrackTable::findColumn(std::string_view header) const
{
    int found = -1;
    for (int column = 0; !cell(column, 0).empty(); ++column)
        if (cell(column, 0) == header)
            found = column;
    return found;
}

int TrackTable::columnWidth(int column) const
{
    return column >= 0 && column < static_cast<int>(widths_.size()) ? widths_[column] : 0;
}

void TrackTable::setColumnWidth(int column, int width)
{
    if (column < 0)
        return;
    if (width == columnWidth(column))
        return;
    if (column >= static_cast<int>(widths_.size()))
        widths_.resize(column + 1, 0);
    widths_[column] = width;
    Notify(onShapeChanged);
}

TrackTable TrackTable::detached() const
{
    TrackTable copy = *this;
    copy.onShapeChanged = nullptr;
    copy.onCellChanged = nullptr;
    return copy;
}

void TrackTable::takeContent(TrackTable&& other)
{
    rows_ = std::move(other.rows_);
    widths_ = std::move(other.widths_);
    columnCount_ = other.columnCount_;
    rowCount_ = other.rowCount_;
    timeShiftHours_ = other.timeShiftHours_;
    weekRollovers_ = other.weekRollovers_;
    Notify(onShapeChanged);
}
