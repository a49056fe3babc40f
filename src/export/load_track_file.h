// A memory image or a CSV table into the track table: the one loader of the
// window's open button, drovik-cli convert and the geotagging of a track file.
#pragma once

#include "decode/load_result.h"
#include "decode/log_dialect.h"

#include <string>

class TrackTable;

enum class TrackFileKind { Image, Csv };

// The image is decoded in the dialect given; a CSV file has none.
LoadResult LoadTrackFile(const std::string& path, TrackFileKind kind, TrackTable& table,
                         LogDialect dialect = LogDialect::Detect, const LoadProgress& progress = {});
