// The state TForm1 keeps for the live page and the logger's replies.
#pragma once

#include "app/logger_reply_screen.h"
#include "app/main_window.h"
#include "link/live_view.h"
#include "link/logger_replies.h"
#include "link/receiver_clock.h"

struct TForm1::LiveState {
    explicit LiveState(TForm1& window) : screen(window), replies(window.link_, window.loggerStatus_, screen) {}

    LiveFix fix;
    SatelliteTable satellites;
    SentenceMemo memo;
    LoggerReplyScreen screen;
    LoggerReplies replies;
    ReceiverClock clock;        // of the open port's receiver
    bool rolloverNoted = false; // the live page said it is a rollover behind
};
