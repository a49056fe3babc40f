// The confirmation the CSV and NMEA writers show after a good save.
#pragma once

#include <string>

inline std::string SavedMessage(const std::string& path)
{
    return path + " had beed saved.";
}
