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
} // namespace

LogDownload::LogDownload(DeviceLinkState& link, std::string imagePath, std::chrono::milliseconds silenceLimit)
    : link_(link), imagePath_(std::move(imagePath)), silenceLimit_(silenceLimit)
{
}

void LogDownload::Start()
{
    std::FILE* image = std::fopen(imagePath_.c_str(), "wb");
    if (!image || std::fclose(image) != 0)
        throw AppError(SystemError("Cannot create", imagePath_));
    StopLogging(link_);
    complete_ = false;
    failure_.clear();
    link_.DownloadAddress = 0;
    link_.Downloading = true;
    link_.HexBuffer.clear();
    link_.HexBuffer.reserve(DeviceLinkState::kHexBufferCapacity);
    link_.BadReplyCount = 0;
    SendSentence(link_, Sentences::FirstMemoryRead());
    lastHeard_ = now();
    gauge_.reset();
    gauge_.setMax(static_cast<int>(link_.DownloadEnd >> 11));
}

void LogDownload::Cancel()
{
    link_.Downloading = false;
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
    gauge_.advance();
    if (checksumHolds && address && data.size() == kReplyHexLength && IsHexText(data) && ReplyFits(*address))
        link_.HexBuffer += data;
    else
        ++link_.BadReplyCount;
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
    }
    if (link_.DownloadEnd - kChunkSize < link_.DownloadAddress) {
        complete_ = true;
        gauge_.fill();
        Stop();
        return;
    }
    RequestChunk();
}

void LogDownload::CheckSilence()
{
    if (link_.Downloading && now() - lastHeard_ >= silenceLimit_)
        RequestChunk();
}

bool LogDownload::SaveChunk()
{
    const std::vector<unsigned char> bytes = HexToBytes(link_.HexBuffer);
    std::FILE* image = std::fopen(imagePath_.c_str(), "ab");
    bool written = image && std::fwrite(bytes.data(), 1, bytes.size(), image) == bytes.size();
    written = image && std::fclose(image) == 0 && written;
    if (written)
        return true;
    failure_ = SystemError("Cannot write", imagePath_);
    // Leave only whole verified chunks behind.
    std::error_code ignored;
    std::filesystem::resize_file(imagePath_, link_.DownloadAddress, ignored);
    Stop();
    return false;
}

void LogDownload::RequestChunk()
{
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

std::chrono::milliseconds ChunkSilenceLimit(int baud)
{
    using std::chrono::milliseconds;
    // A data reply is about 4,121 characters of ten bits each on the line.
    const long long replyMs = baud > 0 ? 4121LL * 10 * 1000 / baud : 0;
    return std::max(milliseconds(2000), milliseconds(3 * replyMs));
}
