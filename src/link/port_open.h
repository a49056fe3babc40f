// The serial-line part of opening a port from the port page, the command line
// and the port scan: every step in order. The result says which step failed,
// on which device and what the system answered; the window and the command
// line each tell it in their own words and start the receive side.
#pragma once

#include "link/port_handle.h"

#include <string>
#include <vector>

enum class PortOpenStep {
    Done,
    ReadPortText, // neither a port name nor a device path
    FindDevice,   // a port name that stands for no device
    OpenDevice,
    SetQueueSizes,
    GetLineSettings,
    ReadBaudRate, // the rate's text is no whole number from 1 up
    SetLineSettings,
    Purge,
};

struct PortOpenResult {
    SerialPort::Handle handle = SerialPort::kNoHandle; // the configured, purged port on success
    PortOpenStep failedStep = PortOpenStep::Done;
    std::string portName; // the port text with a name made canonical, or the device path
    std::string device;   // the device tried; empty before one is known
    int systemError = 0;  // what the system said when the device did not open (LastOpenError())

    bool succeeded() const { return handle != SerialPort::kNoHandle; }
};

// portText and baudText: the texts of the port and baud boxes. The port text
// is a port name, a scan entry or a device path (see port_names.h). A port
// opened by the steps and failing a later step is closed again before the
// failure is returned.
PortOpenResult OpenPortSteps(const std::string& portText, const std::string& baudText);

inline constexpr int kFirstScannedPort = 3;
inline constexpr int kLastScannedPort = 99;

// Probes Com3 ... Com99 in rising order, each opened as the open steps open
// it and closed again at once; returns the names of those that opened.
std::vector<std::string> ScanPortNames();
