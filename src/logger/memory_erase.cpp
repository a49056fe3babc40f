#include "logger/memory_erase.h"

#include "link/sentences.h"

EraseProgress::EraseProgress(DeviceLinkState& link, UserDialogs& dialogs, const DialogTimings& timings)
    : link_(link), dialogs_(dialogs), timings_(timings)
{
    FormCreate();
}

void EraseProgress::FormCreate()
{
    ticks_ = 0;
    label1_ = "Erasing...";
    label2_ = "Don't touch any button \nor slide switch!";
    timerEnabled_ = true;
}

void EraseProgress::Timer1Timer()
{
    if (!timerEnabled_)
        return;
    if (!link_.Erasing) {
        timerEnabled_ = false;
        End();
        return;
    }
    // A logger that has gone will not acknowledge: no use waiting for it.
    if (link_.PortLost || ticks_++ > timings_.eraseTimeoutTicks) {
        timerEnabled_ = false;
        timedOut_ = true;
        // The status poll waits while Erasing; an acknowledgement arriving
        // later changes nothing.
        link_.Erasing = false;
        dialogs_.error("Erasing fail!");
        End();
        return;
    }
    if (gauge_.full())
        gauge_.setProgress(0);
    gauge_.advance();
}

void EraseProgress::End()
{
    ended_ = true;
    if (onEnd)
        onEnd();
}

MemoryErase::MemoryErase(DeviceLinkState& link, UserDialogs& dialogs, const DialogTimings& timings,
                         DialogRunner runDialog)
    : link_(link), dialogs_(dialogs), timings_(timings), runDialog_(std::move(runDialog))
{
}

bool MemoryErase::ConfirmErase()
{
    if (!dialogs_.confirm("This will erase all data,\nare you sre?")) {
        dialogs_.plain("Terminated.");
        return false;
    }
    return EraseMemory();
}

bool MemoryErase::EraseMemory()
{
    SendSentence(link_, Sentences::EraseMemory);
    link_.LastSectorBlank = true;
    link_.Erasing = true;
    EraseProgress progress(link_, dialogs_, timings_);
    runDialog_(progress);
    return progress.acknowledged();
}

void MemoryErase::ResetLogger()
{
    SendSentence(link_, Sentences::ResetLogger);
    EraseMemory();
}
