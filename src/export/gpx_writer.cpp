#include "export/gpx_writer.h"

#include "core/number_text.h"
#include "core/output_file.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/gpx_points.h"
#include "export/gpx_waypoints.h"
#include "export/iso_time.h"
#include "export/saved_message.h"
#include "export/xml_text.h"

#include <filesystem>

namespace {
constexpr std::string_view kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<gpx version=\"1.1\" creator=\"Drovik\" xmlns=\"http://www.topografix.com/GPX/1/1\"\r\n"
    "     xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\r\n"
    "     xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\"\r\n"
    "     xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\r\n";

// One child element on its own line, "<name>value</name>".
template <typename Append>
void AppendElement(std::string& out, std::string_view indent, std::string_view name, Append appendValue)
{
    out += indent;
    out += '<';
    out += name;
    out += '>';
    appendValue();
    out += "</";
    out += name;
    out += ">\r\n";
}

void AppendNumber(std::string& out, std::string_view indent, std::string_view name, std::optional<double> value,
                  int precision)
{
    if (value)
        AppendElement(out, indent, name, [&] { AppendFixed(out, *value, precision); });
}

void AppendExtensions(std::string& out, const GpxPoint& point)
{
    if (!point.speed && !point.course)
        return;
    out += "        <extensions>\r\n          <gpxtpx:TrackPointExtension>\r\n";
    AppendNumber(out, "            ", "gpxtpx:speed", point.speed, 3);
    AppendNumber(out, "            ", "gpxtpx:course", point.course, 6);
    out += "          </gpxtpx:TrackPointExtension>\r\n        </extensions>\r\n";
}

// The start tag with the position, and the children every point begins with.
void AppendPointStart(std::string& out, std::string_view element, std::string_view indent, const GpxPoint& point)
{
    out += indent;
    out += '<';
    out += element;
    out += " lat=\"";
    AppendFixed(out, point.latitude, 6);
    out += "\" lon=\"";
    AppendFixed(out, point.longitude, 6);
    out += "\">\r\n";
    const std::string childIndent = std::string(indent) + "  ";
    AppendNumber(out, childIndent, "ele", point.elevation, 3);
    if (point.time)
        AppendElement(out, childIndent, "time", [&] { AppendIsoTime(out, point.time->utc, point.time->milliseconds); });
}

// Children in the order of the schema's wptType.
void AppendPoint(std::string& out, const GpxPoint& point)
{
    constexpr std::string_view indent = "        ";
    AppendPointStart(out, "trkpt", "      ", point);
    if (!point.fix.empty())
        AppendElement(out, indent, "fix", [&] { out += point.fix; });
    if (point.satellites)
        AppendElement(out, indent, "sat", [&] { AppendInteger(out, *point.satellites); });
    AppendNumber(out, indent, "hdop", point.hdop, 2);
    AppendNumber(out, indent, "vdop", point.vdop, 2);
    AppendNumber(out, indent, "pdop", point.pdop, 2);
    AppendExtensions(out, point);
    out += "      </trkpt>\r\n";
}

void AppendWaypoint(std::string& out, const GpxWaypoint& waypoint)
{
    constexpr std::string_view indent = "    ";
    AppendPointStart(out, "wpt", "  ", waypoint.point);
    AppendElement(out, indent, "name", [&] { out += waypoint.name; });
    if (!waypoint.point.fix.empty())
        AppendElement(out, indent, "fix", [&] { out += waypoint.point.fix; });
    out += "  </wpt>\r\n";
}

void AppendHead(std::string& out, std::int64_t createdUtc)
{
    out += kHead;
    out += "  <metadata>\r\n";
    AppendElement(out, "    ", "time", [&] { AppendIsoTime(out, CivilTimeFromSeconds(createdUtc), std::nullopt); });
    out += "  </metadata>\r\n";
}

// Tracks are numbered when the table tells them apart.
void AppendTrackHead(std::string& out, const std::string& trackName, std::optional<int> number)
{
    out += "  <trk>\r\n";
    AppendElement(out, "    ", "name", [&] { AppendXmlEscaped(out, trackName); });
    if (number)
        AppendElement(out, "    ", "number", [&] { AppendInteger(out, *number); });
}

// Returns how many rows were left out because their cells cannot be read.
int WriteGpxDocument(OutputFile& file, const TrackTable& table, const std::string& trackName, std::int64_t createdUtc)
{
    std::string out;
    AppendHead(out, createdUtc);
    const ExportColumns columns = LookUpExportColumns(table);
    for (const GpxWaypoint& waypoint : ButtonWaypoints(table, columns))
        AppendWaypoint(out, waypoint);
    int tracks = 1;
    const auto trackNumber = [&] { return columns.track >= 0 ? std::optional<int>(tracks) : std::nullopt; };
    AppendTrackHead(out, trackName, trackNumber());
    std::optional<std::string_view> track; // of the points written into the open trk
    std::optional<GpxPoint> previous;
    int leftOut = 0;
    for (int row = 1; row < table.rowCount(); ++row) {
        std::optional<GpxPoint> point = ReadGpxPoint(table, columns, row);
        if (!point) {
            if (!MarkedNoFix(table, columns, row))
                ++leftOut;
            if (previous)
                out += "    </trkseg>\r\n";
            previous.reset();
            continue;
        }
        if (track && *track != point->track) {
            if (previous)
                out += "    </trkseg>\r\n";
            out += "  </trk>\r\n";
            ++tracks;
            AppendTrackHead(out, trackName, trackNumber());
            previous.reset();
        }
        track = point->track;
        if (previous && StartsNewSegment(*previous, *point))
            out += "    </trkseg>\r\n    <trkseg>\r\n";
        else if (!previous)
            out += "    <trkseg>\r\n";
        AppendPoint(out, *point);
        previous = std::move(point);
        file.writeWhenFull(out);
    }
    if (previous)
        out += "    </trkseg>\r\n";
    out += "  </trk>\r\n</gpx>\r\n";
    file.write(out);
    return leftOut;
}

// A document without points would pass for a saved track; nothing is written then.
const char* MissingContent(const TrackTable& table)
{
    if (table.cell(0, 0).empty())
        return "No information on table.";
    if (table.findColumn(header::kLatitude) < 0)
        return "No 'LATITUDE' to save.";
    if (table.findColumn(header::kLongitude) < 0)
        return "No 'LONGITUDE' to save.";
    return nullptr;
}
} // namespace

SaveResult WriteGpxFileCreatedAt(const std::string& path, const TrackTable& table, std::int64_t createdUtc)
{
    if (const char* missing = MissingContent(table))
        return {table.cell(0, 0).empty() ? SaveResult::Outcome::TableEmpty : SaveResult::Outcome::TableLacks, missing};
    OutputFile file(path);
    int leftOut = 0;
    if (file.isOpen())
        leftOut = WriteGpxDocument(file, table, std::filesystem::path(path).stem().string(), createdUtc);
    if (!file.close())
        return {SaveResult::Outcome::WriteFailed, SaveFailedMessage("Write GPX file fail!", file.failure())};
    const int rows = table.rowCount() - 1;
    return {SaveResult::Outcome::Saved, SavedMessage(path, leftOut, rows), rows, leftOut};
}

SaveResult WriteGpxFile(const std::string& path, const TrackTable& table)
{
    return WriteGpxFileCreatedAt(path, table, NowUtcSeconds());
}
