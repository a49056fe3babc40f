// Hot, warm and cold restarts of the GPS receiver; each starts the time to
// first fix count again.
#pragma once

#include "link/device_link_state.h"

void HotStart(DeviceLinkState& link);
void WarmStart(DeviceLinkState& link);
void ColdStart(DeviceLinkState& link);
