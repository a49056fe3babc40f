// The receiver's own clock, as its RMC and ZDA sentences give it, compared
// with the computer's. A receiver that counts GPS weeks from before a
// week-number rollover dates its fixes a whole number of 1024-week periods
// early, and says so in every sentence it sends with a date.
#pragma once

#include "link/incoming_sentence.h"

#include <cstdint>
#include <optional>

// What the receiver's clock said and what the computer's said at the same moment, in seconds from 1970 (UTC).
struct ClockReading {
    std::int64_t receiverUtc = 0;
    std::int64_t computerUtc = 0;
};

// The number of 1024-week periods (give or take a day) by which the receiver
// is behind; nothing when it is not behind by such a period.
std::optional<int> RolloversBehind(const ClockReading& reading);

// Follows RMC and ZDA sentences. Only a receiver with a fix knows the time:
// RMC tells whether it has one, and a ZDA counts only after an RMC that had.
class ReceiverClock {
public:
    // Any other sentence is passed over; `computerUtc` is the computer's clock as the sentence arrived.
    void observe(const IncomingSentence& sentence, std::int64_t computerUtc);
    // The latest date and time the receiver gave with a fix.
    const std::optional<ClockReading>& reading() const { return reading_; }
    // An RMC or a ZDA arrived, with or without a date.
    bool heard() const { return heard_; }

private:
    bool fixed_ = false;
    bool heard_ = false;
    std::optional<ClockReading> reading_;
};
