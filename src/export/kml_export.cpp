#include "export/kml_export.h"

#include "core/output_file.h"
#include "core/user_dialogs.h"
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
bool ReportMissingColumn(const ExportColumns& columns, const RequiredColumn (&required)[N], UserDialogs& dialogs)
{
    for (const RequiredColumn& each : required) {
        if (columns.*each.column < 0) {
            dialogs.plain(each.message);
            return true;
        }
    }
    return false;
}

KmlExportSettings DrawKmlSettings(const DrawOptions& options)
{
    return {KmlExportKind::Draw, options.colourWord, options.opacity, options.lineWidth,
            RowRange{options.indexStart, options.indexEnd}};
}
} // namespace

bool SaveKmlFile(const std::string& path, const TrackTable& table, UserDialogs& dialogs)
{
    if (table.cell(0, 0).empty()) {
        dialogs.plain("No information on table.");
        return false;
    }
    const ExportColumns columns = LookUpExportColumns(table);
    if (ReportMissingColumn(columns, kSaveAsRequired, dialogs))
        return false;
    OutputFile file(path);
    if (file.isOpen())
        WriteKmlDocument(file, table, columns, SaveAsKmlSettings());
    if (!file.close()) {
        dialogs.error(SaveFailedMessage("Write KML file fail!", file.failure()));
        return false;
    }
    return true;
}

bool DrawKmlTrack(const TrackTable& table, UserDialogs& dialogs, const DrawOptionsPrompt& askOptions)
{
    if (table.cell(0, 0).empty()) {
        dialogs.error("No information on the grid.");
        return false;
    }
    const ExportColumns columns = LookUpExportColumns(table);
    if (ReportMissingColumn(columns, kDrawRequired, dialogs))
        return false;
    const std::optional<DrawOptions> options = askOptions(table.rowCount() - 1);
    if (!options) {
        dialogs.plain("Aborting!");
        return false;
    }
    OutputFile file(kDrawKmlPath);
    if (file.isOpen())
        WriteKmlDocument(file, table, columns, DrawKmlSettings(*options));
    if (!file.close()) {
        dialogs.error(SaveFailedMessage("Fail to write file!", file.failure()));
        return false;
    }
    std::error_code error;
    const auto absolute = std::filesystem::absolute(kDrawKmlPath, error);
    const std::string path = error ? std::string(kDrawKmlPath) : absolute.string();
    if (!dialogs.openDocument(path)) {
        dialogs.warning("No program is registered to open KML files. The track was saved as " + path);
        return false;
    }
    return true;
}
