// The logger's $PMTK replies: acknowledgements, value replies, memory data and
// the NMEA period report, kept in LoggerStatus and DeviceLinkState and shown
// through LoggerReplyView.
#pragma once

#include "link/device_link_state.h"
#include "link/download_receiver.h"
#include "link/incoming_sentence.h"
#include "link/logger_reply_view.h"
#include "link/logger_status.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace StatusBits {
inline constexpr int32_t LoggingOn = 0x0002;
inline constexpr int32_t StopWhenFull = 0x0004;
inline constexpr int32_t Fault = 0x0400;
inline constexpr int32_t MemoryFull = 0x0800; // meaningful together with Fault
} // namespace StatusBits

// The log-format page's boxes for a mask: [k] is CheckBox(k + 1).
std::array<bool, LoggerReplyView::kLogFormatBoxes> LogFormatBoxes(uint32_t mask);
// The flash size a flash identifier stands for; empty for identifiers not known.
std::optional<uint32_t> MemorySizeFromFlashId(std::string_view identifier);

class LoggerReplies {
public:
    LoggerReplies(DeviceLinkState& link, LoggerStatus& status, LoggerReplyView& view);

    // The download that memory data and read acknowledgements go to while
    // Downloading; none (nullptr) drops them.
    void attachDownload(DownloadReceiver* download) { download_ = download; }

    void HandleAck(const IncomingSentence& sentence);
    void HandleLoggerReply(const IncomingSentence& sentence);
    void HandleValueReply(const IncomingSentence& sentence);
    void HandleNmeaPeriods(const IncomingSentence& sentence);
    // $PMTK705: release, model number, device text.
    void handleModelReply(const IncomingSentence& sentence);

    // The $PMTK182 replies heard by kind ("3,<type>" for a value reply, "8"
    // for memory data) since that kind was last forgotten, so that a question
    // can wait for its answer; replyValue() is the last value reply's value
    // field, empty when none came.
    bool heard(const std::string& replyKind) const { return heard_.count(replyKind) > 0; }
    std::string replyValue(const std::string& replyKind) const;
    void forget(const std::string& replyKind) { heard_.erase(replyKind); }

private:
    void memoryData(const IncomingSentence& sentence);
    void logFormat(const std::string& value);
    void criterion(LoggingCriterion criterion, const std::string& value);
    void recordingMethod(const std::string& value);
    void statusWord(const std::string& value);
    void memoryUsed(const std::string& value);
    void flashIdentifier(const std::string& value);
    void recordCount(const std::string& value);

    DeviceLinkState& link_;
    LoggerStatus& status_;
    LoggerReplyView& view_;
    DownloadReceiver* download_ = nullptr;
    std::map<std::string, std::string> heard_; // reply kind -> value
};
