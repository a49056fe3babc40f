// Decoding of a logger memory image into the track table: the header row
// follows the mask in force, and each record whose checksum holds becomes
// one row, numbered on across sectors.
#pragma once

#include "core/user_dialogs.h"
#include "decode/log_image.h"
#include "decode/track_table.h"

#include <string>

// A file that cannot be opened shows "Read fail!"; a short or failing read
// ends the run quietly with the rows decoded so far.
void DecodeLogFile(const std::string& path, TrackTable& table, UserDialogs& dialogs);
// The same decoding over an image held in memory.
void DecodeLogImage(ByteView image, TrackTable& table, UserDialogs& dialogs);
