#include "export/open_track_file.h"

#include "core/user_dialogs.h"
#include "decode/log_decoder.h"
#include "export/csv_reader.h"

void OpenTrackFile(TrackTable& table, UserDialogs& dialogs, const LogDecoder& decode)
{
    FileDialogRequest request;
    request.filter = kOpenFilter;
    request.filterIndex = 2;
    const auto choice = dialogs.chooseOpenFile(request);
    if (!choice)
        return;
    switch (choice->filterIndex) {
    case 1:
        decode(choice->path, table, dialogs);
        break;
    case 2:
        ReadCsvFile(choice->path, table, dialogs);
        break;
    default:
        dialogs.plain("Unknown file?");
        break;
    }
}

void OpenTrackFile(TrackTable& table, UserDialogs& dialogs)
{
    OpenTrackFile(table, dialogs, DecodeLogFile);
}
