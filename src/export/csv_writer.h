// The track table as comma-separated text: every cell followed by ",",
// every line by CR LF, cells with separators in RFC 4180 quotes.
#pragma once

#include "export/save_result.h"

#include <string>

class TrackTable;

// Writes the rows from the header down to the first row whose column 0 is
// empty, each with every column of the table.
SaveResult WriteCsvFile(const std::string& path, const TrackTable& table);
