// The log page's open flow: a memory image goes to the decoder, a CSV file to
// the CSV reader, chosen by the open dialog's filter.
#pragma once

#include <functional>
#include <string>

class TrackTable;
class UserDialogs;

inline constexpr const char* kOpenFilter = "Drovik File (*.bin)|*.bin|CSV File (*.csv)|*.csv";

using LogDecoder = std::function<void(const std::string& path, TrackTable& table, UserDialogs& dialogs)>;

void OpenTrackFile(TrackTable& table, UserDialogs& dialogs, const LogDecoder& decode);
// Memory images go to DecodeLogFile.
void OpenTrackFile(TrackTable& table, UserDialogs& dialogs);
