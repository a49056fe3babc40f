#include "filter_options.h"

#include "core/number_text.h"
#include "export/iso_time.h"

#include <array>
#include <string_view>
#include <utility>

namespace {
// The VALID texts by the names the command line gives them, with their kFixModes index.
constexpr std::array<std::pair<std::string_view, int>, 8> kFixKindNames = {{
    {"sps", 1},
    {"dgps", 2},
    {"pps", 3},
    {"rtk", 4},
    {"frtk", 5},
    {"estimated", 6},
    {"manual", 7},
    {"simulator", 8},
}};

constexpr int kMostSatellites = 99;

std::optional<unsigned> FixKinds(std::string_view list)
{
    if (list == "any")
        return AnyFixKinds();
    unsigned kinds = 0;
    while (true) {
        const std::string_view name = list.substr(0, list.find(','));
        bool known = false;
        for (const auto& [kindName, index] : kFixKindNames)
            if (name == kindName) {
                kinds |= 1u << index;
                known = true;
            }
        if (!known)
            return std::nullopt;
        if (name.size() == list.size())
            return kinds;
        list.remove_prefix(name.size() + 1);
    }
}

std::optional<double> NotNegative(const std::string& text)
{
    const auto value = ParseDecimal(text);
    return value && *value >= 0 ? value : std::nullopt;
}

std::optional<TrackSplit> SplitOf(const std::string& text)
{
    TrackSplit split;
    if (text == "day") {
        split.kind = SplitKind::Day;
        return split;
    }
    constexpr std::string_view kGap = "gap=";
    if (text.compare(0, kGap.size(), kGap) != 0)
        return std::nullopt;
    const auto minutes = ParseInteger(std::string_view(text).substr(kGap.size()));
    if (!minutes || *minutes < 1 || *minutes > 100000)
        return std::nullopt;
    split.kind = SplitKind::Gap;
    split.gapMinutes = static_cast<int>(*minutes);
    return split;
}

std::string Refusal(const std::string& option, const std::string& takes, const std::string& value)
{
    return option + " takes " + takes + ", not '" + value + "'";
}
} // namespace

bool IsFilterOption(const std::string& argument)
{
    for (const char* option : {"--fix", "--max-hdop", "--max-pdop", "--min-sats", "--from", "--to", "--max-speed",
                               "--split", "--split-into"})
        if (argument == option)
            return true;
    return false;
}

std::optional<std::string> TakeFilterOption(const std::string& option, const std::string& value, FilterOptions& options)
{
    RowFilter& rows = options.filter.rows;
    if (option == "--fix") {
        rows.fixKinds = FixKinds(value);
        if (!rows.fixKinds)
            return Refusal(option,
                           "any, or fix kinds joined by commas (sps, dgps, pps, rtk, frtk, estimated, "
                           "manual, simulator)",
                           value);
    } else if (option == "--max-hdop" || option == "--max-pdop") {
        std::optional<double>& limit = option == "--max-hdop" ? rows.maxHdop : rows.maxPdop;
        limit = NotNegative(value);
        if (!limit)
            return Refusal(option, "a number of 0 or more", value);
    } else if (option == "--min-sats") {
        const auto count = ParseInteger(value);
        if (!count || *count < 0 || *count > kMostSatellites)
            return Refusal(option, "a whole number from 0 to " + std::to_string(kMostSatellites), value);
        rows.minSatellites = static_cast<int>(*count);
    } else if (option == "--from" || option == "--to") {
        // A day given alone to --to runs to its end.
        const bool from = option == "--from";
        std::optional<std::int64_t>& end = from ? rows.fromUtc : rows.toUtc;
        end = ParseIsoTime(value, from ? DateAlone::StartOfDay : DateAlone::EndOfDay);
        if (!end)
            return Refusal(option, "a time in ISO 8601 (2008-05-04, 2008-05-04T12:30:00Z)", value);
    } else if (option == "--max-speed") {
        rows.maxSpeedKmh = NotNegative(value);
        if (!rows.maxSpeedKmh || *rows.maxSpeedKmh == 0)
            return Refusal(option, "a speed in km/h above 0", value);
    } else if (option == "--split") {
        const auto split = SplitOf(value);
        if (!split)
            return Refusal(option, "day or gap=MINUTES", value);
        options.filter.split.kind = split->kind;
        options.filter.split.gapMinutes = split->gapMinutes;
    } else {
        if (value != "files" && value != "tracks")
            return Refusal(option, "files or tracks", value);
        options.filter.split.intoTracks = value == "tracks";
        options.splitIntoGiven = true;
    }
    return std::nullopt;
}

std::optional<std::string> FilterOptionsConflict(const FilterOptions& options)
{
    const RowFilter& rows = options.filter.rows;
    if (options.splitIntoGiven && options.filter.split.kind == SplitKind::None)
        return "--split-into needs --split";
    if (rows.fromUtc && rows.toUtc && *rows.fromUtc > *rows.toUtc)
        return "--from is later than --to: no row could be kept";
    return std::nullopt;
}
