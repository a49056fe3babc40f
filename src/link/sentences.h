// Outgoing command sentences: the checksum rule, the one write through which
// every sentence leaves, and the catalogue of everything the program sends.
#pragma once

#include "link/device_link_state.h"

#include <cstdint>
#include <string>
#include <string_view>

// XOR of every character before the first '*', every '$' left out.
int NmeaChecksum(std::string_view text);
// Body from '$' through '*' -> body, two upper-case hex digits, CR LF.
std::string AppendChecksum(std::string_view body);
// One synchronous write to the open port; nothing when none is open. What
// the logger makes of it is not verified, but a write the port did not take
// throws PortFailure, as does a port whose device has gone.
void SendSentence(const DeviceLinkState& link, std::string_view sentence);
// Receive-side test: a '*' followed by at most two hex digits (either case)
// equal to NmeaChecksum of the sentence.
bool VerifyChecksum(std::string_view sentence);

namespace Sentences {
inline constexpr std::string_view QueryLogFormat = "$PMTK182,2,2*39\r\n";
inline constexpr std::string_view QueryTimeInterval = "$PMTK182,2,3*38\r\n";
inline constexpr std::string_view QueryDistanceInterval = "$PMTK182,2,4*3F\r\n";
inline constexpr std::string_view QuerySpeedInterval = "$PMTK182,2,5*3E\r\n";
inline constexpr std::string_view QueryRecordingMethod = "$PMTK182,2,6*3D\r\n";
inline constexpr std::string_view QueryStatus = "$PMTK182,2,7*3C\r\n";
inline constexpr std::string_view QueryMemoryUsed = "$PMTK182,2,8*33\r\n";
inline constexpr std::string_view QueryFlashId = "$PMTK182,2,9,9F*61\r\n";
inline constexpr std::string_view QueryRecordCount = "$PMTK182,2,10*0A\r\n";
inline constexpr std::string_view StartLogging = "$PMTK182,4*21\r\n";
inline constexpr std::string_view StopLogging = "$PMTK182,5*20\r\n";
inline constexpr std::string_view EraseMemory = "$PMTK182,6,1*3E\r\n";
inline constexpr std::string_view ResetLogger = "$PMTK182,9*2C\r\n";
inline constexpr std::string_view SetOverwriteMode = "$PMTK182,1,6,1*23\r\n";
inline constexpr std::string_view SetStopMode = "$PMTK182,1,6,2*20\r\n";
inline constexpr std::string_view QueryNmeaPeriods = "$PMTK414*33\r\n";
inline constexpr std::string_view HotStart = "$PMTK101*32\r\n";
inline constexpr std::string_view WarmStart = "$PMTK102*31\r\n";
inline constexpr std::string_view ColdStart = "$PMTK103*30\r\n";
// The model and firmware release; answered by $PMTK705,release,model,device.
inline constexpr std::string_view QueryModel = "$PMTK605*31\r\n";
// A GPsport 245 shows "USB PROCESSING" from the first two until the third.
inline constexpr std::string_view HoldUsbProcessing[] = {"$PHLX810*35\r\n", "$PHLX826*30\r\n"};
inline constexpr std::string_view ReleaseUsbProcessing = "$PHLX827*31\r\n";

std::string SetLogFormat(uint32_t mask);                // $PMTK182,1,2,%08X*
std::string SetTimeInterval(int32_t tenthsOfSecond);    // $PMTK182,1,3,%d*
std::string SetDistanceInterval(int32_t tenthsOfMetre); // $PMTK182,1,4,%d*
std::string SetSpeedInterval(int32_t tenthsOfKmh);      // $PMTK182,1,5,%d*

struct NmeaPeriods {
    int gll = 0, rmc = 0, vtg = 0, gga = 0, gsa = 0, gsv = 0, zda = 0;
};
std::string SetNmeaPeriods(const NmeaPeriods& periods); // $PMTK314,...

std::string FirstMemoryRead();                             // $PMTK182,7,00000000,00010000*
std::string NextMemoryRead(uint32_t address);              // $PMTK182,7,%08X,10000*
std::string MemoryRead(uint32_t address, uint32_t length); // $PMTK182,7,%08X,%X*
std::string LastSectorProbe(uint32_t memorySize);          // $PMTK182,7,<size-0x10000>,2*
} // namespace Sentences
