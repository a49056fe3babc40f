#include "export/row_filter.h"

#include "core/number_text.h"
#include "core/text_scan.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/cell_values.h"
#include "export/export_columns.h"
#include "export/geodesy.h"
#include "export/row_utc.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// The filters by name, with the columns each reads, in the order they look at a row.
struct FilterColumns {
    RowFilterKind kind;
    const char* name;
    std::vector<std::string_view> headers;
};

const FilterColumns kFilterColumns[] = {
    {RowFilterKind::Fix, "fix filter", {header::kValid}},
    {RowFilterKind::Hdop, "HDOP filter", {header::kHdop}},
    {RowFilterKind::Pdop, "PDOP filter", {header::kPdop}},
    {RowFilterKind::Satellites, "satellite filter", {header::kNsat}},
    {RowFilterKind::Time, "time filter", {header::kDate, header::kTime}},
    {RowFilterKind::Jump, "jump filter", {header::kLatitude, header::kLongitude, header::kDate, header::kTime}},
};

std::size_t IndexOf(RowFilterKind kind)
{
    return static_cast<std::size_t>(kind);
}

// Where and when a row was, for the speed of the leg to the next one.
struct TimedPlace {
    Ecef place;
    std::int64_t utcMilliseconds = 0;
};

std::optional<std::int64_t> RowMilliseconds(const TrackTable& table, const ExportColumns& columns, int row)
{
    const auto time = RowUtcTime(table, columns.date, row);
    return time ? std::optional<std::int64_t>(UtcMilliseconds(*time)) : std::nullopt;
}

std::optional<TimedPlace> RowPlace(const TrackTable& table, const ExportColumns& columns, int row)
{
    const auto cell = [&](int column) -> const std::string& { return table.cell(column, row); };
    const auto latitude = SignedDegrees(cell(columns.latitude), cell(columns.latitude + 1), "N");
    const auto longitude = SignedDegrees(cell(columns.longitude), cell(columns.longitude + 1), "E");
    const auto time = RowMilliseconds(table, columns, row);
    if (!latitude || !longitude || !time)
        return std::nullopt;
    const double phi = DegreesToRadians(*latitude), lambda = DegreesToRadians(*longitude);
    return TimedPlace{{EcefX(0, lambda, phi), EcefY(0, lambda, phi), EcefZ(0, lambda, phi)}, *time};
}

bool AtMost(const std::string& cell, double limit)
{
    double value = 0;
    return TextScanner(cell).decimal(value) && value <= limit;
}

bool HasFixKind(const std::string& valid, unsigned kinds)
{
    const auto found = std::find(kFixModes.begin(), kFixModes.end(), valid);
    return found != kFixModes.end() && (kinds >> (found - kFixModes.begin()) & 1u);
}

bool HasSatellites(const std::string& cell, int minimum)
{
    int inUse = 0, inView = 0;
    return ReadSatelliteCounts(cell, inUse, inView) && inUse >= minimum;
}

// Same place at the same moment is no jump; another place at that moment is.
bool WithinSpeed(const TimedPlace& from, const TimedPlace& to, double maxKmh)
{
    const double metres = EcefDistance(from.place, to.place.x, to.place.y, to.place.z);
    const double seconds = std::fabs(static_cast<double>(to.utcMilliseconds - from.utcMilliseconds)) / 1000;
    return metres <= maxKmh / 3.6 * seconds;
}

class RowJudge {
public:
    RowJudge(const TrackTable& table, const RowFilter& filter)
        : table_(table), filter_(filter), columns_(LookUpExportColumns(table))
    {
    }

    // The first filter that leaves the row out; nothing when it stays.
    std::optional<RowFilterKind> judge(int row)
    {
        for (const FilterColumns& each : kFilterColumns)
            if (filter_.asks(each.kind) && !passes(each.kind, row))
                return each.kind;
        return std::nullopt;
    }

private:
    bool passes(RowFilterKind kind, int row)
    {
        const auto cell = [&](int column) -> const std::string& { return table_.cell(column, row); };
        switch (kind) {
        case RowFilterKind::Time: {
            const auto time = RowMilliseconds(table_, columns_, row);
            return time && *time >= filter_.fromUtc.value_or(*time) && *time <= filter_.toUtc.value_or(*time);
        }
        case RowFilterKind::Fix:
            return HasFixKind(cell(columns_.valid), *filter_.fixKinds);
        case RowFilterKind::Hdop:
            return AtMost(cell(columns_.hdop), *filter_.maxHdop);
        case RowFilterKind::Pdop:
            return AtMost(cell(columns_.pdop), *filter_.maxPdop);
        case RowFilterKind::Satellites:
            return HasSatellites(cell(columns_.nsat), *filter_.minSatellites);
        case RowFilterKind::Jump:
            return passesJump(row);
        }
        return true;
    }

