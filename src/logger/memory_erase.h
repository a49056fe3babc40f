// Erasing the logger's memory: the question, the erase and reset commands,
// and the behaviour of the "Erasing Progress" dialog that holds the user
// until the logger acknowledges the erase or the time-out passes.
#pragma once

#include "core/user_dialogs.h"
#include "link/device_link_state.h"
#include "logger/dialog_timings.h"
#include "logger/progress_gauge.h"
#include "logger/settings_result.h"

#include <functional>
#include <string>

// The dialog's behaviour; the widget shows the pie gauge and labels and
// forwards its timer.
class EraseProgress {
public:
    EraseProgress(DeviceLinkState& link, const DialogTimings& timings);

    void Timer1Timer();

    const ProgressGauge& gauge() const { return gauge_; }
    const std::string& label1() const { return label1_; }
    const std::string& label2() const { return label2_; }
    bool timerEnabled() const { return timerEnabled_; }
    bool ended() const { return ended_; }
    // The dialog ended on the logger's acknowledgement, not on the time-out.
    bool acknowledged() const { return ended_ && !timedOut_; }
    // Applied once acknowledged; EraseFailed ("Erasing fail!") once timed out.
    SettingsResult result() const;

    // Told once on a time-out, before onEnd, while the dialog still holds the user.
    std::function<void()> onTimedOut;
    // Ends the modal dialog (OK result); told once.
    std::function<void()> onEnd;

private:
    void FormCreate();
    void end();

    DeviceLinkState& link_;
    DialogTimings timings_;
    int ticks_ = 0;
    bool timedOut_ = false;
    ProgressGauge gauge_;
    std::string label1_;
    std::string label2_;
    bool timerEnabled_ = false;
    bool ended_ = false;
};

class MemoryErase {
public:
    // Shows the dialog modally and returns once it has ended.
    using DialogRunner = std::function<void(EraseProgress&)>;

    MemoryErase(DeviceLinkState& link, UserDialogs& dialogs, const DialogTimings& timings, DialogRunner runDialog);

    // Asks first: Declined ("Terminated."), or what EraseMemory came to.
    SettingsResult ConfirmErase();
    // Applied when the logger acknowledged the erase, else EraseFailed.
    SettingsResult EraseMemory();
    // The reset command, then the erase without asking.
    SettingsResult ResetLogger();

private:
    DeviceLinkState& link_;
    UserDialogs& dialogs_;
    DialogTimings timings_;
    DialogRunner runDialog_;
};
