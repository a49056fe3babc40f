#include "logger/memory_erase.h"

#include "link/sentences.h"

EraseProgress::EraseProgress(DeviceLinkState& link, const DialogTimings& timings) : link_(link), timings_(timings)
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
        end();
        return;
    }
    // A logger that has gone will not acknowledge: no use waiting for it.
    if (link_.PortLost || ticks_++ > timings_.eraseTimeoutTicks) {
        timerEnabled_ = false;
        timedOut_ = true;
        // The status poll waits while Erasing; an acknowledgement arriving
        // later changes nothing.
        link_.Erasing = false;
        if (onTimedOut)
            onTimedOut();
        end();
        return;
    }
    if (gauge_.full())
        gauge_.setProgress(0);
    gauge_.advance();
}

SettingsResult EraseProgress::result() const
{
    if (timedOut_)
        return {SettingsResult::Outcome::EraseFailed, "Erasing fail!"};
    return {};
}

void EraseProgress::end()
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

SettingsResult MemoryErase::ConfirmErase()
{
    if (!dialogs_.confirm("This will erase all data,\nare you sre?"))
        return {SettingsResult::Outcome::Declined, "Terminated."};
    return EraseMemory();
}

SettingsResult MemoryErase::EraseMemory()
{
    SendSentence(link_, Sentences::EraseMemory);
    link_.LastSectorBlank = true;
    link_.Erasing = true;
    EraseProgress progress(link_, timings_);
    runDialog_(progress);
    return progress.result();
}

SettingsResult MemoryErase::ResetLogger()
{
    SendSentence(link_, Sentences::ResetLogger);
    return EraseMemory();
}
