#include "link/live_view.h"

#include "core/text_scan.h"
#include "link/field_numbers.h"

#include <cstdio>
#include <ctime>

namespace {
const char* const kDegreeSign = "°";

std::string WithDegreeSign(std::string value, std::size_t degreeDigits, const std::string& hemisphere)
{
    value.insert(std::min(degreeDigits, value.size()), kDegreeSign);
    return value + " " + hemisphere;
}

std::string ModeText(const std::string& field)
{
    switch (LeadingInteger(field)) {
    case 2:
        return "2D";
    case 3:
        return "3D";
    default:
        return "No Fix";
    }
}

// Characters [first, first + count) of a field, counted from 0; shorter when the field is.
std::string Part(const std::string& field, std::size_t first, std::size_t count)
{
    return first < field.size() ? field.substr(first, count) : std::string();
}

// The C libraries of POSIX and Windows name these two differently.
bool UtcToLocal(std::tm utc, std::tm& local)
{
#ifdef _WIN32
    const std::time_t when = _mkgmtime(&utc);
    return when != -1 && localtime_s(&local, &when) == 0;
#else
    const std::time_t when = timegm(&utc);
    return localtime_r(&when, &local) != nullptr;
#endif
}

// RMC's UTC date and time in the machine's time zone; both kept when a number is missing.
void UpdateDateTime(const std::string& timeField, const std::string& dateField, LiveFix& fix)
{
    const std::string numbers[] = {Part(timeField, 0, 2), Part(timeField, 2, 2), Part(timeField, 4, 2),
                                   Part(dateField, 0, 2), Part(dateField, 2, 2), Part(dateField, 4, 2)};
    for (const auto& number : numbers)
        if (!IsDigits(number))
            return;
    std::tm utc{};
    utc.tm_hour = std::stoi(numbers[0]);
    utc.tm_min = std::stoi(numbers[1]);
    utc.tm_sec = std::stoi(numbers[2]);
    utc.tm_mday = std::stoi(numbers[3]);
    utc.tm_mon = std::stoi(numbers[4]) - 1;
    utc.tm_year = 2000 + std::stoi(numbers[5]) - 1900;
    std::tm local{};
    if (!UtcToLocal(utc, local))
        return;

    char text[64];
    std::snprintf(text, sizeof text, "%4d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    fix.Date = text;
    const std::string fraction = Part(timeField, 6, 4);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d%4s", local.tm_hour, local.tm_min, local.tm_sec, fraction.c_str());
    fix.Time = text;
}
} // namespace

std::string LatitudeText(const std::string& value, const std::string& hemisphere)
{
    return WithDegreeSign(value, 2, hemisphere);
}

std::string LongitudeText(const std::string& value, const std::string& hemisphere)
{
    return WithDegreeSign(value, 3, hemisphere);
}

std::string KnotsToKmhText(double knots, char decimalSeparator)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", knots * 1.852);
    std::string number(text);
    for (char& c : number)
        if (c == '.')
            c = decimalSeparator;
    return number.substr(0, 5) + " km/h";
}

void ParseGga(const IncomingSentence& sentence, LiveFix& fix)
{
    fix.Latitude = LatitudeText(sentence.field(2), sentence.field(3));
    fix.Longitude = LongitudeText(sentence.field(4), sentence.field(5));
    fix.Hdop = sentence.field(8);
}

void ParseGll(const IncomingSentence& sentence, LiveFix& fix)
{
    fix.Latitude = LatitudeText(sentence.field(1), sentence.field(2));
    fix.Longitude = LongitudeText(sentence.field(3), sentence.field(4));
}

void ParseGsa(const IncomingSentence& sentence, LiveFix& fix, SatelliteTable& satellites, DeviceLinkState& link)
{
    fix.Mode = ModeText(sentence.field(2));
    for (int i = 0; i < SatelliteTable::kUsedSlots; ++i)
        satellites.UsedPrn[i] = sentence.field(3 + i);
    fix.Pdop = sentence.field(15);
    fix.Hdop = sentence.field(16);
    fix.Vdop = sentence.field(17);
    if (fix.Mode != "3D" && link.TtffCount < kTtffLimit)
        ++link.TtffCount;
}

void ParseGsv(const IncomingSentence& sentence, SatelliteTable& satellites)
{
    for (int group = 4; group <= 16; group += 4) {
        const int prn = LeadingInteger(sentence.field(group));
        // The table has no room for numbers beyond its slots; such satellites are not shown.
        if (prn <= 0 || prn >= SatelliteTable::kSlots)
            continue;
        satellites.Prn[prn] = sentence.field(group);
        satellites.Elevation[prn] = sentence.field(group + 1);
        satellites.Azimuth[prn] = sentence.field(group + 2);
        satellites.Snr[prn] = sentence.field(group + 3);
    }
    if (LeadingInteger(sentence.field(2)) == LeadingInteger(sentence.field(1)))
        satellites.RedrawPending = true;
}

void ParseRmc(const IncomingSentence& sentence, LiveFix& fix, char decimalSeparator)
{
    fix.Latitude = LatitudeText(sentence.field(3), sentence.field(4));
    fix.Longitude = LongitudeText(sentence.field(5), sentence.field(6));
    fix.Speed = KnotsToKmhText(LeadingDecimal(sentence.field(7)), decimalSeparator);
    UpdateDateTime(sentence.field(1), sentence.field(9), fix);
}

void ParseVtg(const IncomingSentence& sentence, LiveFix& fix)
{
    fix.Speed = sentence.field(7) + " km/h";
}

LiveViewUpdate UpdateLiveView(const std::string& sentenceText, SentenceMemo& memo, const LiveFix& fix,
                              int32_t ttffCount, SatelliteTable& satellites)
{
    LiveViewUpdate update;
    update.memoCleared = memo.add(sentenceText);
    update.labeledEdits = {fix.Date,     fix.Time,      fix.Mode,  std::to_string(ttffCount),
                           fix.Latitude, fix.Longitude, fix.Speed, fix.Pdop,
                           fix.Vdop,     fix.Hdop};
    if (satellites.RedrawPending)
        update.charts = DrawSatellites(satellites);
    return update;
}
