// Command line of drovik-sim: what the simulated logger starts with and which
// faults it injects.
#pragma once

#include "decode/log_dialect.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

// 1-based positions, counted over the whole run, of the replies to spoil.
struct FaultOptions {
    std::set<long> badChecksumReplies;
    std::set<long> droppedReplies;
    std::set<long> shortReplies;
    std::set<long> droppedReadAcks;
    long deadAfterReply = 0; // the line goes dead after this data reply; 0: never
    bool noise = false;
    bool noEraseAck = false;
    bool silent = false;
};

// What the logger reports about its firmware when asked.
struct ReleaseReport {
    std::string release = "DROVIK_SIM_1.0";
    std::string build = "0001";
    std::string model = "DROVIK-LOGGER";
    std::string firmware = "1.0";
};

struct SimOptions {
    std::string linkName;  // ComN placed in the port directory; empty for none
    std::string imagePath; // memory image to serve; empty to generate one
    int generatedSectors = 4;
    int generatedRecords = 0; // 0: the generated sectors filled
    int firstPoint = 0;       // where on the sample track the generated memory begins
    // The Holux dialect of the generated memory, the model reported and the
    // line rate; generic when empty.
    std::optional<LogDialect> dialect;
    uint32_t memorySize = 0x200000;
    int eraseDelayMs = 1000;
    bool nmea = true;
    std::optional<int64_t> clockStartMs; // where the receiver's clock starts (ms from 1970); default: now
    long baud = 0;                       // 0: as fast as the pseudo-terminal takes it
    std::string logPath;
    std::string statePath;

    // Settings the logger starts with.
    std::optional<uint32_t> formatMask; // default: the image's own
    int recordingMethod = 1;
    bool logging = true;
    bool fault = false;
    int timeInterval = 50; // tenths of a second
    int distanceInterval = 0;
    int speedInterval = 0;

    ReleaseReport releaseReport;
    // The status and memory-in-use queries are answered "not supported", as an M-241 Plus does.
    bool refuseStatus = false;
    FaultOptions faults;
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument with a message for the user.
SimOptions ParseSimOptions(const std::vector<std::string>& args);

extern const char* const kSimUsage;
