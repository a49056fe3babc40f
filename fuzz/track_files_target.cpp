// A CSV file of any bytes, loaded into the track table and saved again in
// every format.
#include "fuzz_target.h"

#include "decode/track_table.h"
#include "export/csv_reader.h"
#include "export/csv_writer.h"
#include "export/filtered_save.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

#include <expat.h>

#include <algorithm>
#include <fstream>

namespace {

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
    if (!WriteCsvFile(path, table).saved())
        return;
    TrackTable reloaded;
    FUZZ_CHECK(ReadCsvFile(path, reloaded).loaded());
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

void CheckXmlExport(TableWriter write, const char* name, const TrackTable& table)
{
    const std::string path = ScratchPath(name);
    if (write(path, table).saved())
        FUZZ_CHECK(IsWellFormedXml(ReadWhole(path)));
}

// A failed load says why and a good one has nothing to say; the rows counted
// are the table's; every row loaded came from a line with some text, and no
// line is wider than the reader takes.
void CheckLoad(const LoadResult& result, const TrackTable& table)
{
    FUZZ_CHECK(result.loaded() == LoadFailureText(result).empty());
    FUZZ_CHECK(result.rows == std::max(0, table.rowCount() - 1));
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
    const LoadResult loaded = ReadCsvFile(ScratchFile("in.csv", data, size), table);
    CheckLoad(loaded, table);
    CheckCsvRoundTrip(table);
    WriteNmeaFile(ScratchPath("out.nmea"), table);
    CheckXmlExport(SaveKmlFile, "out.kml", table);
    CheckXmlExport(WriteGpxFile, "out.gpx", table);
    return 0;
}
