// The log page's open flow: the open dialog's filter tells a memory image, in
// which dialect, from a CSV file, and the loader reads it into the table.
#pragma once

#include "decode/load_result.h"
#include "export/load_track_file.h"

#include <functional>
#include <optional>
#include <string>

class UserDialogs;

// Reads the file into the window's table; what happened comes back.
using TrackFileLoader = std::function<LoadResult(const std::string& path, TrackFileKind kind, LogDialect dialect)>;

// The file the open flow read, and how the reading went (for the caller to show).
struct OpenedTrackFile {
    std::string path;
    bool image = false; // a memory image, else a CSV file
    LoadResult result;
};

// Nothing when the dialog was cancelled or its filter is unknown ("Unknown file?").
std::optional<OpenedTrackFile> OpenTrackFile(UserDialogs& dialogs, const TrackFileLoader& load);
