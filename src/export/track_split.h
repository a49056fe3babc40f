// How a save splits the rows it writes into parts: one per day, or a new one
// after a gap in time, each a file of its own or a track of one GPX file.
#pragma once

#include <optional>
#include <string>
#include <vector>

class TrackTable;

enum class SplitKind { None, Day, Gap };

struct TrackSplit {
    SplitKind kind = SplitKind::None;
    int gapMinutes = 0;      // with Gap: more time than this between two rows starts a part
    bool intoTracks = false; // GPX: one file with a track per part instead of a file per part

    bool operator==(const TrackSplit&) const = default;
};

struct TrackPart {
    std::string name; // the day "2008-05-04", or the part's number "001"; empty without a split
    std::vector<int> rows;
};

// The column the split reads and the table does not have, said for the user.
std::optional<std::string> MissingSplitColumn(const TrackTable& table, const TrackSplit& split);

// The rows (table rows, in the order given) in parts. Days go by the DATE
// cells, so a table shifted to local time splits at the user's own midnight,
// and come in order of date; a row whose date or time cannot be read stays
// with the row before it. A new part begins after a gap, or where time runs
// backwards. Without a split, one part of every row; no rows, no part.
std::vector<TrackPart> SplitRows(const TrackTable& table, const std::vector<int>& rows, const TrackSplit& split);

// The file of a part, beside the output and named after it: "trip.gpx" and
// the part "2008-05-04" give "trip-2008-05-04.gpx".
std::string PartPath(const std::string& path, const std::string& partName);
