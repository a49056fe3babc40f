// drovik-cli convert: a memory image or a CSV table into a CSV table, a KML
// document, an NMEA file or a GPX document, through the same readers and
// writers as the window.
#include "console_dialogs.h"
#include "subcommand.h"

#include "core/app_error.h"
#include "core/number_text.h"
#include "decode/civil_time.h"
#include "decode/log_decoder.h"
#include "decode/track_options.h"
#include "decode/track_table.h"
#include "export/csv_reader.h"
#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"
#include "export/week_rollover_hint.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>

namespace {
constexpr const char* kHelp = "Usage: drovik-cli convert [OPTIONS] IN OUT\n"
                              "\n"
                              "Reads IN into a track table and writes the table to OUT.\n"
                              "\n"
                              "IN is taken by its extension:\n"
                              "  .bin   a logger memory image (such as a downloaded data.bin), decoded;\n"
                              "         records whose latitude or longitude cannot be a place are left\n"
                              "         out, and their count is printed on stderr\n"
                              "  .csv   a table saved as CSV, loaded line by line\n"
                              "\n"
                              "OUT is written as one of:\n"
                              "  csv    the table as comma-separated text\n"
                              "  kml    a KML document for Google Earth: placemarks for stamped points\n"
                              "         and a line per track (yellow, 3.0 wide), as the save dialog writes it\n"
                              "  nma    NMEA 0183 sentences (GGA, GLL, GSA, GSV, RMC, VTG, ZDA) per point;\n"
                              "         a point whose cells cannot be read is left out, and the count of\n"
                              "         points left out is printed on stderr\n"
                              "  gpx    a GPX 1.1 document: the points with a fix, in UTC, one track per\n"
                              "         TRACK number of the table (all one track without that column),\n"
                              "         split into segments where the track was interrupted (a row\n"
                              "         without a fix or coordinates, or more than 10 minutes between\n"
                              "         points); the count of rows left out because their coordinates\n"
                              "         cannot be read is printed on stderr\n"
                              "An existing OUT is replaced only once the whole of it is written: when\n"
                              "writing fails, the old OUT stays as it was. OUT must not be IN itself,\n"
                              "under any name or through a link.\n"
                              "\n"
                              "Options:\n"
                              "  --format csv|kml|nma|gpx  the kind of OUT; by default taken from OUT's\n"
                              "                            extension (.csv, .kml, .nma or .gpx)\n"
                              "  --time-shift HOURS        shift every DATE and TIME by HOURS, -12 to +14\n"
                              "                            (negative west of Greenwich)\n"
                              "  --week-rollover N         add N times 1024 weeks (0 to 3) to every DATE, for\n"
                              "                            receivers that count GPS weeks from before a\n"
                              "                            week-number rollover\n"
                              "  --speed-unit km/h|mph     show every SPEED in this unit\n"
                              "  --dialect generic|m241|gr245|m1000c\n"
                              "                            read the image as the generic loggers, the Holux\n"
                              "                            M-241, the GPsport 245 (or M-1200E) or the M-1000C\n"
                              "                            write it; by default the image's own markers tell\n"
                              "                            the Holux ones, and the M-1000C needs saying\n"
                              "  -h, --help                show this text\n"
                              "Any of --time-shift, --week-rollover and --speed-unit updates the table\n"
                              "before it is written, as the log page's \"Updating Grid Now !!\" button\n"
                              "does; the unit is km/h unless --speed-unit says otherwise. NMEA and GPX\n"
                              "times stay UTC (NMEA gives the shift as the local zone of ZDA).\n"
                              "When the newest DATE lies more than 1024 weeks before today, a hint\n"
                              "with the --week-rollover that corrects it is printed on stderr.\n"
                              "\n"
                              "Exit status: 0 when OUT was written; 1 when IN cannot be read, holds no\n"
                              "track table, or OUT cannot be written (reasons on stderr); 2 wrong usage,\n"
                              "OUT being IN included.\n"
                              "Nothing is printed on stdout.\n";

enum class FileKind { Bin, Csv, Kml, Nma, Gpx };

struct ConvertRequest {
    std::string input;
    std::string output;
    std::optional<FileKind> format;
    std::optional<int> timeShiftHours;
    std::optional<int> weekRollovers;
    std::optional<std::string> speedUnit;
    LogDialect dialect = LogDialect::Detect;
};

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<FileKind> KindOfName(const std::string& name)
{
    if (name == "bin")
        return FileKind::Bin;
    if (name == "csv")
        return FileKind::Csv;
    if (name == "kml")
        return FileKind::Kml;
    if (name == "nma")
        return FileKind::Nma;
    if (name == "gpx")
        return FileKind::Gpx;
    return std::nullopt;
}

std::optional<FileKind> KindOfPath(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return std::nullopt;
    return KindOfName(Lowered(path.substr(dot + 1)));
}

std::optional<int> WholeNumberWithin(const std::string& text, int lowest, int highest)
{
    const auto number = ParseInteger(text);
    if (!number || *number < lowest || *number > highest)
        return std::nullopt;
    return static_cast<int>(*number);
}

// nullopt after telling what is wrong.
std::optional<ConvertRequest> ParseArguments(const std::vector<std::string>& arguments)
{
    ConvertRequest request;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = argument == "--format" || argument == "--time-shift" || argument == "--week-rollover" ||
                              argument == "--speed-unit" || argument == "--dialect";
        if (!isOption) {
            if (argument.size() > 1 && argument.front() == '-') {
                PrintError("convert: unknown option '" + argument + "'");
                return std::nullopt;
            }
            paths.push_back(argument);
            continue;
        }
        if (i + 1 == arguments.size()) {
            PrintError("convert: " + argument + " needs a value");
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        if (argument == "--format") {
            request.format = KindOfName(value);
            if (!request.format || *request.format == FileKind::Bin) {
                PrintError("convert: --format takes csv, kml, nma or gpx, not '" + value + "'");
                return std::nullopt;
            }
        } else if (argument == "--time-shift") {
            request.timeShiftHours = WholeNumberWithin(value, kMinTimeShiftHours, kMaxTimeShiftHours);
            if (!request.timeShiftHours) {
                PrintError("convert: --time-shift takes whole hours from -12 to 14, not '" + value + "'");
                return std::nullopt;
            }
        } else if (argument == "--week-rollover") {
            request.weekRollovers = WholeNumberWithin(value, 0, kMaxWeekRollovers);
            if (!request.weekRollovers) {
                PrintError("convert: --week-rollover takes 0 to 3, not '" + value + "'");
                return std::nullopt;
            }
        } else if (argument == "--dialect") {
            const auto dialect = DialectOfName(value);
            if (!dialect) {
                PrintError("convert: --dialect takes generic, m241, gr245 or m1000c, not '" + value + "'");
                return std::nullopt;
            }
            request.dialect = *dialect;
        } else {
            if (value != "km/h" && value != "mph") {
                PrintError("convert: --speed-unit takes km/h or mph, not '" + value + "'");
                return std::nullopt;
            }
            request.speedUnit = value;
        }
    }
    if (paths.size() != 2) {
        PrintError("convert: give IN and OUT; see drovik-cli convert --help");
        return std::nullopt;
    }
    request.input = paths[0];
    request.output = paths[1];
    return request;
}

// Also through another spelling of the path, a link or a second hard link.
bool SameFile(const std::string& input, const std::string& output)
{
    std::error_code error;
    return std::filesystem::equivalent(input, output, error) && !error;
}

bool LoadTable(const std::string& path, FileKind kind, LogDialect dialect, TrackTable& table, ConsoleDialogs& dialogs)
{
    if (kind == FileKind::Bin) {
        if (const std::string passedOver = PassedOverText(DecodeLogFile(path, table, dialogs, dialect));
            !passedOver.empty())
            PrintError(path + ": " + passedOver);
    } else if (!ReadCsvFile(path, table, dialogs))
        return false;
    if (dialogs.errorCount() > 0)
        return false;
    if (table.cell(0, 0).empty()) {
        PrintError(path + ": no track table in it");
        return false;
    }
    return true;
}

bool WriteTable(const std::string& path, FileKind kind, const TrackTable& table, ConsoleDialogs& dialogs)
{
    switch (kind) {
    case FileKind::Csv:
        return WriteCsvFile(path, table, dialogs);
    case FileKind::Kml:
        return SaveKmlFile(path, table, dialogs);
    case FileKind::Nma:
        return WriteNmeaFile(path, table, dialogs);
    case FileKind::Gpx:
        return WriteGpxFile(path, table, dialogs);
    case FileKind::Bin:
        break;
    }
    return false;
}

void PrintWeekRolloverHint(const std::string& input, const TrackTable& table)
{
    if (const auto hint = FindWeekRolloverHint(table, NowUtcSeconds()))
        PrintError(input + ": " + WeekRolloverHintText(*hint) +
                   " To correct the dates, convert again with --week-rollover " + std::to_string(hint->weekRollovers) +
                   ".");
}

int RunConvert(const std::vector<std::string>& arguments)
{
    const auto request = ParseArguments(arguments);
    if (!request)
        return kExitUsage;
    const auto inputKind = KindOfPath(request->input);
    if (!inputKind || (*inputKind != FileKind::Bin && *inputKind != FileKind::Csv)) {
        PrintError("convert: IN must end in .bin or .csv: '" + request->input + "'");
        return kExitUsage;
    }
    const auto outputKind = request->format ? request->format : KindOfPath(request->output);
    if (!outputKind || *outputKind == FileKind::Bin) {
        PrintError("convert: OUT must end in .csv, .kml, .nma or .gpx, or give --format: '" + request->output + "'");
        return kExitUsage;
    }

    if (SameFile(request->input, request->output)) {
        PrintError("convert: OUT is the same file as IN, which it would overwrite: '" + request->output + "'");
        return kExitUsage;
    }

    ConsoleDialogs dialogs;
    dialogs.setContext(request->input);
    TrackTable table;
    if (!LoadTable(request->input, *inputKind, request->dialect, table, dialogs))
        return kExitFailure;
    if (request->timeShiftHours || request->weekRollovers || request->speedUnit) {
        try {
            UpdateGridOptions(table, request->timeShiftHours.value_or(0), request->speedUnit.value_or("km/h"),
                              request->weekRollovers.value_or(0));
        } catch (const AppError& error) {
            PrintError(request->input + ": " + error.what());
            return kExitFailure;
        }
    }
    PrintWeekRolloverHint(request->input, table);
    dialogs.setContext(request->output);
    return WriteTable(request->output, *outputKind, table, dialogs) ? kExitSuccess : kExitFailure;
}

const SubcommandRegistration kRegistration{
    {"convert", "convert a memory image or CSV table to CSV, KML, NMEA or GPX", kHelp, RunConvert}};
} // namespace
