// WGS 84 geodetic positions as earth-centred, earth-fixed coordinates, and the
// straight-line distance between two of them.
#pragma once

struct Ecef {
    double x = 0;
    double y = 0;
    double z = 0;
};

// Height in metres, longitude and latitude in radians; results in metres.
double EcefX(double height, double longitude, double latitude);
double EcefY(double height, double longitude, double latitude);
double EcefZ(double height, double longitude, double latitude);

// Chord from the previous point to (x, y, z).
double EcefDistance(const Ecef& previous, double x, double y, double z);

double DegreesToRadians(double degrees);
