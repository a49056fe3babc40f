// The log page's status poll (the window's Timer1, once a second) and the
// probe of the logger's last memory sector.
#pragma once

#include "link/device_link_state.h"
#include "link/logger_status.h"

// One tick: sends the status, memory-used and record-count queries while the
// log page is visible, paused (sending nothing) during a download or an erase,
// and the last-sector probe when the memory-use rule asks for it. Returns
// whether the timer stays enabled; leaving the log page ends the poll.
bool StatusPollTick(DeviceLinkState& link, const LoggerStatus& status, bool logPageVisible);

// Reads 2 bytes at the start of the last 64 KiB sector; the reply tells
// whether that sector is still blank.
void ProbeLastSector(const DeviceLinkState& link);
