#include "cli_texts.h"

#include "link/open_failure_text.h"
#include "link/port_names.h"
#include "logger/criteria_page.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace CliText {
namespace {
// The window's messages by their first line. A failure whose message has more
// lines (the file and the system's reason) gets them after its words here.
const std::map<std::string, std::string> kWindowMessages{
    // Confirmations: the command's own line says what was done.
    {"Setting updated!", ""},
    {"'Overwrite' is set.", ""},
    {"'Stop' is set.", ""},
    {"Recover setting!", ""},
    {"Terminated.", ""},
    // Refusals of the settings pages.
    {"No connecting.", "the port is not open; nothing was changed."},
    {"Least check one field.", "a log format needs at least one field; the log format was not changed."},
    {"Least check one format.", "a log format needs at least one field; the log format was not changed."},
    {"Least check one method.",
     "give one of --time, --distance and --speed a value other than 0; the logging criteria were not changed."},
    {"Memory was full and access denied.",
     "the logger's memory is full, so it keeps its recording method until it is erased (drovik-cli erase); "
     "the method was not changed."},
    {"Erasing fail!", "the logger did not acknowledge the erase within 15 seconds; its memory may not be erased."},
    // Reading and writing files.
    {"Read fail!", "cannot read the file."},
    {"READ FILE FAIL!!", "cannot read the file as a CSV table: a line is cut short, empty or too wide."},
    {"No information on table.", "the table holds no track."},
    {"No information on the grid.", "the table holds no track."},
    {"Write CSV file fail!", "cannot write"},
    {"Write KML file fail!", "cannot write"},
    {"Write NMEA file fail!", "cannot write"},
    {"Write GPX file fail!", "cannot write"},
    {"Fail to write file!", "cannot write"},
};

// Lines as sentences of one paragraph: "a.csv: No such file or directory."
std::string AsSentences(const std::string& lines)
{
    std::string text;
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        std::string line = OneParagraph(lines.substr(start, end - start));
        if (!line.empty() && line.back() != '.')
            line += '.';
        if (!line.empty())
            text += (text.empty() ? "" : " ") + line;
        start = end + 1;
    }
    return text;
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : ", ") + word;
    return text;
}

std::string Plural(std::uint64_t count, const std::string& one, const std::string& many)
{
    return Count(count) + " " + (count == 1 ? one : many);
}

// "Com5 (/dev/ttyUSB2)", or the device alone when that is what was given.
std::string PortAndDevice(const PortOpenResult& result)
{
    if (result.device.empty() || result.device == result.portName)
        return result.portName;
    return result.portName + " (" + result.device + ")";
}

constexpr const char* kSeePorts = "drovik-cli ports lists the ports that open.";
constexpr const char* kAccepted = "a port name Com1 ... Com99 (in any case) or a device path such as /dev/ttyUSB0";
} // namespace

