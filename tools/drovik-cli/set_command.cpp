#include "cli_texts.h"
#include "logger_command.h"
#include "subcommand.h"

#include "core/number_text.h"
#include "link/logger_replies.h"
#include "link/status_poll.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>

namespace {
const std::string kSetUsage = std::string(R"(Usage: drovik-cli set --port PORT [--baud N] [--format MASK|PRESET] [--yes]
                      [--time S] [--distance M] [--speed KMH]
                      [--method overwrite|stop] [--nmea NAME=PERIOD,...]

Changes the logger's settings as the settings pages do, with their ranges,
refusals and sentences; what is not given keeps the logger's current value.
The pages go in this order, and the first refusal ends the command: log
format, logging criteria, recording method, NMEA output.

)") + kPortOptionsHelp + R"(  --format MASK   the log format: eight hex digits, or a preset: gga, gll, gsa,
                  gsv, rmc, vtg, zda, all, default, google-earth (the fields
                  of the preset alone). A new format erases the memory first,
                  so it is refused without --yes
  --yes           yes, erase the memory for a new --format
  --time S        log every S seconds, 1 to 999; 0 for off
  --distance M    log every M metres, 10 to 9999; 0 for off
  --speed KMH     log only over KMH km/h, 10 to 999; 0 for off
  --method M      when the memory is full: overwrite, or stop
  --nmea LIST     output periods, e.g. gll=2,vtg=0,zda=5: gll, vtg and zda
                  only (the others always go out every second), 1 to 5
                  seconds or 0 for none

Ends with what was set on stderr, such as
  Settings updated: time 5 s, distance off, speed 20 km/h.

Exit status: 0 applied; 1 refused (the reason, with the valid range, is on
stderr), or the port cannot be opened or the logger does not answer; 2 for a
bad command line.
)";

const std::map<std::string, FormatPreset> kPresets{{"gga", FormatPreset::Gga},
                                                   {"gll", FormatPreset::Gll},
                                                   {"gsa", FormatPreset::Gsa},
                                                   {"gsv", FormatPreset::Gsv},
                                                   {"rmc", FormatPreset::Rmc},
                                                   {"vtg", FormatPreset::Vtg},
                                                   {"zda", FormatPreset::Zda},
                                                   {"all", FormatPreset::SelectAll},
                                                   {"default", FormatPreset::SelectDefault},
                                                   {"google-earth", FormatPreset::GoogleEarth}};

const std::map<std::string, NmeaRow> kSettableRows{{"gll", NmeaRow::Gll}, {"vtg", NmeaRow::Vtg}, {"zda", NmeaRow::Zda}};
const std::map<std::string, LoggingCriterion> kCriterionOptions{{"--time", LoggingCriterion::Time},
                                                                {"--distance", LoggingCriterion::Distance},
                                                                {"--speed", LoggingCriterion::Speed}};

struct SetOptions {
    PortOptions port;
    std::optional<uint32_t> mask;
    std::optional<FormatPreset> preset;
    bool yes = false;
    std::map<LoggingCriterion, long long> criteria;
    std::optional<bool> overwrite;
    std::map<NmeaRow, int> periods;
};

long long NonNegative(const std::string& text, const std::string& option, long long largest)
{
    const bool digits =
        !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto value = digits ? ParseInteger(text) : std::nullopt;
    if (!value || *value > largest)
        throw std::invalid_argument("bad value for " + option + ": " + text);
    return *value;
}

long long CriterionValue(const std::string& text, LoggingCriterion criterion)
{
    try {
        return NonNegative(text, "", INT32_MAX);
    } catch (const std::invalid_argument&) {
        throw std::invalid_argument(CliText::CriterionRangeText(criterion) + ", not '" + text + "'");
    }
}

void ParseFormat(const std::string& value, SetOptions& options)
{
    if (const auto preset = kPresets.find(value); preset != kPresets.end()) {
        options.preset = preset->second;
        return;
    }
    const auto mask = value.size() == 8 ? ParseInteger(value, 16) : std::nullopt;
    if (!mask || *mask < 0 || *mask > 0x000FFFFF)
        throw std::invalid_argument("--format takes a preset or eight hex digits up to 000FFFFF: " + value);
    options.mask = static_cast<uint32_t>(*mask);
}

void ParseNmea(const std::string& list, SetOptions& options)
{
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, end - start);
        const std::size_t equals = item.find('=');
        const auto row = kSettableRows.find(item.substr(0, equals));
        if (equals == std::string::npos || row == kSettableRows.end())
            throw std::invalid_argument("--nmea sets gll, vtg and zda as NAME=PERIOD: " + item);
        try {
            options.periods[row->second] = static_cast<int>(NonNegative(item.substr(equals + 1), "", kMaxPeriod));
        } catch (const std::invalid_argument&) {
            throw std::invalid_argument("--nmea takes periods of 1 to " + std::to_string(kMaxPeriod) +
                                        " seconds, or 0 for none, not '" + item + "'");
        }
        start = end + 1;
    }
}

bool TakeOption(const std::string& option, const std::string& value, SetOptions& options)
{
    if (option == "--format")
        ParseFormat(value, options);
    else if (const auto criterion = kCriterionOptions.find(option); criterion != kCriterionOptions.end())
        options.criteria[criterion->second] = CriterionValue(value, criterion->second);
    else if (option == "--method" && (value == "overwrite" || value == "stop"))
        options.overwrite = value == "overwrite";
    else if (option == "--method")
        throw std::invalid_argument("--method is overwrite or stop");
    else if (option == "--nmea")
        ParseNmea(value, options);
    else
        return false;
    return true;
}

