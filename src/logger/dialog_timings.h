// Every timing of the download and erase dialogs in one place. The program
// runs with the defaults; tests shorten the ticks and the time-outs so that a
// whole dialog runs in moments.
#pragma once

#include <chrono>

struct DialogTimings {
    // "Download Progress": one tick is one second of the elapsed-time label.
    std::chrono::milliseconds downloadTick{1000};
    int closeCountdown = 5; // ticks shown after completion before closing
    // A download ends incomplete after this long without a verified chunk.
    std::chrono::milliseconds downloadTimeout{std::chrono::minutes(16)};
    // How long the download waits for each answer about the logger's memory, and for its model.
    std::chrono::milliseconds memoryReportWait{3000};

    // "Erasing Progress": a 50 ms animation tick and a time-out counted in ticks.
    std::chrono::milliseconds eraseTick{50};
    int eraseTimeoutTicks = 300; // the time-out fires on the tick after these (about 15 s)
};
