// The simulated logger's settings and its answers to the commands it receives.
#pragma once

#include "fault_plan.h"
#include "logger_memory.h"
#include "sim_options.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Output periods in seconds, in the order of the $PMTK314 fields (0 = off).
struct OutputPeriods {
    static constexpr int kFields = 19;
    enum Field { Gll = 0, Rmc = 1, Vtg = 2, Gga = 3, Gsa = 4, Gsv = 5, Zda = 17 };

    std::array<int, kFields> seconds{1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0};

    int operator[](Field field) const { return seconds[field]; }
};

class LoggerDevice {
public:
    using Clock = std::chrono::steady_clock;
    using Send = std::function<void(std::string_view sentence)>;
    using StateLines = std::vector<std::pair<std::string, std::string>>;

    LoggerDevice(const SimOptions& options, LoggerMemory memory, Send send);

    // One sentence whose checksum holds, without CR LF.
    void handle(std::string_view sentence, Clock::time_point now);
    // Completes what has fallen due by now: an erase in progress.
    void advance(Clock::time_point now);
    std::optional<Clock::time_point> nextEvent() const;

    const OutputPeriods& periods() const { return periods_; }
    // False for a while after a restart, until the receiver has a fix again.
    bool hasFix(Clock::time_point now) const { return now >= fixAt_; }
    StateLines state() const;
    // The line has been cut (--dead-after): nothing is sent any more.
    bool lineDead() const { return faults_.lineDead(); }

private:
    using Fields = std::vector<std::string_view>;

    void handleLoggerCommand(const Fields& fields, Clock::time_point now);
    void handleHoluxCommand(std::string_view address);
    bool setValue(const Fields& fields);
    void answerQuery(std::string_view type);
    void readMemory(const Fields& fields);
    void sendDataReply(uint32_t address, std::span<const uint8_t> bytes);
    bool setPeriods(const Fields& fields);
    void restart(std::string kind, std::chrono::seconds withoutFix, Clock::time_point now);
    void ack(std::string_view command, int flag);
    void sendBody(const std::string& body);

    uint32_t statusWord() const;
    bool memoryFull() const;

    Send send_;
    LoggerMemory memory_;
    FaultPlan faults_;
    std::string releaseReport_;
    bool refuseStatus_;
    bool holux245_;              // answers the GPsport 245's USB PROCESSING commands
    bool usbProcessing_ = false; // showing "USB PROCESSING"
    std::chrono::milliseconds eraseDelay_;
    bool acknowledgeErase_;

    uint32_t formatMask_;
    int timeInterval_;
    int distanceInterval_;
    int speedInterval_;
    int recordingMethod_;
    bool logging_;
    bool fault_;
    OutputPeriods periods_;

    std::optional<Clock::time_point> eraseDoneAt_;
    int erases_ = 0;
    Clock::time_point fixAt_{};
    std::string lastRestart_ = "none";
    int restarts_ = 0;
    long commands_ = 0;
};