SetOptions ParseSetOptions(const std::vector<std::string>& args)
{
    SetOptions options;
    options.yes =
        ParsePortAndFlag(args, options.port, "--yes", [&](const std::string& option, const std::string& value) {
            return TakeOption(option, value, options);
        });
    if (!options.mask && !options.preset && options.criteria.empty() && !options.overwrite && options.periods.empty())
        throw std::invalid_argument("nothing to set");
    return options;
}

// The page cleared, then the mask's or the preset's boxes ticked.
bool SetFormat(LoggerCommand& command, const SetOptions& options)
{
    HeadlessPages& pages = command.pages();
    command.dialogs().setAnswer(options.yes);
    const bool applied = command.apply([&] {
        ApplyFormatPreset(pages, FormatPreset::ClearAll);
        if (options.mask)
            ShowFormatBoxes(pages, LogFormatBoxes(*options.mask));
        else
            ApplyFormatPreset(pages, *options.preset);
        return ApplyLogFormat(pages, true, command.session().link(), [&] { return command.ConfirmErase(); });
    });
    if (!options.yes)
        PrintError("set: " + CliText::FormatNeedsYes());
    command.dialogs().setAnswer(true);
    return applied;
}

bool SetCriteria(LoggerCommand& command, const SetOptions& options)
{
    command.openCriteriaPage();
    HeadlessPages& pages = command.pages();
    return command.apply([&] {
        for (const auto& [criterion, value] : options.criteria) {
            pages.setCriterionChecked(criterion, value != 0);
            if (value != 0)
                pages.setIntervalText(criterion, std::to_string(value));
        }
        return ApplyLogCriteria(pages, true, command.session().link(), command.dialogs());
    });
}

bool SetMethod(LoggerCommand& command, bool overwrite)
{
    command.readLogPage();
    command.openMethodPage();
    LoggerSession& session = command.session();
    return command.apply([&] {
        if (overwrite)
            return ChooseOverwriteMethod(command.pages(), session.status(), session.link(),
                                         [&] { ProbeLastSector(session.link()); });
        return ChooseStopMethod(command.pages(), session.status(), session.link());
    });
}

bool SetNmeaPeriods(LoggerCommand& command, const SetOptions& options)
{
    command.openNmeaOutputPage();
    HeadlessPages& pages = command.pages();
    return command.apply([&] {
        for (const auto& [row, period] : options.periods) {
            pages.setPeriodBoxState(row, period == 0 ? BoxState::Unchecked : BoxState::Checked);
            if (period != 0)
                pages.setPeriodValue(row, period);
        }
        return ApplyNmeaPeriods(pages, true, command.session().link(), command.dialogs());
    });
}

// What the settings line says of each thing set, in the order the pages go.
std::vector<std::string> ChangesMade(const SetOptions& options, uint32_t mask)
{
    constexpr const char* kCriterionNames[] = {"time", "distance", "speed"};
    constexpr const char* kCriterionUnits[] = {" s", " m", " km/h"};
    const std::map<NmeaRow, const char*> kRowNames{{NmeaRow::Gll, "GLL"}, {NmeaRow::Vtg, "VTG"}, {NmeaRow::Zda, "ZDA"}};
    std::vector<std::string> changes;
    if (options.mask || options.preset) {
        char text[48];
        std::snprintf(text, sizeof text, "log format %08X (memory erased)", static_cast<unsigned>(mask));
        changes.push_back(text);
    }
    for (const auto& [criterion, value] : options.criteria) {
        const auto at = static_cast<std::size_t>(criterion);
        changes.push_back(std::string(kCriterionNames[at]) + " " +
                          (value == 0 ? "off" : std::to_string(value) + kCriterionUnits[at]));
    }
    if (options.overwrite)
        changes.push_back(*options.overwrite ? "method overwrite" : "method stop");
    for (const auto& [row, period] : options.periods)
        changes.push_back(std::string(row == options.periods.begin()->first ? "NMEA " : "") + kRowNames.at(row) + " " +
                          (period == 0 ? "off" : "every " + std::to_string(period) + " s"));
    return changes;
}

int RunSet(const std::vector<std::string>& args)
{
    return RunLoggerCommand(
        "set",
        [&] {
            const SetOptions options = ParseSetOptions(args);
            LoggerCommand command("set", options.port);
            command.dialogs().setAnswer(true); // running the command answers "Do you want to change setting?"
            const bool done = ((!options.mask && !options.preset) || SetFormat(command, options)) &&
                              (options.criteria.empty() || SetCriteria(command, options)) &&
                              (!options.overwrite || SetMethod(command, *options.overwrite)) &&
                              (options.periods.empty() || SetNmeaPeriods(command, options));
            if (done)
                PrintNote(CliText::SettingsUpdated(ChangesMade(options, FormatMaskFromBoxes(command.pages()))));
            return done ? kExitSuccess : kExitFailure;
        },
        "The logger may or may not have taken the new settings.");
}

const SubcommandRegistration kRegistration{
    {"set", "change the log format, criteria, method and NMEA periods", kSetUsage.c_str(), RunSet}};
} // namespace
