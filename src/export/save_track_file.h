// The log page's save flow: name and kind from the save dialog (a typed
// extension wins over the filter), the extension made sure of, the overwrite
// question, then the writer of the chosen kind.
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

// The file a save writes and its kind, as the index of the kind's filter.
struct SaveTarget {
    std::string path;
    int filterIndex = 1;
};
// A name that ends in one of the kinds' extensions (in any case) is written
// in that kind under that very name, whatever the filter; any other name gets
// the filter's kind, and its extension appended unless it holds it anywhere.
SaveTarget SaveTargetOf(const std::string& path, int filterIndex);
