#include "app/open_flow.h"

#include "core/user_dialogs.h"
#include "export/open_track_file.h"

std::optional<OpenedTrackFile> OpenTrackFile(UserDialogs& dialogs, const TrackFileLoader& load)
{
    FileDialogRequest request;
    request.filter = kOpenFilter;
    request.filterIndex = kOpenCsvFilter;
    const auto choice = dialogs.chooseOpenFile(request);
    if (!choice)
        return std::nullopt;
    const auto kind = OpenKindOfFilter(choice->filterIndex);
    if (!kind) {
        dialogs.plain("Unknown file?");
        return std::nullopt;
    }
    return OpenedTrackFile{choice->path, kind->kind == TrackFileKind::Image,
                           load(choice->path, kind->kind, kind->dialect)};
}
