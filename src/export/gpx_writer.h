// The track table as a GPX 1.1 document, the exchange format most track tools read.
#pragma once

#include <cstdint>
#include <string>

class TrackTable;
class UserDialogs;

// Writes the points logged by the button (RCR "B") as waypoints, then the
// table's points as one track per TRACK number (all of them one track without
// that column), each split into segments where the track was interrupted, and
// tells the user how it went; true when saved.
bool WriteGpxFile(const std::string& path, const TrackTable& table, UserDialogs& dialogs);
// The same, with the document's creation time given in seconds from 1970 (UTC).
bool WriteGpxFileCreatedAt(const std::string& path, const TrackTable& table, UserDialogs& dialogs,
                           std::int64_t createdUtc);
