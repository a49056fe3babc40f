#include "export/filtered_save.h"

#include "core/output_file.h"
#include "core/user_dialogs.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/saved_message.h"

#include <algorithm>

namespace {
// Holds back what a writer tells, so a save of several files says it once.
class GatheredDialogs : public UserDialogs {
public:
    explicit GatheredDialogs(UserDialogs& user) : user_(user) {}

    void message(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        messages.push_back({text, caption, icon});
    }
    bool askYesNo(const std::string& text, const std::string& caption) override
    {
        return user_.askYesNo(text, caption);
    }
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) override
    {
        return user_.chooseOpenFile(request);
    }
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) override
    {
        return user_.chooseSaveFile(request);
    }
    std::optional<std::string> chooseFolder(const FileDialogRequest& request) override
    {
        return user_.chooseFolder(request);
    }
    bool openDocument(const std::string& path) override { return user_.openDocument(path); }
    void processEvents() override { user_.processEvents(); }

    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    std::vector<Message> messages;

private:
    UserDialogs& user_;
};

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

// A writer that said nothing on success (the KML save-as) still gets its line.
std::string SavedText(const GatheredDialogs& gathered, const std::string& path)
{
    std::string text;
    for (const auto& message : gathered.messages)
        text += (text.empty() ? "" : "\n") + message.text;
    return text.empty() ? SavedMessage(path) : text;
}

// The writer's own words, and that the files written before it were not kept.
void ReportFailedFile(const GatheredDialogs& gathered, std::size_t files, UserDialogs& dialogs)
{
    const std::string tail = files > 1 ? "\nNone of the " + std::to_string(files) + " files was saved." : "";
    if (gathered.messages.empty()) {
        dialogs.error("Nothing was saved." + tail);
        return;
    }
    for (std::size_t i = 0; i < gathered.messages.size(); ++i) {
        const auto& message = gathered.messages[i];
        dialogs.message(message.text + (i + 1 == gathered.messages.size() ? tail : ""), message.caption, message.icon);
    }
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

bool WriteFilteredSave(const SavePlan& plan, const TrackTable& table, TableWriter write, UserDialogs& dialogs)
{
    const std::string leftOut = plan.filter.any() ? LeftOutText(plan.selection, plan.filter) : "";
    if (plan.paths.empty()) {
        dialogs.warning("Nothing was saved: no row is left to save." + (leftOut.empty() ? "" : "\n" + leftOut));
        return false;
    }
    OutputBatch batch;
    std::string saved;
    for (std::size_t file = 0; file < plan.paths.size(); ++file) {
        GatheredDialogs gathered(dialogs);
        const TrackTable rows =
            plan.intoTracks ? TracksOfParts(table, plan.parts) : TableOfRows(table, plan.parts[file].rows);
        if (!write(plan.paths[file], rows, gathered)) {
            ReportFailedFile(gathered, plan.paths.size(), dialogs);
            return false;
        }
        saved += (saved.empty() ? "" : "\n") + SavedText(gathered, plan.paths[file]);
    }
    if (!batch.commit()) {
        dialogs.error("Not every file was saved. Saved: " + NamesOf(batch.placed()) + ".\n" + batch.failure());
        return false;
    }
    dialogs.plain(saved + (leftOut.empty() ? "" : "\n" + leftOut));
    return true;
}

std::optional<TrackTable> FilteredRows(const TrackTable& table, const RowFilter& filter, UserDialogs& dialogs)
{
    if (const auto missing = MissingFilterColumn(table, filter)) {
        dialogs.warning(*missing);
        return std::nullopt;
    }
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
