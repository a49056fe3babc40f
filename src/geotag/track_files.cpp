#include "geotag/track_files.h"

#include "core/app_error.h"
#include "core/user_dialogs.h"
#include "decode/log_decoder.h"
#include "decode/track_options.h"
#include "export/csv_reader.h"
#include "geotag/file_extension.h"
#include "geotag/gpx_track_reader.h"

#include <filesystem>

namespace {
bool LoadTable(const std::string& path, TrackTable& table, UserDialogs& dialogs)
{
    if (LoweredExtension(path) == "csv")
        return ReadCsvFile(path, table, dialogs);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        dialogs.error(path + ": no such file");
        return false;
    }
    DecodeLogFile(path, table, dialogs);
    return true;
}
} // namespace

std::optional<std::vector<TrackPoint>> LoadTrackPoints(const std::string& path, int weekRollovers, UserDialogs& dialogs)
{
    if (LoweredExtension(path) == "gpx") {
        std::string failure;
        auto points = ReadGpxTrackPoints(path, failure);
        if (!points)
            dialogs.error(path + ": " + failure);
        return points;
    }
    TrackTable table;
    if (!LoadTable(path, table, dialogs))
        return std::nullopt;
    if (weekRollovers > 0) {
        try {
            UpdateGridOptions(table, 0, "km/h", weekRollovers);
        } catch (const AppError& error) {
            dialogs.error(path + ": " + error.what());
            return std::nullopt;
        }
    }
    return TrackPointsOfTable(table);
}
