#include "export/open_track_file.h"

#include "core/user_dialogs.h"
#include "export/csv_reader.h"

std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs, const LogDecoder& decode)
{
    FileDialogRequest request;
    request.filter = kOpenFilter;
    request.filterIndex = 2;
    const auto choice = dialogs.chooseOpenFile(request);
    if (!choice)
        return std::nullopt;
    switch (choice->filterIndex) {
    case 1:
        return decode(choice->path, table, dialogs, LogDialect::Detect);
    case 2:
        ReadCsvFile(choice->path, table, dialogs);
        break;
    default:
        dialogs.plain("Unknown file?");
        break;
    }
    return std::nullopt;
}

std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs)
{
    return OpenTrackFile(table, dialogs, DecodeLogFile);
}
