// The log page's draw button: the table checked, the "Option" dialog asked,
// "data.kml" written off the window's thread and handed to the desktop's viewer.
#pragma once

#include "export/draw_options.h"

#include <functional>
#include <optional>

class TrackTable;
class UserDialogs;

// Shows the "Option" dialog for a table of N data rows; the choices after
// "Run", nothing after "Exit" or closing the dialog.
using DrawOptionsPrompt = std::function<std::optional<DrawOptions>(int dataRowCount)>;

// Checks the table and asks for the options before "data.kml" is touched, so
// "Exit" leaves the file as it was. True when the document went to a viewer;
// the caller keeps the draw from running again for kViewerStartPause.
bool DrawKmlTrack(const TrackTable& table, UserDialogs& dialogs, const DrawOptionsPrompt& askOptions);
