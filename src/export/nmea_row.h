// The values one track table row gives the NMEA file writer, read from the
// cell texts of the columns it knows. Each value is read on its own, so a cell
// that cannot be read costs only the sentences made from it.
#pragma once

#include "export/export_columns.h"

#include "export/row_utc.h"

#include <array>
#include <string>

class TrackTable;

// The values sentences are made from, as bits of a set.
enum NmeaField : unsigned {
    kNmeaTime = 1u << 0, // DATE and TIME
    kNmeaValid = 1u << 1,
    kNmeaLatitude = 1u << 2,
    kNmeaLongitude = 1u << 3,
    kNmeaHeight = 1u << 4,
    kNmeaSpeed = 1u << 5,
    kNmeaPdop = 1u << 6,
    kNmeaHdop = 1u << 7,
    kNmeaVdop = 1u << 8,
    kNmeaSatelliteCounts = 1u << 9,
    kNmeaSatellites = 1u << 10,
};

// The fields whose columns were found. HEIGHT is always there: 0 without its column.
unsigned FoundNmeaFields(const ExportColumns& columns);

struct NmeaCoordinate {
    int degrees = 0;
    std::string minutes;    // always two integer digits and six decimals
    std::string hemisphere; // the cell right of the coordinate
};

struct NmeaSatellite {
    int id = 0;
    int elevation = 0; // degrees, negative below the horizon
    int azimuth = 0;
    int snr = 0; // 0: not tracked
    bool inUse = false;
};

inline constexpr int kMaxNmeaSatellites = 12;

struct NmeaRow {
    unsigned fields = 0; // NmeaField bits of the values read
    RowTime time;        // UTC
    int zoneHours = 0;   // local time is UTC plus these
    int fixQuality = 0;
    NmeaCoordinate latitude;
    NmeaCoordinate longitude;
    double speedKmh = 0;
    double height = 0;
    float pdop = 0, hdop = 0, vdop = 0;
    int satellitesInUse = 0;
    int satellitesInView = 0;
    std::array<NmeaSatellite, kMaxNmeaSatellites> satellites{};
    int satelliteCount = 0; // listed, up to the first zero-filled entry

    bool has(unsigned needed) const { return (fields & needed) == needed; }
};

// Fix quality 0-8 of a VALID text; 0 for any text it does not know.
int FixQuality(const std::string& valid);

// Reads the cells of the found columns; a cell that cannot be read leaves its field out.
void ReadNmeaRow(const TrackTable& table, const ExportColumns& columns, int row, NmeaRow& values);
