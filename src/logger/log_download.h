// The log download: logger memory fetched 64 KiB at a time. A chunk is kept
// only when every one of its replies passed every check; anything else makes
// the same chunk be requested again. Kept chunks are appended to a part file
// beside the image, which replaces the image in one rename at the end, so a
// download that brings nothing leaves the old image as it was.
#pragma once

#include "link/device_link_state.h"
#include "link/download_receiver.h"
#include "logger/progress_gauge.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

struct DownloadLimits {
    // How long the logger may stay silent before the chunk is requested again.
    std::chrono::milliseconds silence;
    // The longest wait for the next verified chunk; re-requests do not extend it.
    std::chrono::milliseconds progress = std::chrono::minutes(16);
    // Requests of one chunk after the first, without a verified reply between, before giving up.
    int retries = 5;
};

class LogDownload : public DownloadReceiver {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr uint32_t kChunkSize = 0x10000;
    static constexpr uint32_t kReplyBytes = 2048;
    static constexpr std::size_t kReplyHexLength = 2 * kReplyBytes;

    // imagePath: the file the memory goes to (data.bin in the working directory).
    LogDownload(DeviceLinkState& link, std::string imagePath, DownloadLimits limits);

    // The verified chunks of the download under way, from address 0 in order,
    // whole chunks flushed to disk one by one: what a cancelled, cut or killed
    // download leaves for a later one to pick up.
    static std::string PartPath(const std::string& imagePath) { return imagePath + ".part"; }

    // Starts the part file empty, stops logging, switches the link into
    // download mode and requests the first chunk. Throws AppError when there
    // is nothing known to fetch (DownloadRefusal) or the file cannot be created.
    void Start();
    // Ends the download where it stands and puts what it verified in place:
    // true when the image now holds it, false when it was left as it was
    // (nothing verified, or the part could not replace it: see failure()).
    bool Finish();

    void OnMemoryData(const IncomingSentence& sentence) override;
    void DownloadNextChunk() override;
    // Run every so often while the download runs: requests the chunk again
    // after the logger fell silent (a lost acknowledgement would otherwise
    // stall the download for good) and gives up on a logger that stopped.
    void CheckStall();

    ProgressGauge& gauge() { return gauge_; }
    const ProgressGauge& gauge() const { return gauge_; }
    bool running() const { return link_.Downloading; }
    bool complete() const { return complete_; }
    // Why the download failed on this side (a file error); empty if it did not.
    const std::string& failure() const { return failure_; }
    // Bytes of verified memory kept.
    uint32_t bytesSaved() const { return link_.DownloadAddress; }
    // Bytes the download set out to fetch.
    uint32_t bytesWanted() const { return wanted_; }

    // Told when the download stopped by itself: completed, failed or given up.
    std::function<void()> onStopped;
    // The time source; tests replace it.
    std::function<Clock::time_point()> now = [] { return Clock::now(); };

private:
    bool ReplyFits(uint32_t address) const;
    bool SaveChunk();
    void RequestChunk();
    void Stop();

    DeviceLinkState& link_;
    std::string imagePath_;
    std::string partPath_;
    DownloadLimits limits_;
    ProgressGauge gauge_;
    uint32_t wanted_ = 0;
    uint32_t requested_ = 0;
    int retries_ = 0;
    Clock::time_point lastHeard_{};
    Clock::time_point progressAt_{};
    bool complete_ = false;
    std::string failure_;
};

// Why a download cannot start now: the logger has not said how much memory
// it uses, or it uses none. Empty when it can.
std::string DownloadRefusal(const DeviceLinkState& link);

// A silence limit that suits the line: a few times the time one data reply
// takes on the wire, and never under two seconds.
std::chrono::milliseconds ChunkSilenceLimit(int baud);
