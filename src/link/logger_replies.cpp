#include "link/logger_replies.h"

#include "core/text_scan.h"
#include "link/field_numbers.h"
#include "link/memory_use.h"

#include <algorithm>

namespace {
constexpr uint32_t kSectorSize = 0x10000;
constexpr std::size_t kProbeHexLength = 4; // the probe reads two bytes

namespace ValueType {
constexpr int LogFormat = 2;
constexpr int TimeInterval = 3;
constexpr int DistanceInterval = 4;
constexpr int SpeedInterval = 5;
constexpr int RecordingMethod = 6;
constexpr int Status = 7;
constexpr int MemoryUsed = 8;
constexpr int FlashIdentifier = 9;
constexpr int RecordCount = 10;
} // namespace ValueType

constexpr int kLoggerCommand = 182;
constexpr int kEraseSubCommand = 6;
constexpr int kReadMemorySubCommand = 7;
constexpr int kQuerySubCommand = 2;
constexpr int kAckUnsupported = 1;
constexpr int kAckSucceeded = 3;
constexpr int kValueReply = 3;
constexpr int kMemoryDataReply = 8;

bool Has(int32_t word, int32_t bits)
{
    return (word & bits) == bits;
}

// Where each criterion's request flag and stored value live, and its unit on the log page.
struct CriterionFields {
    bool DeviceLinkState::*requested;
    int32_t LoggerStatus::*stored;
    const char* unit;
};

const CriterionFields& FieldsOf(LoggingCriterion criterion)
{
    static const CriterionFields table[] = {
        {&DeviceLinkState::TimeIntervalRequested, &LoggerStatus::TimeInterval, " second (s)"},
        {&DeviceLinkState::DistanceIntervalRequested, &LoggerStatus::DistanceInterval, " meter (s)"},
        {&DeviceLinkState::SpeedIntervalRequested, &LoggerStatus::SpeedInterval, " km/h"},
    };
    return table[static_cast<int>(criterion)];
}
} // namespace

std::array<bool, LoggerReplyView::kLogFormatBoxes> LogFormatBoxes(uint32_t mask)
{
    std::array<bool, LoggerReplyView::kLogFormatBoxes> checked{};
    for (int bit = 0; bit < LoggerReplyView::kLogFormatBoxes; ++bit)
        checked[bit] = (mask >> bit & 1) != 0;
    // Milliseconds (bit 18) sit in CheckBox20 and distance (bit 19) in CheckBox19.
    std::swap(checked[18], checked[19]);
    return checked;
}

std::optional<uint32_t> MemorySizeFromFlashId(std::string_view identifier)
{
    // Maker, memory type and capacity, two upper-case hex digits each; a
    // capacity byte N means 2^N bytes (C22015: 2 MiB, C22014: 1 MiB).
    constexpr int kSmallest = 0x10;
    constexpr int kLargest = 0x19;
    const auto isDigit = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    if (identifier.size() < 6 || !std::all_of(identifier.begin(), identifier.begin() + 6, isDigit))
        return std::nullopt;
    const int capacity = HexDigitValue(identifier[4]) << 4 | HexDigitValue(identifier[5]);
    if (capacity < kSmallest || capacity > kLargest)
        return std::nullopt;
    return uint32_t{1} << capacity;
}

LoggerReplies::LoggerReplies(DeviceLinkState& link, LoggerStatus& status, LoggerReplyView& view)
    : link_(link), status_(status), view_(view)
{
}

namespace {
// "Not supported" for a query of the logger's memory: $PMTK001,182,2,1, or
// $PMTK001,182,1 as an M-241 Plus answers the status query.
bool RefusesQuery(const IncomingSentence& sentence)
{
    if (sentence.field(3).empty())
        return sentence.field(2) == std::to_string(kAckUnsupported);
    return sentence.field(2) == std::to_string(kQuerySubCommand) &&
           sentence.field(3) == std::to_string(kAckUnsupported);
}
} // namespace

void LoggerReplies::HandleAck(const IncomingSentence& sentence)
{
    if (LeadingInteger(sentence.field(1)) != kLoggerCommand)
        return;
    if (RefusesQuery(sentence))
        ++link_.QueryRefusals;
    if (LeadingInteger(sentence.field(3)) != kAckSucceeded)
        return;
    switch (LeadingInteger(sentence.field(2))) {
    case kEraseSubCommand:
        link_.Erasing = false;
        break;
    case kReadMemorySubCommand:
        if (link_.Downloading && download_)
            download_->DownloadNextChunk();
        break;
    }
}

void LoggerReplies::HandleLoggerReply(const IncomingSentence& sentence)
{
    // Keyed by the numbers as the questions name them; other replies are not waited for.
    const int kind = LeadingInteger(sentence.field(1));
    if (kind == kValueReply)
        heard_["3," + std::to_string(LeadingInteger(sentence.field(2)))] = sentence.field(3);
    else if (kind == kMemoryDataReply)
        heard_.try_emplace("8"); // its data goes to the download or the probe, not copied here
    switch (kind) {
    case kValueReply:
        HandleValueReply(sentence);
        break;
    case kMemoryDataReply:
        memoryData(sentence);
        break;
    }
}

void LoggerReplies::memoryData(const IncomingSentence& sentence)
{
    if (link_.Downloading) {
        if (download_)
            download_->onMemoryData(sentence);
        return;
    }
    // Outside a download only the last-sector probe's answer counts: the rest
    // of a cancelled download's chunk is still arriving.
    const std::string& data = sentence.field(3);
    const bool probeAnswer =
        data.size() == kProbeHexLength && ReadHex(sentence.field(2)) == link_.MemorySize - kSectorSize;
    if (probeAnswer && link_.LastSectorBlank && data != "FFFF")
        link_.LastSectorBlank = false;
}

