// The log page's open flow: a memory image goes to the decoder, a CSV file to
// the CSV reader, chosen by the open dialog's filter.
#pragma once

#include "decode/log_decoder.h"

#include <functional>
#include <optional>
#include <string>

class TrackTable;
class UserDialogs;

// After the image and CSV filters, one per dialect the user may name for an
// image whose bytes cannot tell it (filters 3 to 6).
inline constexpr const char* kOpenFilter =
    "Drovik File (*.bin)|*.bin|CSV File (*.csv)|*.csv|Generic Logger File (*.bin)|*.bin|"
    "Holux M-241 File (*.bin)|*.bin|Holux GPsport 245 File (*.bin)|*.bin|Holux M-1000C File (*.bin)|*.bin";

using LogDecoder =
    std::function<DecodeSummary(const std::string& path, TrackTable& table, UserDialogs& dialogs, LogDialect dialect)>;

// The file the open flow read into the table.
struct OpenedTrackFile {
    std::string path;
    bool image = false; // a memory image, else a CSV file
};

// The decode's summary when an image was decoded; `opened`, when given, is
// set once a file was read.
std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs, const LogDecoder& decode,
                                           std::optional<OpenedTrackFile>* opened = nullptr);
// Memory images go to DecodeLogFile.
std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs,
                                           std::optional<OpenedTrackFile>* opened = nullptr);
