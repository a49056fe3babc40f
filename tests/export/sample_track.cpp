#include "export/sample_track.h"

#include "decode/civil_time.h"
#include "decode/track_options.h"
#include "testbed/log_image_writer.h"

namespace {
using namespace fieldbit;

constexpr std::uint32_t kMask = kUtc | kValid | kLatitude | kLongitude | kHeight | kSpeed | kPdop | kHdop | kVdop |
                                kNsat | kSid | kElevation | kAzimuth | kSnr | kRcr | kMillisecond | kDistance;

constexpr std::uint16_t kNoFix = 0x1, kSps = 0x2, kDgps = 0x4;
constexpr std::uint16_t kTime = 0x1, kSpeedStamp = 0x2, kDistanceStamp = 0x4, kMix = 0x8;

struct PointValues {
    int seconds;
    std::uint16_t millisecond;
    std::uint16_t valid;
    double latitude;
    double longitude;
    float height;
    float speed;
    std::uint16_t rcr;
    double distance;
};

TrackRecord RecordOf(const PointValues& p)
{
    TrackRecord record;
    record.mask = kMask;
    record.utc = 1180000000 + p.seconds;
    record.millisecond = p.millisecond;
    record.valid = p.valid;
    record.latitude = p.latitude;
    record.longitude = p.longitude;
    record.height = p.height;
    record.speed = p.speed;
    record.pdop = 150;
    record.hdop = 90;
    record.vdop = 120;
    record.satelliteCounts = SatelliteCounts{5, 2};
    record.satellites = {
        {5, true, 3, 45, 123, 40},
        {12, true, 3, 7, 310, 35},
        {20, false, 3, 10, 200, 0},
    };
    record.rcr = p.rcr;
    record.distance = p.distance;
    return record;
}
} // namespace

std::vector<std::uint8_t> GoldenTrackImage()
{
    const PointValues points[] = {
        {0, 500, kSps, 24.123456, 121.5, 12.5f, 3.0f, kTime, 0.0},
        {5, 0, kDgps, 24.124, 121.501, 13.25f, 100.0f, kDistanceStamp, 150.25},
        {10, 7, kNoFix, 0.0, 0.0, 0.0f, 0.0f, 0, 0.0},
        {15, 250, kSps, -33.5, -70.25, -5.0f, 62.5f, kTime | kSpeedStamp, 4.0},
        {20, 999, 0, -33.501, -70.251, -5.5f, 61.0f, kMix, 5.5},
    };
    LogImageWriter writer;
    writer.beginSector(kMask);
    for (const PointValues& point : points)
        writer.record(RecordOf(point));
    return writer.image();
}

std::vector<std::uint8_t> RolloverEarlyImage()
{
    LogImageWriter writer;
    writer.beginSector(kUtc);
    TrackRecord record;
    record.utc = static_cast<std::uint32_t>(NowUtcSeconds() - (kWeekRolloverDays + 30) * 86400LL);
    writer.record(record);
    return writer.image();
}
