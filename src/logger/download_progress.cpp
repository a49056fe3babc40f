#include "logger/download_progress.h"

DownloadProgress::DownloadProgress(ProgressGauge& gauge, const DialogTimings& timings)
    : gauge_(gauge), timings_(timings)
{
    FormCreate();
}

void DownloadProgress::FormCreate()
{
    seconds_ = 0;
    minutes_ = 0;
    countdown_ = timings_.closeCountdown;
    label1_.clear();
    label2_.clear();
}

void DownloadProgress::Timer1Timer()
{
    if (closed_)
        return;
    if (gauge_.full()) {
        label1_ = timeUsed() + ", downloading completed.";
        label2_ = "After " + std::to_string(countdown_) + " seconds, automatically close window.";
        if (countdown_-- <= 0)
            CloseDialog();
        return;
    }
    if (++seconds_ == 60) {
        seconds_ = 0;
        ++minutes_;
    }
    label1_ = timeUsed();
}

void DownloadProgress::CloseDialog()
{
    if (closed_)
        return;
    closed_ = true;
    if (onClose)
        onClose();
}

void DownloadProgress::showReused(uint32_t reused, uint32_t total)
{
    if (reused != 0 && !gauge_.full())
        label2_ = "Reused " + std::to_string(reused) + " of " + std::to_string(total) + " bytes already on disk.";
}

void DownloadProgress::showNote(const std::string& note)
{
    if (!gauge_.full())
        label2_ = note;
}

std::string DownloadProgress::timeUsed() const
{
    return "Time Used:  " + std::to_string(minutes_) + ":" + std::to_string(seconds_);
}
