// The entries of the port scan: the port's name, then in parentheses the
// device and the USB product and serial texts the system keeps for it, such as
// "Com3 (/dev/ttyUSB0, USB-Serial Controller, A9K2L1)". The text before the
// first space is the port's name, so an entry chosen in the port box opens
// that port.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kSystemDeviceRoot = "/sys";

// The name of the port an entry stands for; any other text unchanged.
std::string PortNameOfEntry(const std::string& text);

// The name alone when the port shows no device.
std::string ScanEntryText(const std::string& portName, const std::string& device,
                          const std::vector<std::string>& usbTexts);

// The USB product and serial texts of a terminal device ("/dev/ttyUSB0"), in
// that order, as far as the device tree under `sysRoot` has them.
std::vector<std::string> UsbTextsOf(const std::string& device, const std::string& sysRoot);

// The scan (ScanPortNames), each port found as its entry.
std::vector<std::string> ScanPortEntries(const std::string& sysRoot = kSystemDeviceRoot);
