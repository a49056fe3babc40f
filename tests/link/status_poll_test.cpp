#include "link/status_poll.h"

#include "support/wire_tap.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// The port replaced by a pipe: what the poll sends is read back from its other end.
class StatusPollTest : public ::testing::Test {
protected:
    void SetUp() override { link.MemorySize = 0x200000; }
    std::string sent() { return wire.take(); }

    DeviceLinkState link;
    LoggerStatus status;
    WireTap wire{link};
};

TEST_F(StatusPollTest, SendsTheThreeQueriesInOrderWhileTheLogPageShows)
{
    link.LogPageActive = true;
    EXPECT_TRUE(StatusPollTick(link, status, true));
    EXPECT_EQ(sent(), "$PMTK182,2,7*3C\r\n$PMTK182,2,8*33\r\n$PMTK182,2,10*0A\r\n");
    EXPECT_TRUE(link.LogPageActive);
}

TEST_F(StatusPollTest, ProbesTheLastSectorWhileItIsThoughtBlank)
{
    link.LastSectorBlank = true;
    EXPECT_TRUE(StatusPollTick(link, status, true));
    EXPECT_EQ(sent(), "$PMTK182,2,7*3C\r\n$PMTK182,2,8*33\r\n$PMTK182,2,10*0A\r\n$PMTK182,7,001F0000,2*67\r\n");
    // Before the flash size is known there is no last sector to read.
    link.MemorySize = 0;
    EXPECT_TRUE(StatusPollTick(link, status, true));
    EXPECT_EQ(sent(), "$PMTK182,2,7*3C\r\n$PMTK182,2,8*33\r\n$PMTK182,2,10*0A\r\n");
}

TEST_F(StatusPollTest, PausedDuringADownloadOrAnErase)
{
    link.LogPageActive = true;
    link.Downloading = true;
    EXPECT_TRUE(StatusPollTick(link, status, true));
    EXPECT_TRUE(StatusPollTick(link, status, false));
    link.Downloading = false;
    link.Erasing = true;
    EXPECT_TRUE(StatusPollTick(link, status, false));
    EXPECT_EQ(sent(), "");
    EXPECT_TRUE(link.LogPageActive);
}

TEST_F(StatusPollTest, LeavingTheLogPageStopsThePollUntilItIsOpenedAgain)
{
    link.LogPageActive = true;
    link.LastSectorBlank = true;
    EXPECT_FALSE(StatusPollTick(link, status, false));
    EXPECT_FALSE(link.LogPageActive);
    EXPECT_EQ(sent(), "");
    link.LogPageActive = true;
    EXPECT_TRUE(StatusPollTick(link, status, true));
    EXPECT_NE(sent().find("$PMTK182,2,7*3C\r\n"), std::string::npos);
}
} // namespace
