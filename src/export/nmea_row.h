// The values one track table row gives the NMEA file writer, read from the
// cell texts of the columns it knows.
#pragma once

#include <array>
#include <string>

class TrackTable;

struct NmeaColumns {
    int date = -1; // TIME is the column right of it
    int valid = -1;
    int latitude = -1;  // N/S right of it
    int longitude = -1; // E/W right of it
    int height = -1;
    int speed = -1;
    int pdop = -1;
    int hdop = -1;
    int vdop = -1;
    int nsat = -1;
    int satinfo = -1;
};

NmeaColumns LookUpNmeaColumns(const TrackTable& table);

struct NmeaCoordinate {
    int degrees = 0;
    std::string minutes;    // always two integer digits and six decimals
    std::string hemisphere; // the cell right of the coordinate
};

inline constexpr int kSatelliteValues = 48; // 12 satellites of ID, elevation, azimuth, SNR

struct NmeaRow {
    int year = 0, month = 0, day = 0;
    int hours = 0, minutes = 0, seconds = 0, milliseconds = 0;
    int fixQuality = 0;
    NmeaCoordinate latitude;
    NmeaCoordinate longitude;
    double speedKmh = 0;
    double height = 0;
    float pdop = 0, hdop = 0, vdop = 0;
    int satellitesInUse = 0;
    int satellitesInView = 0;
    std::array<int, kSatelliteValues> satellites{};
};

// Fix quality 0-8 of a VALID text; 0 for any text it does not know.
int FixQuality(const std::string& valid);

// Reads the cells of the found columns; false when one of them cannot be read.
bool ReadNmeaRow(const TrackTable& table, const NmeaColumns& columns, int row, NmeaRow& values);
