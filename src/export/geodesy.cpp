#include "export/geodesy.h"

#include <cmath>

namespace {
constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1 / 298.257223563;
constexpr double kPi = 3.141592653589793;

double SquaredEccentricity()
{
    return 2 * kFlattening - kFlattening * kFlattening;
}

// Prime-vertical radius of curvature.
double RadiusOfCurvature(double latitude)
{
    const double sine = std::sin(latitude);
    return kSemiMajorAxis / std::sqrt(1 - SquaredEccentricity() * sine * sine);
}
} // namespace

double EcefX(double height, double longitude, double latitude)
{
    return (RadiusOfCurvature(latitude) + height) * std::cos(latitude) * std::cos(longitude);
}

double EcefY(double height, double longitude, double latitude)
{
    return (RadiusOfCurvature(latitude) + height) * std::cos(latitude) * std::sin(longitude);
}

double EcefZ(double height, double /*longitude*/, double latitude)
{
    return (RadiusOfCurvature(latitude) * (1 - SquaredEccentricity()) + height) * std::sin(latitude);
}

double EcefDistance(const Ecef& previous, double x, double y, double z)
{
    const double dx = x - previous.x;
    const double dy = y - previous.y;
    const double dz = z - previous.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double DegreesToRadians(double degrees)
{
    return degrees * kPi / 180;
}
