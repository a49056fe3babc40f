// How a command tells what a load, a save, a settings page or an erase did, in drovik-cli's own words
// (cli_texts): the core's results carry the window's texts, which the command
// line does not print as they are.
#pragma once

#include "decode/load_result.h"
#include "export/save_result.h"
#include "logger/settings_result.h"

#include <string>

// A failure after "COMMAND: PATH: ", and how many records an image passed
// over as a note; true when loaded.
bool ReportLoadResult(const LoadResult& result, const std::string& command, const std::string& path);

// Why a save did not happen, in one line: "cannot write out.csv: No such file or directory."
std::string SaveFailure(const SaveResult& result);

// "Rows left out because their cells cannot be read: 1 of 2."; empty when none was.
std::string UnreadableRowsNote(const SaveResult& result);

// Why a settings page or an erase did not apply, after "COMMAND: "; nothing
// for a question answered No, which the command's own line explains. True
// when applied.
bool ReportSettingsResult(const SettingsResult& result, const std::string& command);
