// TForm1: download, erase and the logging buttons of the log page.
#include "app/main_window.h"

#include "app/frame_log_page.h"
#include "app/main_window_live_state.h"
#include "export/clock_evidence.h"
#include "link/logger_replies.h"
#include "link/sentences.h"
#include "logger/log_download.h"
#include "logger/logging_switch.h"
#include "logger/memory_erase.h"
#include "logger/model_identity.h"
#include "logger/widgets/download_dialog.h"
#include "logger/widgets/erase_dialog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QThread>

namespace {
const char* const kImageName = "data.bin";
} // namespace

void TForm1::ConnectLoggerHandlers()
{
    OnClick(Frame41->SpeedButton1, &TForm1::Frame41SpeedButton1Click);
    OnClick(Frame41->SpeedButton2, &TForm1::Frame41SpeedButton2Click);
    OnClick(Frame41->SpeedButton3, &TForm1::Frame41SpeedButton3Click);
    OnClick(Frame41->SpeedButton4, &TForm1::Frame41SpeedButton4Click);
    OnClick(Frame41->Button1, &TForm1::Frame41Button1Click);
}

void TForm1::Frame41SpeedButton1Click()
{
    Exclusively([this] { StartLogging(); });
}

void TForm1::Frame41SpeedButton2Click()
{
    Exclusively([this] { StopLogging(); });
}

void TForm1::Frame41SpeedButton3Click()
{
    Exclusively([this] {
        if (CheckConnected())
            DownloadLog();
    });
}

void TForm1::Frame41SpeedButton4Click()
{
    Exclusively([this] {
        if (CheckConnected())
            ConfirmErase();
    });
}

void TForm1::Frame41Button1Click()
{
    Exclusively([this] {
        if (CheckConnected())
            ResetLogger();
    });
}

bool TForm1::CheckConnected()
{
    if (!Connected())
        dialogs_.warning("No connecting.");
    return Connected();
}

void TForm1::StartLogging()
{
    ::StartLogging(link_);
}

void TForm1::StopLogging()
{
    ::StopLogging(link_);
}

void TForm1::DownloadLog()
{
    AwaitLoggerReports();
    if (const std::string refusal = DownloadRefusal(link_); !refusal.empty()) {
        dialogs_.warning(refusal);
        return;
    }
    LogDownload download(link_, kImageName, {ChunkSilenceLimit(portBaud_), dialogTimings.downloadTimeout});
    download.Start(AllowReuse(download), (loggerStatus_.StatusWord & StatusBits::LoggingOn) != 0);
    // Replies are handed over only while an event loop runs, so none is missed
    // between the first request and the dialog.
    AttachDownload(&download);
    download_ = &download;
    {
        TForm2 dialog(download.gauge(), dialogTimings, this);
        // A download that stopped short by itself has nothing left to show.
        download.onStopped = [&] {
            if (!download.complete())
                dialog.progress().CloseDialog();
        };
        dialog.onTick = [&] {
            download.CheckStall();
            dialog.progress().ShowReused(download.bytesReused(), download.bytesWanted());
        };
        dialog.progress().ShowNote(DownloadNote(link_.Model, download.untilBlank()));
        if (download.running())
            dialog.exec();
        download.onStopped = nullptr;
    }
    download.Finish();
    download_ = nullptr;
    AttachDownload(nullptr);
    if (download.complete())
        KeepReceiverClock(download.keptPath());
    if (!download.keptPath().empty())
        DecodeLogFile(download.keptPath(), DialectOfLogger(link_.Model));
    if (download.foundNoData())
        dialogs_.warning(LogDownload::kNoLogData);
    ReportUnfinishedDownload(download);
}

void TForm1::KeepReceiverClock(const std::string& imagePath)
{
    if (const std::string failure = WriteClockEvidence(imagePath, live_->clock.reading()); !failure.empty())
        dialogs_.warning("Cannot keep what the receiver's clock said: " + failure);
}

bool TForm1::AllowReuse(const LogDownload& download)
{
    const uint32_t reusable = download.ReusableBytes();
    if (reusable == 0)
        return false;
    if (!reuseAnswer_)
        reuseAnswer_ = dialogs_.confirm("Reuse up to " + std::to_string(reusable) +
                                        " bytes of the earlier download (checked against the logger) and "
                                        "download only the rest?");
    return *reuseAnswer_;
}

void TForm1::AwaitLoggerReports()
{
    // The model decides the dialect; it is asked once per connection.
    const bool askModel = !link_.ModelAsked;
    if (askModel) {
        SendSentence(link_, Sentences::QueryModel);
        link_.ModelAsked = true;
    }
    // The flash identifier is asked for only at port open; its answer may have been lost.
    if (!link_.DownloadEndKnown && link_.MemorySize == 0)
        SendSentence(link_, Sentences::QueryFlashId);
    const auto heard = [&] {
        return (link_.DownloadEndKnown || link_.QueryRefusals > 0) && (!askModel || link_.Model);
    };
    const QDeadlineTimer deadline(dialogTimings.memoryReportWait);
    while (!heard() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(1);
    }
}

void TForm1::ReportUnfinishedDownload(const LogDownload& download)
{
    const std::string unfinished = "Download incomplete: " + download.unfinishedText();
    if (!download.failure().empty())
        dialogs_.error(download.failure() + "\n" + unfinished);
    else if (!download.complete())
        dialogs_.warning(unfinished);
}

MemoryErase TForm1::Eraser()
{
    return MemoryErase(link_, dialogs_, dialogTimings, [this](EraseProgress& progress) {
        TForm4 dialog(progress, dialogTimings, this);
        dialog.exec();
    });
}

bool TForm1::ConfirmErase()
{
    return Eraser().ConfirmErase();
}

void TForm1::EraseMemory()
{
    Eraser().EraseMemory();
}

void TForm1::ResetLogger()
{
    Frame41->Button1->setVisible(false);
    Eraser().ResetLogger();
}
