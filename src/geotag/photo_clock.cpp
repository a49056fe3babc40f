#include "geotag/photo_clock.h"

#include "core/number_text.h"

#include <ctime>
#include <string>
#include <vector>

namespace {
// Whole numbers of exactly the given digit counts, joined by the separators
// given (one per join) or by nothing when there are none.
bool ReadFields(std::string_view text, const std::vector<int>& widths, std::string_view separators,
                std::vector<int>& values)
{
    std::size_t position = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (i > 0 && !separators.empty()) {
            if (position >= text.size() || text[position] != separators[i - 1])
                return false;
            ++position;
        }
        const auto width = static_cast<std::size_t>(widths[i]);
        if (position + width > text.size())
            return false;
        const auto value = ParseInteger(text.substr(position, width));
        if (!value || *value < 0 || text[position] == '-' || text[position] == '+')
            return false;
        values.push_back(static_cast<int>(*value));
        position += width;
    }
    return position == text.size();
}

// The sign, then the rest.
std::optional<std::pair<int, std::string_view>> Signed(std::string_view text)
{
    if (text.empty() || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    return std::make_pair(text[0] == '-' ? -1 : 1, text.substr(1));
}
} // namespace

int ComputerZoneOffset(const CivilTime& local)
{
    std::tm parts{};
    parts.tm_year = static_cast<int>(local.year - 1900);
    parts.tm_mon = static_cast<int>(local.month - 1);
    parts.tm_mday = static_cast<int>(local.day);
    parts.tm_hour = static_cast<int>(local.hour);
    parts.tm_min = static_cast<int>(local.minute);
    parts.tm_sec = static_cast<int>(local.second);
    parts.tm_isdst = -1; // the rules decide whether summer time was in force
    const std::time_t utc = std::mktime(&parts);
    if (utc == static_cast<std::time_t>(-1))
        return 0;
    return static_cast<int>(SecondsFromCivilTime(local) - static_cast<std::int64_t>(utc));
}

std::int64_t PhotoUtcMilliseconds(const PhotoClock& clock, const ClockSettings& settings)
{
    const int offset = clock.offsetSeconds    ? *clock.offsetSeconds
                       : settings.zoneSeconds ? *settings.zoneSeconds
                                              : settings.computerZone(clock.local);
    return (SecondsFromCivilTime(clock.local) - offset) * 1000 + clock.milliseconds + settings.correctionMilliseconds;
}

std::int64_t SyncCorrectionMilliseconds(const PhotoClock& clockPhoto, std::int64_t trueUtcMilliseconds,
                                        const ClockSettings& settings)
{
    ClockSettings uncorrected = settings;
    uncorrected.correctionMilliseconds = 0;
    return trueUtcMilliseconds - PhotoUtcMilliseconds(clockPhoto, uncorrected);
}

std::optional<CivilTime> ParseExifDateTime(std::string_view text)
{
    // Cameras pad the value with a NUL or blanks.
    while (!text.empty() && (text.back() == '\0' || text.back() == ' '))
        text.remove_suffix(1);
    std::vector<int> values;
    if (!ReadFields(text, {4, 2, 2, 2, 2, 2}, ":: ::", values))
        return std::nullopt;
    const CivilTime time{values[0], values[1], values[2], values[3], values[4], values[5]};
    if (time.year == 0 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 ||
        time.minute > 59 || time.second > 60)
        return std::nullopt;
    return time;
}

int SubSecondMilliseconds(std::string_view text)
{
    int milliseconds = 0;
    int scale = 100;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        milliseconds += (c - '0') * scale;
        scale /= 10;
        if (scale == 0)
            break;
    }
    return milliseconds;
}

std::optional<int> ParseZoneOffset(std::string_view text)
{
    if (text == "Z")
        return 0;
    const auto sign = Signed(text);
    if (!sign)
        return std::nullopt;
    std::string digits(sign->second);
    if (digits.size() == 5 && digits[2] == ':')
        digits.erase(2, 1);
    std::vector<int> values;
    if (!ReadFields(digits, {2, 2}, "", values) || values[0] > 14 || values[1] > 59)
        return std::nullopt;
    return sign->first * (values[0] * 3600 + values[1] * 60);
}

std::optional<std::int64_t> ParseClockCorrection(std::string_view text)
{
    const auto sign = Signed(text);
    const std::string_view rest = sign ? sign->second : text;
    std::vector<long long> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = rest.find(':', start);
        const std::string_view part = rest.substr(start, colon == std::string_view::npos ? colon : colon - start);
        const auto value = ParseInteger(part);
        if (part.empty() || part.size() > 2 || !value || part[0] == '-' || part[0] == '+')
            return std::nullopt;
        parts.push_back(*value);
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 3 || parts.back() > 59 || (parts.size() == 3 && parts[1] > 59))
        return std::nullopt;
    long long seconds = 0;
    for (const long long part : parts)
        seconds = seconds * 60 + part;
    return (sign ? sign->first : 1) * seconds * 1000;
}

std::string ZoneOffsetText(int seconds)
{
    std::string text(seconds < 0 ? "-" : "+");
    const int minutes = (seconds < 0 ? -seconds : seconds) / 60;
    AppendInteger(text, minutes / 60, 2);
    text += ':';
    AppendInteger(text, minutes % 60, 2);
    return text;
}
