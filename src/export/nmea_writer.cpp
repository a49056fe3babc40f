#include "export/nmea_writer.h"

#include "core/user_dialogs.h"
#include "decode/track_table.h"
#include "export/nmea_row.h"
#include "export/nmea_sentences.h"
#include "export/output_file.h"
#include "export/saved_message.h"

namespace {
// A row that cannot be read ends the file there.
void WriteNmeaRows(OutputFile& file, const TrackTable& table)
{
    const NmeaColumns columns = LookUpNmeaColumns(table);
    NmeaRow values;
    std::string sentences;
    for (int row = 1; row < table.rowCount() && ReadNmeaRow(table, columns, row, values); ++row) {
        AppendNmeaSentences(sentences, columns, values);
        file.writeWhenFull(sentences);
    }
    file.write(sentences);
}
} // namespace

bool WriteNmeaFile(const std::string& path, const TrackTable& table, UserDialogs& dialogs)
{
    OutputFile file(path);
    if (file.isOpen())
        WriteNmeaRows(file, table);
    if (!file.close()) {
        dialogs.error("Write NMEA file fail!");
        return false;
    }
    dialogs.plain(SavedMessage(path));
    return true;
}
