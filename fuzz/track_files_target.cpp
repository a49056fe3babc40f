// A CSV file of any bytes, loaded into the track table and saved again in
// every format.
#include "fuzz_target.h"

#include "core/user_dialogs.h"
#include "decode/track_table.h"
#include "export/csv_reader.h"
#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

#include <expat.h>

#include <algorithm>
#include <fstream>

namespace {
SilentDialogs silent;

std::string ReadWhole(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return {};
    std::string text(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

bool IsWellFormedXml(const std::string& document)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    const bool parsed = XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return parsed;
}

// What the writer saves reads back as the same table: every row up to the
// first without an INDEX, each across all the columns the writer spans.
void CheckCsvRoundTrip(const TrackTable& table)
{
    const std::string path = ScratchPath("saved.csv");
    if (!WriteCsvFile(path, table, silent))
        return;
    TrackTable reloaded;
    FUZZ_CHECK(ReadCsvFile(path, reloaded, silent));
    int rows = 0;
    while (!table.cell(0, rows).empty())
        ++rows;
    const int columns = std::max(table.usedColumnCount(), table.columnCount());
    FUZZ_CHECK(reloaded.rowCount() == rows);
    FUZZ_CHECK(rows == 0 || reloaded.columnCount() == columns);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            FUZZ_CHECK(reloaded.cell(column, row) == table.cell(column, row));
}

using XmlWriter = bool (*)(const std::string& path, const TrackTable& table, UserDialogs& dialogs);

void CheckXmlExport(XmlWriter write, const char* name, const TrackTable& table)
{
    const std::string path = ScratchPath(name);
    if (write(path, table, silent))
        FUZZ_CHECK(IsWellFormedXml(ReadWhole(path)));
}

// Counts what the reader tells the user.
class CountingDialogs : public SilentDialogs {
public:
    int messages = 0;
    void message(const std::string&, const std::string&, MessageIcon) override { ++messages; }
};

// A failed load says so and a good one says nothing; every row loaded came
// from a line with some text, and no line is wider than the reader takes.
void CheckLoad(bool loaded, int messages, const TrackTable& table)
{
    FUZZ_CHECK(loaded == (messages == 0));
    FUZZ_CHECK(table.columnCount() <= kMaxCsvColumns);
    for (int row = 0; row < table.rowCount(); ++row) {
        bool hasText = false;
        for (int column = 0; column < table.columnCount() && !hasText; ++column)
            hasText = !table.cell(column, row).empty();
        FUZZ_CHECK(hasText);
    }
}
} // namespace

int FuzzTrackFiles(const std::uint8_t* data, std::size_t size)
{
    TrackTable table;
    CountingDialogs reading;
    const bool loaded = ReadCsvFile(ScratchFile("in.csv", data, size), table, reading);
    CheckLoad(loaded, reading.messages, table);
    CheckCsvRoundTrip(table);
    WriteNmeaFile(ScratchPath("out.nmea"), table, silent);
    CheckXmlExport(SaveKmlFile, "out.kml", table);
    CheckXmlExport(WriteGpxFile, "out.gpx", table);
    return 0;
}
