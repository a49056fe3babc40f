#include "logger/download_progress.h"

#include <gtest/gtest.h>

namespace {
struct Dialog {
    explicit Dialog(int gaugeMax = 100)
    {
        gauge.setMax(gaugeMax);
        progress.onClose = [this] { ++closes; };
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            progress.Timer1Timer();
    }

    ProgressGauge gauge;
    DownloadProgress progress{gauge, DialogTimings{}};
    int closes = 0;
};

TEST(ProgressGauge, NeverRunsPastItsMaximumAndIgnoresAZeroMaximum)
{
    ProgressGauge gauge;
    gauge.setMax(0);
    EXPECT_EQ(gauge.max(), 100);
    gauge.advance(150);
    EXPECT_EQ(gauge.progress(), 100);
    gauge.setMax(40);
    EXPECT_EQ(gauge.progress(), 40);
    EXPECT_TRUE(gauge.full());
    gauge.setProgress(-3);
    EXPECT_EQ(gauge.progress(), 0);
}

TEST(DownloadProgress, StartsWithEmptyLabelsAndThenTellsOfTheLoggerAndWhatWasReused)
{
    Dialog dialog;
    EXPECT_EQ(dialog.progress.label1(), "");
    dialog.progress.showReused(0, 262144);
    EXPECT_EQ(dialog.progress.label2(), "");
    dialog.progress.showNote("Logger: Holux M-241.");
    dialog.progress.showReused(0, 262144);
    EXPECT_EQ(dialog.progress.label2(), "Logger: Holux M-241.");
    dialog.progress.showReused(131072, 262144);
    EXPECT_EQ(dialog.progress.label2(), "Reused 131072 of 262144 bytes already on disk.");
}

TEST(DownloadProgress, ElapsedTimeHasNoLeadingZeros)
{
    const struct {
        int ticks;
        const char* label;
    } cases[] = {{1, "Time Used:  0:1"}, {59, "Time Used:  0:59"}, {60, "Time Used:  1:0"}, {125, "Time Used:  2:5"}};
    for (const auto& c : cases) {
        Dialog dialog;
        dialog.ticks(c.ticks);
        EXPECT_EQ(dialog.progress.label1(), c.label) << c.ticks << " ticks";
        EXPECT_EQ(dialog.closes, 0);
    }
}

TEST(DownloadProgress, CompletionCountsDownFromFiveAndClosesOnTheTickShowingZero)
{
    Dialog dialog(96);
    dialog.ticks(7);
    dialog.gauge.advance(96);

    for (int shown = 5; shown >= 0; --shown) {
        EXPECT_EQ(dialog.closes, 0);
        dialog.ticks(1);
        dialog.progress.showReused(65536, 6291456); // the countdown stays
        EXPECT_EQ(dialog.progress.label1(), "Time Used:  0:7, downloading completed.");
        EXPECT_EQ(dialog.progress.label2(), "After " + std::to_string(shown) + " seconds, automatically close window.");
    }
    EXPECT_EQ(dialog.closes, 1);
    EXPECT_TRUE(dialog.progress.closed());
    dialog.ticks(3);
    EXPECT_EQ(dialog.closes, 1);
}

TEST(DownloadProgress, CancelAndCloseBoxEndTheDialogOnce)
{
    for (auto close : {&DownloadProgress::button1Click, &DownloadProgress::FormClose}) {
        Dialog dialog;
        (dialog.progress.*close)();
        (dialog.progress.*close)();
        EXPECT_EQ(dialog.closes, 1);
        dialog.ticks(2);
        EXPECT_EQ(dialog.progress.label1(), "");
    }
}
} // namespace
