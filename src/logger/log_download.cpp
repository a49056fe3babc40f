#include "logger/log_download.h"

#include "core/app_error.h"
#include "link/field_numbers.h"
#include "link/sentences.h"
#include "logger/logging_switch.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
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

std::string SystemError(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

// A kept chunk has to survive a crash or a power cut.
bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}
} // namespace

LogDownload::LogDownload(DeviceLinkState& link, std::string imagePath, DownloadLimits limits)
    : link_(link), imagePath_(std::move(imagePath)), partPath_(PartPath(imagePath_)), limits_(limits)
{
}

void LogDownload::Start()
{
    if (const std::string refusal = DownloadRefusal(link_); !refusal.empty())
        throw AppError(refusal);
    std::FILE* part = std::fopen(partPath_.c_str(), "wb");
    if (!part || std::fclose(part) != 0)
        throw AppError(SystemError("Cannot create", partPath_));
    StopLogging(link_);
    // Replies that arrive meanwhile may move DownloadEnd; the download keeps its aim.
    wanted_ = link_.DownloadEnd;
    complete_ = false;
    failure_.clear();
    link_.DownloadAddress = 0;
    link_.Downloading = true;
    link_.HexBuffer.clear();
    link_.HexBuffer.reserve(DeviceLinkState::kHexBufferCapacity);
    link_.BadReplyCount = 0;
    requested_ = 0;
    retries_ = 0;
    SendSentence(link_, Sentences::FirstMemoryRead());
    lastHeard_ = progressAt_ = now();
    gauge_.reset();
    gauge_.setMax(static_cast<int>(wanted_ >> 11));
}

bool LogDownload::Finish()
{
    link_.Downloading = false;
    std::error_code error;
    if (link_.DownloadAddress == 0) {
        std::filesystem::remove(partPath_, error);
        return false;
    }
    std::filesystem::rename(partPath_, imagePath_, error);
    if (error)
        failure_ = "Cannot replace " + imagePath_ + ": " + error.message();
    return !error;
}

void LogDownload::OnMemoryData(const IncomingSentence& sentence)
{
    if (!link_.Downloading)
        return;
    lastHeard_ = now();
    const std::string& data = sentence.field(3);
    const std::optional<uint32_t> address = StrictHex(sentence.field(2));
    const bool checksumHolds = VerifyChecksum(sentence.SentenceText);
    // A sound reply from outside the chunk answers an earlier request (a
    // repeated read, the last-sector probe): not ours to count.
    if (checksumHolds && address && *address - link_.DownloadAddress >= kChunkSize)
        return;
    // Full only when the download is: a full gauge tells the dialog it is done.
    gauge_.setProgress(std::min(gauge_.progress() + 1, gauge_.max() - 1));
    if (checksumHolds && address && data.size() == kReplyHexLength && IsHexText(data) && ReplyFits(*address)) {
        link_.HexBuffer += data;
        retries_ = 0;
    } else {
        ++link_.BadReplyCount;
    }
}

// The reply continues the chunk exactly where the text so far ends, and fits in it.
bool LogDownload::ReplyFits(uint32_t address) const
{
    const std::size_t received = link_.HexBuffer.size();
    return address == link_.DownloadAddress + received / 2 &&
           received + kReplyHexLength <= DeviceLinkState::kHexBufferCapacity;
}

void LogDownload::DownloadNextChunk()
{
    if (!link_.Downloading)
        return;
    lastHeard_ = now();
    // Nothing of this chunk arrived: the acknowledgement closes an earlier request.
    if (link_.HexBuffer.empty() && link_.BadReplyCount == 0)
        return;
    if (link_.HexBuffer.size() == DeviceLinkState::kHexBufferCapacity && link_.BadReplyCount == 0) {
        if (!SaveChunk())
            return;
        link_.DownloadAddress += kChunkSize;
        progressAt_ = now();
    }
    if (link_.DownloadAddress >= wanted_) {
        complete_ = true;
        gauge_.fill();
        Stop();
        return;
    }
    RequestChunk();
}

void LogDownload::CheckStall()
{
    if (!link_.Downloading)
        return;
    if (now() - progressAt_ >= limits_.progress)
        Stop();
    else if (now() - lastHeard_ >= limits_.silence)
        RequestChunk();
}

bool LogDownload::SaveChunk()
{
    const std::vector<unsigned char> bytes = HexToBytes(link_.HexBuffer);
    std::FILE* part = std::fopen(partPath_.c_str(), "ab");
    bool written = part && std::fwrite(bytes.data(), 1, bytes.size(), part) == bytes.size() && FlushToDisk(part);
    written = part && std::fclose(part) == 0 && written;
    if (written)
        return true;
    failure_ = SystemError("Cannot write", partPath_);
    // Leave only whole verified chunks behind.
    std::error_code ignored;
    std::filesystem::resize_file(partPath_, link_.DownloadAddress, ignored);
    Stop();
    return false;
}

void LogDownload::RequestChunk()
{
    retries_ = link_.DownloadAddress == requested_ ? retries_ + 1 : 0;
    if (retries_ > limits_.retries) {
        Stop();
        return;
    }
    requested_ = link_.DownloadAddress;
    link_.BadReplyCount = 0;
    link_.HexBuffer.clear();
    gauge_.setProgress(static_cast<int>(link_.DownloadAddress / kReplyBytes));
    SendSentence(link_, Sentences::NextMemoryRead(link_.DownloadAddress));
    lastHeard_ = now();
}

void LogDownload::Stop()
{
    link_.Downloading = false;
    if (onStopped)
        onStopped();
}

std::string DownloadRefusal(const DeviceLinkState& link)
{
    if (!link.DownloadEndKnown)
        return "The logger has not reported its memory.";
    if (link.DownloadEnd == 0)
        return "There is no log data to download.";
    return {};
}

std::chrono::milliseconds ChunkSilenceLimit(int baud)
{
    using std::chrono::milliseconds;
    // A data reply is about 4,121 characters of ten bits each on the line.
    const long long replyMs = baud > 0 ? 4121LL * 10 * 1000 / baud : 0;
    return std::max(milliseconds(2000), milliseconds(3 * replyMs));
}
