#include "app/settings_file.h"

#include "core/output_file.h"
#include "core/text_scan.h"
#include "decode/track_options.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace {
struct IniText {
    std::vector<std::string> lines;
    std::string lineEnd = "\n";
};

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The name of a "[Section]" line.
std::optional<std::string_view> SectionName(std::string_view line)
{
    line = Trimmed(line);
    const std::size_t close = line.find(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos)
        return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
}

bool IsKeyLine(std::string_view line, std::string_view key)
{
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && SameName(Trimmed(line.substr(0, equals)), key);
}

// nullopt when the file exists but cannot be read; empty text when it does not exist.
std::optional<IniText> Load(const std::string& path)
{
    IniText ini;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::error_code error;
        if (std::filesystem::exists(path, error) || error)
            return std::nullopt;
        return ini;
    }
    std::ostringstream content;
    content << file.rdbuf();
    const std::string text = std::move(content).str();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            if (ini.lines.empty())
                ini.lineEnd = "\r\n";
        }
        ini.lines.push_back(std::move(line));
        start = end + 1;
    }
    return ini;
}

// Replaced in one step, so a failed write leaves the old file whole.
void Save(const std::string& path, const IniText& ini)
{
    OutputFile file(path);
    for (const std::string& line : ini.lines) {
        file.write(line);
        file.write(ini.lineEnd);
    }
    file.close();
}

// Lines [begin, end) of the first section of the name, header excluded.
struct SectionSpan {
    std::size_t begin;
    std::size_t end;
};

std::optional<SectionSpan> FindSection(const IniText& ini, std::string_view section)
{
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        const auto name = SectionName(ini.lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < ini.lines.size() && !SectionName(ini.lines[end]))
            ++end;
        return SectionSpan{i + 1, end};
    }
    return std::nullopt;
}

std::string KeyLine(std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + std::string(value);
    // A line break in a value would open a line of its own.
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

void SetValue(IniText& ini, std::string_view section, std::string_view key, std::string_view value)
{
    const auto span = FindSection(ini, section);
    if (!span) {
        ini.lines.push_back(std::string("[").append(section).append("]"));
        ini.lines.push_back(KeyLine(key, value));
        return;
    }
    for (std::size_t i = span->begin; i < span->end; ++i) {
        if (IsKeyLine(ini.lines[i], key)) {
            ini.lines[i] = KeyLine(key, value);
            return;
        }
    }
    // After the section's last entry, ahead of any blank lines that part it from the next.
    std::size_t at = span->end;
    while (at > span->begin && Trimmed(ini.lines[at - 1]).empty())
        --at;
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), KeyLine(key, value));
}

// Probed with the temporary that Save writes there, so a probe that succeeds
// means saving will; left unclosed, it leaves the folder as it was.
bool CanSaveBeside(const std::string& path)
{
    return OutputFile(path).isOpen();
}

// Empty when neither $XDG_CONFIG_HOME nor $HOME names a folder.
std::filesystem::path UserConfigFolder()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return config;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config";
    return {};
}

std::string ValueOf(const std::optional<IniText>& ini, std::string_view section, std::string_view key,
                    std::string_view fallback)
{
    const auto span = ini ? FindSection(*ini, section) : std::nullopt;
    if (!span)
        return std::string(fallback);
    for (std::size_t i = span->begin; i < span->end; ++i) {
        const std::string& line = ini->lines[i];
        if (IsKeyLine(line, key))
            return std::string(Trimmed(std::string_view(line).substr(line.find('=') + 1)));
    }
    return std::string(fallback);
}

int IntegerOf(const std::optional<IniText>& ini, std::string_view section, std::string_view key)
{
    return LeadingInteger(ValueOf(ini, section, key, "0"));
}
} // namespace

std::string SettingsFilePath(const std::string& executablePath)
{
    return std::filesystem::path(executablePath).replace_extension(".ini").string();
}

std::string UsableSettingsFilePath(const std::string& executablePath)
{
    const std::string beside = SettingsFilePath(executablePath);
    const std::filesystem::path config = UserConfigFolder();
    if (CanSaveBeside(beside) || config.empty())
        return beside;
    const std::filesystem::path folder = config / "drovik";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return (folder / std::filesystem::path(beside).filename()).string();
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view fallback)
{
    return ValueOf(Load(path), section, key, fallback);
}

void WriteProfileString(const std::string& path, std::string_view section, std::string_view key, std::string_view value)
{
    auto ini = Load(path);
    if (!ini)
        return;
    SetValue(*ini, section, key, value);
    Save(path, *ini);
}

StoredSettings ReadSettingsFile(const std::string& path)
{
    // One read, so the values all come from the same version of the file.
    const auto ini = Load(path);
    StoredSettings settings;
    settings.comPort = ValueOf(ini, kConnectionSection, kComPortKey, "");
    settings.baudRate = ValueOf(ini, kConnectionSection, kBaudRateKey, "");
    settings.timeShiftHours = IntegerOf(ini, kGridOptionsSection, kTimeShiftKey);
    settings.speedUnitIndex = IntegerOf(ini, kGridOptionsSection, kSpeedUnitKey);
    settings.weekRollovers = IntegerOf(ini, kGridOptionsSection, kWeekRolloverKey);
    return settings;
}

void WriteConnectionSettings(const std::string& path, const std::string& comPort, const std::string& baudRate)
{
    WriteProfileString(path, kConnectionSection, kComPortKey, comPort);
    WriteProfileString(path, kConnectionSection, kBaudRateKey, baudRate);
}

void WriteGridOptionSettings(const std::string& path, const GridOptionsOutcome& outcome, int timeShiftHours,
                             int speedUnitIndex, int weekRollovers)
{
    if (outcome.storeSpeedUnit)
        WriteProfileString(path, kGridOptionsSection, kSpeedUnitKey, std::to_string(speedUnitIndex));
    if (outcome.storeTimeShift) {
        WriteProfileString(path, kGridOptionsSection, kTimeShiftKey, std::to_string(timeShiftHours));
        WriteProfileString(path, kGridOptionsSection, kWeekRolloverKey, std::to_string(weekRollovers));
    }
}
