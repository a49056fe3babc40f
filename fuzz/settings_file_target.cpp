// A settings file of any bytes: read as the window reads it at start, then
// written as the window writes it, without losing what the file held.
#include "fuzz_target.h"

#include "app/settings_file.h"

namespace {
constexpr const char* kProbeSection = "Fuzz Probe";
constexpr const char* kProbeKey = "Value";
} // namespace

int FuzzSettingsFile(const std::uint8_t* data, std::size_t size)
{
    const std::string path = ScratchFile("Drovik.ini", data, size);
    const StoredSettings before = ReadSettingsFile(path);
    WriteProfileString(path, kProbeSection, kProbeKey, "written");
    FUZZ_CHECK(ReadProfileString(path, kProbeSection, kProbeKey, "") == "written");
    const StoredSettings after = ReadSettingsFile(path);
    FUZZ_CHECK(after.comPort == before.comPort && after.baudRate == before.baudRate);
    FUZZ_CHECK(after.timeShiftHours == before.timeShiftHours && after.speedUnitIndex == before.speedUnitIndex &&
               after.weekRollovers == before.weekRollovers);
    return 0;
}
