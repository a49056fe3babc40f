#include "geotag/track_position.h"

#include <algorithm>

namespace {
double Between(double from, double to, double fraction)
{
    return from + (to - from) * fraction;
}

// The shorter way round, so a track over the 180th meridian stays near it.
double LongitudeBetween(double from, double to, double fraction)
{
    double difference = to - from;
    if (difference > 180)
        difference -= 360;
    else if (difference < -180)
        difference += 360;
    double longitude = from + difference * fraction;
    if (longitude > 180)
        longitude -= 360;
    else if (longitude < -180)
        longitude += 360;
    return longitude;
}
} // namespace

std::variant<TrackPlace, NoPlace> PlaceAt(const std::vector<TrackPoint>& points, std::int64_t utcMilliseconds,
                                          std::int64_t maxGapMilliseconds)
{
    if (points.empty() || utcMilliseconds < points.front().utcMilliseconds ||
        utcMilliseconds > points.back().utcMilliseconds)
        return NoPlace::OutsideTrack;
    const auto after =
        std::lower_bound(points.begin(), points.end(), utcMilliseconds,
                         [](const TrackPoint& point, std::int64_t time) { return point.utcMilliseconds < time; });
    if (after->utcMilliseconds == utcMilliseconds)
        return TrackPlace{after->latitude, after->longitude, after->height};
    const TrackPoint& next = *after;
    const TrackPoint& previous = *(after - 1);
    const std::int64_t nearest =
        std::min(utcMilliseconds - previous.utcMilliseconds, next.utcMilliseconds - utcMilliseconds);
    if (nearest > maxGapMilliseconds)
        return NoPlace::Gap;
    const double fraction = static_cast<double>(utcMilliseconds - previous.utcMilliseconds) /
                            static_cast<double>(next.utcMilliseconds - previous.utcMilliseconds);
    TrackPlace place{Between(previous.latitude, next.latitude, fraction),
                     LongitudeBetween(previous.longitude, next.longitude, fraction), std::nullopt};
    if (previous.height && next.height)
        place.height = Between(*previous.height, *next.height, fraction);
    return place;
}
