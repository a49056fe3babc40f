#include "export/csv_writer.h"

#include "core/output_file.h"
#include "decode/track_table.h"
#include "export/saved_message.h"

#include <algorithm>

namespace {
bool NeedsQuotes(const std::string& cell)
{
    return cell.find_first_of(",\"\r\n") != std::string::npos;
}

void AppendCell(std::string& out, const std::string& cell)
{
    if (!NeedsQuotes(cell)) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void WriteCsvRows(OutputFile& file, const TrackTable& table)
{
    // An empty cell in the middle of a row must not cut the row short, so every
    // line spans all columns; a header cleared in the grid loses no data either.
    const int columns = std::max(table.usedColumnCount(), table.columnCount());
    std::string lines;
    for (int row = 0; !table.cell(0, row).empty(); ++row) {
        for (int column = 0; column < columns; ++column) {
            AppendCell(lines, table.cell(column, row));
            lines += ',';
        }
        lines += "\r\n";
        file.writeWhenFull(lines);
    }
    file.write(lines);
}
} // namespace

SaveResult WriteCsvFile(const std::string& path, const TrackTable& table)
{
    OutputFile file(path);
    if (file.isOpen())
        WriteCsvRows(file, table);
    if (!file.close())
        return {SaveResult::Outcome::WriteFailed, SaveFailedMessage("Write CSV file fail!", file.failure())};
    const int rows = std::max(0, table.usedRowCount() - 1);
    return {SaveResult::Outcome::Saved, SavedMessage(path), rows};
}
