#include "export/open_track_file.h"

#include "core/user_dialogs.h"
#include "export/csv_reader.h"

#include <iterator>

namespace {
constexpr int kImageFilter = 1;
constexpr int kCsvFilter = 2;
// Filters 3 on, in this order.
constexpr LogDialect kDialectFilters[] = {LogDialect::Generic, LogDialect::M241, LogDialect::Gr245, LogDialect::M1000C};

std::optional<LogDialect> DialectOfFilter(int filterIndex)
{
    if (filterIndex == kImageFilter)
        return LogDialect::Detect;
    const int dialect = filterIndex - kCsvFilter - 1;
    if (dialect < 0 || dialect >= static_cast<int>(std::size(kDialectFilters)))
        return std::nullopt;
    return kDialectFilters[dialect];
}
} // namespace

std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs, const LogDecoder& decode,
                                           std::optional<OpenedTrackFile>* opened)
{
    FileDialogRequest request;
    request.filter = kOpenFilter;
    request.filterIndex = kCsvFilter;
    const auto choice = dialogs.chooseOpenFile(request);
    if (!choice)
        return std::nullopt;
    if (choice->filterIndex == kCsvFilter) {
        ReadCsvFile(choice->path, table, dialogs);
        if (opened)
            *opened = OpenedTrackFile{choice->path, false};
        return std::nullopt;
    }
    if (const auto dialect = DialectOfFilter(choice->filterIndex)) {
        auto summary = decode(choice->path, table, dialogs, *dialect);
        if (opened)
            *opened = OpenedTrackFile{choice->path, true};
        return summary;
    }
    dialogs.plain("Unknown file?");
    return std::nullopt;
}

std::optional<DecodeSummary> OpenTrackFile(TrackTable& table, UserDialogs& dialogs,
                                           std::optional<OpenedTrackFile>* opened)
{
    return OpenTrackFile(table, dialogs, DecodeLogFile, opened);
}
