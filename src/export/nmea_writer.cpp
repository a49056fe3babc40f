#include "export/nmea_writer.h"

#include "core/output_file.h"
#include "decode/track_table.h"
#include "export/nmea_row.h"
#include "export/nmea_sentences.h"
#include "export/saved_message.h"

namespace {
struct RowsWritten {
    int total = 0;
    int leftOut = 0; // gave no sentence, though the table's columns make some
};

// A row that cannot be written is passed over; the rows after it still are.
RowsWritten WriteNmeaRows(OutputFile& file, const TrackTable& table)
{
    const ExportColumns columns = LookUpExportColumns(table);
    const bool tableMakesSentences = MakesNmeaSentences(FoundNmeaFields(columns));
    RowsWritten rows;
    NmeaRow values;
    std::string sentences;
    for (int row = 1; row < table.rowCount(); ++row) {
        ReadNmeaRow(table, columns, row, values);
        if (!AppendNmeaSentences(sentences, values) && tableMakesSentences)
            ++rows.leftOut;
        ++rows.total;
        file.writeWhenFull(sentences);
    }
    file.write(sentences);
    return rows;
}
} // namespace

SaveResult WriteNmeaFile(const std::string& path, const TrackTable& table)
{
    OutputFile file(path);
    RowsWritten rows;
    if (file.isOpen())
        rows = WriteNmeaRows(file, table);
    if (!file.close())
        return {SaveResult::Outcome::WriteFailed, SaveFailedMessage("Write NMEA file fail!", file.failure())};
    return {SaveResult::Outcome::Saved, SavedMessage(path, rows.leftOut, rows.total), rows.total, rows.leftOut};
}
