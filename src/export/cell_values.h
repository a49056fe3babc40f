// Values of track table cells that more than one writer reads the same way.
#pragma once

#include <optional>
#include <string_view>

// A LATITUDE or LONGITUDE cell with the hemisphere cell right of it, in signed
// degrees: negative unless the hemisphere is `positive` ("N" or "E"). Nothing
// when the number does not read or the hemisphere cell is empty.
std::optional<double> SignedDegrees(std::string_view number, std::string_view hemisphere, std::string_view positive);

// A "NSAT (USED/VIEW)" cell, "6(9)": satellites in use, then in view.
bool ReadSatelliteCounts(std::string_view cell, int& inUse, int& inView);
