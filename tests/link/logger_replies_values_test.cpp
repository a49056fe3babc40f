#include "link/live_replies_support.h"
#include "link/memory_use.h"
#include "link/replies_fakes.h"

#include <gtest/gtest.h>

namespace {
using Calls = std::vector<std::string>;

void Value(ReplyBench& bench, int type, const std::string& text)
{
    bench.replies.HandleLoggerReply(Incoming("$PMTK182,3," + std::to_string(type) + "," + text));
}

TEST(LoggerStatusReply, StatusWordTextsMethodAndResetButton)
{
    struct Case {
        const char* value;
        const char* statusText;
        const char* methodText;
        bool lastSectorBlank;
        bool reset;
        bool loggingOn;
    };
    const Case cases[] = {
        {"0", "Log stopped.", "Overwrite.", false, false, false},
        {"2", "Log started.", "Overwrite.", false, false, true},
        {"6", "Log started.", "Stop.", true, false, true},
        {"3072", "Memory full.", "Overwrite.", false, false, false},
        {"3078", "Memory full.", "Stop.", true, false, true},
        {"1024", "Logger error!!", "Overwrite.", false, true, false},
        {"2048", "Log stopped.", "Overwrite.", false, false, false}, // bit 11 alone means nothing
    };
    for (const auto& c : cases) {
        ReplyBench bench;
        bench.link.LogPageActive = true;
        Value(bench, 7, c.value);
        EXPECT_EQ(bench.status.StatusWord, std::stoi(c.value));
        EXPECT_EQ(bench.status.StatusText, c.statusText) << c.value;
        EXPECT_EQ(bench.status.MethodText, c.methodText) << c.value;
        EXPECT_EQ(bench.link.LastSectorBlank, c.lastSectorBlank) << c.value;
        Calls expected;
        if (c.reset)
            expected.push_back("reset");
        expected.push_back(std::string("status ") + c.statusText + " | " + c.methodText +
                           (c.loggingOn ? " | on" : " | off"));
        EXPECT_EQ(bench.view.calls, expected) << c.value;
    }
}

TEST(LoggerStatusReply, UnreadableStatusShowsLoggerErrorAndKeepsTheRest)
{
    ReplyBench bench;
    bench.link.LogPageActive = true;
    Value(bench, 7, "6");
    bench.view.calls.clear();
    bench.link.LastSectorBlank = false;
    Value(bench, 7, "??");
    EXPECT_EQ(bench.status.StatusWord, 6);
    EXPECT_EQ(bench.status.StatusText, "Logger error!!");
    EXPECT_EQ(bench.status.MethodText, "Stop.");
    EXPECT_FALSE(bench.link.LastSectorBlank);
    EXPECT_EQ(bench.view.calls, Calls{"status Logger error!! | Stop. | on"}); // no Reset offered
}

TEST(LoggerStatusReply, LogPageLeftAloneWhenNotShown)
{
    ReplyBench bench;
    Value(bench, 7, "2");
    Value(bench, 3, "50");
    Value(bench, 8, "1000");
    Value(bench, 10, "1F");
    EXPECT_EQ(bench.status.StatusText, "Log started.");
    EXPECT_EQ(bench.status.TimeInterval, 5);
    EXPECT_EQ(bench.status.RecordCount, 31u);
    EXPECT_TRUE(bench.view.calls.empty());
    // The error button is offered whichever page is shown.
    Value(bench, 7, "1024");
    EXPECT_EQ(bench.view.calls, Calls{"reset"});
}

TEST(LoggerMemoryUsed, FromTheWriteAddressOrTheWholeMemory)
{
    constexpr uint32_t M = 0x200000;
    struct Case {
        const char* name;
        uint32_t address, memorySize;
        int32_t statusWord;
        bool lastSectorBlank;
        int32_t percent;
        uint32_t downloadEnd;
    };
    const Case cases[] = {
        {"stop mode, rounded up", 0x12345, M, 0x4, false, 3, 0x20000},
        {"stop mode, on a sector edge", 0x20000, M, 0x4, false, 6, 0x20000},
        {"stop mode, empty", 0, M, 0x4, false, 0, 0},
        {"stop mode, full", 0x12345, M, 0x4 | 0x400 | 0x800, false, 100, M},
        {"overwrite, last sector written", 0x12345, M, 0, false, 100, M},
        {"overwrite, last sector blank", 0x12345, M, 0, true, 3, 0x20000},
        {"overwrite, wrapped, size unknown", 0x12345, 0, 0, false, 100, 0},
        {"stop full, size unknown", 0x12345, 0, 0x4 | 0x800, false, 100, 0},
        {"1 MiB, last chunk", 0xFFFF1, 0x100000, 0x4, false, 99, 0x100000},
        {"address beyond the memory", 0x300000, M, 0x4, false, 100, M},
    };
    for (const auto& c : cases) {
        const auto used = MemoryInUse({c.memorySize, c.statusWord, c.lastSectorBlank}, c.address).used;
        ASSERT_TRUE(used.has_value()) << c.name;
        EXPECT_EQ(used->percent, c.percent) << c.name;
        EXPECT_EQ(used->downloadEnd, c.downloadEnd) << c.name;
    }
    EXPECT_FALSE(MemoryInUse({0, 0x4, false}, 0x12345).used.has_value());
    EXPECT_FALSE(MemoryInUse({0, 0, true}, 0x12345).used.has_value());
}

TEST(LoggerMemoryUsed, ReplyStoresTheFiguresAndFillsTheGauge)
{
    ReplyBench bench;
    bench.link.MemorySize = 0x200000;
    bench.link.LogPageActive = true;
    Value(bench, 7, "4");
    bench.view.calls.clear();
    Value(bench, 8, "12345");
    EXPECT_EQ(bench.status.PercentUsed, 3);
    EXPECT_EQ(bench.link.DownloadEnd, 0x20000u);
    EXPECT_EQ(bench.view.calls, Calls{"gauge 3"});

    Value(bench, 8, "zz"); // unreadable: nothing changes
    EXPECT_EQ(bench.status.PercentUsed, 3);
    EXPECT_EQ(bench.link.DownloadEnd, 0x20000u);
    EXPECT_EQ(bench.view.calls.size(), 1u);

    bench.link.MemorySize = 0; // size unknown: figures kept
    Value(bench, 8, "30000");
    EXPECT_EQ(bench.status.PercentUsed, 3);
    EXPECT_EQ(bench.link.DownloadEnd, 0x20000u);
}

TEST(LoggerMemoryUsed, DownloadEndCountsAsReportedOnlyForAKnownMemorySize)
{
    ReplyBench bench;
    Value(bench, 7, "0"); // overwrite, last sector written: the whole memory
    Value(bench, 8, "12345");
    EXPECT_FALSE(bench.link.DownloadEndKnown);
    bench.link.MemorySize = 0x200000;
    Value(bench, 8, "12345");
    EXPECT_TRUE(bench.link.DownloadEndKnown);
    EXPECT_EQ(bench.link.DownloadEnd, 0x200000u);
}

TEST(LoggerCriteriaReply, TenthsStoredTruncatedAndShownWhereAsked)
{
    ReplyBench bench;
    bench.link.TimeIntervalRequested = true;
    bench.link.DistanceIntervalRequested = true;
    bench.link.LogPageActive = true;
    Value(bench, 3, "15");
    Value(bench, 4, "0");
    Value(bench, 5, "200");
    Value(bench, 3, "50"); // the time page was filled already
    EXPECT_EQ(bench.status.TimeInterval, 5);
    EXPECT_EQ(bench.status.DistanceInterval, 0);
    EXPECT_EQ(bench.status.SpeedInterval, 20);
    EXPECT_FALSE(bench.link.TimeIntervalRequested);
    EXPECT_FALSE(bench.link.DistanceIntervalRequested);
    const Calls expected = {"criterion time 1",           "label time 1 second (s)", "criterion distance 0",
                            "label distance 0 meter (s)", "label speed 20 km/h",     "label time 5 second (s)"};
    EXPECT_EQ(bench.view.calls, expected);

    Value(bench, 4, "abc"); // unreadable reads as 0
    EXPECT_EQ(bench.status.DistanceInterval, 0);
    Value(bench, 4, "12345x");
    EXPECT_EQ(bench.status.DistanceInterval, 1234);
}

TEST(LoggerFormatReply, BoxesFollowTheMaskWithMillisecondsAndDistanceSwapped)
{
    struct Case {
        const char* mask;
        const char* boxes; // CheckBox1 .. CheckBox20
    };
    const Case cases[] = {
        {"00040000", "00000000000000000001"}, // bit 18: CheckBox20
        {"00080000", "00000000000000000010"}, // bit 19: CheckBox19
        {"0002002F", "11110100000000000100"}, {"FFFFFFFF", "11111111111111111111"},
        {"000a003f", "11111100000000000110"},
    };
    for (const auto& c : cases) {
        ReplyBench bench;
        bench.link.LogFormatRequested = true;
        Value(bench, 2, c.mask);
        EXPECT_EQ(bench.view.calls, Calls{std::string("format ") + c.boxes}) << c.mask;
        EXPECT_FALSE(bench.link.LogFormatRequested);
    }
    ReplyBench bench;
    Value(bench, 2, "0002002F");
    EXPECT_EQ(bench.status.FormatMask, 0x0002002Fu);
    EXPECT_TRUE(bench.view.calls.empty()); // nobody asked
    bench.link.LogFormatRequested = true;
    Value(bench, 2, "xyz"); // unreadable: the boxes show the mask kept
    EXPECT_EQ(bench.status.FormatMask, 0x0002002Fu);
    EXPECT_EQ(bench.view.calls, Calls{"format 11110100000000000100"});
}

TEST(LoggerMethodReply, SetsOverwriteAndTheButtonsOnlyWhenAsked)
{
    ReplyBench bench;
    bench.link.MethodRequested = true;
    Value(bench, 6, "1");
    EXPECT_TRUE(bench.status.Overwrite);
    EXPECT_EQ(bench.view.calls, Calls{"method 01"});
    EXPECT_FALSE(bench.link.MethodRequested);
    Value(bench, 6, "2");
    EXPECT_FALSE(bench.status.Overwrite);
    EXPECT_EQ(bench.view.calls.size(), 1u);
    bench.link.MethodRequested = true;
    Value(bench, 6, "7"); // unknown method: kept
    EXPECT_FALSE(bench.status.Overwrite);
    EXPECT_EQ(bench.view.calls.back(), "method 10");
}

TEST(LoggerFlashReply, TheCapacityByteSetsTheMemorySize)
{
    struct Case {
        const char* identifier;
        uint32_t before, after;
    };
    const Case cases[] = {
        {"C22015C2", 0, 0x200000}, {"C22014", 0, 0x100000},        {"C22016C2", 0x100000, 0x400000},
        {"EF4017", 0, 0x800000},   {"1F4718", 0, 0x1000000},       {"C22010", 0, 0x10000},
        {"EF4019", 0, 0x2000000},  {"EF401A", 0x100000, 0x100000}, {"C2200F", 0x100000, 0x100000},
        {"C2201", 0, 0},           {"", 0x200000, 0x200000},       {"c22015", 0, 0},
        {"C2G015", 0, 0},
    };
    for (const auto& c : cases) {
        ReplyBench bench;
        bench.link.MemorySize = c.before;
        Value(bench, 9, c.identifier);
        EXPECT_EQ(bench.link.MemorySize, c.after) << c.identifier;
    }
}

TEST(LoggerRecordCountReply, HexCountShownAsDecimal)
{
    ReplyBench bench;
    bench.link.LogPageActive = true;
    Value(bench, 10, "0000ABCD");
    EXPECT_EQ(bench.status.RecordCount, 0xABCDu);
    Value(bench, 10, "");
    EXPECT_EQ(bench.status.RecordCount, 0xABCDu);
    Value(bench, 10, "FFFFFFFF");
    EXPECT_EQ(bench.status.RecordCount, 0xFFFFFFFFu);
    EXPECT_EQ(bench.view.calls, (Calls{"count 43981", "count 43981", "count 4294967295"}));
}

TEST(LoggerValueReply, OtherTypesAndRepliesChangeNothing)
{
    ReplyBench bench;
    bench.link.LogPageActive = true;
    bench.link.LogFormatRequested = bench.link.MethodRequested = bench.link.TimeIntervalRequested = true;
    const LoggerStatus before = bench.status;
    for (const char* body : {"$PMTK182,3,1,1", "$PMTK182,3,11,5", "$PMTK182,3,0,5", "$PMTK182,3,,5", "$PMTK182,2,7",
                             "$PMTK182,9,7,1024", "$PMTK182"})
        bench.replies.HandleLoggerReply(Incoming(body));
    EXPECT_TRUE(bench.view.calls.empty());
    EXPECT_EQ(bench.status.StatusText, before.StatusText);
    EXPECT_EQ(bench.status.StatusWord, before.StatusWord);
    EXPECT_TRUE(bench.link.LogFormatRequested && bench.link.MethodRequested && bench.link.TimeIntervalRequested);
}

TEST(LoggerPeriodReport, FillsTheNmeaPageOnceWhenAsked)
{
    ReplyBench bench;
    const std::string report = "$PMTK514,2,1,0,10,1,1,0,0,0,0,0,0,0,0,0,0,0,5,0";
    bench.replies.HandleNmeaPeriods(Incoming(report));
    EXPECT_TRUE(bench.view.calls.empty());
    bench.link.NmeaPeriodsRequested = true;
    bench.replies.HandleNmeaPeriods(Incoming(report));
    EXPECT_EQ(bench.view.calls, Calls{"periods gga10 gll2 gsa1 gsv1 rmc1 vtg0 zda5"});
    EXPECT_FALSE(bench.link.NmeaPeriodsRequested);
    bench.replies.HandleNmeaPeriods(Incoming(report));
    EXPECT_EQ(bench.view.calls.size(), 1u);
}
} // namespace
