#include "geotag/photo_clock.h"

#include "export/iso_time.h"
#include "support/environment_guard.h"

#include <gtest/gtest.h>

namespace {
std::int64_t Utc(const char* text)
{
    return ParseIsoTime(text).value();
}

PhotoClock Clock(const char* exifTime, int milliseconds = 0, std::optional<int> offset = {})
{
    return {ParseExifDateTime(exifTime).value(), milliseconds, offset};
}

TEST(PhotoUtc, TakesThePhotosZoneThenTheUsersThenTheComputersRulesForThatDate)
{
    struct Case {
        const char* what;
        const char* tz; // the computer's zone
        PhotoClock clock;
        std::optional<int> zone; // --zone
        std::int64_t correction; // --offset
        const char* utc;
    };
    const Case cases[] = {
        {"the photo's own zone wins", "Europe/Berlin", Clock("2008:05:04 14:30:15", 0, -5 * 3600), 3600, 0,
         "2008-05-04T19:30:15Z"},
        {"the user's zone", "Europe/Berlin", Clock("2008:05:04 14:30:15"), -(5 * 3600 + 1800), 0,
         "2008-05-04T20:00:15Z"},
        {"Berlin in winter", "Europe/Berlin", Clock("2008:01:04 14:30:15"), {}, 0, "2008-01-04T13:30:15Z"},
        {"Berlin in summer", "Europe/Berlin", Clock("2008:07:04 14:30:15"), {}, 0, "2008-07-04T12:30:15Z"},
        {"the last second before summer time",
         "Europe/Berlin",
         Clock("2008:03:30 01:59:59"),
         {},
         0,
         "2008-03-30T00:59:59Z"},
        {"the first hour of summer time", "Europe/Berlin", Clock("2008:03:30 03:00:00"), {}, 0, "2008-03-30T01:00:00Z"},
        {"after summer time ends", "Europe/Berlin", Clock("2008:10:26 03:00:00"), {}, 0, "2008-10-26T02:00:00Z"},
        {"New York in summer", "America/New_York", Clock("2008:07:04 08:30:15"), {}, 0, "2008-07-04T12:30:15Z"},
        {"sub-seconds", "UTC", Clock("2008:05:04 12:30:15", 250), {}, 0, "2008-05-04T12:30:15.250Z"},
        {"a camera 90 s slow", "UTC", Clock("2008:05:04 12:28:45"), {}, 90000, "2008-05-04T12:30:15Z"},
        {"a camera an hour fast, over midnight",
         "UTC",
         Clock("2008:05:05 00:10:00"),
         {},
         -3600000,
         "2008-05-04T23:10:00Z"},
    };
    for (const Case& c : cases) {
        const EnvironmentGuard tz("TZ", c.tz);
        const ClockSettings settings{c.zone, c.correction};
        EXPECT_EQ(IsoTimeText(PhotoUtcMilliseconds(c.clock, settings)), IsoTimeText(Utc(c.utc))) << c.what;
    }
}

TEST(PhotoUtc, SyncFindsTheCorrectionFromAPhotoOfAClock)
{
    const EnvironmentGuard tz("TZ", "Europe/Berlin");
    // The camera showed 14:31:00 local (12:31:00 UTC) when the clock showed 12:30:15 UTC.
    const std::int64_t correction =
        SyncCorrectionMilliseconds(Clock("2008:05:04 14:31:00"), Utc("2008-05-04T12:30:15Z"), {{}, 5000});
    EXPECT_EQ(correction, -45000);
    EXPECT_EQ(PhotoUtcMilliseconds(Clock("2008:05:04 15:00:45"), {{}, correction}), Utc("2008-05-04T13:00:00Z"));
}

TEST(PhotoClockTexts, ReadTheExifFormsAndTheCommandLinesAndNothingElse)
{
    EXPECT_EQ(SecondsFromCivilTime(ParseExifDateTime("2008:05:04 12:30:15").value()),
              Utc("2008-05-04T12:30:15Z") / 1000);
    EXPECT_TRUE(ParseExifDateTime(std::string_view("2008:05:04 12:30:15\0", 20)));
    for (const char* bad : {"0000:00:00 00:00:00", "    :  :     :  :  ", "2008-05-04 12:30:15", "2008:13:04 12:30:15",
                            "2008:05:04 12:30", ""})
        EXPECT_FALSE(ParseExifDateTime(bad)) << bad;

    EXPECT_EQ(SubSecondMilliseconds("5"), 500);
    EXPECT_EQ(SubSecondMilliseconds("05"), 50);
    EXPECT_EQ(SubSecondMilliseconds("1234"), 123);
    EXPECT_EQ(SubSecondMilliseconds(""), 0);

    struct Zone {
        const char* text;
        std::optional<int> seconds;
    };
    for (const Zone& z : {Zone{"+02:00", 7200}, Zone{"-05:30", -19800}, Zone{"+0200", 7200}, Zone{"Z", 0},
                          Zone{"02:00", {}}, Zone{"+2:00", {}}, Zone{"+15:00", {}}, Zone{"+02:60", {}}})
        EXPECT_EQ(ParseZoneOffset(z.text), z.seconds) << z.text;
    EXPECT_EQ(ZoneOffsetText(-19800), "-05:30");
    EXPECT_EQ(ZoneOffsetText(7200), "+02:00");

    struct Correction {
        const char* text;
        std::optional<std::int64_t> milliseconds;
    };
    for (const Correction& c : {Correction{"+01:30", 90000}, Correction{"-1:00:05", -3605000},
                                Correction{"00:10", 10000}, Correction{"+1:60", {}}, Correction{"+90", {}},
                                Correction{"+1:2:3:4", {}}, Correction{"+:30", {}}, Correction{"", {}}})
        EXPECT_EQ(ParseClockCorrection(c.text), c.milliseconds) << c.text;
}
} // namespace
