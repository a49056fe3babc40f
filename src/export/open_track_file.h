// The kinds of file the log page's open dialog offers: a memory image goes to
// the decoder, a CSV file to the CSV reader, chosen by the dialog's filter.
#pragma once

#include "decode/log_dialect.h"
#include "export/load_track_file.h"

#include <optional>

// After the image and CSV filters, one per dialect the user may name for an
// image whose bytes cannot tell it (filters 3 to 6).
inline constexpr const char* kOpenFilter =
    "Drovik File (*.bin)|*.bin|CSV File (*.csv)|*.csv|Generic Logger File (*.bin)|*.bin|"
    "Holux M-241 File (*.bin)|*.bin|Holux GPsport 245 File (*.bin)|*.bin|Holux M-1000C File (*.bin)|*.bin";
inline constexpr int kOpenCsvFilter = 2;

struct OpenKind {
    TrackFileKind kind = TrackFileKind::Image;
    LogDialect dialect = LogDialect::Detect; // of an image
};

// Nothing for an index past the filters.
std::optional<OpenKind> OpenKindOfFilter(int filterIndex);