    // The last point kept moves only when a row passes every filter, which
    // the jump filter, looking last, is the one to know.
    bool passesJump(int row)
    {
        const auto fix = RowPlace(table_, columns_, row);
        if (!fix || (lastKept_ && !WithinSpeed(*lastKept_, *fix, *filter_.maxSpeedKmh)))
            return false;
        lastKept_ = fix;
        return true;
    }

    const TrackTable& table_;
    const RowFilter& filter_;
    const ExportColumns columns_;
    std::optional<TimedPlace> lastKept_;
};

std::string Limit(const char* before, double value, const char* after = "")
{
    return before + ShortestText(value) + after;
}

std::string ReasonOf(RowFilterKind kind, const RowFilter& filter)
{
    switch (kind) {
    case RowFilterKind::Time:
        return "outside the time range";
    case RowFilterKind::Fix:
        return *filter.fixKinds == AnyFixKinds() ? "without a fix" : "without the fix kinds asked for";
    case RowFilterKind::Hdop:
        return Limit("HDOP over ", *filter.maxHdop);
    case RowFilterKind::Pdop:
        return Limit("PDOP over ", *filter.maxPdop);
    case RowFilterKind::Satellites:
        return "fewer than " + std::to_string(*filter.minSatellites) + " satellites in use";
    case RowFilterKind::Jump:
        return Limit("reached faster than ", *filter.maxSpeedKmh, " km/h");
    }
    return {};
}
} // namespace

bool RowFilter::asks(RowFilterKind kind) const
{
    switch (kind) {
    case RowFilterKind::Time:
        return fromUtc || toUtc;
    case RowFilterKind::Fix:
        return fixKinds.has_value();
    case RowFilterKind::Hdop:
        return maxHdop.has_value();
    case RowFilterKind::Pdop:
        return maxPdop.has_value();
    case RowFilterKind::Satellites:
        return minSatellites.has_value();
    case RowFilterKind::Jump:
        return maxSpeedKmh.has_value();
    }
    return false;
}

bool RowFilter::any() const
{
    return std::any_of(std::begin(kFilterColumns), std::end(kFilterColumns),
                       [&](const FilterColumns& each) { return asks(each.kind); });
}

unsigned AnyFixKinds()
{
    return ((1u << kFixModes.size()) - 1) & ~1u;
}

std::vector<int> RowSelection::keptRows() const
{
    std::vector<int> rows;
    for (int row = 1; row < static_cast<int>(kept.size()); ++row)
        if (kept[row])
            rows.push_back(row);
    return rows;
}

int RowSelection::leftOutCount() const
{
    return std::accumulate(leftOut.begin(), leftOut.end(), 0);
}

std::optional<std::string> MissingFilterColumn(const TrackTable& table, const RowFilter& filter)
{
    for (const FilterColumns& each : kFilterColumns)
        for (const std::string_view header : each.headers)
            if (filter.asks(each.kind) && table.findColumn(header) < 0)
                return "The " + std::string(each.name) + " needs the column '" + std::string(header) +
                       "', which the table does not have.";
    return std::nullopt;
}

RowSelection SelectRows(const TrackTable& table, const RowFilter& filter)
{
    RowSelection selection;
    selection.kept.assign(static_cast<std::size_t>(std::max(table.rowCount(), 1)), false);
    RowJudge judge(table, filter);
    for (int row = 1; row < table.rowCount(); ++row) {
        ++selection.rows;
        if (const auto leftOutBy = judge.judge(row))
            ++selection.leftOut[IndexOf(*leftOutBy)];
        else
            selection.kept[row] = true;
    }
    return selection;
}

std::string LeftOutText(const RowSelection& selection, const RowFilter& filter)
{
    std::string text = "Rows left out by the filters: " + std::to_string(selection.leftOutCount()) + " of " +
                       std::to_string(selection.rows) + " (";
    const char* separator = "";
    for (const FilterColumns& each : kFilterColumns) {
        if (!filter.asks(each.kind))
            continue;
        text += separator + ReasonOf(each.kind, filter) + ": " + std::to_string(selection.leftOut[IndexOf(each.kind)]);
        separator = ", ";
    }
    return text + ").";
}
