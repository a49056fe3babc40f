#include "export/kml_export.h"

#include "core/output_file.h"
#include "decode/track_table.h"
#include "export/kml_document.h"
#include "export/kml_track_rows.h"
#include "export/saved_message.h"

#include <filesystem>

namespace {
struct RequiredColumn {
    int ExportColumns::*column;
    const char* message;
};

// Checked in this order; the first missing one is reported.
constexpr RequiredColumn kSaveAsRequired[] = {
    {&ExportColumns::valid, "No 'VALID' to draw."},         {&ExportColumns::latitude, "No 'LATITUDE' to draw."},
    {&ExportColumns::longitude, "No 'LONGITUDE' to draw."}, {&ExportColumns::date, "No 'DATE' or 'TIME' to draw."},
    {&ExportColumns::time, "No 'DATE' or 'TIME' to draw."},
};
constexpr RequiredColumn kDrawRequired[] = {
    {&ExportColumns::date, "No 'DATE' to draw."},           {&ExportColumns::time, "No 'TIME' to draw."},
    {&ExportColumns::valid, "No 'VALID' to draw."},         {&ExportColumns::latitude, "No 'LATITUDE' to draw."},
    {&ExportColumns::longitude, "No 'LONGITUDE' to draw."},
};

template <std::size_t N>
std::optional<SaveResult> MissingColumn(const ExportColumns& columns, const RequiredColumn (&required)[N])
{
    for (const RequiredColumn& each : required) {
        if (columns.*each.column < 0)
            return SaveResult{SaveResult::Outcome::TableLacks, each.message};
    }
    return std::nullopt;
}

KmlExportSettings DrawKmlSettings(const DrawOptions& options)
{
    return {KmlExportKind::Draw, options.colourWord, options.opacity, options.lineWidth,
            RowRange{options.indexStart, options.indexEnd}};
}
} // namespace

SaveResult SaveKmlFile(const std::string& path, const TrackTable& table)
{
    if (table.cell(0, 0).empty())
        return {SaveResult::Outcome::TableEmpty, "No information on table."};
    const ExportColumns columns = LookUpExportColumns(table);
    if (auto missing = MissingColumn(columns, kSaveAsRequired))
        return *missing;
    OutputFile file(path);
    if (file.isOpen())
        WriteKmlDocument(file, table, columns, SaveAsKmlSettings());
    if (!file.close())
        return {SaveResult::Outcome::WriteFailed, SaveFailedMessage("Write KML file fail!", file.failure())};
    return {SaveResult::Outcome::Saved, "", table.rowCount() - 1};
}

std::optional<SaveResult> DrawKmlRefusal(const TrackTable& table)
{
    if (table.cell(0, 0).empty())
        return SaveResult{SaveResult::Outcome::TableEmpty, "No information on the grid."};
    return MissingColumn(LookUpExportColumns(table), kDrawRequired);
}

SaveResult WriteDrawKmlFile(const TrackTable& table, const DrawOptions& options)
{
    OutputFile file(kDrawKmlPath);
    if (file.isOpen())
        WriteKmlDocument(file, table, LookUpExportColumns(table), DrawKmlSettings(options));
    if (!file.close())
        return {SaveResult::Outcome::WriteFailed, SaveFailedMessage("Fail to write file!", file.failure())};
    std::error_code error;
    const auto absolute = std::filesystem::absolute(kDrawKmlPath, error);
    return {SaveResult::Outcome::Saved, error ? std::string(kDrawKmlPath) : absolute.string(), table.rowCount() - 1};
}
