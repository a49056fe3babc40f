#include "export/save_track_file.h"

#include "core/user_dialogs.h"
#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

#include <filesystem>

namespace {
struct SaveKind {
    const char* extension;
    bool (*write)(const std::string& path, const TrackTable& table, UserDialogs& dialogs);
};

// In the order of the dialog's filters, which count from 1.
constexpr SaveKind kSaveKinds[] = {
    {".csv", WriteCsvFile},
    {".kml", SaveKmlFile},
    {".nma", WriteNmeaFile},
    {".gpx", WriteGpxFile},
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
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return true;
    return dialogs.confirm("File has already existed, do you want to overwrite?\n\n");
}

void SaveTrackFile(const TrackTable& table, UserDialogs& dialogs)
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
    if (!ConfirmOverwrite(path, dialogs))
        return;
    kind->write(path, table, dialogs);
}
