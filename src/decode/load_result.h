// What reading a file into the track table did, for the window or the command
// line to tell in its own way.
#pragma once

#include <functional>
#include <string>

struct LoadResult {
    enum class Outcome {
        Loaded,
        CannotOpen, // the table was not touched
        Malformed,  // a CSV line that is no row ended the load; the rows before it stay
    };
    Outcome outcome = Outcome::Loaded;
    int rows = 0; // rows written below the header
    // Records of an image whose checksum holds but whose latitude or longitude
    // cannot be a place: read in a dialect they were not written in, most likely.
    int recordsPassedOver = 0;

    bool loaded() const { return outcome == Outcome::Loaded; }
};

// Told the number of rows loaded so far, from the thread that loads; it must
// not run the window's event loop.
using LoadProgress = std::function<void(int rows)>;

// The window's text for a load that failed ("Read fail!", "READ FILE FAIL!!");
// empty for one that loaded.
std::string LoadFailureText(const LoadResult& result);

// What the window and the command line tell about records passed over; empty when there were none.
std::string PassedOverText(const LoadResult& result);
