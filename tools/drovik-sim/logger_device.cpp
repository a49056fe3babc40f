#include "logger_device.h"

#include "core/number_text.h"
#include "link/sentences.h"

#include <utility>
#include <cstdio>

namespace {
constexpr uint32_t kLogging = 0x0002;
constexpr uint32_t kStopWhenFull = 0x0004;
constexpr uint32_t kFault = 0x0400;
constexpr uint32_t kFull = 0x0800;
// Room for the longest record the logger writes; a memory with less left is full.
constexpr uint32_t kFullMargin = 512;
constexpr uint32_t kBytesPerDataReply = 2048;

// Acknowledgement flags of PMTK001.
constexpr int kInvalid = 0;
constexpr int kUnsupported = 1;
constexpr int kFailed = 2;
constexpr int kSucceeded = 3;

// The fields between '$' and '*': slot 0 is the address.
std::vector<std::string_view> SplitSentence(std::string_view sentence)
{
    sentence.remove_prefix(1);
    sentence = sentence.substr(0, sentence.find('*'));
    std::vector<std::string_view> fields;
    while (true) {
        size_t comma = sentence.find(',');
        fields.push_back(sentence.substr(0, comma));
        if (comma == std::string_view::npos)
            return fields;
        sentence.remove_prefix(comma + 1);
    }
}

std::string_view Field(const std::vector<std::string_view>& fields, size_t k)
{
    return k < fields.size() ? fields[k] : std::string_view();
}

template <typename T>
std::optional<T> ParseNumber(std::string_view text, int base)
{
    const auto value = ParseInteger(text, base);
    if (!value || !std::in_range<T>(*value))
        return std::nullopt;
    return static_cast<T>(*value);
}

std::string Hex8(uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string HexText(std::span<const uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(bytes.size() * 2, '0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string PeriodList(const OutputPeriods& periods)
{
    std::string list;
    for (int seconds : periods.seconds)
        list += (list.empty() ? "" : ",") + std::to_string(seconds);
    return list;
}

std::string ReleaseReportBody(const ReleaseReport& report)
{
    return "$PMTK705," + report.release + "," + report.build + "," + report.model + "," + report.firmware + "*";
}

// The same sentence with a checksum that does not hold.
std::string SpoilChecksum(std::string sentence)
{
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", (NmeaChecksum(sentence) + 1) & 0xFF);
    size_t star = sentence.find('*');
    sentence.replace(star + 1, 2, digits);
    return sentence;
}
} // namespace

LoggerDevice::LoggerDevice(const SimOptions& options, LoggerMemory memory, Send send)
    : send_(std::move(send)), memory_(std::move(memory)), faults_(options.faults),
      releaseReport_(ReleaseReportBody(options.releaseReport)), refuseStatus_(options.refuseStatus),
      holux245_(options.dialect == LogDialect::Gr245), eraseDelay_(options.eraseDelayMs),
      acknowledgeErase_(!options.faults.noEraseAck),
      formatMask_(options.formatMask.value_or(memory_.lastFormatMask().value_or(0x0002002F))),
      timeInterval_(options.timeInterval), distanceInterval_(options.distanceInterval),
      speedInterval_(options.speedInterval), recordingMethod_(options.recordingMethod), logging_(options.logging),
      fault_(options.fault)
{
}

void LoggerDevice::handle(std::string_view sentence, Clock::time_point now)
{
    ++commands_;
    Fields fields = SplitSentence(sentence);
    std::string_view address = fields[0];
    if (address == "PMTK182")
        handleLoggerCommand(fields, now);
    else if (address == "PMTK314")
        ack("314", setPeriods(fields) ? kSucceeded : kInvalid);
    else if (address == "PMTK414")
        sendBody("$PMTK514," + PeriodList(periods_) + "*");
    else if (address == "PMTK605")
        sendBody(releaseReport_);
    else if (address == "PMTK101")
        restart("hot", std::chrono::seconds(1), now);
    else if (address == "PMTK102")
        restart("warm", std::chrono::seconds(3), now);
    else if (address == "PMTK103")
        restart("cold", std::chrono::seconds(6), now);
    else if (address.starts_with("PMTK"))
        ack(address.substr(4), kUnsupported);
    else if (address.starts_with("PHLX") && holux245_)
        handleHoluxCommand(address);
}

void LoggerDevice::handleHoluxCommand(std::string_view address)
{
    // 810 and 826 put up "USB PROCESSING", 827 takes it down.
    static constexpr std::pair<std::string_view, std::string_view> kAnswers[] = {
        {"PHLX810", "$PHLX852*"}, {"PHLX826", "$PHLX859*"}, {"PHLX827", "$PHLX860*"}};
    for (const auto& [command, answer] : kAnswers) {
        if (address == command) {
            usbProcessing_ = command != "PHLX827";
            sendBody(std::string(answer));
        }
    }
}

void LoggerDevice::handleLoggerCommand(const Fields& fields, Clock::time_point now)
{
    std::string_view command = Field(fields, 1);
    std::string subCommand = "182," + std::string(command);
    if (command == "1") {
        ack(subCommand, setValue(fields) ? kSucceeded : kInvalid);
    } else if (command == "2") {
        answerQuery(Field(fields, 2));
    } else if (command == "4" || command == "5") {
        logging_ = command == "4";
        ack(subCommand, kSucceeded);
    } else if (command == "6" && Field(fields, 2) == "1") {
        eraseDoneAt_ = now + eraseDelay_;
    } else if (command == "7") {
        readMemory(fields);
    } else if (command == "9") {
        fault_ = false;
        ack(subCommand, kSucceeded);
    } else {
        ack(subCommand, kUnsupported);
    }
}

bool LoggerDevice::setValue(const Fields& fields)
{
    std::string_view type = Field(fields, 2);
    std::string_view text = Field(fields, 3);
    if (type == "2") {
        auto mask = ParseNumber<uint32_t>(text, 16);
        if (mask)
            formatMask_ = *mask;
        return mask.has_value();
    }
    auto value = ParseNumber<int>(text, 10);
    if (!value || *value < 0)
        return false;
    if (type == "3")
        timeInterval_ = *value;
    else if (type == "4")
        distanceInterval_ = *value;
    else if (type == "5")
        speedInterval_ = *value;
    else if (type == "6" && (*value == 1 || *value == 2))
        recordingMethod_ = *value;
    else
        return false;
    return true;
}

void LoggerDevice::answerQuery(std::string_view type)
{
    std::string value;
    const int kind = ParseNumber<int>(type, 10).value_or(0);
    switch (kind) {
    case 2:
        value = Hex8(formatMask_);
        break;
    case 3:
        value = std::to_string(timeInterval_);
        break;
    case 4:
        value = std::to_string(distanceInterval_);
        break;
    case 5:
        value = std::to_string(speedInterval_);
        break;
    case 6:
        value = std::to_string(recordingMethod_);
        break;
    case 7:
    case 8:
        if (refuseStatus_) {
            ack("182", kUnsupported);
            return;
        }
        value = kind == 7 ? std::to_string(statusWord()) : Hex8(memory_.nextWriteAddress());
        break;
    case 9:
        value = memory_.flashId();
        break;
    case 10:
        value = Hex8(memory_.recordCount());
        break;
    default:
        ack("182,2", kUnsupported);
        return;
    }
    sendBody("$PMTK182,3," + std::string(type) + "," + value + "*");
    ack("182,2", kSucceeded);
}

void LoggerDevice::readMemory(const Fields& fields)
{
    auto address = ParseNumber<uint32_t>(Field(fields, 2), 16);
    auto length = ParseNumber<uint32_t>(Field(fields, 3), 16);
    if (!address || !length || *length == 0) {
        ack("182,7", kInvalid);
        return;
    }
    std::span<const uint8_t> bytes = memory_.read(*address, *length);
    if (bytes.empty()) {
        ack("182,7", kFailed);
        return;
    }
    for (size_t offset = 0; offset < bytes.size(); offset += kBytesPerDataReply) {
        size_t count = std::min<size_t>(kBytesPerDataReply, bytes.size() - offset);
        sendDataReply(*address + offset, bytes.subspan(offset, count));
    }
    if (!faults_.dropNextReadAck())
        ack("182,7", kSucceeded);
}

void LoggerDevice::sendDataReply(uint32_t address, std::span<const uint8_t> bytes)
{
    ReplyFault fault = faults_.nextDataReply();
    if (fault == ReplyFault::Dropped)
        return;
    std::string hex = HexText(bytes);
    if (fault == ReplyFault::Short)
        hex.resize(hex.size() - 2);
    std::string sentence = AppendChecksum("$PMTK182,8," + Hex8(address) + "," + hex + "*");
    send_(fault == ReplyFault::BadChecksum ? SpoilChecksum(std::move(sentence)) : sentence);
}

bool LoggerDevice::setPeriods(const Fields& fields)
{
    if (fields.size() == 2 && fields[1] == "-1") {
        periods_ = OutputPeriods();
        return true;
    }
    if (fields.size() < 2 || fields.size() > 1 + OutputPeriods::kFields)
        return false;
    OutputPeriods periods;
    periods.seconds.fill(0);
    for (size_t k = 1; k < fields.size(); ++k) {
        auto seconds = ParseNumber<int>(fields[k], 10);
        if (!seconds || *seconds < 0 || *seconds > 5)
            return false;
        periods.seconds[k - 1] = *seconds;
    }
    periods_ = periods;
    return true;
}

void LoggerDevice::restart(std::string kind, std::chrono::seconds withoutFix, Clock::time_point now)
{
    lastRestart_ = std::move(kind);
    ++restarts_;
    fixAt_ = now + withoutFix;
}

void LoggerDevice::advance(Clock::time_point now)
{
    if (!eraseDoneAt_ || now < *eraseDoneAt_)
        return;
    eraseDoneAt_.reset();
    memory_.erase();
    ++erases_;
    if (acknowledgeErase_)
        ack("182,6", kSucceeded);
}

std::optional<LoggerDevice::Clock::time_point> LoggerDevice::nextEvent() const
{
    return eraseDoneAt_;
}

void LoggerDevice::ack(std::string_view command, int flag)
{
    sendBody("$PMTK001," + std::string(command) + "," + std::to_string(flag) + "*");
}

void LoggerDevice::sendBody(const std::string& body)
{
    if (!lineDead())
        send_(AppendChecksum(body));
}

bool LoggerDevice::memoryFull() const
{
    return recordingMethod_ == 2 && memory_.size() - memory_.nextWriteAddress() < kFullMargin;
}

uint32_t LoggerDevice::statusWord() const
{
    uint32_t status = 0;
    if (logging_)
        status |= kLogging;
    if (recordingMethod_ == 2)
        status |= kStopWhenFull;
    if (fault_)
        status |= kFault;
    if (memoryFull())
        status |= kFault | kFull;
    return status;
}

LoggerDevice::StateLines LoggerDevice::state() const
{
    return {
        {"mask", Hex8(formatMask_)},
        {"time_interval", std::to_string(timeInterval_)},
        {"distance_interval", std::to_string(distanceInterval_)},
        {"speed_interval", std::to_string(speedInterval_)},
        {"method", std::to_string(recordingMethod_)},
        {"logging", logging_ ? "1" : "0"},
        {"fault", fault_ ? "1" : "0"},
        {"status", std::to_string(statusWord())},
        {"memory_size", std::to_string(memory_.size())},
        {"next_address", Hex8(memory_.nextWriteAddress())},
        {"record_count", std::to_string(memory_.recordCount())},
        {"periods", PeriodList(periods_)},
        {"erasing", eraseDoneAt_ ? "1" : "0"},
        {"usb_processing", usbProcessing_ ? "1" : "0"},
        {"erases", std::to_string(erases_)},
        {"last_restart", lastRestart_},
        {"restarts", std::to_string(restarts_)},
        {"data_replies", std::to_string(faults_.dataReplies())},
        {"read_acks", std::to_string(faults_.readAcks())},
        {"commands", std::to_string(commands_)},
    };
}
