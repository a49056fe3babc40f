#include "geotag/track_position.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr std::int64_t kStart = 1209904200000; // 2008-05-04T12:30:00Z
constexpr std::int64_t kGap = 60000;

// Two fixes 20 s apart, a 5-minute hole, two more across the 180th meridian
// (the last without a height).
const std::vector<TrackPoint> kTrack = {
    {kStart, 52.0, 13.0, 100.0},
    {kStart + 20000, 52.2, 13.4, 120.0},
    {kStart + 320000, -10.0, 179.9, 10.0},
    {kStart + 330000, -10.2, -179.9, std::nullopt},
};

TEST(PlaceAt, InterpolatesBetweenFixesAndKeepsToTheGapAndTheEnds)
{
    struct Case {
        const char* what;
        std::int64_t time;
        std::optional<TrackPlace> place;
        std::optional<NoPlace> noPlace;
    };
    const Case cases[] = {
        {"on the first fix", kStart, TrackPlace{52.0, 13.0, 100.0}, {}},
        {"a quarter of the way", kStart + 5000, TrackPlace{52.05, 13.1, 105.0}, {}},
        {"on a later fix", kStart + 20000, TrackPlace{52.2, 13.4, 120.0}, {}},
        {"in the hole, the gap from the fix before", kStart + 80000, TrackPlace{39.76, 46.7, 98.0}, {}},
        {"in the hole, a millisecond past the gap", kStart + 80001, {}, NoPlace::Gap},
        {"in the middle of the hole", kStart + 170000, {}, NoPlace::Gap},
        {"in the hole, the gap before the next fix", kStart + 260000, TrackPlace{2.44, 146.6, 32.0}, {}},
        {"across the meridian, no height at one end", kStart + 325000, TrackPlace{-10.1, 180.0, std::nullopt}, {}},
        {"past the meridian", kStart + 327500, TrackPlace{-10.15, -179.95, std::nullopt}, {}},
        {"before the track", kStart - 1, {}, NoPlace::OutsideTrack},
        {"after the track", kStart + 330001, {}, NoPlace::OutsideTrack},
    };
    for (const Case& c : cases) {
        const auto result = PlaceAt(kTrack, c.time, kGap);
        if (c.noPlace) {
            ASSERT_TRUE(std::holds_alternative<NoPlace>(result)) << c.what;
            EXPECT_EQ(std::get<NoPlace>(result), *c.noPlace) << c.what;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<TrackPlace>(result)) << c.what;
        const TrackPlace& place = std::get<TrackPlace>(result);
        EXPECT_NEAR(place.latitude, c.place->latitude, 1e-9) << c.what;
        // 180 and -180 are the same meridian.
        EXPECT_NEAR(std::remainder(place.longitude - c.place->longitude, 360.0), 0.0, 1e-9) << c.what;
        EXPECT_EQ(place.height.has_value(), c.place->height.has_value()) << c.what;
        if (place.height && c.place->height) {
            EXPECT_NEAR(*place.height, *c.place->height, 1e-9) << c.what;
        }
    }
    EXPECT_EQ(std::get<NoPlace>(PlaceAt({}, kStart, kGap)), NoPlace::OutsideTrack);
}

TEST(MergeTracks, OrdersByTimeAndKeepsTheFirstOfEqualMoments)
{
    const auto merged = MergeTracks(
        {{{kStart + 2000, 1, 1, {}}, {kStart, 2, 2, {}}}, {{kStart + 1000, 3, 3, {}}, {kStart + 2000, 4, 4, {}}}});
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].latitude, 2);
    EXPECT_EQ(merged[1].latitude, 3);
    EXPECT_EQ(merged[2].latitude, 1);
}
} // namespace
