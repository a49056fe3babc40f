// Every timing of the download and erase dialogs in one place. The program
// runs with the defaults; tests shorten the ticks (and the time-outs counted
// in ticks) so that a whole dialog runs in moments.
#pragma once

#include <chrono>

struct DialogTimings {
    // "Download Progress": one tick is one second of the elapsed-time label.
    std::chrono::milliseconds downloadTick{1000};
    int downloadTimeoutTicks = 16 * 60;  // the gauge is forced full after 16 minutes
    int closeCountdown = 5;              // ticks shown after completion before closing

    // "Erasing Progress": a 50 ms animation tick and a time-out counted in ticks.
    std::chrono::milliseconds eraseTick{50};
    int eraseTimeoutTicks = 300;  // the time-out fires on the tick after these (about 15 s)
};
