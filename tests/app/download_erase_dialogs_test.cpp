// The download and erase dialogs as widgets: what they show and how they end.
#include "logger/widgets/download_dialog.h"
#include "logger/widgets/erase_dialog.h"
#include "logger/widgets/pie_gauge.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
using namespace std::chrono_literals;

DialogTimings FastTimings()
{
    DialogTimings timings;
    timings.downloadTick = 5ms;
    timings.eraseTick = 5ms;
    timings.eraseTimeoutTicks = 20;
    return timings;
}

TEST(DownloadDialog, GaugeShowsEveryStepOfTheDownload)
{
    ProgressGauge gauge;
    TForm2 dialog(gauge, FastTimings());
    EXPECT_EQ(dialog.windowTitle(), "Download Progress");
    EXPECT_EQ(dialog.Button1->text(), "Cancel");
    gauge.setMax(64);
    gauge.advance(16);
    EXPECT_EQ(dialog.CGauge1->maximum(), 64);
    EXPECT_EQ(dialog.CGauge1->value(), 16);
    EXPECT_EQ(dialog.CGauge1->text(), "25%");
}

TEST(DownloadDialog, FullGaugeCountsDownAndClosesWithTheCancelResult)
{
    ProgressGauge gauge;
    TForm2 dialog(gauge, FastTimings());
    int ticks = 0;
    dialog.onTick = [&] {
        if (++ticks == 3)
            gauge.fill();
    };
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_EQ(ticks, 8); // two counting, then the countdown 5 .. 0
    EXPECT_EQ(dialog.Label1->text(), "Time Used:  0:2, downloading completed.");
    EXPECT_EQ(dialog.Label2->text(), "After 0 seconds, automatically close window.");
}

TEST(DownloadDialog, CloseBoxAndCancelEndTheDialog)
{
    for (bool viaCloseBox : {true, false}) {
        ProgressGauge gauge;
        TForm2 dialog(gauge, DialogTimings{});
        QTimer::singleShot(0, &dialog, [&] { viaCloseBox ? void(dialog.close()) : dialog.Button1->click(); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_TRUE(dialog.progress().closed());
    }
}

TEST(EraseDialog, CannotBeClosedAndEndsAtTheTickAfterTheAcknowledgement)
{
    DeviceLinkState link;
    link.Erasing = true;
    EraseProgress progress(link, FastTimings());
    TForm4 dialog(progress, FastTimings());
    EXPECT_EQ(dialog.windowTitle(), "Erasing Progress");
    EXPECT_EQ(dialog.CGauge1->size(), QSize(57, 57));
    EXPECT_EQ(dialog.Label1->text(), "Erasing...");

    // At the end of the first tick: the close is refused, and the
    // acknowledgement arrives long before the time-out.
    QObject::connect(dialog.Timer1, &QTimer::timeout, &dialog, [&] {
        if (!link.Erasing)
            return;
        dialog.close();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_GT(dialog.CGauge1->value(), 0);
        link.Erasing = false;
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(progress.result().applied());
}

} // namespace
