// The track table as a GPX 1.1 document, the exchange format most track tools read.
#pragma once

#include "export/save_result.h"

#include <cstdint>
#include <string>

class TrackTable;

// Writes the points logged by the button (RCR "B") as waypoints, then the
// table's points as one track per TRACK number (all of them one track without
// that column), each split into segments where the track was interrupted.
SaveResult WriteGpxFile(const std::string& path, const TrackTable& table);
// The same, with the document's creation time given in seconds from 1970 (UTC).
SaveResult WriteGpxFileCreatedAt(const std::string& path, const TrackTable& table, std::int64_t createdUtc);
