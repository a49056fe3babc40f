// The live view's model: the texts and satellite table the NMEA parsers fill,
// and what the live page shows of them after each sentence.
#pragma once

#include "link/device_link_state.h"
#include "link/incoming_sentence.h"
#include "link/satellite_charts.h"
#include "link/satellite_table.h"
#include "link/sentence_memo.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct LiveFix {
    std::string Date;
    std::string Time;
    std::string Mode;
    std::string Latitude;
    std::string Longitude;
    std::string Speed;
    std::string Pdop;
    std::string Vdop;
    std::string Hdop;
};

// The TTFF box stops counting here.
inline constexpr int32_t kTtffLimit = 999999;

// "ddmm.mmmm" + "N" -> "dd°mm.mmmm N"; longitudes carry three degree digits.
std::string LatitudeText(const std::string& value, const std::string& hemisphere);
std::string LongitudeText(const std::string& value, const std::string& hemisphere);
// Knots -> km/h text, cut (not rounded) to five characters: 10.123 -> "18.74 km/h".
std::string KnotsToKmhText(double knots, char decimalSeparator = '.');

void ParseGga(const IncomingSentence& sentence, LiveFix& fix);
void ParseGll(const IncomingSentence& sentence, LiveFix& fix);
// Also counts TTFF: every GSA without a 3D fix adds one, up to kTtffLimit.
void ParseGsa(const IncomingSentence& sentence, LiveFix& fix, SatelliteTable& satellites, DeviceLinkState& link);
void ParseGsv(const IncomingSentence& sentence, SatelliteTable& satellites);
// Date and time are UTC on the wire and shown in the machine's time zone.
void ParseRmc(const IncomingSentence& sentence, LiveFix& fix, char decimalSeparator = '.');
void ParseVtg(const IncomingSentence& sentence, LiveFix& fix);

// Everything one refresh puts on the live page.
struct LiveViewUpdate {
    bool memoCleared = false;                 // Memo1 emptied before the sentence was appended
    std::array<std::string, 10> labeledEdits; // LabeledEdit1..10
    std::optional<SatelliteCharts> charts;    // only at the end of a GSV cycle
};

// Adds the sentence to the memo and gathers the texts and, when due, the charts.
LiveViewUpdate UpdateLiveView(const std::string& sentenceText, SentenceMemo& memo, const LiveFix& fix,
                              int32_t ttffCount, SatelliteTable& satellites);
