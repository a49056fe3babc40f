// The NMEA 0183 sentences of one track table row, each a line with its checksum.
#pragma once

#include <string>

struct NmeaRow;

// Appends GGA, GLL, GSA, GSV, RMC, VTG and ZDA, each when the row holds the
// values it is made from; false when it held none of them.
bool AppendNmeaSentences(std::string& out, const NmeaRow& row);
// True when a row holding these NmeaField values gives at least one sentence.
bool MakesNmeaSentences(unsigned fields);
