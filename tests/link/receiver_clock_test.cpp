#include "decode/civil_time.h"
#include "link/live_replies_support.h"
#include "link/receiver_clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// The computer's clock in every case: 2026-12-09 10:00:00 UTC, 1024 weeks after 2007-04-25.
const std::int64_t kComputer = SecondsFromCivilTime({2026, 12, 9, 10, 0, 0});

std::string Rmc(const char* time, const char* status, const char* date)
{
    return std::string("$GPRMC,") + time + "," + status + ",4656.8800,N,00726.8440,E,19.44,0.00," + date + ",,,A";
}
} // namespace

TEST(ReceiverClock, WholeRolloversBehindTheComputersClockGiveTheirCount)
{
    const struct {
        const char* name;
        std::vector<std::string> sentences;
        std::optional<int> behind;
    } cases[] = {
        {"exactly 1024 weeks", {Rmc("100000.000", "A", "250407")}, 1},
        {"two rollovers, ZDA's four-digit year", {Rmc("100000.000", "A", ""), "$GPZDA,100000.000,09,09,1987,00,00"}, 2},
        {"a day more behind", {Rmc("100000.000", "A", "240407")}, 1},
        {"a day less behind", {Rmc("100000.000", "A", "260407")}, 1},
        {"a day and a minute off", {Rmc("095900.000", "A", "240407")}, std::nullopt},
        {"a current clock", {Rmc("095958.000", "A", "091226")}, std::nullopt},
        {"ahead of the computer", {Rmc("100000.000", "A", ""), "$GPZDA,100000.000,22,08,2046,00,00"}, std::nullopt},
        {"no fix", {Rmc("100000.000", "V", "250407")}, std::nullopt},
        {"ZDA before any fix", {"$GPZDA,100000.000,25,04,2007,00,00"}, std::nullopt},
        {"no date",
         {Rmc("100000.000", "A", ""), "$GPGGA,100000.000,4656.8800,N,00726.8440,E,1,08,0.9,540,M,,M,,"},
         std::nullopt},
        {"the latest reading counts",
         {Rmc("100000.000", "A", "250407"), Rmc("100001.000", "A", "091226")},
         std::nullopt},
    };
    for (const auto& c : cases) {
        ReceiverClock clock;
        for (const std::string& text : c.sentences)
            clock.observe(Incoming(text), kComputer);
        const auto behind = clock.reading() ? RolloversBehind(*clock.reading()) : std::nullopt;
        EXPECT_EQ(behind, c.behind) << c.name;
        EXPECT_TRUE(clock.heard()) << c.name;
    }
}
