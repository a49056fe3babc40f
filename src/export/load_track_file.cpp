#include "export/load_track_file.h"

#include "decode/log_decoder.h"
#include "export/csv_reader.h"

LoadResult LoadTrackFile(const std::string& path, TrackFileKind kind, TrackTable& table, LogDialect dialect,
                         const LoadProgress& progress)
{
    if (kind == TrackFileKind::Csv)
        return ReadCsvFile(path, table, progress);
    return DecodeLogImageFile(path, table, dialect, progress);
}
