#include "export/iso_time.h"

#include "core/number_text.h"

#include <cctype>

namespace {
constexpr std::int64_t kDayMilliseconds = 86400 * 1000LL;

class IsoReader {
public:
    explicit IsoReader(std::string_view text) : text_(text) {}

    // Exactly `digits` decimal digits.
    bool number(int digits, std::int64_t& value)
    {
        if (text_.size() - position_ < static_cast<std::size_t>(digits))
            return false;
        value = 0;
        for (int i = 0; i < digits; ++i) {
            const char c = text_[position_ + i];
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return false;
            value = value * 10 + (c - '0');
        }
        position_ += digits;
        return true;
    }
    bool take(char c)
    {
        if (atEnd() || text_[position_] != c)
            return false;
        ++position_;
        return true;
    }
    bool takeAny(std::string_view choices, char& taken)
    {
        if (atEnd() || choices.find(text_[position_]) == std::string_view::npos)
            return false;
        taken = text_[position_++];
        return true;
    }
    // The digits of a fraction of a second as milliseconds; digits past the third are dropped.
    bool fraction(std::int64_t& milliseconds)
    {
        milliseconds = 0;
        int digits = 0;
        for (; !atEnd() && std::isdigit(static_cast<unsigned char>(text_[position_])); ++position_, ++digits)
            if (digits < 3)
                milliseconds = milliseconds * 10 + (text_[position_] - '0');
        for (int scale = digits; scale < 3; ++scale)
            milliseconds *= 10;
        return digits > 0;
    }
    bool atEnd() const { return position_ == text_.size(); }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

bool IsRealDay(const CivilTime& date)
{
    if (date.month < 1 || date.month > 12 || date.day < 1)
        return false;
    // The calendar carries a day past the month's end into the next month.
    const CivilTime same = CivilTimeFromSeconds(SecondsFromCivilTime(date));
    return same.month == date.month && same.day == date.day;
}

// "Z", "+hh:mm", "-hhmm" or "+hh": minutes east of UTC.
bool ReadZone(IsoReader& reader, std::int64_t& eastMinutes)
{
    eastMinutes = 0;
    if (reader.atEnd() || reader.take('Z'))
        return true;
    char sign = 0;
    std::int64_t hours = 0, minutes = 0;
    if (!reader.takeAny("+-", sign) || !reader.number(2, hours) || hours > 14)
        return false;
    if (!reader.atEnd()) {
        reader.take(':');
        if (!reader.number(2, minutes) || minutes > 59)
            return false;
    }
    eastMinutes = (sign == '-' ? -1 : 1) * (hours * 60 + minutes);
    return true;
}
} // namespace

void AppendIsoTime(std::string& out, const CivilTime& time, std::optional<int> milliseconds)
{
    AppendInteger(out, time.year, 4);
    out += '-';
    AppendInteger(out, time.month, 2);
    out += '-';
    AppendInteger(out, time.day, 2);
    out += 'T';
    AppendInteger(out, time.hour, 2);
    out += ':';
    AppendInteger(out, time.minute, 2);
    out += ':';
    AppendInteger(out, time.second, 2);
    if (milliseconds) {
        out += '.';
        AppendInteger(out, *milliseconds, 3);
    }
    out += 'Z';
}

std::string IsoTimeText(std::int64_t utcMilliseconds)
{
    std::int64_t seconds = utcMilliseconds / 1000;
    int milliseconds = static_cast<int>(utcMilliseconds % 1000);
    if (milliseconds < 0) {
        milliseconds += 1000;
        --seconds;
    }
    std::string text;
    AppendIsoTime(text, CivilTimeFromSeconds(seconds), milliseconds ? std::optional<int>(milliseconds) : std::nullopt);
    return text;
}

std::optional<std::int64_t> ParseIsoTime(std::string_view text, DateAlone dateAlone)
{
    IsoReader reader(text);
    CivilTime time;
    if (!reader.number(4, time.year) || !reader.take('-') || !reader.number(2, time.month) || !reader.take('-') ||
        !reader.number(2, time.day) || !IsRealDay(time))
        return std::nullopt;
    if (reader.atEnd()) {
        const std::int64_t start = SecondsFromCivilTime(time) * 1000;
        return dateAlone == DateAlone::StartOfDay ? start : start + kDayMilliseconds - 1;
    }
    char separator = 0;
    if (!reader.takeAny("T ", separator) || !reader.number(2, time.hour) || time.hour > 23 || !reader.take(':') ||
        !reader.number(2, time.minute) || time.minute > 59)
        return std::nullopt;
    std::int64_t milliseconds = 0;
    if (reader.take(':')) {
        if (!reader.number(2, time.second) || time.second > 59)
            return std::nullopt;
        if ((reader.take('.') || reader.take(',')) && !reader.fraction(milliseconds))
            return std::nullopt;
    }
    std::int64_t eastMinutes = 0;
    if (!ReadZone(reader, eastMinutes) || !reader.atEnd())
        return std::nullopt;
    return (SecondsFromCivilTime(time) - eastMinutes * 60) * 1000 + milliseconds;
}
