// Erasing the logger's memory: the question, the erase and reset commands,
// and the behaviour of the "Erasing Progress" dialog that holds the user
// until the logger acknowledges the erase or the time-out passes.
#pragma once

#include "core/user_dialogs.h"
#include "link/device_link_state.h"
#include "logger/dialog_timings.h"
#include "logger/progress_gauge.h"

#include <functional>
#include <string>

// The dialog's behaviour; the widget shows the pie gauge and labels and
// forwards its timer.
class EraseProgress {
public:
    EraseProgress(DeviceLinkState& link, UserDialogs& dialogs, const DialogTimings& timings);

    void Timer1Timer();

    const ProgressGauge& gauge() const { return gauge_; }
    const std::string& label1() const { return label1_; }
    const std::string& label2() const { return label2_; }
    bool timerEnabled() const { return timerEnabled_; }
    bool ended() const { return ended_; }
    // The dialog ended on the logger's acknowledgement, not on the time-out.
    bool acknowledged() const { return ended_ && !timedOut_; }

    // Ends the modal dialog (OK result); told once.
    std::function<void()> onEnd;

private:
    void FormCreate();
    void End();

    DeviceLinkState& link_;
    UserDialogs& dialogs_;
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

    // Asks first; true when the user agreed and the logger acknowledged the erase.
    bool ConfirmErase();
    // True when the logger acknowledged the erase.
    bool EraseMemory();
    // The reset command, then the erase without asking.
    void ResetLogger();

private:
    DeviceLinkState& link_;
    UserDialogs& dialogs_;
    DialogTimings timings_;
    DialogRunner runDialog_;
};
