// Everything the simulator sends goes through here: paced to the emulated line
// rate, with line noise when asked, and never lost to a slow reader.
#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

class LineWriter {
public:
    // bytesPerSecond 0 sends as fast as the terminal takes it. stopFd becomes
    // readable when the simulator shuts down.
    LineWriter(int fd, int stopFd, long bytesPerSecond, bool noise);

    // Waits while the reader stalls. Bytes are discarded while nobody has the
    // slave end open, as on a cable with nothing at its end.
    void send(std::string_view sentence);

private:
    using Clock = std::chrono::steady_clock;

    void transmit(std::string_view bytes);
    void waitForLine(size_t bytes);
    bool writeAll(std::string_view bytes);
    std::string noiseBytes();

    int fd_;
    int stopFd_;
    long bytesPerSecond_;
    size_t pieceSize_;
    bool noise_;
    std::mt19937 random_{20070524};
    // The line's schedule: bytes since the line last went idle, and when.
    Clock::time_point lineStart_{};
    int64_t lineBytes_ = 0;
};
