#include "export/filtered_save.h"

#include "core/output_file.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/saved_message.h"

#include <algorithm>

namespace {
// The kept rows part after part, each part one track of its number.
TrackTable TracksOfParts(const TrackTable& table, const std::vector<TrackPart>& parts)
{
    std::vector<int> rows;
    for (const TrackPart& part : parts)
        rows.insert(rows.end(), part.rows.begin(), part.rows.end());
    TrackTable tracks = TableOfRows(table, rows);
    int column = tracks.findColumn(header::kTrack);
    if (column < 0) {
        column = tracks.usedColumnCount();
        tracks.setCell(column, 0, std::string(header::kTrack));
        tracks.setColumnCount(std::max(tracks.columnCount(), column + 1));
    }
    int row = 1;
    for (std::size_t part = 0; part < parts.size(); ++part)
        for (std::size_t i = 0; i < parts[part].rows.size(); ++i)
            tracks.setCell(column, row++, std::to_string(part + 1));
    return tracks;
}

// The writer's own words, and that the files written before it were not kept.
SaveResult FailedFile(SaveResult failed, std::size_t files)
{
    if (files > 1)
        failed.text += "\nNone of the " + std::to_string(files) + " files was saved.";
    return failed;
}

std::string NamesOf(const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& path : paths)
        names += (names.empty() ? "" : ", ") + path;
    return names.empty() ? "none" : names;
}
} // namespace

SavePlan PlanFilteredSave(const std::string& path, const TrackTable& table, const ExportFilter& filter,
                          bool writesTracks)
{
    SavePlan plan;
    plan.filter = filter.rows;
    plan.intoTracks = filter.split.intoTracks && filter.split.kind != SplitKind::None;
    if (const auto missing = MissingFilterColumn(table, filter.rows)) {
        plan.problem = *missing;
        return plan;
    }
    if (const auto missing = MissingSplitColumn(table, filter.split)) {
        plan.problem = *missing;
        return plan;
    }
    if (plan.intoTracks && !writesTracks) {
        plan.problem = "Only a GPX file keeps the parts of a split as tracks; other files are split into files.";
        return plan;
    }
    plan.selection = SelectRows(table, filter.rows);
    plan.parts = SplitRows(table, plan.selection.keptRows(), filter.split);
    if (plan.intoTracks || filter.split.kind == SplitKind::None) {
        if (!plan.parts.empty())
            plan.paths.push_back(path);
    } else {
        for (const TrackPart& part : plan.parts)
            plan.paths.push_back(PartPath(path, part.name));
    }
    return plan;
}

SaveResult WriteFilteredSave(const SavePlan& plan, const TrackTable& table, TableWriter write)
{
    const std::string leftOut = plan.filter.any() ? LeftOutText(plan.selection, plan.filter) : "";
    if (plan.paths.empty())
        return {SaveResult::Outcome::NoRowLeft,
                "Nothing was saved: no row is left to save." + (leftOut.empty() ? "" : "\n" + leftOut)};
    OutputBatch batch;
    SaveResult saved;
    for (std::size_t file = 0; file < plan.paths.size(); ++file) {
        const TrackTable rows =
            plan.intoTracks ? TracksOfParts(table, plan.parts) : TableOfRows(table, plan.parts[file].rows);
        const SaveResult written = write(plan.paths[file], rows);
        if (!written.saved())
            return FailedFile(written, plan.paths.size());
        // A writer that says nothing on success (the KML save-as) still gets its line.
        const std::string text = written.text.empty() ? SavedMessage(plan.paths[file]) : written.text;
        saved.text += (saved.text.empty() ? "" : "\n") + text;
        saved.rows += written.rows;
        saved.rowsLeftOut += written.rowsLeftOut;
    }
    if (!batch.commit())
        return {SaveResult::Outcome::WriteFailed,
                "Not every file was saved. Saved: " + NamesOf(batch.placed()) + ".\n" + batch.failure()};
    saved.text += leftOut.empty() ? "" : "\n" + leftOut;
    return saved;
}

std::optional<TrackTable> FilteredRows(const TrackTable& table, const RowFilter& filter)
{
    if (MissingFilterColumn(table, filter))
        return std::nullopt;
    return TableOfRows(table, SelectRows(table, filter).keptRows());
}

TrackTable TableOfRows(const TrackTable& table, const std::vector<int>& rows)
{
    TrackTable part;
    const int columns = std::max(table.usedColumnCount(), table.columnCount());
    const auto copyRow = [&](int from, int to) {
        for (int column = 0; column < columns; ++column)
            part.setCell(column, to, table.cell(column, from));
    };
    copyRow(0, 0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        copyRow(rows[i], static_cast<int>(i) + 1);
    part.setColumnCount(table.columnCount());
    part.setRowCount(static_cast<int>(rows.size()) + 1);
    part.setTimeShiftHours(table.timeShiftHours());
    part.setWeekRollovers(table.weekRollovers());
    return part;
}
