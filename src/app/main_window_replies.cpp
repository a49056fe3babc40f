// TForm1: the logger's replies and the status poll of the log page.
#include "app/main_window.h"

#include "app/frame_log_page.h"
#include "app/main_window_live_state.h"
#include "link/port_failure.h"
#include "link/status_poll.h"

#include <QTimer>

void TForm1::HandleAck(const IncomingSentence& sentence)
{
    live_->replies.HandleAck(sentence);
}

void TForm1::HandleLoggerReply(const IncomingSentence& sentence)
{
    live_->replies.HandleLoggerReply(sentence);
}

void TForm1::HandleNmeaPeriods(const IncomingSentence& sentence)
{
    live_->replies.HandleNmeaPeriods(sentence);
}

void TForm1::handleModelReply(const IncomingSentence& sentence)
{
    live_->replies.handleModelReply(sentence);
}

void TForm1::attachDownload(DownloadReceiver* download)
{
    live_->replies.attachDownload(download);
}

// A query the port did not take stops the poll, so its error is told once
// rather than every second.
void TForm1::Timer1Timer()
{
    try {
        if (!StatusPollTick(link_, loggerStatus_, Frame41->isVisibleTo(this)))
            Timer1->stop();
    } catch (const PortFailure&) {
        Timer1->stop();
        throw;
    }
}
