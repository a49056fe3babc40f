// The log page's open flow: a memory image goes to the decoder, a CSV file to
// the CSV reader, chosen by the open dialog's filter.
#pragma once

#include "decode/log_decoder.h"

#include <functional>
#include <optional>
#include <string>

class TrackTable;
class UserDialogs;

inline constexpr const char* kOpenFilter = "Drovik File (*.bin)|*.bin|CSV File (*.csv)|*.csv";

using LogDecoder =
    std::function<DecodeSummary(const std::string& path, TrackTable& table, UserDialogs& dialogs, LogDialect dialect)>;

// The decode's summary when an image was decoded.
std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs, const LogDecoder& decode);
// Memory images go to DecodeLogFile.
std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs);
