// Loading a comma-separated file into the track table: the first line becomes
// the header row, every further line one row. Reads what the CSV writer writes.
#pragma once

#include <string>

class TrackTable;
class UserDialogs;

// Widest line loaded; a wider one ends the load as a malformed file.
inline constexpr int kMaxCsvColumns = 1024;

// Replaces the table with the file's lines; true when the whole file loaded.
bool ReadCsvFile(const std::string& path, TrackTable& table, UserDialogs& dialogs);
