#include "link/live_replies_support.h"
#include "link/replies_fakes.h"

#include <gtest/gtest.h>

namespace {
// Besides, a query the logger does not support is counted: one of its memory
// use leaves a download nothing but reading until a blank chunk.
TEST(LoggerAck, OnlySuccessfulEraseAndReadAcknowledgementsAct)
{
    struct Case {
        const char* body;
        bool downloading;
        bool erasingAfter;
        int nextChunkCalls;
        int refusals = 0;
    };
    const Case cases[] = {
        {"$PMTK001,182,6,3", false, false, 0},   {"$PMTK001,182,6,2", false, true, 0},
        {"$PMTK001,182,6,0", false, true, 0},    {"$PMTK001,182,6,1", false, true, 0},
        {"$PMTK001,182,7,3", true, true, 1},     {"$PMTK001,182,7,2", true, true, 0},
        {"$PMTK001,182,7,3", false, true, 0}, // the probe's acknowledgement
        {"$PMTK001,182,4,3", true, true, 0},     {"$PMTK001,314,3", false, true, 0},
        {"$PMTK001,181,6,3", false, true, 0},    {"$PMTK001", true, true, 0},
        {"$PMTK001,182,1", false, true, 0, 1}, // an M-241 Plus's answer to the status query
        {"$PMTK001,182,2,1", false, true, 0, 1}, {"$PMTK001,182,2,3", false, true, 0},
        {"$PMTK001,182,2,0", false, true, 0},    {"$PMTK001,182,3", false, true, 0},
        {"$PMTK001,314,1", false, true, 0},
    };
    for (const auto& c : cases) {
        ReplyBench bench;
        bench.link.Erasing = true;
        bench.link.Downloading = c.downloading;
        bench.replies.HandleAck(Incoming(c.body));
        EXPECT_EQ(bench.link.Erasing, c.erasingAfter) << c.body;
        EXPECT_EQ(bench.download.nextChunkCalls, c.nextChunkCalls) << c.body;
        EXPECT_EQ(bench.link.QueryRefusals, c.refusals) << c.body;
        EXPECT_TRUE(bench.view.calls.empty());
    }
}

TEST(LoggerMemoryData, FeedsTheDownloadWhileOneRuns)
{
    ReplyBench bench;
    bench.link.Downloading = true;
    bench.link.LastSectorBlank = true;
    bench.replies.HandleLoggerReply(Incoming("$PMTK182,8,00000000,0A0B"));
    bench.replies.HandleLoggerReply(Incoming("$PMTK182,8,00000800,FFFF"));
    EXPECT_EQ(bench.download.memoryData, (std::vector<std::string>{"0A0B", "FFFF"}));
    EXPECT_TRUE(bench.link.LastSectorBlank);
}

TEST(LoggerMemoryData, DroppedWhenNoDownloadIsAttached)
{
    ReplyBench bench;
    bench.replies.attachDownload(nullptr);
    bench.link.Downloading = true;
    bench.link.LastSectorBlank = true;
    bench.replies.HandleLoggerReply(Incoming("$PMTK182,8,00000000,0A0B"));
    bench.replies.HandleAck(Incoming("$PMTK001,182,7,3"));
    EXPECT_TRUE(bench.download.memoryData.empty());
    EXPECT_EQ(bench.download.nextChunkCalls, 0);
    EXPECT_TRUE(bench.link.LastSectorBlank);
}

TEST(LoggerMemoryData, OutsideADownloadOnlyTheLastSectorProbeCounts)
{
    struct Case {
        std::string reply;
        bool blankBefore;
        bool blankAfter;
    };
    const Case cases[] = {
        {"001F0000,FFFF", true, true},
        {"001F0000,FFFE", true, false},
        {"001F0000,ffff", true, false},
        {"001F0000,0000", false, false},
        {"001F0000,FFFF", false, false},
        // The rest of a cancelled download's chunk, or another read: not the probe.
        {"001F0000,", true, true},
        {"001F0000,FFFFFF", true, true},
        {"001F0000," + std::string(4096, '0'), true, true},
        {"00030000,0000", true, true},
        {"000F0000,0000", true, true},
        {"zz,0000", true, true},
    };
    for (const auto& c : cases) {
        ReplyBench bench;
        bench.link.MemorySize = 0x200000;
        bench.link.LastSectorBlank = c.blankBefore;
        bench.replies.HandleLoggerReply(Incoming("$PMTK182,8," + c.reply));
        EXPECT_EQ(bench.link.LastSectorBlank, c.blankAfter) << c.reply;
        EXPECT_TRUE(bench.download.memoryData.empty());
    }
}
} // namespace
