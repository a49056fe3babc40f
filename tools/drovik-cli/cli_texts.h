// Everything drovik-cli says, in its own words: the line each command ends
// with, the reasons it gives, and what it says instead of the window's
// messages, which the core shows through the dialogs or returns in its results.
#pragma once

#include "link/logger_reply_view.h"
#include "link/port_open.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace CliText {
// "17,049".
std::string Count(std::uint64_t number);

// What the command line says instead of a message of the window: nothing
// (empty) for a confirmation the command's own line replaces, or a reason
// for a refusal or a failure, in one paragraph; nullopt for a text the
// window does not have, which is already the program's own.
std::optional<std::string> ForWindowMessage(const std::string& text);
// A text of the program's own in one paragraph.
std::string OneParagraph(std::string text);
// A failure the core tells in the window's words (a load's, a save's), in the
// command line's: ForWindowMessage's reason, or the text in one paragraph.
std::string ForFailure(const std::string& text);

// "--time takes 1 to 999 seconds, or 0 for off".
std::string CriterionRangeText(LoggingCriterion criterion);

// Why a port did not open, the device tried and the system's answer included.
std::string PortOpenFailure(const PortOpenResult& result);
// A --port value that is neither a port name nor a device path.
std::string NotAPort(const std::string& text);
std::string NoPortsFound();
std::string PortsFound(std::size_t ports);

std::string CannotRead(const std::string& path, const std::string& reason);

// convert: "Wrote 17,049 points to track.kml.", the files of a split by name;
// `extra` (what was left out, and why) follows as it stands.
std::string Wrote(std::uint64_t points, const std::vector<std::string>& paths, const std::string& extra);
// What a writer left out of `rows` because their cells cannot be read.
std::string RowsLeftOutUnreadable(std::uint64_t leftOut, std::uint64_t rows);

// download.
std::string Downloaded(std::uint64_t bytes, const std::string& port, const std::string& image, std::uint64_t records,
                       const std::string& csv);
std::string ImageSavedCsvNot(const std::string& image, std::uint64_t records, const std::string& failure);

// The logger's commands.
std::string MemoryErased();
std::string EraseNeedsYes();
std::string FormatNeedsYes();
std::string LoggingSwitched(bool on);
std::string RestartSent(const std::string& kind);
// `changes` as the set command lists them: "time 5 s", "distance off".
std::string SettingsUpdated(const std::vector<std::string>& changes);
std::string StatusRead(const std::string& port);
} // namespace CliText
