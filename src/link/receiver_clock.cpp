#include "link/receiver_clock.h"

#include "decode/civil_time.h"
#include "decode/track_options.h"
#include "link/field_numbers.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {
constexpr std::int64_t kDaySeconds = 86400;
constexpr std::int64_t kRolloverSeconds = std::int64_t{kWeekRolloverDays} * kDaySeconds;

// The digits at `first` of a field, or -1 when they are not all there.
int DigitsAt(std::string_view field, std::size_t first, std::size_t count)
{
    if (field.size() < first + count || !IsDigits(field.substr(first, count)))
        return -1;
    return std::stoi(std::string(field.substr(first, count)));
}

std::optional<std::int64_t> SecondsOf(std::string_view hhmmss, int day, int month, int year)
{
    const int hour = DigitsAt(hhmmss, 0, 2);
    const int minute = DigitsAt(hhmmss, 2, 2);
    const int second = DigitsAt(hhmmss, 4, 2);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60 || day < 1 || day > 31 ||
        month < 1 || month > 12 || year < 0)
        return std::nullopt;
    return SecondsFromCivilTime({year, month, day, hour, minute, second});
}

// RMC gives two digits of the year; GPS began in 1980, so 80 to 99 are its first two decades.
int YearOfTwoDigits(int yy)
{
    return yy < 0 ? -1 : yy >= 80 ? 1900 + yy : 2000 + yy;
}
} // namespace

std::optional<int> RolloversBehind(const ClockReading& reading)
{
    const std::int64_t behind = reading.computerUtc - reading.receiverUtc;
    const std::int64_t periods = (behind + kRolloverSeconds / 2) / kRolloverSeconds;
    if (behind <= 0 || periods < 1 || std::llabs(behind - periods * kRolloverSeconds) > kDaySeconds)
        return std::nullopt;
    return static_cast<int>(periods);
}

void ReceiverClock::observe(const IncomingSentence& sentence, std::int64_t computerUtc)
{
    const std::string_view address = sentence.field(0);
    const std::string_view kind = address.size() >= 5 ? address.substr(2, 3) : std::string_view();
    std::optional<std::int64_t> receiverUtc;
    if (kind == "RMC") {
        fixed_ = sentence.field(2) == "A";
        const std::string& date = sentence.field(9);
        receiverUtc = SecondsOf(sentence.field(1), DigitsAt(date, 0, 2), DigitsAt(date, 2, 2),
                                YearOfTwoDigits(DigitsAt(date, 4, 2)));
    } else if (kind == "ZDA") {
        const std::string& year = sentence.field(4);
        receiverUtc = SecondsOf(sentence.field(1), DigitsAt(sentence.field(2), 0, 2), DigitsAt(sentence.field(3), 0, 2),
                                year.size() == 4 ? DigitsAt(year, 0, 4) : -1);
    } else {
        return;
    }
    heard_ = true;
    if (fixed_ && receiverUtc)
        reading_ = ClockReading{*receiverUtc, computerUtc};
}
