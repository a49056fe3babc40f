#include "geotag/track_files.h"

#include "core/app_error.h"
#include "decode/track_options.h"
#include "decode/track_table.h"
#include "export/load_track_file.h"
#include "geotag/file_extension.h"
#include "geotag/gpx_track_reader.h"

#include <filesystem>

TrackFilePoints LoadTrackPoints(const std::string& path, int weekRollovers)
{
    TrackFilePoints loaded;
    const std::string extension = LoweredExtension(path);
    if (extension == "gpx") {
        loaded.points = ReadGpxTrackPoints(path, loaded.failure);
        if (!loaded.points)
            loaded.failure = path + ": " + loaded.failure;
        return loaded;
    }
    const TrackFileKind kind = extension == "csv" ? TrackFileKind::Csv : TrackFileKind::Image;
    std::error_code error;
    if (kind == TrackFileKind::Image && !std::filesystem::is_regular_file(path, error)) {
        loaded.failure = path + ": no such file";
        return loaded;
    }
    TrackTable table;
    const LoadResult result = LoadTrackFile(path, kind, table);
    loaded.recordsPassedOver = result.recordsPassedOver;
    if (!result.loaded()) {
        loaded.failure = LoadFailureText(result);
        return loaded;
    }
    if (weekRollovers > 0) {
        try {
            ApplyGridOptions(table, 0, "km/h", weekRollovers);
        } catch (const AppError& error) {
            loaded.failure = path + ": " + error.what();
            return loaded;
        }
    }
    loaded.points = TrackPointsOfTable(table);
    return loaded;
}
