#include "link/port_open.h"

#include "link/open_failure_text.h"
#include "link/port_names.h"
#include "link/scan_entry.h"
#include "link/serial_port.h"

#include <charconv>
#include <cstdio>
#include <utility>

namespace {
// The whole text as a decimal integer; 0 when it is not one.
int BaudRateOf(const std::string& baudText)
{
    int baudRate = 0;
    const char* end = baudText.data() + baudText.size();
    const auto [stop, error] = std::from_chars(baudText.data(), end, baudRate);
    return error == std::errc() && stop == end ? baudRate : 0;
}

SerialPort::Handle OpenDevice(const std::string& portName)
{
    const std::string device = PortNames::ResolveDevice(portName);
    return device.empty() ? SerialPort::kNoHandle : SerialPort::Open(device);
}

// "Com5x" reads as a port number too, as it always has: it then names no device.
bool ReadsAsPortNumber(const std::string& portName)
{
    int number = 0;
    return std::sscanf(portName.c_str(), "Com%d", &number) == 1;
}

// The failed step, or Done once the port is configured; the port is closed
// again when a step fails.
PortOpenStep Configure(SerialPort::Handle port, const std::string& baudText)
{
    SerialPort::SetTimeouts(port);
    if (!SerialPort::SetQueueSizes(port, SerialPort::kInputQueueSize, SerialPort::kOutputQueueSize))
        return PortOpenStep::SetQueueSizes;
    const auto settings = SerialPort::GetLineSettings(port);
    if (!settings)
        return PortOpenStep::GetLineSettings;
    const int baudRate = BaudRateOf(baudText);
    if (baudRate == 0)
        return PortOpenStep::ReadBaudRate;
    if (!SerialPort::SetLineSettings(port, *settings, baudRate))
        return PortOpenStep::SetLineSettings;
    if (!SerialPort::Purge(port))
        return PortOpenStep::Purge;
    return PortOpenStep::Done;
}

PortOpenResult OpenPort(PortOpenResult result, const std::string& baudText)
{
    const SerialPort::Handle port = SerialPort::Open(result.device);
    if (port == SerialPort::kNoHandle) {
        result.systemError = LastOpenError();
        result.failedStep = PortOpenStep::OpenDevice;
        return result;
    }
    result.failedStep = Configure(port, baudText);
    if (result.failedStep == PortOpenStep::Done)
        result.handle = port;
    else
        SerialPort::Close(port);
    return result;
}
} // namespace

PortOpenResult OpenPortSteps(const std::string& portText, const std::string& baudText)
{
    PortOpenResult result;
    result.portName = PortNames::Canonical(PortNameOfEntry(portText));
    result.device = PortNames::DevicePathIn(result.portName);
    if (result.device.empty()) {
        if (!ReadsAsPortNumber(result.portName)) {
            result.failedStep = PortOpenStep::ReadPortText;
            return result;
        }
        result.device = PortNames::ResolveDevice(result.portName);
        if (result.device.empty()) {
            result.failedStep = PortOpenStep::FindDevice;
            return result;
        }
    }
    return OpenPort(std::move(result), baudText);
}

std::vector<std::string> ScanPortNames()
{
    std::vector<std::string> found;
    for (int number = kFirstScannedPort; number <= kLastScannedPort; ++number) {
        const std::string name = PortNames::NameOf(number);
        const SerialPort::Handle port = OpenDevice(name);
        if (port != SerialPort::kNoHandle) {
            found.push_back(name);
            SerialPort::Close(port);
        }
    }
    return found;
}