std::string Count(std::uint64_t number)
{
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::string OneParagraph(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::string single;
    for (const char c : text)
        if (c != ' ' || (!single.empty() && single.back() != ' '))
            single += c;
    while (!single.empty() && single.back() == ' ')
        single.pop_back();
    return single;
}

std::optional<std::string> ForWindowMessage(const std::string& text)
{
    // The grid options' "LineN: Error data! Access denied!".
    if (constexpr std::string_view kBadRow = ": Error data! Access denied!";
        text.starts_with("Line") && text.ends_with(kBadRow))
        return "row " + text.substr(4, text.size() - 4 - kBadRow.size()) +
               " has a date, time or speed that cannot be read, so the time shift, week rollovers and speed unit "
               "cannot be applied; nothing was written.";
    for (const LoggingCriterion criterion : kCriteria)
        if (text == RangeOf(criterion).invalidMessage)
            return CriterionRangeText(criterion) + "; the logging criteria were not changed.";
    const std::size_t lineEnd = text.find('\n');
    const auto known = kWindowMessages.find(text.substr(0, lineEnd));
    if (known == kWindowMessages.end())
        return std::nullopt;
    if (known->second.empty() || lineEnd == std::string::npos)
        return known->second;
    return known->second + " " + AsSentences(text.substr(lineEnd + 1));
}

std::string ForFailure(const std::string& text)
{
    return ForWindowMessage(text).value_or(OneParagraph(text));
}

std::string CriterionRangeText(LoggingCriterion criterion)
{
    constexpr const char* kOptions[] = {"--time", "--distance", "--speed"};
    constexpr const char* kUnits[] = {"seconds", "metres", "km/h"};
    const auto at = static_cast<std::size_t>(criterion);
    const CriterionRange& range = RangeOf(criterion);
    return std::string(kOptions[at]) + " takes " + std::to_string(range.minimum) + " to " +
           std::to_string(range.maximum) + " " + kUnits[at] + ", or 0 for off";
}

std::string PortOpenFailure(const PortOpenResult& result)
{
    switch (result.failedStep) {
    case PortOpenStep::ReadPortText:
        return NotAPort(result.portName);
    case PortOpenStep::FindDevice:
        return result.portName + " stands for no device: give " + kAccepted + ". " + kSeePorts;
    case PortOpenStep::OpenDevice: {
        const std::string advice = OpenFailureAdvice(result.device, result.systemError);
        return "cannot open " + PortAndDevice(result) + ": " + SystemErrorText(result.systemError) + ". " +
               (advice.empty() ? "" : advice + " ") + kSeePorts;
    }
    case PortOpenStep::ReadBaudRate:
        return "--baud takes a line rate such as 115200 or 38400.";
    case PortOpenStep::SetQueueSizes:
    case PortOpenStep::GetLineSettings:
    case PortOpenStep::SetLineSettings:
    case PortOpenStep::Purge:
        return "cannot set up " + PortAndDevice(result) + " as a serial line; is it one? " + kSeePorts;
    case PortOpenStep::Done:
        break;
    }
    return {};
}

std::string NotAPort(const std::string& text)
{
    return "--port takes " + std::string(kAccepted) + ", not '" + text + "'";
}

std::string NoPortsFound()
{
    return "no port opens among Com3 ... Com99; is the logger plugged in and switched on?";
}

std::string PortsFound(std::size_t ports)
{
    return "Found " + Plural(ports, "port", "ports") + (ports == 1 ? " that opens." : " that open.");
}

std::string CannotRead(const std::string& path, const std::string& reason)
{
    return "cannot read " + path + ": " + reason + ".";
}

std::string Wrote(std::uint64_t points, const std::vector<std::string>& paths, const std::string& extra)
{
    const std::string where = paths.size() == 1 ? paths.front() : Count(paths.size()) + " files: " + Joined(paths);
    return "Wrote " + Plural(points, "point", "points") + " to " + where + "." + (extra.empty() ? "" : " " + extra);
}

std::string RowsLeftOutUnreadable(std::uint64_t leftOut, std::uint64_t rows)
{
    return "Rows left out because their cells cannot be read: " + std::to_string(leftOut) + " of " +
           std::to_string(rows) + ".";
}

std::string Downloaded(std::uint64_t bytes, const std::string& port, const std::string& image, std::uint64_t records,
                       const std::string& csv)
{
    return "Downloaded " + Plural(bytes, "byte", "bytes") + " from " + port + " into " + image + ": " +
           Plural(records, "record", "records") + (csv.empty() ? "" : ", also written to " + csv) + ".";
}

std::string ImageSavedCsvNot(const std::string& image, std::uint64_t records, const std::string& failure)
{
    return "the memory image is saved in " + image + " (" + Plural(records, "record", "records") +
           "), but the CSV table is not: " + failure;
}

std::string MemoryErased()
{
    return "The logger's memory is erased.";
}

std::string EraseNeedsYes()
{
    return "erasing empties the logger's memory, so it needs --yes; nothing was changed.";
}

std::string FormatNeedsYes()
{
    return "a new log format erases the logger's memory first, so it needs --yes; nothing was changed.";
}

std::string LoggingSwitched(bool on)
{
    return on ? "Logging switched on." : "Logging switched off.";
}

std::string RestartSent(const std::string& kind)
{
    std::string text = kind + " restart sent.";
    text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text;
}

std::string SettingsUpdated(const std::vector<std::string>& changes)
{
    return "Settings updated: " + Joined(changes) + ".";
}

std::string StatusRead(const std::string& port)
{
    return "Read the status of the logger on " + port + ".";
}
} // namespace CliText