void LoggerReplies::HandleValueReply(const IncomingSentence& sentence)
{
    const std::string& value = sentence.field(3);
    switch (LeadingInteger(sentence.field(2))) {
    case ValueType::LogFormat:
        logFormat(value);
        break;
    case ValueType::TimeInterval:
        criterion(LoggingCriterion::Time, value);
        break;
    case ValueType::DistanceInterval:
        criterion(LoggingCriterion::Distance, value);
        break;
    case ValueType::SpeedInterval:
        criterion(LoggingCriterion::Speed, value);
        break;
    case ValueType::RecordingMethod:
        recordingMethod(value);
        break;
    case ValueType::Status:
        statusWord(value);
        break;
    case ValueType::MemoryUsed:
        memoryUsed(value);
        break;
    case ValueType::FlashIdentifier:
        flashIdentifier(value);
        break;
    case ValueType::RecordCount:
        recordCount(value);
        break;
    }
}

void LoggerReplies::logFormat(const std::string& value)
{
    if (const auto mask = ReadHex(value))
        status_.FormatMask = *mask;
    if (link_.LogFormatRequested) {
        view_.fillLogFormatBoxes(LogFormatBoxes(status_.FormatMask));
        link_.LogFormatRequested = false;
    }
}

void LoggerReplies::criterion(LoggingCriterion criterion, const std::string& value)
{
    // The logger keeps the criteria in tenths.
    const int32_t interval = LeadingInteger(value) / 10;
    const CriterionFields& fields = FieldsOf(criterion);
    status_.*fields.stored = interval;
    if (link_.*fields.requested) {
        view_.fillCriterion(criterion, interval);
        link_.*fields.requested = false;
    }
    if (link_.LogPageActive)
        view_.showCriterionText(criterion, std::to_string(interval) + fields.unit);
}

void LoggerReplies::recordingMethod(const std::string& value)
{
    switch (LeadingInteger(value)) {
    case 1:
        status_.Overwrite = true;
        break;
    case 2:
        status_.Overwrite = false;
        break;
    }
    if (link_.MethodRequested) {
        view_.SetMethodButtons(!status_.Overwrite, status_.Overwrite);
        link_.MethodRequested = false;
    }
}

void LoggerReplies::statusWord(const std::string& value)
{
    if (int word = 0; TextScanner(value).integer(word)) {
        status_.StatusWord = word;
        const int32_t bits = status_.StatusWord;
        status_.StatusText = Has(bits, StatusBits::LoggingOn) ? "Log started." : "Log stopped.";
        if (Has(bits, StatusBits::StopWhenFull)) {
            status_.MethodText = "Stop.";
            link_.LastSectorBlank = true;
        } else {
            status_.MethodText = "Overwrite.";
        }
        if (Has(bits, StatusBits::Fault)) {
            const bool full = Has(bits, StatusBits::MemoryFull);
            status_.StatusText = full ? "Memory full." : "Logger error!!";
            if (!full)
                view_.showResetButton();
        }
    } else {
        status_.StatusText = "Logger error!!";
    }
    if (link_.LogPageActive)
        view_.showLogStatus(status_.StatusText, status_.MethodText, Has(status_.StatusWord, StatusBits::LoggingOn));
}

void LoggerReplies::memoryUsed(const std::string& value)
{
    const auto address = ReadHex(value);
    if (!address)
        return;
    if (const auto used = MemoryInUse(MemoryRepliesOf(link_, status_), address).used) {
        status_.PercentUsed = used->percent;
        link_.DownloadEnd = used->downloadEnd;
        link_.DownloadEndKnown = link_.MemorySize != 0;
    }
    if (link_.LogPageActive)
        view_.showMemoryUsed(status_.PercentUsed);
}

void LoggerReplies::flashIdentifier(const std::string& value)
{
    if (const auto size = MemorySizeFromFlashId(value))
        link_.MemorySize = *size;
}

void LoggerReplies::recordCount(const std::string& value)
{
    if (const auto count = ReadHex(value))
        status_.RecordCount = *count;
    if (link_.LogPageActive)
        view_.showRecordCount(std::to_string(status_.RecordCount));
}

std::string LoggerReplies::replyValue(const std::string& replyKind) const
{
    const auto found = heard_.find(replyKind);
    return found == heard_.end() ? std::string() : found->second;
}

void LoggerReplies::handleModelReply(const IncomingSentence& sentence)
{
    link_.Model = LoggerModel{sentence.field(1), sentence.field(2), sentence.field(3)};
}

void LoggerReplies::HandleNmeaPeriods(const IncomingSentence& sentence)
{
    if (!link_.NmeaPeriodsRequested)
        return;
    Sentences::NmeaPeriods periods;
    periods.gll = LeadingInteger(sentence.field(1));
    periods.rmc = LeadingInteger(sentence.field(2));
    periods.vtg = LeadingInteger(sentence.field(3));
    periods.gga = LeadingInteger(sentence.field(4));
    periods.gsa = LeadingInteger(sentence.field(5));
    periods.gsv = LeadingInteger(sentence.field(6));
    periods.zda = LeadingInteger(sentence.field(18));
    view_.fillNmeaPeriods(periods);
    link_.NmeaPeriodsRequested = false;
}
