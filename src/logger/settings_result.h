// What a settings page's apply or an erase did, for the window or the command
// line to tell in its own way.
#pragma once

#include <string>

struct SettingsResult {
    enum class Outcome {
        Applied,      // the logger was told; text is the confirmation, if any
        Declined,     // the user answered No; nothing was sent
        NotConnected, // no port is open; nothing was sent
        NoCriterion,  // no logging criterion is checked; nothing was sent
        EmptyFormat,  // the boxes select no log format field; nothing was sent
        OutOfRange,   // a checked criterion's value lies outside its range; nothing was sent
        EraseFailed,  // the logger did not acknowledge the erase in time
    };
    Outcome outcome = Outcome::Applied;
    // The window's words for it: "Setting updated!", "Recover setting!",
    // "TIME interval is invalid." and the like.
    std::string text;

    bool applied() const { return outcome == Outcome::Applied; }
};
