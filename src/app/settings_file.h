// The settings file beside the executable, in the INI form: "[Section]" lines
// and "key=value" lines. Absent files, sections and keys read as defaults; a
// write creates what is missing and keeps everything else in the file. Nothing
// is cached: each call opens the file, does its work and lets it go. Failures
// are silent, as losing a setting must never stop the program.
#pragma once

#include <string>
#include <string_view>

struct GridOptionsOutcome;

inline constexpr const char* kConnectionSection = "Connection";
inline constexpr const char* kComPortKey = "Com Port";
inline constexpr const char* kBaudRateKey = "Baud Rate";

// The executable's path with its extension replaced by ".ini".
std::string SettingsFilePath(const std::string& executablePath);
// The file the window uses: SettingsFilePath when its folder can be written
// (an installed program's folder usually cannot), else the file of the same
// name in $XDG_CONFIG_HOME/drovik (~/.config/drovik when that is not set),
// whose folder is created.
std::string UsableSettingsFilePath(const std::string& executablePath);

// Section and key names compare without regard to case.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback);
void WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

struct StoredSettings {
    std::string comPort;    // as shown in the port box; empty when absent
    std::string baudRate;   // as shown in the baud box; empty when absent
    int timeShiftHours = 0; // 0 when absent or not a number
    int speedUnitIndex = 0; // index into "km/h", "mph"
    int weekRollovers = 0;
};

StoredSettings ReadSettingsFile(const std::string& path);
void WriteConnectionSettings(const std::string& path, const std::string& comPort, const std::string& baudRate);
// Stores the grid keys the update says to store, after a complete grid update.
void WriteGridOptionSettings(const std::string& path, const GridOptionsOutcome& outcome, int timeShiftHours,
                             int speedUnitIndex, int weekRollovers);
