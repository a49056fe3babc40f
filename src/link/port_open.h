// The serial-line part of opening a port from the port page and of the port
// scan: every step in order, each with its own failure text. The window
// shows the outcome (message, shape colour) and starts the receive side.
#pragma once

#include "link/port_handle.h"

#include <string>
#include <vector>

struct PortOpenResult {
    SerialPort::Handle handle = SerialPort::kNoHandle; // the configured, purged port on success
    std::string failureText;                           // empty on success
    bool turnsShapeRed = false;
    // The first step's failure is shown in a message box captioned "Error";
    // every later one is raised as AppError.
    bool isErrorBox = false;

    bool succeeded() const { return handle != SerialPort::kNoHandle; }
};

// portItemCount: items in the port list; portText and baudText: the texts of
// the port and baud boxes. The port text is a port name, a scan entry or a
// device path (see port_names.h). A port opened by the steps and failing a later
// step is closed again before the failure is returned.
PortOpenResult OpenPortSteps(int portItemCount, const std::string& portText, const std::string& baudText);

inline constexpr int kFirstScannedPort = 3;
inline constexpr int kLastScannedPort = 99;

// Probes Com3 ... Com99 in rising order, each opened as the open steps open
// it and closed again at once; returns the names of those that opened.
std::vector<std::string> ScanPortNames();
