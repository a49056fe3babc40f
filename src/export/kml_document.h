// The KML 2.0 document both KML exports write: head, icon styles, the
// placemark folder and the track lines, one per track.
#pragma once

#include "export/kml_placemarks.h"

#include <cstdint>
#include <optional>

class OutputFile;
class TrackTable;
struct ExportColumns;

inline constexpr const char* kKmlNamespace = "http://earth.google.com/kml/2.0";

struct KmlExportSettings {
    KmlExportKind kind = KmlExportKind::SaveAs;
    std::uint32_t colourWord = 0; // 0x00BBGGRR
    int opacity = 100;            // percent
    double lineWidth = 3.0;
    std::optional<RowRange> placemarkRows; // all rows when absent
};

// The save-as export's fixed line style: opaque yellow, 3.0 wide.
KmlExportSettings SaveAsKmlSettings();

// The line colour as KML's aabbggrr word: the opacity as alpha over the colour word.
std::uint32_t KmlColour(std::uint32_t colourWord, int opacity);

void WriteKmlDocument(OutputFile& file, const TrackTable& table, const ExportColumns& columns,
                      const KmlExportSettings& settings);
