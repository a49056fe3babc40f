#include "decode/civil_time.h"

#include <chrono>

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

// Days since 1970-01-01 of a date with month 1-12 (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day)
{
    year -= month <= 2;
    const std::int64_t era = FloorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}
} // namespace

CivilTime CivilTimeFromSeconds(std::int64_t seconds)
{
    const std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
    const std::int64_t secondOfDay = seconds - days * kSecondsPerDay;

    const std::int64_t shifted = days + 719468;
    const std::int64_t era = FloorDivide(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153; // 0 is March

    CivilTime time;
    time.day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    time.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    time.year = yearOfEra + era * 400 + (time.month <= 2);
    time.hour = secondOfDay / 3600;
    time.minute = secondOfDay / 60 % 60;
    time.second = secondOfDay % 60;
    return time;
}

std::int64_t SecondsFromCivilTime(const CivilTime& time)
{
    const std::int64_t monthsFromYear = FloorDivide(time.month - 1, 12);
    const std::int64_t year = time.year + monthsFromYear;
    const std::int64_t month = time.month - 1 - monthsFromYear * 12 + 1;
    const std::int64_t days = DaysFromCivil(year, month, 1) + time.day - 1;
    return days * kSecondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
}

std::int64_t NowUtcSeconds()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(now).count();
}
