#include "export/save_track_file.h"

#include "core/user_dialogs.h"
#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

#include <algorithm>
#include <filesystem>

namespace {
struct SaveKind {
    const char* extension;
    TableWriter write;
    bool writesTracks; // keeps the parts of a split as tracks of one file
};

// In the order of the dialog's filters, which count from 1.
constexpr SaveKind kSaveKinds[] = {
    {".csv", WriteCsvFile, false},
    {".kml", SaveKmlFile, false},
    {".nma", WriteNmeaFile, false},
    {".gpx", WriteGpxFile, true},
};

const SaveKind* KindOfFilter(int filterIndex)
{
    if (filterIndex < 1 || filterIndex > static_cast<int>(std::size(kSaveKinds)))
        return nullptr;
    return &kSaveKinds[filterIndex - 1];
}
} // namespace

std::string WithSaveExtension(const std::string& path, int filterIndex)
{
    const SaveKind* kind = KindOfFilter(filterIndex);
    if (!kind || path.find(kind->extension) != std::string::npos)
        return path;
    return path + kind->extension;
}

bool ConfirmOverwrite(const std::string& path, UserDialogs& dialogs)
{
    return ConfirmOverwrite(std::vector<std::string>{path}, dialogs);
}

bool ConfirmOverwrite(const std::vector<std::string>& paths, UserDialogs& dialogs)
{
    const bool anyExists = std::any_of(paths.begin(), paths.end(), [](const std::string& path) {
        std::error_code error;
        return std::filesystem::exists(path, error);
    });
    return !anyExists || dialogs.confirm("File has already existed, do you want to overwrite?\n\n");
}

void SaveTrackFile(const TrackTable& table, UserDialogs& dialogs, const ExportFilter& filter)
{
    FileDialogRequest request;
    request.filter = kSaveFilter;
    request.filterIndex = 1;
    const auto choice = dialogs.chooseSaveFile(request);
    if (!choice)
        return;
    const SaveKind* kind = KindOfFilter(choice->filterIndex);
    if (!kind)
        return;
    const std::string path = WithSaveExtension(choice->path, choice->filterIndex);
    if (!filter.active()) {
        if (ConfirmOverwrite(path, dialogs))
            kind->write(path, table, dialogs);
        return;
    }
    const SavePlan plan = PlanFilteredSave(path, table, filter, kind->writesTracks);
    if (!plan.problem.empty())
        dialogs.warning(plan.problem);
    else if (ConfirmOverwrite(plan.paths, dialogs))
        WriteFilteredSave(plan, table, kind->write, dialogs);
}
