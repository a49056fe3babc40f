// The track table as an NMEA 0183 text file, for tools that replay tracks.
#pragma once

#include "export/save_result.h"

#include <string>

class TrackTable;

// Writes the sentences of every data row, each sentence when the row's cells
// for it can be read; the result counts the rows left out.
SaveResult WriteNmeaFile(const std::string& path, const TrackTable& table);
