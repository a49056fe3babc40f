// TForm1: download, erase and the logging buttons of the log page.
#include "app/main_window.h"

#include "app/frame_log_page.h"
#include "app/frame_port_page.h"
#include "logger/log_download.h"
#include "logger/logging_switch.h"
#include "logger/memory_erase.h"
#include "logger/widgets/download_dialog.h"
#include "logger/widgets/erase_dialog.h"

#include <QComboBox>
#include <QPushButton>

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
    StartLogging();
}

void TForm1::Frame41SpeedButton2Click()
{
    StopLogging();
}

void TForm1::Frame41SpeedButton3Click()
{
    DownloadLog();
}

void TForm1::Frame41SpeedButton4Click()
{
    ConfirmErase();
}

void TForm1::Frame41Button1Click()
{
    ResetLogger();
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
    const int baud = Frame71->ComboBox2->currentText().toInt();
    LogDownload download(link_, kImageName, ChunkSilenceLimit(baud));
    download.Start();
    // Replies are handed over only while an event loop runs, so none is missed
    // between the first request and the dialog.
    AttachDownload(&download);
    {
        TForm2 dialog(download.gauge(), dialogTimings, this);
        // A download that failed has nothing left to show.
        download.onStopped = [&] {
            if (!download.failure().empty())
                dialog.progress().CloseDialog();
        };
        dialog.onTick = [&] { download.CheckSilence(); };
        dialog.exec();
        download.onStopped = nullptr;
    }
    download.Cancel();
    AttachDownload(nullptr);
    DecodeLogFile(kImageName);
    ReportUnfinishedDownload(download);
}

void TForm1::ReportUnfinishedDownload(const LogDownload& download)
{
    if (!download.failure().empty()) {
        dialogs_.error(download.failure());
        return;
    }
    // Without a known amount to fetch there is nothing to fall short of.
    if (download.complete() || download.bytesWanted() == 0)
        return;
    dialogs_.warning("Download incomplete: " + std::to_string(download.bytesSaved()) + " of " +
                     std::to_string(download.bytesWanted()) + " bytes are in " + kImageName + ".");
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
