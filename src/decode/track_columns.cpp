#include "decode/track_columns.h"

#include "decode/civil_time.h"
#include "core/number_text.h"

#include <array>
#include <cmath>

using namespace fieldbit;

namespace {
template <typename T>
T ValueOf(const std::optional<T>& field)
{
    return field.value_or(T{});
}

void AppendRcr(std::string& text, const TrackRecord& record)
{
    static constexpr std::string_view kLetters = "TSDB";
    for (std::size_t bit = 0; bit < kLetters.size(); ++bit)
        if (ValueOf(record.rcr) & (1u << bit))
            text += kLetters[bit];
}

void AppendDate(std::string& text, const TrackRecord& record)
{
    const CivilTime time = CivilTimeFromSeconds(ValueOf(record.utc));
    AppendInteger(text, time.year, 4);
    text += '/';
    AppendInteger(text, time.month, 2);
    text += '/';
    AppendInteger(text, time.day, 2);
}

void AppendTime(std::string& text, const TrackRecord& record)
{
    const CivilTime time = CivilTimeFromSeconds(ValueOf(record.utc));
    AppendInteger(text, time.hour, 2);
    text += ':';
    AppendInteger(text, time.minute, 2);
    text += ':';
    AppendInteger(text, time.second, 2);
    if (record.millisecond) {
        text += '.';
        AppendInteger(text, *record.millisecond, 3);
    }
}

void AppendValid(std::string& text, const TrackRecord& record)
{
    text += FixModeText(ValueOf(record.valid));
}

void AppendLatitude(std::string& text, const TrackRecord& record)
{
    AppendFixed(text, std::fabs(ValueOf(record.latitude)), 6);
}

void AppendNorthSouth(std::string& text, const TrackRecord& record)
{
    text += ValueOf(record.latitude) >= 0 ? 'N' : 'S';
}

void AppendLongitude(std::string& text, const TrackRecord& record)
{
    AppendFixed(text, std::fabs(ValueOf(record.longitude)), 6);
}

void AppendEastWest(std::string& text, const TrackRecord& record)
{
    text += ValueOf(record.longitude) >= 0 ? 'E' : 'W';
}

void AppendHeight(std::string& text, const TrackRecord& record)
{
    AppendFixed(text, ValueOf(record.height), 3, 4);
    text += " m";
}

void AppendSpeed(std::string& text, const TrackRecord& record)
{
    AppendFixed(text, ValueOf(record.speed), 3, 3);
    text += " km/h";
}

void AppendHeading(std::string& text, const TrackRecord& record)
{
    AppendFixed(text, ValueOf(record.heading), 6);
}

void AppendDsta(std::string& text, const TrackRecord& record)
{
    AppendInteger(text, ValueOf(record.dsta));
}

void AppendDage(std::string& text, const TrackRecord& record)
{
    AppendFixed(text, ValueOf(record.dage), 6);
}

// Dilutions are kept in hundredths: 105 reads 1.05.
void AppendHundredths(std::string& text, std::uint16_t value)
{
    AppendInteger(text, value / 100);
    text += '.';
    AppendInteger(text, value % 100, 2);
}

void AppendPdop(std::string& text, const TrackRecord& record)
{
    AppendHundredths(text, ValueOf(record.pdop));
}

void AppendHdop(std::string& text, const TrackRecord& record)
{
    AppendHundredths(text, ValueOf(record.hdop));
}

void AppendVdop(std::string& text, const TrackRecord& record)
{
    AppendHundredths(text, ValueOf(record.vdop));
}

void AppendNsat(std::string& text, const TrackRecord& record)
{
    const SatelliteCounts counts = ValueOf(record.satelliteCounts);
    AppendInteger(text, counts.inUse);
    text += '(';
    AppendInteger(text, counts.inView);
    text += ')';
}

void AppendSatellites(std::string& text, const TrackRecord& record)
{
    text += SatelliteText(record);
}

void AppendDistance(std::string& text, const TrackRecord& record)
{
    AppendFixed(text, ValueOf(record.distance), 2, 10);
    text += " m";
}

struct ColumnKind {
    std::uint32_t bit;
    std::string_view header; // the SAT INFO header depends on the mask
    int width;
    void (*append)(std::string&, const TrackRecord&);
};

constexpr std::array<ColumnKind, 19> kColumns = {{
    {kRcr, header::kRcr, 35, AppendRcr},
    {kUtc, header::kDate, 0, AppendDate},
    {kUtc, header::kTime, 0, AppendTime},
    {kValid, header::kValid, 0, AppendValid},
    {kLatitude, header::kLatitude, 0, AppendLatitude},
    {kLatitude, "N/S", 30, AppendNorthSouth},
    {kLongitude, header::kLongitude, 0, AppendLongitude},
    {kLongitude, "E/W", 30, AppendEastWest},
    {kHeight, header::kHeight, 0, AppendHeight},
    {kSpeed, header::kSpeed, 0, AppendSpeed},
    {kHeading, header::kHeading, 0, AppendHeading},
    {kDsta, "DSTA", 0, AppendDsta},
    {kDage, "DAGE", 0, AppendDage},
    {kPdop, header::kPdop, 0, AppendPdop},
    {kHdop, header::kHdop, 0, AppendHdop},
    {kVdop, header::kVdop, 0, AppendVdop},
    {kNsat, header::kNsat, 0, AppendNsat},
    {kSid, {}, 0, AppendSatellites},
    {kDistance, "DISTANCE", 0, AppendDistance},
}};

std::string SatInfoHeader(std::uint32_t mask)
{
    std::string header = "SAT INFO (SID";
    if (mask & kElevation)
        header += "-ELE";
    if (mask & kAzimuth)
        header += "-AZI";
    if (mask & kSnr)
        header += "-SNR";
    return header + ")";
}

void AppendSatelliteBlock(std::string& text, const SatelliteBlock& block, std::uint32_t mask)
{
    if (block.inUse)
        text += '#';
    AppendInteger(text, block.id, 2);
    const std::pair<std::uint32_t, int> parts[] = {
        {kElevation, block.elevation}, {kAzimuth, block.azimuth}, {kSnr, block.snr}};
    for (const auto& [bit, value] : parts) {
        if (mask & bit) {
            text += '-';
            AppendInteger(text, value, 2);
        }
    }
}
} // namespace

