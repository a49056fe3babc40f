// drovik-cli convert: a memory image or a CSV table into a CSV table, a KML
// document, an NMEA file or a GPX document, through the same readers and
// writers as the window.
#include "cli_texts.h"
#include "filter_options.h"
#include "result_report.h"
#include "subcommand.h"
#include "week_rollover_note.h"

#include "core/app_error.h"
#include "core/number_text.h"
#include "decode/track_options.h"
#include "decode/track_table.h"
#include "export/clock_evidence.h"
#include "export/csv_writer.h"
#include "export/filtered_save.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/load_track_file.h"
#include "export/nmea_writer.h"
#include "export/row_filter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
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
                              "  gpx    a GPX 1.1 document: the points logged by the button (RCR B) as\n"
                              "         waypoints WP001, WP002, ... in order of time, then the points\n"
                              "         with a fix, in UTC, one track per TRACK number of the table (all\n"
                              "         one track without that column), split into segments where the\n"
                              "         track was interrupted (a row without a fix or coordinates, or\n"
                              "         more than 10 minutes between points); the count of rows left out\n"
                              "         because their coordinates cannot be read is printed on stderr\n"
                              "An existing OUT is replaced only once the whole of it is written: when\n"
                              "writing fails, the old OUT stays as it was. OUT must not be IN itself,\n"
                              "under any name or through a link.\n"
                              "\n"
                              "Options:\n"
                              "  --format csv|kml|nma|gpx  the kind of OUT; by default taken from OUT's\n"
                              "                            extension (.csv, .kml, .nma or .nmea, .gpx)\n"
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
                              "  --fix any|KIND[,KIND...]  keep only the rows with a fix (any), or with one\n"
                              "                            of these fix kinds: sps, dgps, pps, rtk, frtk,\n"
                              "                            estimated, manual, simulator\n"
                              "  --max-hdop X              leave out the rows whose HDOP is above X\n"
                              "  --max-pdop X              leave out the rows whose PDOP is above X\n"
                              "  --min-sats N              leave out the rows with fewer than N satellites\n"
                              "                            in use\n"
                              "  --from TIME, --to TIME    keep only the rows from TIME on, or up to TIME,\n"
                              "                            in UTC as ISO 8601: 2008-05-04, 2008-05-04T12:30,\n"
                              "                            2008-05-04T12:30:15Z, or with an offset such as\n"
                              "                            +02:00; a day alone given to --to runs to its end\n"
                              "  --max-speed KMH           leave out a point that could only be reached from\n"
                              "                            the last point kept faster than KMH km/h: a bad\n"
                              "                            fix, whatever its SPEED cell says\n"
                              "  --split day|gap=MINUTES   write an OUT per day (the day of the DATE cells,\n"
                              "                            after any --time-shift), named trip-2008-05-04.gpx\n"
                              "                            for the OUT trip.gpx, or per part after more than\n"
                              "                            MINUTES between two rows, named trip-001.gpx,\n"
                              "                            trip-002.gpx, ...\n"
                              "  --split-into files|tracks with --split and a GPX OUT: a file per part (the\n"
                              "                            default), or one OUT with a track per part\n"
                              "  -h, --help                show this text\n"
                              "Any of --time-shift, --week-rollover and --speed-unit updates the table\n"
                              "before it is written, as the log page's \"Updating Grid Now !!\" button\n"
                              "does; the unit is km/h unless --speed-unit says otherwise. NMEA and GPX\n"
                              "times stay UTC (NMEA gives the shift as the local zone of ZDA).\n"
                              "The filters apply to every kind of OUT and read the columns of their\n"
                              "names (VALID; HDOP; PDOP; NSAT (USED/VIEW); DATE and TIME; LATITUDE,\n"
                              "LONGITUDE, DATE and TIME for --max-speed); a row whose cell a filter\n"
                              "cannot read is left out. stderr tells how many rows each filter left\n"
                              "out. A split writes every one of its files, or none of them when one\n"
                              "cannot be written.\n"
                              "When IN is an image a download wrote and the logger's receiver was\n"
                              "then a whole number of 1024 weeks behind the computer's clock (kept in\n"
                              "IN.clock beside it), a hint with the --week-rollover that corrects the\n"
                              "dates is printed on stderr.\n"
                              "\n"
                              "Ends with the count of points written and the files on stderr, such as\n"
                              "  Wrote 17,049 points to track.kml.\n"
                              "\n"
                              "Exit status: 0 when OUT was written; 1 when IN cannot be read, holds no\n"
                              "track table, the filters leave no row, or OUT cannot be written (reasons\n"
                              "on stderr); 2 wrong usage, OUT being IN included, and a filter or a split\n"
                              "that reads a column the table does not have.\n"
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
    FilterOptions filters;
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
    if (name == "nma" || name == "nmea")
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
                              argument == "--speed-unit" || argument == "--dialect" || IsFilterOption(argument);
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
        if (IsFilterOption(argument)) {
            if (const auto wrong = TakeFilterOption(argument, value, request.filters)) {
                PrintError("convert: " + *wrong);
                return std::nullopt;
            }
        } else if (argument == "--format") {
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
    if (const auto conflict = FilterOptionsConflict(request.filters)) {
        PrintError("convert: " + *conflict);
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

// Why the file cannot be read, in the system's words; empty when it can.
std::string UnreadableReason(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return "it is a folder";
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::strerror(errno);
    std::fclose(file);
    return {};
}

bool LoadTable(const std::string& path, FileKind kind, LogDialect dialect, TrackTable& table)
{
    if (const std::string reason = UnreadableReason(path); !reason.empty()) {
        PrintError("convert: " + CliText::CannotRead(path, reason));
        return false;
    }
    const TrackFileKind fileKind = kind == FileKind::Bin ? TrackFileKind::Image : TrackFileKind::Csv;
    if (!ReportLoadResult(LoadTrackFile(path, fileKind, table, dialect), "convert", path))
        return false;
    if (table.cell(0, 0).empty()) {
        PrintError("convert: " + path + " holds no track table.");
        return false;
    }
    return true;
}

// The points written are the rows saved but those the writers left out;
// `filtersLeftOut` tells what the filters left out before.
int SayWritten(const SaveResult& saved, const std::vector<std::string>& paths, const std::string& filtersLeftOut)
{
    std::string extra = UnreadableRowsNote(saved);
    if (!filtersLeftOut.empty())
        extra += (extra.empty() ? "" : " ") + CliText::OneParagraph(filtersLeftOut);
    const auto points = static_cast<uint64_t>(std::max(saved.rows - saved.rowsLeftOut, 0));
    PrintNote(CliText::Wrote(points, paths, extra));
    return kExitSuccess;
}

// The exit status.
int SayResult(const SaveResult& result, const std::vector<std::string>& paths, const std::string& filtersLeftOut)
{
    if (result.saved())
        return SayWritten(result, paths, filtersLeftOut);
    PrintError("convert: " + SaveFailure(result));
    return kExitFailure;
}

TableWriter WriterOf(FileKind kind)
{
    switch (kind) {
    case FileKind::Csv:
        return WriteCsvFile;
    case FileKind::Kml:
        return SaveKmlFile;
    case FileKind::Nma:
        return WriteNmeaFile;
    case FileKind::Gpx:
        return WriteGpxFile;
    case FileKind::Bin:
        break;
    }
    return nullptr;
}

// The exit status.
int WriteTable(const ConvertRequest& request, FileKind kind, const TrackTable& table)
{
    const TableWriter write = WriterOf(kind);
    const ExportFilter& filter = request.filters.filter;
    if (!filter.active())
        return SayResult(write(request.output, table), {request.output}, "");
    const SavePlan plan = PlanFilteredSave(request.output, table, filter, kind == FileKind::Gpx);
    if (!plan.problem.empty()) {
        PrintError("convert: " + request.input + ": " + plan.problem);
        return kExitUsage;
    }
    for (const std::string& path : plan.paths) {
        if (SameFile(request.input, path)) {
            PrintError("convert: a file of the split is the same file as IN, which it would overwrite: '" + path + "'");
            return kExitUsage;
        }
    }
    const std::string filtersLeftOut = plan.filter.any() ? LeftOutText(plan.selection, plan.filter) : "";
    return SayResult(WriteFilteredSave(plan, table, write), plan.paths, filtersLeftOut);
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
        PrintError("convert: OUT must end in .csv, .kml, .nma, .nmea or .gpx, or give --format: '" + request->output +
                   "'");
        return kExitUsage;
    }

    if (SameFile(request->input, request->output)) {
        PrintError("convert: OUT is the same file as IN, which it would overwrite: '" + request->output + "'");
        return kExitUsage;
    }

    TrackTable table;
    if (!LoadTable(request->input, *inputKind, request->dialect, table))
        return kExitFailure;
    if (request->timeShiftHours || request->weekRollovers || request->speedUnit) {
        try {
            ApplyGridOptions(table, request->timeShiftHours.value_or(0), request->speedUnit.value_or("km/h"),
                             request->weekRollovers.value_or(0));
        } catch (const AppError& error) {
            PrintError("convert: " + request->input + ": " + CliText::ForFailure(error.what()));
            return kExitFailure;
        }
    }
    // Only an image a download wrote carries what the receiver's clock said; a CSV carries nothing.
    PrintWeekRolloverHint(request->input, table,
                          *inputKind == FileKind::Bin ? ReadClockEvidence(request->input) : std::nullopt);
    return WriteTable(*request, *outputKind, table);
}

const SubcommandRegistration kRegistration{
    {"convert", "convert a memory image or CSV table to CSV, KML, NMEA or GPX", kHelp, RunConvert}};
} // namespace
