// The log download: logger memory fetched 64 KiB at a time into the image
// file. A chunk is written only when every one of its replies passed every
// check; anything else makes the same chunk be requested again.
#pragma once

#include "link/device_link_state.h"
#include "link/download_receiver.h"
#include "logger/progress_gauge.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class LogDownload : public DownloadReceiver {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr uint32_t kChunkSize = 0x10000;
    static constexpr uint32_t kReplyBytes = 2048;
    static constexpr std::size_t kReplyHexLength = 2 * kReplyBytes;

    // imagePath: the file the memory goes to (data.bin in the working directory).
    // silenceLimit: how long the logger may stay silent before the chunk is requested again.
    LogDownload(DeviceLinkState& link, std::string imagePath, std::chrono::milliseconds silenceLimit);

    // Creates the image empty, stops logging, switches the link into download
    // mode and requests the first chunk. Throws AppError when the image cannot be created.
    void Start();
    // Ends a running download where it stands (Cancel, dialog closed).
    void Cancel();

    void OnMemoryData(const IncomingSentence& sentence) override;
    void DownloadNextChunk() override;
    // Requests the current chunk again after the logger fell silent: a lost
    // acknowledgement would otherwise stall the download for good.
    void CheckSilence();

    ProgressGauge& gauge() { return gauge_; }
    const ProgressGauge& gauge() const { return gauge_; }
    bool running() const { return link_.Downloading; }
    bool complete() const { return complete_; }
    // Why the download stopped by itself without completing; empty if it did not.
    const std::string& failure() const { return failure_; }
    // Bytes of verified memory in the image.
    uint32_t bytesSaved() const { return link_.DownloadAddress; }
    uint32_t bytesWanted() const { return link_.DownloadEnd; }

    // Told when the download stopped by itself: completed or failed.
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
    std::chrono::milliseconds silenceLimit_;
    ProgressGauge gauge_;
    Clock::time_point lastHeard_{};
    bool complete_ = false;
    std::string failure_;
};

// A silence limit that suits the line: a few times the time one data reply
// takes on the wire, and never under two seconds.
std::chrono::milliseconds ChunkSilenceLimit(int baud);
