// What the window shows after a load, a save, a settings page's apply or an
// erase, in the boxes and words its users know; the core only says what happened.
#pragma once

#include "decode/load_result.h"
#include "export/save_result.h"
#include "logger/settings_result.h"

class UserDialogs;

// "Read fail!" as an error, "READ FILE FAIL!!" as a plain message, then the
// records an image passed over as a warning, since noise must never look like a track.
void ShowLoadResult(const LoadResult& result, UserDialogs& dialogs);

// A saved file's line and what the table lacks as plain messages, a save the
// filters left nothing for as a warning, a failure as an error.
void ShowSaveResult(const SaveResult& result, UserDialogs& dialogs);

// A confirmation or a declined question as a plain message, a refusal for want
// of a port or of a criterion as a warning, an empty format or a value out of
// range as an error. An erase the logger did not acknowledge was told over its
// dialog (ShowEraseTimeOut), so it is not told again.
void ShowSettingsResult(const SettingsResult& result, UserDialogs& dialogs);

// "Erasing fail!" as an error, while the erase dialog still holds the user.
void ShowEraseTimeOut(const SettingsResult& result, UserDialogs& dialogs);
