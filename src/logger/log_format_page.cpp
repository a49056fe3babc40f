#include "logger/log_format_page.h"

#include "link/sentences.h"

namespace {
// Boxes each preset checks, as the mask they stand for.
constexpr uint32_t kPresetMasks[] = {
    0x0000159F, // GGA
    0x0000000D, // GLL
    0x00002E00, // GSA
    0x0001F000, // GSV
    0x0000006D, // RMC
    0x00000020, // VTG
    0x00000001, // ZDA
    0x000FFFFF, // Select all
    0x00000000, // Clear all
    0x0002002F, // Select Default
    0x000A003F, // Select for Google Earth
};
} // namespace

int FormatBoxOfBit(int bit)
{
    switch (bit) {
    case 18:
        return 20;
    case 19:
        return 19;
    default:
        return bit + 1;
    }
}

uint32_t FormatMaskOfBox(int box)
{
    for (int bit = 0; bit < kFormatBoxCount; ++bit)
        if (FormatBoxOfBit(bit) == box)
            return uint32_t{1} << bit;
    return 0;
}

bool IsSatelliteDetailBox(int box)
{
    return box >= 15 && box <= 17;
}

void UpdateSatelliteDetailBoxes(LogFormatView& view)
{
    const bool sid = view.formatBoxChecked(kSidBox);
    for (int box = 15; box <= 17; ++box)
        view.setFormatBoxEnabled(box, sid);
}

void ShowFormatBoxes(LogFormatView& view, const std::array<bool, kFormatBoxCount>& checked)
{
    for (int box = 1; box <= kFormatBoxCount; ++box)
        view.setFormatBoxChecked(box, checked[box - 1]);
    UpdateSatelliteDetailBoxes(view);
}

uint32_t FormatMaskFromBoxes(const LogFormatView& view)
{
    const bool sid = view.formatBoxChecked(kSidBox);
    uint32_t mask = 0;
    for (int box = 1; box <= kFormatBoxCount; ++box)
        if (view.formatBoxChecked(box) && (sid || !IsSatelliteDetailBox(box)))
            mask |= FormatMaskOfBox(box);
    return mask;
}

int CountCheckedFormatBoxes(const LogFormatView& view)
{
    int count = 0;
    for (int box = 1; box <= kFormatBoxCount; ++box)
        count += view.formatBoxChecked(box) ? 1 : 0;
    return count;
}

void SetAllFormatBoxes(LogFormatView& view, bool checked)
{
    for (int box = 1; box <= kFormatBoxCount; ++box)
        view.setFormatBoxChecked(box, checked);
    UpdateSatelliteDetailBoxes(view);
}

FormatPreset FormatPresetOfButton(int button)
{
    return static_cast<FormatPreset>(button - 1);
}

void ApplyFormatPreset(LogFormatView& view, FormatPreset preset)
{
    if (preset == FormatPreset::ClearAll) {
        SetAllFormatBoxes(view, false);
        return;
    }
    const uint32_t mask = kPresetMasks[static_cast<int>(preset)];
    for (int box = 1; box <= kFormatBoxCount; ++box)
        if (mask & FormatMaskOfBox(box))
            view.setFormatBoxChecked(box, true);
    UpdateSatelliteDetailBoxes(view);
}

void RequestLogFormat(DeviceLinkState& link)
{
    link.LogFormatRequested = true;
    SendSentence(link, Sentences::QueryLogFormat);
}

SettingsResult SendLogFormat(const LogFormatView& view, const DeviceLinkState& link)
{
    const uint32_t mask = FormatMaskFromBoxes(view);
    if (mask == 0)
        return {SettingsResult::Outcome::EmptyFormat, "Least check one format."};
    SendSentence(link, Sentences::SetLogFormat(mask));
    return {SettingsResult::Outcome::Applied, "Setting updated!"};
}

SettingsResult ApplyLogFormat(const LogFormatView& view, bool connected, const DeviceLinkState& link,
                              const std::function<SettingsResult()>& confirmErase)
{
    using Outcome = SettingsResult::Outcome;
    if (!connected)
        return {Outcome::NotConnected, "No connecting."};
    if (CountCheckedFormatBoxes(view) == 0)
        return {Outcome::EmptyFormat, "Least check one field."};
    // A mask the logger would be refused must not cost it its memory first.
    if (FormatMaskFromBoxes(view) == 0)
        return {Outcome::EmptyFormat, "Least check one format."};
    if (const SettingsResult erased = confirmErase(); !erased.applied())
        return erased;
    return SendLogFormat(view, link);
}
