// The port names the user types ("Com1" ... "Com99") and the devices they
// stand for.
//
// On Windows a name whose text reads as "Com" and a number is the device's own
// name: the text itself up to Com9, from Com10 on the text in the device
// namespace ("\\.\Com12"), the only form in which Windows knows those.
//
// Elsewhere a name is first looked up in the port directory: `$DROVIK_PORTS`
// when that is set, else `~/.config/drovik/ports`. An entry there named
// exactly like the port (a symbolic link to a device, or a device node)
// wins, even when it leads nowhere. Otherwise the built-in table applies:
//
//   Com1,  Com2          /dev/ttyS0,   /dev/ttyS1    (never probed by a scan)
//   Com3  ... Com34      /dev/ttyUSB0 ... /dev/ttyUSB31
//   Com35 ... Com66      /dev/ttyACM0 ... /dev/ttyACM31
//   Com67 ... Com99      /dev/ttyS2   ... /dev/ttyS34
//
// Only names made of "Com" and decimal digits are looked up; any other text
// has no device. Users write the names as Windows taught them, in any case
// ("COM5", "com5"): Canonical() makes them "Com5" before anything else reads
// them. Beside the names, a POSIX system also takes a device path
// ("/dev/ttyUSB0", "/dev/serial/by-id/...") as it stands.
#pragma once

#include <string>

namespace PortNames {
// "Com" and the digits for a text that reads "com" in any case, then digits
// (surrounding blanks dropped); any other text as it stands.
std::string Canonical(const std::string& portText);
// Whether the text, once canonical, is "Com" followed by decimal digits.
bool IsPortName(const std::string& portText);
#ifndef _WIN32
std::string PortDirectory();
#endif
// The device path for a port name in any case, empty when the name has none.
std::string ResolveDevice(const std::string& portText);
// The device a text names by its path: on POSIX systems a text that starts
// with "/"; empty for any other text and on Windows.
std::string DevicePathIn(const std::string& portText);
// The device a scan entry shows beside the name: the built-in table's device.
// Empty when the port directory names the port, as the user's own name says
// which device it is, and on Windows, where the name is the device.
std::string ShownDevice(const std::string& portName);
// "Com" followed by the number.
inline std::string NameOf(int portNumber)
{
    return "Com" + std::to_string(portNumber);
}
} // namespace PortNames
