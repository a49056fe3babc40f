// The two KML exports: save-as to a chosen file with a fixed line style, and
// the draw export that writes "data.kml" and hands it to the desktop's viewer.
#pragma once

#include "export/draw_options.h"
#include "export/save_result.h"

#include <chrono>
#include <optional>
#include <string>

class TrackTable;

// Writes the save-as export; the file is opened only once the table has what
// the document needs. A save that succeeds says nothing of its own.
SaveResult SaveKmlFile(const std::string& path, const TrackTable& table);

inline constexpr const char* kDrawKmlPath = "data.kml";
// Time the viewer gets to read the file before a second draw could rewrite it.
inline constexpr std::chrono::milliseconds kViewerStartPause{5000};

// What keeps the table from being drawn, checked before the options are asked
// for, so that "data.kml" is not touched; nothing when it can be drawn.
std::optional<SaveResult> DrawKmlRefusal(const TrackTable& table);
// Writes "data.kml" with the options of the "Option" dialog; the saved text
// is the file's absolute path, for the viewer.
SaveResult WriteDrawKmlFile(const TrackTable& table, const DrawOptions& options);
