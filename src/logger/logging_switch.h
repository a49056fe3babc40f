// Starting and stopping the logger's recording. The next status reply shows
// the outcome; nothing here waits for it.
#pragma once

#include "link/device_link_state.h"

void SwitchLoggingOn(const DeviceLinkState& link);
void SwitchLoggingOff(const DeviceLinkState& link);
