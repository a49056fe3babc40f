#include "logger/memory_erase.h"

#include "link/sentences.h"
#include "support/wire_tap.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

namespace {
using Sent = std::vector<std::string>;

struct EraseDialog {
    EraseDialog()
    {
        progress.onEnd = [this] { ++ends; };
        progress.onTimedOut = [this] { endedWhenTimedOut.push_back(ends); };
    }
    int ticksUntilEnd(int limit)
    {
        int ticks = 0;
        while (!progress.ended() && ticks < limit) {
            progress.Timer1Timer();
            ++ticks;
        }
        return ticks;
    }

    DeviceLinkState link;
    EraseProgress progress{link, DialogTimings{}};
    int ends = 0;
    std::vector<int> endedWhenTimedOut; // ends counted each time the time-out was told
};

TEST(EraseProgress, ShowsItsTextsWhenCreated)
{
    EraseDialog dialog;
    EXPECT_EQ(dialog.progress.label1(), "Erasing...");
    EXPECT_EQ(dialog.progress.label2(), "Don't touch any button \nor slide switch!");
    EXPECT_TRUE(dialog.progress.timerEnabled());
    EXPECT_EQ(dialog.progress.gauge().progress(), 0);
}

TEST(EraseProgress, AcknowledgementEndsTheDialogAtTheNextTickWithoutMessage)
{
    EraseDialog dialog;
    dialog.link.Erasing = true;
    EXPECT_EQ(dialog.ticksUntilEnd(40), 40); // two seconds
    EXPECT_FALSE(dialog.progress.ended());

    dialog.link.Erasing = false;
    dialog.progress.Timer1Timer();
    EXPECT_TRUE(dialog.progress.ended());
    EXPECT_FALSE(dialog.progress.timerEnabled());
    EXPECT_EQ(dialog.ends, 1);
    EXPECT_TRUE(dialog.endedWhenTimedOut.empty());
    EXPECT_TRUE(dialog.progress.result().applied());
}

TEST(EraseProgress, NoAcknowledgementFailsOnTheTickAfterFifteenSeconds)
{
    EraseDialog dialog;
    dialog.link.Erasing = true;
    EXPECT_EQ(dialog.ticksUntilEnd(1000), 302);
    EXPECT_EQ(dialog.ends, 1);
    EXPECT_EQ(dialog.endedWhenTimedOut, std::vector<int>{0}); // told while the dialog was still up
    EXPECT_EQ(dialog.progress.result().outcome, SettingsResult::Outcome::EraseFailed);
    EXPECT_EQ(dialog.progress.result().text, "Erasing fail!");
    EXPECT_FALSE(dialog.link.Erasing); // the poll goes on
    EXPECT_FALSE(dialog.progress.acknowledged());
    dialog.progress.Timer1Timer();
    EXPECT_EQ(dialog.endedWhenTimedOut.size(), 1u);
}

TEST(EraseProgress, ALoggerThatHasGoneFailsAtTheNextTick)
{
    EraseDialog dialog;
    dialog.link.Erasing = true;
    EXPECT_EQ(dialog.ticksUntilEnd(40), 40);
    dialog.link.PortLost = true;
    EXPECT_EQ(dialog.ticksUntilEnd(1000), 1);
    EXPECT_EQ(dialog.progress.result().text, "Erasing fail!");
    EXPECT_FALSE(dialog.progress.acknowledged());
    EXPECT_FALSE(dialog.link.Erasing);
}

TEST(EraseProgress, PieFillsInHundredTicksAndStartsAgain)
{
    EraseDialog dialog;
    dialog.link.Erasing = true;
    const struct {
        int ticks;
        int progress;
    } steps[] = {{1, 1}, {99, 100}, {1, 1}, {99, 100}, {50, 50}};
    for (const auto& step : steps) {
        dialog.ticksUntilEnd(step.ticks);
        EXPECT_EQ(dialog.progress.gauge().progress(), step.progress);
    }
}

class MemoryEraseTest : public ::testing::Test {
protected:
    MemoryEraseTest() { link.LastSectorBlank = false; }
    // Stands in for the modal dialog: the logger acknowledges after a few ticks, or never.
    void runDialog(EraseProgress& progress)
    {
        dialogRuns.push_back({link.Erasing, link.LastSectorBlank, sent.sentences()});
        for (int tick = 0; !progress.ended(); ++tick) {
            if (tick == acknowledgeAtTick)
                link.Erasing = false;
            progress.Timer1Timer();
        }
    }

    struct DialogRun {
        bool erasing;
        bool lastSectorBlank;
        Sent sentBefore;
    };

    DeviceLinkState link;
    WireTap sent{link};
    FakeDialogs dialogs;
    int acknowledgeAtTick = 5;
    std::vector<DialogRun> dialogRuns;
    MemoryErase erase{link, dialogs, DialogTimings{}, [this](EraseProgress& p) { runDialog(p); }};
};

TEST_F(MemoryEraseTest, AnsweringNoSendsNothingAndSaysTerminated)
{
    const SettingsResult result = erase.ConfirmErase();
    EXPECT_EQ(dialogs.questions, Sent{"Confirm: This will erase all data,\nare you sre?"});
    EXPECT_EQ(result.outcome, SettingsResult::Outcome::Declined);
    EXPECT_EQ(result.text, "Terminated.");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(sent.sentences().empty());
    EXPECT_TRUE(dialogRuns.empty());
}

TEST_F(MemoryEraseTest, AnsweringYesErasesUnderTheDialog)
{
    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(erase.ConfirmErase().applied());
    ASSERT_EQ(dialogRuns.size(), 1u);
    EXPECT_TRUE(dialogRuns[0].erasing);
    EXPECT_TRUE(dialogRuns[0].lastSectorBlank);
    EXPECT_EQ(dialogRuns[0].sentBefore, Sent{std::string(Sentences::EraseMemory)});
    EXPECT_FALSE(link.Erasing);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MemoryEraseTest, AnEraseNeverAcknowledgedCountsAsNotDone)
{
    dialogs.yesNoAnswers = {true};
    acknowledgeAtTick = -1;
    const SettingsResult result = erase.ConfirmErase();
    EXPECT_EQ(result.outcome, SettingsResult::Outcome::EraseFailed);
    EXPECT_EQ(result.text, "Erasing fail!");
}

TEST_F(MemoryEraseTest, ResetSendsResetThenEraseWithoutAsking)
{
    EXPECT_TRUE(erase.ResetLogger().applied());
    EXPECT_TRUE(dialogs.questions.empty());
    ASSERT_EQ(dialogRuns.size(), 1u);
    EXPECT_EQ(dialogRuns[0].sentBefore,
              (Sent{std::string(Sentences::ResetLogger), std::string(Sentences::EraseMemory)}));
}
} // namespace
