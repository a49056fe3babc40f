// The behaviour of the "Download Progress" dialog: elapsed time, completion
// report and the close countdown. The download fills the gauge only when it
// has completed, and gives up on a stalled logger by itself. The dialog widget
// only shows these labels and the gauge, and forwards its timer and buttons.
#pragma once

#include "logger/dialog_timings.h"
#include "logger/progress_gauge.h"

#include <cstdint>
#include <functional>
#include <string>

class DownloadProgress {
public:
    // gauge: the download's gauge, shared with the download that advances it.
    DownloadProgress(ProgressGauge& gauge, const DialogTimings& timings);

    void Timer1Timer();
    void button1Click() { CloseDialog(); }
    void FormClose() { CloseDialog(); }
    void CloseDialog();
    // Says how much of the memory came from the earlier download, until completion.
    void showReused(uint32_t reused, uint32_t total);
    // What the download says of the logger (DownloadNote) until completion,
    // where the reuse text does not stand.
    void showNote(const std::string& note);

    const ProgressGauge& gauge() const { return gauge_; }
    const std::string& label1() const { return label1_; }
    const std::string& label2() const { return label2_; }
    bool closed() const { return closed_; }

    // Ends the modal dialog (always with the cancel result); told once.
    std::function<void()> onClose;

private:
    void FormCreate();
    std::string timeUsed() const;

    ProgressGauge& gauge_;
    DialogTimings timings_;
    int seconds_ = 0;
    int minutes_ = 0;
    int countdown_ = 0;
    std::string label1_;
    std::string label2_;
    bool closed_ = false;
};
