#include "export/save_track_file.h"

#include "core/user_dialogs.h"
#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string_view>
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

bool EndsInAnyCase(const std::string& path, std::string_view extension)
{
    return path.size() > extension.size() &&
           std::equal(extension.begin(), extension.end(), path.end() - static_cast<std::ptrdiff_t>(extension.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}
} // namespace

SaveTarget SaveTargetOf(const std::string& path, int filterIndex)
{
    for (int index = 1; index <= static_cast<int>(std::size(kSaveKinds)); ++index)
        if (EndsInAnyCase(path, kSaveKinds[index - 1].extension))
            return {path, index};
    const SaveKind* kind = KindOfFilter(filterIndex);
    if (!kind || path.find(kind->extension) != std::string::npos)
        return {path, filterIndex};
    return {path + kind->extension, filterIndex};
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
    const auto [path, kindIndex] = SaveTargetOf(choice->path, choice->filterIndex);
    const SaveKind* kind = KindOfFilter(kindIndex);
    if (!kind)
        return;
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
