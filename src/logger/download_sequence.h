// The log download from the first question to the decoding, as the window
// and the command line both run it: the logger is asked for its model and
// for how much of its memory is in use (unless that is known already), a
// download that cannot start is refused, an earlier one is reused when the
// user agrees, and what was fetched is put in place, logging switched on
// again when it was on, and handed over to be decoded. Whoever runs it only
// shows the progress and asks the user, through DownloadFront.
#pragma once

#include "decode/log_dialect.h"
#include "logger/log_download.h"
#include "logger/logger_line.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct DownloadWaits {
    // For each query of the memory, sent again once a second.
    std::chrono::milliseconds answer{5000};
    // For the model's reply, from when it was asked.
    std::chrono::milliseconds model{2000};
    // For a first date from the receiver's clock, from the start of the
    // sequence: RMC goes out every second, so a download usually outlasts it.
    std::chrono::milliseconds clock{2500};
};

// Why the amount to fetch could not be learned.
enum class MemoryReportGap {
    None,
    NoAnswer,      // to the status or flash identifier query
    UnknownSize,   // a flash identifier of no known size
    NoProbeAnswer, // to the read of the last sector
    NoMemoryUse,   // to the memory-used query
};

// What a download kept, for the decoding.
struct KeptDownload {
    std::string path;
    LogDialect dialect = LogDialect::Detect;
    bool complete = false;
    // What the receiver's clock said, for a complete download.
    std::optional<ClockReading> clock;
};

// The parts that differ between the window and the command line. All run
// outside LoggerLine::locked().
struct DownloadFront {
    // The logger told its model (optional).
    std::function<void(const LoggerModel&)> modelHeard;
    // Whether to keep up to `reusable` bytes of the earlier download once checked.
    std::function<bool(uint32_t reusable)> allowReuse;
    // Shows the download until it stopped by itself or the user ended it.
    std::function<void(LogDownload&)> follow;
    // The download was finished (optional); may throw to end the sequence there.
    std::function<void(const LogDownload&)> finished;
    // Decodes what the download kept.
    std::function<void(const KeptDownload&)> decode;
};

class DownloadSequence {
public:
    DownloadSequence(LoggerLine& line, DownloadFront front, const std::string& imagePath, DownloadLimits limits,
                     DownloadWaits waits);

    // The whole download. Returns early, with refusal() said, when it cannot
    // start. A download that started is finished however run() ends, an
    // exception from the line or the front included, which then passes on.
    void run();

    // Why the amount to fetch could not be learned; None when it was.
    MemoryReportGap gap() const { return gap_; }
    // Why the download did not start, in the log page's words; empty when it did.
    const std::string& refusal() const { return refusal_; }
    bool started() const { return started_; }
    const LogDownload& download() const { return download_; }

private:
    void sendModelQuery();
    MemoryReportGap learnMemoryUse();
    bool ask(std::string_view query, const char* replyKind);
    bool refused();
    void awaitModel();
    void start();
    void finish();
    std::optional<ClockReading> awaitClock();

    LoggerLine& line_;
    DownloadFront front_;
    DownloadWaits waits_;
    LogDownload download_;
    std::chrono::steady_clock::time_point startedAt_;
    std::chrono::steady_clock::time_point modelAskedAt_;
    bool modelAsked_ = false;
    MemoryReportGap gap_ = MemoryReportGap::None;
    std::string refusal_;
    bool started_ = false;
};
