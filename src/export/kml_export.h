// The two KML exports: save-as to a chosen file with a fixed line style, and
// the draw export that writes "data.kml" and hands it to the desktop's viewer.
#pragma once

#include "export/draw_options.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

class TrackTable;
class UserDialogs;

// Writes the save-as export and reports failures; true when written. The file
// is opened only once the table has what the document needs.
bool SaveKmlFile(const std::string& path, const TrackTable& table, UserDialogs& dialogs);

// Shows the "Option" dialog for a table of N data rows; the choices after
// "Run", nothing after "Exit" or closing the dialog.
using DrawOptionsPrompt = std::function<std::optional<DrawOptions>(int dataRowCount)>;

inline constexpr const char* kDrawKmlPath = "data.kml";
// Time the viewer gets to read the file before a second draw could rewrite it.
inline constexpr std::chrono::milliseconds kViewerStartPause{5000};

// Checks the table and asks for the options before "data.kml" is touched, so
// "Exit" leaves the file as it was. True when the document went to a viewer;
// the caller keeps the draw from running again for kViewerStartPause.
bool DrawKmlTrack(const TrackTable& table, UserDialogs& dialogs, const DrawOptionsPrompt& askOptions);
