// What the window shows after a load or a save, in the boxes and words its
// users know; the core only says what happened.
#pragma once

#include "decode/load_result.h"
#include "export/save_result.h"

class UserDialogs;

// "Read fail!" as an error, "READ FILE FAIL!!" as a plain message, then the
// records an image passed over as a warning, since noise must never look like a track.
void ShowLoadResult(const LoadResult& result, UserDialogs& dialogs);

// A saved file's line and what the table lacks as plain messages, a save the
// filters left nothing for as a warning, a failure as an error.
void ShowSaveResult(const SaveResult& result, UserDialogs& dialogs);
