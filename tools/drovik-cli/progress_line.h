// The one-line text progress bar of a download (bytes, rate and time left)
// and of other long runs.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// "[#####---------------]  25%  524288/2097152 bytes  210.5 KiB/s  0:07 left";
// the rate counts only what came over the line, not the first `carried` bytes.
std::string ProgressLine(uint64_t done, uint64_t total, std::chrono::duration<double> elapsed, uint64_t carried = 0);

// The same bar over things counted: "[#####---------------]  25%  250/1000 photos  0:07 left".
std::string CountProgressLine(uint64_t done, uint64_t total, const char* things, std::chrono::duration<double> elapsed);

// Whether stderr is a terminal, where the bar can redraw its one line.
bool StderrIsTerminal();
