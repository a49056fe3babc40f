// The track table as an NMEA 0183 text file, for tools that replay tracks.
#pragma once

#include <string>

class TrackTable;
class UserDialogs;

// Writes the sentences of every data row, each sentence when the row's cells
// for it can be read, and tells the user how it went, with the number of rows
// left out; true when saved.
bool WriteNmeaFile(const std::string& path, const TrackTable& table, UserDialogs& dialogs);
