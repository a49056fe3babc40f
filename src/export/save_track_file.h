// The log page's save flow: name and kind from the save dialog, the extension
// made sure of, the overwrite question, then the writer of the chosen kind.
#pragma once

#include "export/filtered_save.h"

#include <string>
#include <vector>

class TrackTable;
class UserDialogs;

inline constexpr const char* kSaveFilter =
    "CSV File (*.csv)|*.csv|Google Earth (*.kml)|*.kml|NMEA File (*.nma)|*.nma|GPX File (*.gpx)|*.gpx";

// With a filter, through the filters and the split of the "Filter" dialog.
void SaveTrackFile(const TrackTable& table, UserDialogs& dialogs, const ExportFilter& filter = {});

// True when no file has the name, or the user agrees to replace it.
bool ConfirmOverwrite(const std::string& path, UserDialogs& dialogs);
// The same for the files of a split, asked once.
bool ConfirmOverwrite(const std::vector<std::string>& paths, UserDialogs& dialogs);

// The name with the filter's extension appended unless it already holds it anywhere.
std::string WithSaveExtension(const std::string& path, int filterIndex);
