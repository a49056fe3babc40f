// Decoding of a logger memory image into the track table: the header row
// follows the mask in force, and each record whose checksum holds becomes
// one row, numbered on across sectors.
#pragma once

#include "core/user_dialogs.h"
#include "decode/log_dialect.h"
#include "decode/log_image.h"
#include "decode/track_table.h"

#include <string>

struct DecodeSummary {
    // Records whose checksum holds but whose latitude or longitude cannot be a
    // place: read in a dialect they were not written in, most likely.
    int recordsPassedOver = 0;
};

// A file that cannot be opened shows "Read fail!"; a short or failing read
// ends the run quietly with the rows decoded so far. A Holux image may end in
// part of a sector, as their owners' tools save it; that part is read too.
DecodeSummary DecodeLogFile(const std::string& path, TrackTable& table, UserDialogs& dialogs,
                            LogDialect dialect = LogDialect::Detect);
// The same decoding over an image held in memory.
DecodeSummary DecodeLogImage(ByteView image, TrackTable& table, UserDialogs& dialogs,
                             LogDialect dialect = LogDialect::Detect);

// What the window and the command line tell about records passed over; empty when there were none.
std::string PassedOverText(const DecodeSummary& summary);
