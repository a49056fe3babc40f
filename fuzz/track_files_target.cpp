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

#include <fstream>
#include <iterator>

namespace {
SilentDialogs silent;

std::string ReadWhole(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool IsWellFormedXml(const std::string& document)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    const bool parsed = XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return parsed;
}

// What the writer saves, loaded and saved again, gives the same file.
void CheckCsvRoundTrip(const TrackTable& table)
{
    const std::string first = ScratchPath("first.csv");
    const std::string second = ScratchPath("second.csv");
    if (!WriteCsvFile(first, table, silent))
        return;
    TrackTable reloaded;
    ReadCsvFile(first, reloaded, silent);
    FUZZ_CHECK(WriteCsvFile(second, reloaded, silent));
    FUZZ_CHECK(ReadWhole(first) == ReadWhole(second));
}

using XmlWriter = bool (*)(const std::string& path, const TrackTable& table, UserDialogs& dialogs);

void CheckXmlExport(XmlWriter write, const char* name, const TrackTable& table)
{
    const std::string path = ScratchPath(name);
    if (write(path, table, silent))
        FUZZ_CHECK(IsWellFormedXml(ReadWhole(path)));
}
} // namespace

int FuzzTrackFiles(const std::uint8_t* data, std::size_t size)
{
    TrackTable table;
    ReadCsvFile(ScratchFile("in.csv", data, size), table, silent);
    CheckCsvRoundTrip(table);
    WriteNmeaFile(ScratchPath("out.nmea"), table, silent);
    CheckXmlExport(SaveKmlFile, "out.kml", table);
    CheckXmlExport(WriteGpxFile, "out.gpx", table);
    return 0;
}
