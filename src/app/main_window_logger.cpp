// TForm1: download, erase and the logging buttons of the log page.
#include "app/main_window.h"

#include "app/frame_log_page.h"
#include "app/main_window_live_state.h"
#include "app/result_boxes.h"
#include "export/clock_evidence.h"
#include "link/logger_replies.h"
#include "logger/download_sequence.h"
#include "logger/log_download.h"
#include "logger/logging_switch.h"
#include "logger/memory_erase.h"
#include "logger/widgets/download_dialog.h"
#include "logger/widgets/erase_dialog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QThread>

namespace {
const char* const kImageName = "data.bin";

// The window's own thread hands the replies over from its event loop, which
// runs while the download waits on the logger.
class WindowLine final : public LoggerLine {
public:
    WindowLine(DeviceLinkState& link, LoggerStatus& status, LoggerReplies& replies, const ReceiverClock& clock)
        : link_(link), status_(status), replies_(replies), clock_(clock)
    {
    }
    DeviceLinkState& link() override { return link_; }
    LoggerStatus& status() override { return status_; }
    LoggerReplies& replies() override { return replies_; }
    const ReceiverClock& receiverClock() override { return clock_; }
    void locked(const std::function<void()>& job) override { job(); }
    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) override
    {
        const QDeadlineTimer deadline(timeout);
        while (!condition()) {
            if (deadline.hasExpired() || link_.PortLost)
                return false;
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
            QThread::msleep(1);
        }
        return true;
    }

private:
    DeviceLinkState& link_;
    LoggerStatus& status_;
    LoggerReplies& replies_;
    const ReceiverClock& clock_;
};
} // namespace

void TForm1::connectLoggerHandlers()
{
    onClick(Frame41->SpeedButton1, &TForm1::Frame41SpeedButton1Click);
    onClick(Frame41->SpeedButton2, &TForm1::Frame41SpeedButton2Click);
    onClick(Frame41->SpeedButton3, &TForm1::Frame41SpeedButton3Click);
    onClick(Frame41->SpeedButton4, &TForm1::Frame41SpeedButton4Click);
    onClick(Frame41->Button1, &TForm1::Frame41Button1Click);
}

void TForm1::Frame41SpeedButton1Click()
{
    exclusively([this] { StartLogging(); });
}

void TForm1::Frame41SpeedButton2Click()
{
    exclusively([this] { StopLogging(); });
}

void TForm1::Frame41SpeedButton3Click()
{
    exclusively([this] {
        if (checkConnected())
            DownloadLog();
    });
}

void TForm1::Frame41SpeedButton4Click()
{
    exclusively([this] {
        if (checkConnected())
            ShowSettingsResult(ConfirmErase(), dialogs_);
    });
}

void TForm1::Frame41Button1Click()
{
    exclusively([this] {
        if (checkConnected())
            ResetLogger();
    });
}

bool TForm1::checkConnected()
{
    if (!Connected())
        dialogs_.warning("No connecting.");
    return Connected();
}

void TForm1::StartLogging()
{
    SwitchLoggingOn(link_);
}

void TForm1::StopLogging()
{
    SwitchLoggingOff(link_);
}

void TForm1::DownloadLog()
{
    WindowLine line(link_, loggerStatus_, live_->replies, live_->clock);
    DownloadFront front;
    front.allowReuse = [this](uint32_t reusable) { return allowReuse(reusable); };
    front.follow = [this](LogDownload& download) { showDownload(download); };
    front.decode = [this](const KeptDownload& kept) {
        if (kept.complete)
            keepReceiverClock(kept.path);
        DecodeLogFile(kept.path, kept.dialect);
    };
    // The live view has heard the receiver's clock since the port opened: nothing to wait for.
    const DownloadWaits waits{dialogTimings_.memoryReportWait, dialogTimings_.memoryReportWait,
                              std::chrono::milliseconds(0)};
    DownloadSequence sequence(line, std::move(front), kImageName,
                              {ChunkSilenceLimit(portBaud_), dialogTimings_.downloadTimeout}, waits);
    sequence.run();
    if (!sequence.refusal().empty()) {
        dialogs_.warning(sequence.refusal());
        return;
    }
    if (sequence.download().foundNoData())
        dialogs_.warning(LogDownload::kNoLogData);
    reportUnfinishedDownload(sequence.download());
}

void TForm1::showDownload(LogDownload& download)
{
    download_ = &download;
    TForm2 dialog(download.gauge(), dialogTimings_, this);
    // A download that stopped short by itself has nothing left to show.
    download.onStopped = [&] {
        if (!download.complete())
            dialog.progress().CloseDialog();
    };
    dialog.onTick = [&] {
        download.checkStall();
        dialog.progress().showReused(download.bytesReused(), download.bytesWanted());
    };
    dialog.progress().showNote(DownloadNote(link_.Model, download.untilBlank()));
    if (download.running())
        dialog.exec();
    download.onStopped = nullptr;
    download_ = nullptr;
}

void TForm1::keepReceiverClock(const std::string& imagePath)
{
    if (const std::string failure = WriteClockEvidence(imagePath, live_->clock.reading()); !failure.empty())
        dialogs_.warning("Cannot keep what the receiver's clock said: " + failure);
}

bool TForm1::allowReuse(uint32_t reusable)
{
    if (!reuseAnswer_)
        reuseAnswer_ = dialogs_.confirm("Reuse up to " + std::to_string(reusable) +
                                        " bytes of the earlier download (checked against the logger) and "
                                        "download only the rest?");
    return *reuseAnswer_;
}

void TForm1::reportUnfinishedDownload(const LogDownload& download)
{
    const std::string unfinished = "Download incomplete: " + download.unfinishedText();
    if (!download.failure().empty())
        dialogs_.error(download.failure() + "\n" + unfinished);
    else if (!download.complete())
        dialogs_.warning(unfinished);
}

MemoryErase TForm1::eraser()
{
    return MemoryErase(link_, dialogs_, dialogTimings_, [this](EraseProgress& progress) {
        TForm4 dialog(progress, dialogTimings_, this);
        progress.onTimedOut = [&] { ShowEraseTimeOut(progress.result(), dialogs_); };
        dialog.exec();
    });
}

SettingsResult TForm1::ConfirmErase()
{
    return eraser().ConfirmErase();
}

void TForm1::ResetLogger()
{
    Frame41->Button1->setVisible(false);
    ShowSettingsResult(eraser().ResetLogger(), dialogs_);
}
