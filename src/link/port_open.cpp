#include "link/port_open.h"

#include "link/open_failure_text.h"
#include "link/port_names.h"
#include "link/scan_entry.h"
#include "link/serial_port.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>

namespace {
PortOpenResult failure(const std::string& text, bool turnsShapeRed)
{
    PortOpenResult result;
    result.failureText = text;
    result.turnsShapeRed = turnsShapeRed;
    return result;
}

bool readsAsPortNumber(const std::string& portText)
{
    int number = 0;
    return std::sscanf(portText.c_str(), "Com%d", &number) == 1;
}

// The whole text as a decimal integer; 0 when it is not one.
int baudRateOf(const std::string& baudText)
{
    int baudRate = 0;
    const char* end = baudText.data() + baudText.size();
    const auto [stop, error] = std::from_chars(baudText.data(), end, baudRate);
    return error == std::errc() && stop == end ? baudRate : 0;
}

SerialPort::Handle openDevice(const std::string& portName)
{
    const std::string device = PortNames::ResolveDevice(portName);
    return device.empty() ? SerialPort::kNoHandle : SerialPort::Open(device);
}

// The device of a port box text, empty when a name leads nowhere; nullopt
// when the text is neither a port name nor a device path.
std::optional<std::string> deviceOf(const std::string& portText)
{
    const std::string port = PortNameOfEntry(portText);
    if (std::string path = PortNames::DevicePathIn(port); !path.empty())
        return path;
    if (!readsAsPortNumber(port))
        return std::nullopt;
    return PortNames::ResolveDevice(port);
}

// Steps after the open; the port is closed again when one fails.
PortOpenResult configure(SerialPort::Handle port, const std::string& baudText)
{
    SerialPort::SetTimeouts(port);
    if (!SerialPort::SetQueueSizes(port, SerialPort::kInputQueueSize, SerialPort::kOutputQueueSize))
        return failure("SetupComm failed.", true);
    const auto settings = SerialPort::GetLineSettings(port);
    if (!settings)
        return failure("GetCommState failed.", true);
    const int baudRate = baudRateOf(baudText);
    if (baudRate == 0)
        return failure("Error baud rate.", false);
    if (!SerialPort::SetLineSettings(port, *settings, baudRate))
        return failure("SetCommState failed.", true);
    if (!SerialPort::Purge(port))
        return failure("PurgeComm failed.", true);
    PortOpenResult result;
    result.handle = port;
    return result;
}
} // namespace

PortOpenResult OpenPortSteps(int portItemCount, const std::string& portText, const std::string& baudText)
{
    if (portItemCount <= 0) {
        auto result = failure("No device is connected to com port!", false);
        result.isErrorBox = true;
        return result;
    }
    const auto device = deviceOf(portText);
    if (!device)
        return failure("Com Port Error!", false);
    if (device->empty())
        return failure(kOpenPortFailedText, true);
    const SerialPort::Handle port = SerialPort::Open(*device);
    if (port == SerialPort::kNoHandle)
        return failure(OpenFailureText(*device, errno), true);
    auto result = configure(port, baudText);
    if (!result.succeeded())
        SerialPort::Close(port);
    return result;
}

std::vector<std::string> ScanPortNames()
{
    std::vector<std::string> found;
    for (int number = kFirstScannedPort; number <= kLastScannedPort; ++number) {
        const std::string name = PortNames::NameOf(number);
        const SerialPort::Handle port = openDevice(name);
        if (port != SerialPort::kNoHandle) {
            found.push_back(name);
            SerialPort::Close(port);
        }
    }
    return found;
}
