// The log-format sub-page: twenty field boxes standing for the logger's
// LogFormatMask, the presets that tick them, and applying a new mask, which
// always erases the logger memory first.
#pragma once

#include "link/device_link_state.h"
#include "logger/settings_result.h"

#include <array>
#include <cstdint>
#include <functional>

inline constexpr int kFormatBoxCount = 20;
inline constexpr int kSidBox = 14; // SID; the per-satellite boxes 15-17 need it

// The page's check boxes, numbered 1 to 20 as on the page.
class LogFormatView {
public:
    virtual ~LogFormatView() = default;
    virtual bool formatBoxChecked(int box) const = 0;
    virtual void setFormatBoxChecked(int box, bool checked) = 0;
    virtual void setFormatBoxEnabled(int box, bool enabled) = 0;
};

// Bit 0..19 -> box 1..20; bits 18 and 19 sit on boxes 20 and 19.
int FormatBoxOfBit(int bit);
// The mask value one box stands for.
uint32_t FormatMaskOfBox(int box);
// Boxes 15-17 (elevation, azimuth, SNR) are per-satellite values.
bool IsSatelliteDetailBox(int box);

// Enables the per-satellite boxes exactly when SID is checked; their checks stay.
void UpdateSatelliteDetailBoxes(LogFormatView& view);
// The format reply: checked[k] is the state of box k + 1.
void ShowFormatBoxes(LogFormatView& view, const std::array<bool, kFormatBoxCount>& checked);
// The mask the boxes select; per-satellite bits count only with SID.
uint32_t FormatMaskFromBoxes(const LogFormatView& view);
int CountCheckedFormatBoxes(const LogFormatView& view);
void SetAllFormatBoxes(LogFormatView& view, bool checked);

// The preset buttons Button1..Button11, in that order.
enum class FormatPreset { Gga, Gll, Gsa, Gsv, Rmc, Vtg, Zda, SelectAll, ClearAll, SelectDefault, GoogleEarth };
FormatPreset FormatPresetOfButton(int button);
// Checks the preset's boxes and leaves the others; only ClearAll unchecks.
void ApplyFormatPreset(LogFormatView& view, FormatPreset preset);

// What opening the page does: LogFormatRequested set, the format queried; the reply fills the boxes.
void RequestLogFormat(DeviceLinkState& link);

// Sends the boxes' mask, or refuses an empty one.
SettingsResult SendLogFormat(const LogFormatView& view, const DeviceLinkState& link);
// The apply button: checks, the erase (confirmErase asks and erases, as
// MemoryErase::ConfirmErase), then SendLogFormat. An erase declined or not
// acknowledged is the result, and no format is sent.
SettingsResult ApplyLogFormat(const LogFormatView& view, bool connected, const DeviceLinkState& link,
                              const std::function<SettingsResult()>& confirmErase);
