// The NMEA 0183 sentences of one track table row, each a line with its checksum.
#pragma once

#include <string>

struct NmeaColumns;
struct NmeaRow;

// Appends GGA, GLL, GSA, GSV, RMC, VTG and ZDA, each only when the table has
// the columns it is made from.
void AppendNmeaSentences(std::string& out, const NmeaColumns& columns, const NmeaRow& row);
