#include "logger/log_download.h"

#include "core/app_error.h"
#include "core/output_file.h"
#include "link/field_numbers.h"
#include "link/port_failure.h"
#include "link/sentences.h"
#include "logger/logging_switch.h"
#include "logger/model_identity.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

namespace {
bool MemoryUseUnreported(const DeviceLinkState& link)
{
    return !link.DownloadEndKnown && link.QueryRefusals > 0;
}

bool IsHexText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
}

// The whole field as one hex number, or nothing.
std::optional<uint32_t> StrictHex(std::string_view text)
{
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<unsigned char> HexToBytes(std::string_view hex)
{
    std::vector<unsigned char> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(HexDigitValue(hex[2 * i]) << 4 | HexDigitValue(hex[2 * i + 1]));
    return bytes;
}

uint64_t FileSize(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

// The first `length` bytes of a file; fewer when it cannot be read.
std::vector<unsigned char> ReadPrefix(const std::string& path, uint32_t length)
{
    std::vector<unsigned char> bytes(length);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {};
    bytes.resize(std::fread(bytes.data(), 1, length, file));
    std::fclose(file);
    return bytes;
}

std::string SystemError(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}
} // namespace

LogDownload::LogDownload(DeviceLinkState& link, std::string imagePath, DownloadLimits limits)
    : link_(link), imagePath_(std::move(imagePath)), partPath_(partPath(imagePath_)), limits_(limits)
{
}

LogDownload::Earlier LogDownload::earlierDownload() const
{
    // The part file exists only after a download was cut off; whichever file
    // offers more to keep is the one to check.
    Earlier best;
    uint32_t bestKeep = 0;
    for (const std::string& path : {imagePath_, partPath_}) {
        const uint64_t size = FileSize(path);
        const uint32_t keep = PlanReuse(size, link_.MemorySize, link_.DownloadEnd).keep;
        if (keep > bestKeep) {
            best = {path, size};
            bestKeep = keep;
        }
    }
    return best;
}

uint32_t LogDownload::reusableBytes() const
{
    if (MemoryUseUnreported(link_))
        return 0;
    return PlanReuse(earlierDownload().size, link_.MemorySize, link_.DownloadEnd).keep;
}

void LogDownload::start(bool reuse, bool loggerWasLogging)
{
    if (const std::string refusal = DownloadRefusal(link_); !refusal.empty())
        throw AppError(refusal);
    untilBlank_ = MemoryUseUnreported(link_);
    // Replies that arrive meanwhile may move DownloadEnd; the download keeps its aim.
    wanted_ = !untilBlank_ ? link_.DownloadEnd : link_.MemorySize != 0 ? link_.MemorySize : kUnreportedMemoryLimit;
    // Without the memory use nothing tells whether an earlier file is still the logger's.
    const Earlier earlier = reuse && !untilBlank_ ? earlierDownload() : Earlier{};
    plan_ = PlanReuse(earlier.size, link_.MemorySize, wanted_);
    earlierBytes_ = plan_.reuses() ? ReadPrefix(earlier.path, plan_.keep) : std::vector<unsigned char>{};
    if (earlierBytes_.size() != plan_.keep)
        plan_ = {};
    source_ = plan_.reuses() ? earlier.path : std::string();
    // A part file being resumed stays as it is until its samples have spoken.
    if (source_ != partPath_) {
        std::FILE* part = std::fopen(partPath_.c_str(), "wb");
        if (!part || std::fclose(part) != 0)
            throw AppError(SystemError("Cannot create", partPath_));
    }
    complete_ = false;
    loggerWasLogging_ = loggerWasLogging;
    loggingResumed_ = false;
    kept_.clear();
    failure_.clear();
    checking_ = plan_.reuses();
    samplesMatched_ = 0;
    reused_ = 0;
    link_.DownloadAddress = 0;
    link_.Downloading = true;
    link_.HexBuffer.clear();
    link_.HexBuffer.reserve(DeviceLinkState::kHexBufferCapacity);
    link_.BadReplyCount = 0;
    retries_ = 0;
    lastHeard_ = progressAt_ = now();
    gauge_.reset();
    gauge_.setMax(static_cast<int>(plan_.samples.size() + ((wanted_ - plan_.keep) >> 11)));
    request_ = checking_ ? plan_.samples.front() : ReadRange{0, kChunkSize};
    try {
        holdUsbProcessing();
        SwitchLoggingOff(link_);
        SendSentence(link_, checking_ ? Sentences::MemoryRead(request_.address, request_.length)
                                      : Sentences::FirstMemoryRead());
    } catch (const PortFailure&) {
        finish();
        throw;
    }
    requested_ = request_;
}

bool LogDownload::finish()
{
    link_.Downloading = false;
    releaseUsbProcessing();
    resumeLogging();
    std::error_code error;
    if (bytesFetched() == 0) {
        // The chunks of a cut-off download stay for the next one, unless they failed their check.
        if (source_ != partPath_ || !plan_.reuses())
            std::filesystem::remove(partPath_, error);
        return false;
    }
    kept_ = partPath_;
    if (!complete_ && std::filesystem::exists(imagePath_, error))
        return true;
    std::filesystem::rename(partPath_, imagePath_, error);
    if (error) {
        failure_ = "Cannot replace " + imagePath_ + ": " + error.message();
        return false;
    }
    kept_ = imagePath_;
    return true;
}

std::string LogDownload::unfinishedText() const
{
    if (kept_.empty())
        return "nothing arrived; " + imagePath_ + " is unchanged.";
    std::string text = std::to_string(bytesSaved()) + " of " + std::to_string(wanted_) + " bytes are in " + kept_;
    if (kept_ != imagePath_)
        text += "; " + imagePath_ + " is unchanged";
    if (!untilBlank_ && PlanReuse(bytesSaved(), link_.MemorySize, wanted_).reuses())
        text += "; the next download resumes from them";
    return text + ".";
}

void LogDownload::resumeLogging()
{
    if (!loggerWasLogging_ || loggingResumed_)
        return;
    try {
        SwitchLoggingOn(link_);
        loggingResumed_ = true;
    } catch (const PortFailure&) {
        // A port that took no command leaves the logger as it is.
    }
}

void LogDownload::holdUsbProcessing()
{
    if (IdentifyModel(link_.Model.value_or(LoggerModel{})).dialect != LogDialect::Gr245)
        return;
    for (const std::string_view sentence : Sentences::HoldUsbProcessing)
        SendSentence(link_, sentence);
    usbHeld_ = true;
}

void LogDownload::releaseUsbProcessing()
{
    if (!usbHeld_)
        return;
    usbHeld_ = false;
    try {
        SendSentence(link_, Sentences::ReleaseUsbProcessing);
    } catch (const PortFailure&) {
        // A port that took no command leaves the logger as it is.
    }
}

void LogDownload::onMemoryData(const IncomingSentence& sentence)
{
    if (!link_.Downloading)
        return;
    lastHeard_ = now();
    const std::string& data = sentence.field(3);
    const std::optional<uint32_t> address = StrictHex(sentence.field(2));
    const bool checksumHolds = VerifyChecksum(sentence.SentenceText);
    // A sound reply from outside the chunk answers an earlier request (a
    // repeated read, the last-sector probe): not ours to count.
    if (checksumHolds && address && *address - request_.address >= request_.length)
        return;
    // Full only when the download is: a full gauge tells the dialog it is done.
    gauge_.setProgress(std::min(gauge_.progress() + 1, gauge_.max() - 1));
    if (checksumHolds && address && data.size() == kReplyHexLength && IsHexText(data) && replyFits(*address)) {
        link_.HexBuffer += data;
        retries_ = 0;
    } else {
        ++link_.BadReplyCount;
    }
}

// The reply continues the read exactly where the text so far ends, and fits in it.
bool LogDownload::replyFits(uint32_t address) const
{
    const std::size_t received = link_.HexBuffer.size();
    return address == request_.address + received / 2 && received + kReplyHexLength <= 2 * request_.length;
}

void LogDownload::DownloadNextChunk()
{
    if (!link_.Downloading)
        return;
    lastHeard_ = now();
    // Nothing of this chunk arrived: the acknowledgement closes an earlier request.
    if (link_.HexBuffer.empty() && link_.BadReplyCount == 0)
        return;
    const bool whole = link_.HexBuffer.size() == 2 * request_.length && link_.BadReplyCount == 0;
    if (checking_) {
        if (whole)
            checkSample();
        else
            requestChunk();
        return;
    }
    if (whole && untilBlank_ && reachedBlankChunk()) {
        complete_ = true;
        gauge_.fill();
        stop();
        return;
    }
    if (whole) {
        if (!saveChunk())
            return;
        link_.DownloadAddress += kChunkSize;
        progressAt_ = now();
    }
    if (link_.DownloadAddress >= wanted_) {
        complete_ = true;
        gauge_.fill();
        stop();
        return;
    }
    requestChunk();
}

bool LogDownload::reachedBlankChunk() const
{
    return std::all_of(link_.HexBuffer.begin(), link_.HexBuffer.end(), [](char c) { return HexDigitValue(c) == 15; });
}

void LogDownload::checkStall()
{
    if (!link_.Downloading)
        return;
    if (link_.PortLost || now() - progressAt_ >= limits_.progress)
        stop();
    else if (now() - lastHeard_ >= limits_.silence)
        requestChunk();
}

void LogDownload::checkSample()
{
    const std::vector<unsigned char> sample = HexToBytes(link_.HexBuffer);
    progressAt_ = now();
    if (!std::equal(sample.begin(), sample.end(), earlierBytes_.begin() + request_.address)) {
        beginFetching(false);
        return;
    }
    if (++samplesMatched_ < plan_.samples.size())
        requestChunk();
    else
        beginFetching(true);
}

void LogDownload::beginFetching(bool reuse)
{
    const uint32_t from = reuse ? plan_.keep : 0;
    if (!keepEarlier(from))
        return;
    checking_ = false;
    if (!reuse)
        plan_ = {};
    earlierBytes_ = {};
    reused_ = link_.DownloadAddress = from;
    gauge_.setMax(static_cast<int>(samplesMatched_ + ((wanted_ - from) >> 11)));
    requestChunk();
}

// Puts the first `bytes` of the earlier download into the part file, which
// holds nothing else at this point.
bool LogDownload::keepEarlier(uint32_t bytes)
{
    if (source_ != partPath_)
        return bytes == 0 || appendToPart(earlierBytes_);
    std::error_code error;
    std::filesystem::resize_file(partPath_, bytes, error);
    if (!error)
        return true;
    failure_ = "Cannot write " + partPath_ + ": " + error.message();
    stop();
    return false;
}

bool LogDownload::saveChunk()
{
    return appendToPart(HexToBytes(link_.HexBuffer));
}

bool LogDownload::appendToPart(const std::vector<unsigned char>& bytes)
{
    std::FILE* part = std::fopen(partPath_.c_str(), "ab");
    bool written = part && std::fwrite(bytes.data(), 1, bytes.size(), part) == bytes.size() && FlushToDisk(part);
    written = part && std::fclose(part) == 0 && written;
    if (written)
        return true;
    failure_ = SystemError("Cannot write", partPath_);
    // Leave only whole verified chunks behind.
    std::error_code ignored;
    std::filesystem::resize_file(partPath_, link_.DownloadAddress, ignored);
    stop();
    return false;
}

void LogDownload::requestChunk()
{
    request_ = checking_ ? plan_.samples[samplesMatched_] : ReadRange{link_.DownloadAddress, kChunkSize};
    const bool again = request_.address == requested_.address && request_.length == requested_.length;
    retries_ = again ? retries_ + 1 : 0;
    if (retries_ > limits_.retries) {
        stop();
        return;
    }
    requested_ = request_;
    link_.BadReplyCount = 0;
    link_.HexBuffer.clear();
    const uint32_t fetched = (link_.DownloadAddress - reused_) / kReplyBytes;
    gauge_.setProgress(static_cast<int>(samplesMatched_ + (checking_ ? 0 : fetched)));
    if (send(checking_ ? Sentences::MemoryRead(request_.address, request_.length)
                       : Sentences::NextMemoryRead(link_.DownloadAddress)))
        lastHeard_ = now();
}

bool LogDownload::send(const std::string& request)
{
    try {
        SendSentence(link_, request);
        return true;
    } catch (const PortFailure& failure) {
        // A device gone is the link's news, told once by whoever shows it.
        if (failure.deviceGone())
            link_.PortLost = true;
        else
            failure_ = failure.what();
        stop();
        return false;
    }
}

void LogDownload::stop()
{
    link_.Downloading = false;
    if (onStopped)
        onStopped();
}

std::string DownloadRefusal(const DeviceLinkState& link)
{
    if (MemoryUseUnreported(link))
        return {};
    if (!link.DownloadEndKnown)
        return LogDownload::kMemoryNotReported;
    if (link.DownloadEnd == 0)
        return LogDownload::kNoLogData;
    return {};
}

std::string DownloadNote(const std::optional<LoggerModel>& model, bool untilBlank)
{
    std::string note;
    if (model) {
        const std::string name = ModelName(*model);
        note = "Logger: " + (name.empty() ? "model " + model->modelId : name);
    }
    if (untilBlank)
        note += std::string(note.empty() ? "N" : "; n") + "o memory report: reading to a blank chunk";
    return note.empty() ? note : note + ".";
}

std::chrono::milliseconds ChunkSilenceLimit(int baud)
{
    using std::chrono::milliseconds;
    // A data reply is about 4,121 characters of ten bits each on the line.
    const long long replyMs = baud > 0 ? 4121LL * 10 * 1000 / baud : 0;
    return std::max(milliseconds(2000), milliseconds(3 * replyMs));
}
