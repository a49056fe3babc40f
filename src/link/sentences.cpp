#include "link/sentences.h"

#include "link/field_numbers.h"
#include "link/port_failure.h"
#include "link/serial_port.h"

#include <cstdio>

int NmeaChecksum(std::string_view text)
{
    unsigned value = 0;
    for (char c : text) {
        if (c == '*')
            break;
        if (c != '$')
            value ^= static_cast<unsigned char>(c);
    }
    return static_cast<int>(value);
}

std::string AppendChecksum(std::string_view body)
{
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", NmeaChecksum(body));
    std::string sentence(body);
    sentence += digits;
    sentence += "\r\n";
    return sentence;
}

void SendSentence(const DeviceLinkState& link, std::string_view sentence)
{
    if (link.PortHandle == DeviceLinkState::kNoPort)
        return;
    if (link.PortLost)
        throw PortFailure(PortLostText(link.PortName), true);
    const SerialPort::WriteOutcome outcome = SerialPort::Write(link.PortHandle, sentence);
    if (outcome.kind == SerialPort::WriteOutcome::Kind::DeviceGone)
        throw PortFailure(PortLostText(link.PortName), true);
    if (!outcome.written())
        throw PortFailure("The logger on " + link.PortName + " was not sent the command: " + outcome.reason + ".",
                          false);
}

bool VerifyChecksum(std::string_view sentence)
{
    const auto star = sentence.find('*');
    if (star == std::string_view::npos)
        return false;
    int written = -1;
    for (std::size_t i = star + 1; i < sentence.size() && i <= star + 2; ++i) {
        const int digit = HexDigitValue(sentence[i]);
        if (digit < 0)
            break;
        written = (written < 0 ? 0 : written * 16) + digit;
    }
    return written == NmeaChecksum(sentence);
}

namespace Sentences {
namespace {
template <typename... Values>
std::string Formatted(const char* bodyFormat, Values... values)
{
    char body[256];
    std::snprintf(body, sizeof body, bodyFormat, values...);
    return AppendChecksum(body);
}
} // namespace

std::string SetLogFormat(uint32_t mask)
{
    return Formatted("$PMTK182,1,2,%08X*", static_cast<unsigned>(mask));
}

std::string SetTimeInterval(int32_t tenthsOfSecond)
{
    return Formatted("$PMTK182,1,3,%d*", static_cast<int>(tenthsOfSecond));
}

std::string SetDistanceInterval(int32_t tenthsOfMetre)
{
    return Formatted("$PMTK182,1,4,%d*", static_cast<int>(tenthsOfMetre));
}

std::string SetSpeedInterval(int32_t tenthsOfKmh)
{
    return Formatted("$PMTK182,1,5,%d*", static_cast<int>(tenthsOfKmh));
}

std::string SetNmeaPeriods(const NmeaPeriods& p)
{
    return Formatted("$PMTK314,%d,%d,%d,%d,%d,%d,0,0,0,0,0,0,0,0,0,0,1,%d,0*", p.gll, p.rmc, p.vtg, p.gga, p.gsa, p.gsv,
                     p.zda);
}

std::string FirstMemoryRead()
{
    return Formatted("$PMTK182,7,%08X,%08X*", 0u, 0x10000u);
}

std::string NextMemoryRead(uint32_t address)
{
    return MemoryRead(address, 0x10000u);
}

std::string MemoryRead(uint32_t address, uint32_t length)
{
    return Formatted("$PMTK182,7,%08X,%X*", static_cast<unsigned>(address), static_cast<unsigned>(length));
}

std::string LastSectorProbe(uint32_t memorySize)
{
    const uint32_t sectorStart = memorySize - 0x10000u; // 32-bit: a size not yet known (0) gives FFFF0000
    return Formatted("$PMTK182,7,%08X,2*", static_cast<unsigned>(sectorStart));
}
} // namespace Sentences
