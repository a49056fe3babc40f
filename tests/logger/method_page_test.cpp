#include "core/app_error.h"
#include "link/sentences.h"
#include "logger/method_page.h"
#include "logger/pages_fakes.h"

#include <gtest/gtest.h>

namespace {
struct MethodPage : ::testing::Test {
    DeviceLinkState link;
    WireTap wire{link};
    FakeMethodPage page;
    LoggerStatus status;
    std::function<void()> probe = [this] { SendSentence(link, Sentences::LastSectorProbe(0x200000)); };
};

TEST_F(MethodPage, OverwriteSendsTheMethodThenProbesTheLastSector)
{
    const SettingsResult result = ChooseOverwriteMethod(page, status, link, probe);
    EXPECT_EQ(wire.take(), "$PMTK182,1,6,1*23\r\n" + AppendChecksum("$PMTK182,7,001F0000,2*"));
    EXPECT_FALSE(page.overwriteClickable);
    EXPECT_TRUE(page.stopClickable);
    EXPECT_EQ(result.outcome, SettingsResult::Outcome::Applied);
    EXPECT_EQ(result.text, "'Overwrite' is set.");
}

TEST_F(MethodPage, StopSendsTheMethodWithoutAProbe)
{
    const SettingsResult result = ChooseStopMethod(page, status, link);
    EXPECT_EQ(wire.take(), "$PMTK182,1,6,2*20\r\n");
    EXPECT_TRUE(page.overwriteClickable);
    EXPECT_FALSE(page.stopClickable);
    EXPECT_EQ(result.outcome, SettingsResult::Outcome::Applied);
    EXPECT_EQ(result.text, "'Stop' is set.");
}

TEST_F(MethodPage, WithoutAPortTheButtonsAndMessageStillChange)
{
    link.PortHandle = DeviceLinkState::kNoPort;
    const SettingsResult result = ChooseStopMethod(page, status, link);
    EXPECT_TRUE(page.overwriteClickable);
    EXPECT_EQ(result.text, "'Stop' is set.");
}

TEST_F(MethodPage, FullMemoryRefusesBothButtonsAndChangesNothing)
{
    status.PercentUsed = 100;
    int probes = 0;
    EXPECT_THROW(
        {
            try {
                ChooseOverwriteMethod(page, status, link, [&] { ++probes; });
            } catch (const AppError& error) {
                EXPECT_STREQ(error.what(), "Memory was full and access denied.");
                throw;
            }
        },
        AppError);
    EXPECT_THROW(ChooseStopMethod(page, status, link), AppError);
    EXPECT_EQ(probes, 0);
    EXPECT_EQ(wire.take(), "");
    EXPECT_FALSE(page.overwriteClickable || page.stopClickable);
}

TEST_F(MethodPage, MemoryIsFullOnlyAtOneHundredPercent)
{
    status.PercentUsed = 99;
    EXPECT_FALSE(MemoryFull(status));
    status.PercentUsed = 100;
    EXPECT_TRUE(MemoryFull(status));
}

TEST_F(MethodPage, MethodReplyShowsTheCurrentMethodSelected)
{
    ShowRecordingMethod(page, true);
    EXPECT_FALSE(page.overwriteClickable);
    EXPECT_TRUE(page.stopClickable);
    ShowRecordingMethod(page, false);
    EXPECT_TRUE(page.overwriteClickable);
    EXPECT_FALSE(page.stopClickable);
}
} // namespace
