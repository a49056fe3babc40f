// Decoding of a logger memory image into the track table: the header row
// follows the mask in force, and each record whose checksum holds becomes
// one row, numbered on across sectors.
#pragma once

#include "decode/load_result.h"
#include "decode/log_dialect.h"
#include "decode/log_image.h"
#include "decode/track_table.h"

#include <string>

// A file that cannot be opened leaves the table as it was; a short or failing
// read ends the run with the rows decoded so far, which count as loaded. A
// Holux image may end in part of a sector, as their owners' tools save it;
// that part is read too. progress hears of every row.
LoadResult DecodeLogImageFile(const std::string& path, TrackTable& table, LogDialect dialect = LogDialect::Detect,
                              const LoadProgress& progress = {});
// The same decoding over an image held in memory.
LoadResult DecodeLogImage(ByteView image, TrackTable& table, LogDialect dialect = LogDialect::Detect,
                          const LoadProgress& progress = {});
