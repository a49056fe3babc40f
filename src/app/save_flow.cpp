#include "app/save_flow.h"

#include "app/off_ui_thread.h"
#include "app/result_boxes.h"
#include "core/user_dialogs.h"
#include "decode/track_table.h"
#include "export/save_track_file.h"

#include <algorithm>
#include <filesystem>

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
    const SaveTarget target = SaveTargetOf(choice->path, choice->filterIndex);
    const std::string& path = target.path;
    const SaveKind* kind = SaveKindOfFilter(target.filterIndex);
    if (!kind)
        return;
    // The grid stays editable while the file is written.
    if (!filter.active()) {
        if (!ConfirmOverwrite(path, dialogs))
            return;
        const TrackTable saved = table.detached();
        ShowSaveResult(RunOffUiThread([&] { return kind->write(path, saved); }), dialogs);
        return;
    }
    const SavePlan plan = PlanFilteredSave(path, table, filter, kind->writesTracks);
    if (!plan.problem.empty()) {
        dialogs.warning(plan.problem);
        return;
    }
    if (!ConfirmOverwrite(plan.paths, dialogs))
        return;
    const TrackTable saved = table.detached();
    ShowSaveResult(RunOffUiThread([&] { return WriteFilteredSave(plan, saved, kind->write); }), dialogs);
}