std::vector<TrackColumn> TrackColumnsFor(std::uint32_t mask)
{
    std::vector<TrackColumn> columns{{"INDEX", 0}};
    for (const ColumnKind& kind : kColumns)
        if (mask & kind.bit)
            columns.push_back({kind.bit == kSid ? SatInfoHeader(mask) : std::string(kind.header), kind.width});
    return columns;
}

std::vector<std::string> TrackRowTexts(const TrackRecord& record, int index)
{
    std::vector<std::string> texts(1);
    texts.reserve(kColumns.size() + 1);
    AppendInteger(texts[0], index);
    for (const ColumnKind& kind : kColumns) {
        if (record.mask & kind.bit) {
            texts.emplace_back();
            kind.append(texts.back(), record);
        }
    }
    return texts;
}

std::string_view FixModeText(std::uint16_t valid)
{
    for (std::size_t bit = 0; bit < kFixModes.size(); ++bit)
        if (valid & (1u << bit))
            return kFixModes[bit];
    return {};
}

std::string SatelliteText(const TrackRecord& record)
{
    std::string text;
    int counted = 0;
    for (const SatelliteBlock& block : record.satellites) {
        if (block.count == SatelliteBlock::kNoSatelliteData)
            break;
        if (block.count == SatelliteBlock::kNoSatellite) {
            text += "00";
            for (std::uint32_t bit : {kElevation, kAzimuth, kSnr})
                if (record.mask & bit)
                    text += "-00";
            break;
        }
        AppendSatelliteBlock(text, block, record.mask);
        if (++counted == block.count)
            break;
        text += ';';
    }
    return text;
}
