// Loading a comma-separated file into the track table: the first line becomes
// the header row, every further line one row. Reads what the CSV writer writes.
#pragma once

#include "decode/load_result.h"

#include <string>

class TrackTable;

// Widest line loaded; a wider one ends the load as a malformed file.
inline constexpr int kMaxCsvColumns = 1024;

// Replaces the table with the file's lines; a file that cannot be opened
// leaves it as it was. progress hears of every row below the header.
LoadResult ReadCsvFile(const std::string& path, TrackTable& table, const LoadProgress& progress = {});
