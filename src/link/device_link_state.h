// The one record shared by the window and the receive side. Only Downloading
// is read by the receive thread outside a hand-over; everything else belongs
// to the window's thread.
#pragma once

#include "link/logger_model.h"
#include "link/port_handle.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

struct DeviceLinkState {
    static constexpr SerialPort::Handle kNoPort = SerialPort::kNoHandle;
    // Hex characters of one complete 64 KiB chunk.
    static constexpr std::size_t kHexBufferCapacity = 131072;

    SerialPort::Handle PortHandle = kNoPort; // the open serial line
    std::string PortName;                    // as the user named it, for messages
    // The open port's device has gone; nothing more is written to it.
    bool PortLost = false;

    bool NmeaPeriodsRequested = false;
    bool TimeIntervalRequested = false;
    bool DistanceIntervalRequested = false;
    bool SpeedIntervalRequested = false;
    bool LogFormatRequested = false;
    bool MethodRequested = false;
    bool LogPageActive = false;

    std::atomic<bool> Downloading{false};
    bool Erasing = false;
    bool LastSectorBlank = false;

    int32_t TtffCount = 0;
    uint32_t MemorySize = 0;

    uint32_t DownloadAddress = 0;
    uint32_t DownloadEnd = 0;
    // DownloadEnd came from a memory-used reply for a known memory size: 0 then
    // means an empty memory rather than one not reported yet.
    bool DownloadEndKnown = false;
    std::string HexBuffer;
    int32_t BadReplyCount = 0;

    // Of this connection: the model query went out, and what the logger said.
    bool ModelAsked = false;
    std::optional<LoggerModel> Model;
    // Queries of its memory the logger said it does not support (an M-241
    // Plus answers the status query so); a download then reads until a blank chunk.
    int32_t QueryRefusals = 0;
};
