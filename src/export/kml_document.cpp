#include "export/kml_document.h"

#include "core/number_text.h"
#include "core/output_file.h"
#include "decode/track_table.h"
#include "export/hex_text.h"
#include "export/kml_track_rows.h"
#include "export/xml_text.h"

#include <string>

namespace {
struct IconStylePair {
    const char* normal;
    const char* highlight;
    const char* map;
    int indent;
    int palette;
    const char* x;
    const char* y; // nullptr: no y line
};

constexpr IconStylePair kIconStyles[] = {
    {"TimeStamp0", "TimeStamp1", "StyleT", 2, 3, "<x>128</x>", "<y>128</y>"},
    {"DistanceStamp0", "DistanceStamp1", "StyleD", 4, 2, "<x>160</x>", "<y>192</y>"},
    {"SpeedStamp0", "SpeedStamp1", "StyleS", 4, 4, "<x>224</x>", "<y>192</y>"},
    {"Unknown0", "Unknown1", "StyleU", 4, 4, "<x>224</x>", nullptr},
    {"MixStamp0", "MixStamp1", "StyleM", 4, 4, "<x>192</x>", "<y>64</y>"},
};

class KmlLines {
public:
    explicit KmlLines(OutputFile& file) : file_(file) {}

    void line(int indent, std::string_view text)
    {
        text_.append(indent, ' ');
        text_ += text;
        text_ += "\r\n";
        file_.writeWhenFull(text_);
    }
    // Hands the lines so far to the file.
    OutputFile& flush()
    {
        file_.write(text_);
        text_.clear();
        return file_;
    }

private:
    OutputFile& file_;
    std::string text_;
};

void WriteStyle(KmlLines& out, const IconStylePair& pair, const char* id, int labelScale)
{
    const int b = pair.indent;
    out.line(b, std::string("<Style id=\"") + id + "\">");
    out.line(b + 2, "<IconStyle>");
    out.line(b + 4, "<Icon>");
    out.line(b + 6, "<href>root://icons/palette-" + std::to_string(pair.palette) + ".png</href>");
    out.line(b + 6, pair.x);
    if (pair.y)
        out.line(b + 6, pair.y);
    out.line(b + 6, "<w>32</w>");
    out.line(b + 6, "<h>32</h>");
    out.line(b + 4, "</Icon>");
    out.line(b + 2, "</IconStyle>");
    out.line(b + 2, "<LabelStyle>");
    out.line(b + 4, "<scale>" + std::to_string(labelScale) + "</scale>");
    out.line(b + 2, "</LabelStyle>");
    out.line(b, "</Style>");
}

void WriteStyleMap(KmlLines& out, const IconStylePair& pair)
{
    const int b = pair.indent;
    out.line(b, std::string("<StyleMap id=\"") + pair.map + "\">");
    for (const auto& [key, style] : {std::pair{"normal", pair.normal}, std::pair{"highlight", pair.highlight}}) {
        out.line(b + 2, "<Pair>");
        out.line(b + 4, std::string("<key>") + key + "</key>");
        out.line(b + 4, std::string("<styleUrl>#") + style + "</styleUrl>");
        out.line(b + 2, "</Pair>");
    }
    out.line(b, "</StyleMap>");
}

void WriteHead(KmlLines& out, KmlExportKind kind)
{
    out.line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.line(0, std::string("<kml xmlns=\"") + kKmlNamespace + "\">");
    out.line(0, "<Document>");
    out.line(2, kind == KmlExportKind::SaveAs ? "<name>My Trips</name>" : "<name>My Trip</name>");
    out.line(4, "<open>1</open>");
    for (const IconStylePair& pair : kIconStyles) {
        WriteStyle(out, pair, pair.normal, 0);
        WriteStyle(out, pair, pair.highlight, 1);
        WriteStyleMap(out, pair);
    }
}

void WriteFolderHead(KmlLines& out, const char* name)
{
    out.line(2, "<Folder>");
    out.line(4, std::string("<name>") + name + "</name>");
    out.line(4, "<open>0</open>");
}

// Save-as writes the signed numbers; draw writes the cell texts, signed by a "-".
std::string TrackPointText(const TrackPoint& point, KmlExportKind kind)
{
    std::string text;
    if (kind == KmlExportKind::SaveAs) {
        AppendFixed(text, point.longitude, 6);
        text += ',';
        AppendFixed(text, point.latitude, 6);
    } else {
        if (point.eastWest != "E")
            text += '-';
        AppendXmlEscaped(text, point.longitudeText);
        text += ',';
        if (point.northSouth != "N")
            text += '-';
        AppendXmlEscaped(text, point.latitudeText);
    }
    text += ",0";
    return text;
}

void WriteLineStart(KmlLines& out, const KmlExportSettings& settings)
{
    out.line(4, "<Placemark>");
    out.line(6, "<name>Path" + std::to_string(static_cast<std::int32_t>(settings.colourWord)) + "</name>");
    out.line(6, "<Style>");
    out.line(8, "<LineStyle>");
    std::string colour = "<color>";
    AppendHex(colour, KmlColour(settings.colourWord, settings.opacity), 8, false);
    out.line(10, colour + "</color>");
    std::string width = "<width>";
    AppendFixed(width, settings.lineWidth, 1);
    out.line(10, width + "</width>");
    out.line(8, "</LineStyle>");
    out.line(6, "</Style>");
    out.line(6, "<LineString>");
    out.line(8, "<tessellate>1</tessellate>");
    out.line(8, "<coordinates>");
}

void WriteLineEnd(KmlLines& out)
{
    out.line(8, "</coordinates>");
    out.line(6, "</LineString>");
    out.line(4, "</Placemark>");
}

// One line per track, in the line style of the export; a table without a
// point still gets its one, empty line.
void WriteTrackLines(KmlLines& out, const TrackTable& table, const ExportColumns& columns,
                     const KmlExportSettings& settings)
{
    WriteFolderHead(out, "My Path");
    std::optional<std::string_view> track;
    TrackPoint point;
    for (int row = 1; row < table.rowCount(); ++row) {
        if (!ReadTrackRow(table, columns, row, point))
            continue;
        if (track != point.track) {
            if (track)
                WriteLineEnd(out);
            WriteLineStart(out, settings);
            track = point.track;
        }
        out.line(10, TrackPointText(point, settings.kind));
    }
    if (!track)
        WriteLineStart(out, settings);
    WriteLineEnd(out);
    out.line(2, "</Folder>");
}
} // namespace

KmlExportSettings SaveAsKmlSettings()
{
    return {KmlExportKind::SaveAs, 0xFF00FFFF, 100, 3.0, std::nullopt};
}

std::uint32_t KmlColour(std::uint32_t colourWord, int opacity)
{
    const auto alpha = static_cast<std::uint32_t>(opacity * 255 / 100) & 0xFF;
    return alpha << 24 | colourWord;
}

void WriteKmlDocument(OutputFile& file, const TrackTable& table, const ExportColumns& columns,
                      const KmlExportSettings& settings)
{
    KmlLines out(file);
    WriteHead(out, settings.kind);
    WriteFolderHead(out, "My Places");
    WriteKmlPlacemarks(out.flush(), table, columns, settings.kind, settings.placemarkRows);
    out.line(2, "</Folder>");
    WriteTrackLines(out, table, columns, settings);
    out.line(0, "</Document>");
    out.line(0, "</kml>");
    out.flush();
}
