// A save through the filters and the split, the same from the window and the
// command line: which rows go to which file, and the writing of every file or
// of none. Without a filter and a split the writer runs on the table itself.
#pragma once

#include "export/row_filter.h"
#include "export/save_result.h"
#include "export/track_split.h"

#include <optional>
#include <string>
#include <vector>

class TrackTable;

// What the "Filter" dialog holds and convert's options give.
struct ExportFilter {
    RowFilter rows;
    TrackSplit split;

    bool active() const { return rows.any() || split.kind != SplitKind::None; }
    bool operator==(const ExportFilter&) const = default;
};

// One of the writers: CSV, KML, NMEA or GPX.
using TableWriter = SaveResult (*)(const std::string& path, const TrackTable& table);

struct SavePlan {
    std::string problem; // what stands in the way, for the user; empty when the save can go ahead
    RowFilter filter;
    RowSelection selection;
    std::vector<TrackPart> parts;
    std::vector<std::string> paths; // one per part, or one for the tracks of a GPX file
    bool intoTracks = false;
};

// Checks that the table has every column the filters and the split read, and
// that a split into tracks goes to a writer of tracks (GPX), then picks the rows.
SavePlan PlanFilteredSave(const std::string& path, const TrackTable& table, const ExportFilter& filter,
                          bool writesTracks);

// Writes the plan's files; the result's text says how it went in one message:
// each file's, then what each filter left out. The files replace their old
// ones together once every one is written whole; a failure leaves all of them
// as they were and says which file failed. Filters that leave no row write nothing.
SaveResult WriteFilteredSave(const SavePlan& plan, const TrackTable& table, TableWriter write);

// The rows the filters keep, as a table of their own, for the draw; nothing
// when the table lacks a column they read (MissingFilterColumn says which).
std::optional<TrackTable> FilteredRows(const TrackTable& table, const RowFilter& filter);

// The header and the given data rows of the table, as a table of their own
// for a writer; its dates and times keep what the table's were shifted by.
TrackTable TableOfRows(const TrackTable& table, const std::vector<int>& rows);
