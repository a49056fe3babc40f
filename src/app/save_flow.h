// The log page's save flow: name and kind from the save dialog, the extension
// made sure of, the overwrite question, then the writer of the chosen kind,
// off the window's thread, and what it did shown.
#pragma once

#include "export/filtered_save.h"

#include <string>
#include <vector>

class TrackTable;
class UserDialogs;

// With a filter, through the filters and the split of the "Filter" dialog.
void SaveTrackFile(const TrackTable& table, UserDialogs& dialogs, const ExportFilter& filter = {});

// True when no file has the name, or the user agrees to replace it.
bool ConfirmOverwrite(const std::string& path, UserDialogs& dialogs);
// The same for the files of a split, asked once.
bool ConfirmOverwrite(const std::vector<std::string>& paths, UserDialogs& dialogs);
