// The recording-method sub-page: what the logger does when its memory is
// full, overwrite the oldest data or stop.
#pragma once

#include "link/device_link_state.h"
#include "link/logger_status.h"
#include "logger/settings_result.h"

#include <functional>

class MethodView {
public:
    virtual ~MethodView() = default;
    // Shows the clickable overwrite (stop) button when the flag is true,
    // else its selected look.
    virtual void setMethodButtons(bool overwriteClickable, bool stopClickable) = 0;
};

// The log page's memory gauge stands at 100 %.
bool MemoryFull(const LoggerStatus& status);

// What opening the page does: MethodRequested set, the method queried; the reply sets the buttons.
void RequestRecordingMethod(DeviceLinkState& link);

// The method reply or the last click: the current method shows its selected look.
void ShowRecordingMethod(MethodView& view, bool overwrite);

// Both throw AppError "Memory was full and access denied." when memory is full.
void SetOverwriteMode(const LoggerStatus& status, const DeviceLinkState& link,
                      const std::function<void()>& probeLastSector);
void SetStopMode(const LoggerStatus& status, const DeviceLinkState& link);

// The two buttons of the page: set the mode and show it. Connected or not
// (without a port nothing goes out).
SettingsResult ChooseOverwriteMethod(MethodView& view, const LoggerStatus& status, const DeviceLinkState& link,
                                     const std::function<void()>& probeLastSector);
SettingsResult ChooseStopMethod(MethodView& view, const LoggerStatus& status, const DeviceLinkState& link);
