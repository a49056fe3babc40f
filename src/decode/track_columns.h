// The columns of the track table: which ones a LogFormatMask shows, their
// headers and width hints, and the cell texts of a record.
#pragma once

#include "decode/log_image.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct TrackColumn {
    std::string header;
    int width = 0; // pixels; 0 keeps the grid's default
};

// Header texts that the table's readers look columns up by.
namespace header {
inline constexpr std::string_view kRcr = "RCR";
inline constexpr std::string_view kDate = "DATE";
inline constexpr std::string_view kTime = "TIME";
inline constexpr std::string_view kValid = "VALID";
inline constexpr std::string_view kLatitude = "LATITUDE";
inline constexpr std::string_view kLongitude = "LONGITUDE";
inline constexpr std::string_view kHeight = "HEIGHT";
inline constexpr std::string_view kSpeed = "SPEED";
inline constexpr std::string_view kHeading = "HEADING";
inline constexpr std::string_view kPdop = "PDOP";
inline constexpr std::string_view kHdop = "HDOP";
inline constexpr std::string_view kVdop = "VDOP";
inline constexpr std::string_view kNsat = "NSAT (USED/VIEW)";
// The SAT INFO header when elevation, azimuth and SNR are all logged.
inline constexpr std::string_view kFullSatInfo = "SAT INFO (SID-ELE-AZI-SNR)";
// The number of the track a row belongs to, last of the columns: present once
// the memory has told where a track starts.
inline constexpr std::string_view kTrack = "TRACK";
} // namespace header

// The VALID texts, indexed by the bit of the fix mode; the first means no fix.
inline constexpr std::array<std::string_view, 9> kFixModes = {
    "No fix", "SPS", "DGPS", "PPS", "RTK", "FRTK", "Estimated mode", "Manual input mode", "Simulator"};

// INDEX first, then the columns of the set bits in table order.
std::vector<TrackColumn> TrackColumnsFor(std::uint32_t mask);

// The row of a record under the mask it was read with: one text per column
// of TrackColumnsFor(record.mask), the INDEX cell showing `index`.
std::vector<std::string> TrackRowTexts(const TrackRecord& record, int index);

// The fix-mode name of the lowest set bit of a VALID value; empty if none.
std::string_view FixModeText(std::uint16_t valid);
// The SAT INFO cell: blocks joined by ";" ("#" marks a satellite in use).
std::string SatelliteText(const TrackRecord& record);
