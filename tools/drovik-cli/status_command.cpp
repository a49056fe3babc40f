#include "cli_texts.h"
#include "logger_command.h"
#include "subcommand.h"

#include "core/number_text.h"
#include "link/logger_replies.h"

#include <cstdio>
#include <iostream>
#include <sstream>

namespace {
const std::string kStatusUsage = std::string(R"(Usage: drovik-cli status --port PORT [--baud N] [--json]

Prints what the log page and the settings pages show of the logger: logging
on or off with the status text, the recording method, the log format mask
and its fields, the time, distance and speed criteria (0 when off), the
memory size and use, the record count, the flash identifier and the NMEA
output periods.

)") + kPortOptionsHelp + R"(  --json          one JSON object with the keys logging, status_text, method,
                  mask, fields, time_s, distance_m, speed_kmh, memory_size,
                  memory_used_bytes, memory_used_percent, record_count,
                  flash_id, nmea_periods

The report goes to stdout; stderr ends with "Read the status of the logger
on PORT."

Exit status: 0 printed; 1 when the port cannot be opened or the logger does
not answer; 2 for a bad command line.
)";

// The LogFormatMask bits 0 to 19 by name.
const char* const kFieldNames[] = {"UTC",  "VALID", "LATITUDE", "LONGITUDE", "HEIGHT",      "SPEED",   "HEADING",
                                   "DSTA", "DAGE",  "PDOP",     "HDOP",      "VDOP",        "NSAT",    "SID",
                                   "ELE",  "AZI",   "SNR",      "RCR",       "MILLISECOND", "DISTANCE"};

struct LoggerReport {
    bool logging = false;
    std::string statusText;
    bool overwrite = false;
    uint32_t mask = 0;
    int32_t criteria[3] = {0, 0, 0}; // seconds, metres, km/h
    uint32_t memorySize = 0;
    uint32_t memoryUsed = 0;
    int32_t percentUsed = 0;
    uint32_t recordCount = 0;
    std::string flashId;
    Sentences::NmeaPeriods periods;
};

std::string Hex8(uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::vector<std::string> FieldNames(uint32_t mask)
{
    std::vector<std::string> names;
    for (int bit = 0; bit < 20; ++bit)
        if (mask & (uint32_t{1} << bit))
            names.push_back(kFieldNames[bit]);
    return names;
}

std::vector<std::pair<const char*, int>> PeriodsByName(const Sentences::NmeaPeriods& periods)
{
    return {{"GGA", periods.gga}, {"GLL", periods.gll}, {"GSA", periods.gsa}, {"GSV", periods.gsv},
            {"RMC", periods.rmc}, {"VTG", periods.vtg}, {"ZDA", periods.zda}};
}

LoggerReport ReadReport(LoggerCommand& command)
{
    command.readLogPage();
    command.openCriteriaPage();
    command.openLogFormatPage();
    command.openMethodPage();
    command.openNmeaOutputPage();
    LoggerSession& session = command.session();
    return session.locked([&] {
        const LoggerStatus& status = session.status();
        LoggerReport report;
        report.logging = (status.StatusWord & StatusBits::LoggingOn) != 0;
        report.statusText = status.StatusText;
        report.overwrite = command.pages().overwriteSelected();
        report.mask = status.FormatMask;
        report.criteria[0] = status.TimeInterval;
        report.criteria[1] = status.DistanceInterval;
        report.criteria[2] = status.SpeedInterval;
        report.memorySize = session.link().MemorySize;
        report.memoryUsed = static_cast<uint32_t>(ParseInteger(session.replyValue("3,8"), 16).value_or(0));
        report.percentUsed = status.PercentUsed;
        report.recordCount = status.RecordCount;
        report.flashId = session.replyValue("3,9");
        report.periods = command.pages().reportedPeriods();
        return report;
    });
}

std::string Joined(const std::vector<std::string>& words, const std::string& separator)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : separator) + word;
    return text;
}

void PrintText(const LoggerReport& report, std::ostream& out)
{
    std::vector<std::string> periods;
    for (const auto& [name, period] : PeriodsByName(report.periods))
        periods.push_back(std::string(name) + " " + std::to_string(period));
    out << "Logging:          " << (report.logging ? "on" : "off") << " (" << report.statusText << ")\n"
        << "Recording method: " << (report.overwrite ? "overwrite" : "stop") << '\n'
        << "Log format:       " << Hex8(report.mask) << ' ' << Joined(FieldNames(report.mask), " ") << '\n'
        << "Time:             " << report.criteria[0] << " s\n"
        << "Distance:         " << report.criteria[1] << " m\n"
        << "Speed:            " << report.criteria[2] << " km/h\n"
        << "Memory size:      " << report.memorySize << " bytes\n"
        << "Memory used:      " << report.memoryUsed << " bytes, " << report.percentUsed << " %\n"
        << "Record count:     " << report.recordCount << '\n'
        << "Flash identifier: " << report.flashId << '\n'
        << "NMEA periods (s): " << Joined(periods, ", ") << '\n';
}

std::string JsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

void PrintJson(const LoggerReport& report, std::ostream& out)
{
    std::vector<std::string> fields;
    for (const std::string& name : FieldNames(report.mask))
        fields.push_back(JsonString(name));
    std::vector<std::string> periods;
    for (const auto& [name, period] : PeriodsByName(report.periods))
        periods.push_back(JsonString(name) + ": " + std::to_string(period));
    out << "{\"logging\": " << (report.logging ? "true" : "false")
        << ", \"status_text\": " << JsonString(report.statusText)
        << ", \"method\": " << JsonString(report.overwrite ? "overwrite" : "stop")
        << ", \"mask\": " << JsonString(Hex8(report.mask)) << ", \"fields\": [" << Joined(fields, ", ") << "]"
        << ", \"time_s\": " << report.criteria[0] << ", \"distance_m\": " << report.criteria[1]
        << ", \"speed_kmh\": " << report.criteria[2] << ", \"memory_size\": " << report.memorySize
        << ", \"memory_used_bytes\": " << report.memoryUsed << ", \"memory_used_percent\": " << report.percentUsed
        << ", \"record_count\": " << report.recordCount << ", \"flash_id\": " << JsonString(report.flashId)
        << ", \"nmea_periods\": {" << Joined(periods, ", ") << "}}\n";
}

int RunStatus(const std::vector<std::string>& args)
{
    return RunLoggerCommand("status", [&] {
        PortOptions port;
        const bool json = ParsePortAndFlag(args, port, "--json");
        LoggerCommand command("status", port);
        const LoggerReport report = ReadReport(command);
        json ? PrintJson(report, std::cout) : PrintText(report, std::cout);
        PrintNote(CliText::StatusRead(port.port));
        return kExitSuccess;
    });
}

const SubcommandRegistration kRegistration{
    {"status", "what the logger reports: logging, format, criteria, memory", kStatusUsage.c_str(), RunStatus}};
} // namespace
