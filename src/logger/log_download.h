// The log download: logger memory fetched 64 KiB at a time. A chunk is kept
// only when every one of its replies passed every check; anything else makes
// the same chunk be requested again. Kept chunks are appended to a part file
// beside the image, which replaces the image in one rename once the download
// completed, so an image already on disk is never shrunk by a download that
// stopped short: its chunks stay in the part file for the next download.
// Chunks an earlier download left (the image, or the part file of one that
// was cut off) are kept when sample reads show they still are the logger's
// memory. Logging is stopped for the download and switched on again at its
// end when it was on before.
//
// A logger that does not support the queries of its memory use (an M-241
// Plus) is read from address 0 until a chunk comes back blank (all 0xFF),
// which ends its data; that chunk is not kept.
#pragma once

#include "link/device_link_state.h"
#include "link/download_receiver.h"
#include "logger/download_reuse.h"
#include "logger/progress_gauge.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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
    // How far a download reading until a blank chunk goes when the flash size is not known either.
    static constexpr uint32_t kUnreportedMemoryLimit = 0x1000000;
    static constexpr const char* kNoLogData = "There is no log data to download.";
    static constexpr const char* kMemoryNotReported = "The logger has not reported its memory.";

    // imagePath: the file the memory goes to (data.bin in the working directory).
    LogDownload(DeviceLinkState& link, std::string imagePath, DownloadLimits limits);

    // The verified chunks of the download under way, from address 0 in order,
    // whole chunks flushed to disk one by one: what a cancelled, cut or killed
    // download leaves for a later one to pick up.
    static std::string partPath(const std::string& imagePath) { return imagePath + ".part"; }

    // Bytes of an earlier download this one could keep if their samples
    // match the logger's memory; 0 when it has to fetch everything.
    uint32_t reusableBytes() const;

    // Stops logging, switches the link into download mode and sends the
    // first request. With reuse and something to keep (ReusableBytes), the
    // samples are read first; otherwise the part file starts empty and the
    // download from address 0. loggerWasLogging: the logger was logging, so
    // Finish() switches logging on again. Throws AppError when there is
    // nothing known to fetch (DownloadRefusal) or a file cannot be read or
    // created, and PortFailure when the first sentences cannot be sent
    // (everything is then as before, but logging may be off).
    void start(bool reuse = false, bool loggerWasLogging = false);
    // Ends the download where it stands, puts what it verified in place and
    // switches logging on again if it was on. A complete download replaces
    // the image. One that stopped short leaves an image already there as it
    // was and keeps its chunks in the part file; with no image before, they
    // become the image. True when this run's verified memory is kept
    // (keptPath()); false when it fetched nothing, or the part could not
    // become the image (see failure()). A part file this download set out to
    // resume stays for the next one.
    bool finish();
    // The file holding this download's verified memory after Finish(): the
    // image, the part file, or empty.
    const std::string& keptPath() const { return kept_; }
    // Finish() switched logging on again.
    bool loggingResumed() const { return loggingResumed_; }
    // For a download that stopped short, after Finish(): which file holds how
    // many of the bytes wanted, and whether the next download resumes from them.
    std::string unfinishedText() const;

    void onMemoryData(const IncomingSentence& sentence) override;
    void DownloadNextChunk() override;
    // Run every so often while the download runs: requests the chunk again
    // after the logger fell silent (a lost acknowledgement would otherwise
    // stall the download for good) and gives up on a logger that stopped.
    void checkStall();

    ProgressGauge& gauge() { return gauge_; }
    const ProgressGauge& gauge() const { return gauge_; }
    bool running() const { return link_.Downloading; }
    bool complete() const { return complete_; }
    // Why the download failed on this side (a file error); empty if it did not.
    const std::string& failure() const { return failure_; }
    // Bytes of verified memory kept.
    uint32_t bytesSaved() const { return link_.DownloadAddress; }
    // Of those, the bytes taken over from the earlier download once its samples matched.
    uint32_t bytesReused() const { return reused_; }
    uint32_t bytesFetched() const { return link_.DownloadAddress - reused_; }
    // The file the reused bytes come from (the image or its part file).
    const std::string& reuseSource() const { return source_; }
    // Bytes the download set out to fetch: at most, when it reads until a blank chunk.
    uint32_t bytesWanted() const { return wanted_; }
    // The logger did not report its memory use: the download reads until a blank chunk.
    bool untilBlank() const { return untilBlank_; }
    // It did so, and the very first chunk was blank.
    bool foundNoData() const { return complete_ && bytesSaved() == 0; }

    // Told when the download stopped by itself: completed, failed or given up.
    std::function<void()> onStopped;
    // The time source; tests replace it.
    std::function<Clock::time_point()> now = [] { return Clock::now(); };

private:
    struct Earlier {
        std::string path;
        uint64_t size = 0;
    };
    Earlier earlierDownload() const;
    void checkSample();
    void beginFetching(bool reuse);
    bool keepEarlier(uint32_t bytes);
    bool appendToPart(const std::vector<unsigned char>& bytes);
    bool replyFits(uint32_t address) const;
    bool saveChunk();
    void requestChunk();
    // False (the download stopped) when the port did not take the request.
    bool send(const std::string& request);
    void resumeLogging();
    // A GPsport 245 shows "USB PROCESSING" for the download.
    void holdUsbProcessing();
    void releaseUsbProcessing();
    bool reachedBlankChunk() const;
    void stop();

    DeviceLinkState& link_;
    std::string imagePath_;
    std::string partPath_;
    DownloadLimits limits_;
    ProgressGauge gauge_;
    uint32_t wanted_ = 0;
    // The read under way: a sample while checking_, else the chunk at DownloadAddress.
    ReadRange request_{0, kChunkSize};
    ReadRange requested_{0, 0}; // the last read sent: the same one again counts as a retry
    ReusePlan plan_;
    std::string source_;
    std::vector<unsigned char> earlierBytes_; // the first plan_.keep bytes of source_
    bool checking_ = false;
    std::size_t samplesMatched_ = 0;
    uint32_t reused_ = 0;
    int retries_ = 0;
    Clock::time_point lastHeard_{};
    Clock::time_point progressAt_{};
    bool complete_ = false;
    bool untilBlank_ = false;
    bool usbHeld_ = false;
    bool loggerWasLogging_ = false;
    bool loggingResumed_ = false;
    std::string kept_;
    std::string failure_;
};

// Why a download cannot start now: the logger has not said how much memory
// it uses (nor that it cannot say), or it uses none. Empty when it can.
std::string DownloadRefusal(const DeviceLinkState& link);

// What the download's messages say of the logger: its model and whether the
// memory is read until a blank chunk; empty when there is nothing to say.
std::string DownloadNote(const std::optional<LoggerModel>& model, bool untilBlank);

// A silence limit that suits the line: a few times the time one data reply
// takes on the wire, and never under two seconds.
std::chrono::milliseconds ChunkSilenceLimit(int baud);
