#include "export/nmea_sentences.h"

#include "decode/number_text.h"
#include "export/hex_text.h"
#include "export/nmea_row.h"
#include "link/sentences.h"

#include <algorithm>
#include <initializer_list>

namespace {
constexpr double kKnotsPerKmh = 0.53996;
// A logger counts satellites in view in one byte: more messages than that
// could ever need come only from a hand-edited cell.
constexpr int kMaxGsvMessages = 64;

bool Found(std::initializer_list<int> columns)
{
    return std::all_of(columns.begin(), columns.end(), [](int column) { return column >= 0; });
}

// The body from "$" to "*", then its checksum and CR LF.
void AppendLine(std::string& out, const std::string& body)
{
    out += body;
    AppendHex(out, static_cast<unsigned>(NmeaChecksum(body)), 2, true);
    out += "\r\n";
}

char Status(const NmeaRow& row)
{
    return row.fixQuality != 0 ? 'A' : 'V';
}

char Mode(const NmeaRow& row)
{
    return row.fixQuality != 0 ? 'A' : 'N';
}

void AppendTime(std::string& out, const NmeaRow& row)
{
    AppendInteger(out, row.hours, 2);
    AppendInteger(out, row.minutes, 2);
    AppendInteger(out, row.seconds, 2);
    out += '.';
    AppendInteger(out, row.milliseconds, 3);
}

// "2407.407360,N,12130.000000,E"
void AppendPosition(std::string& out, const NmeaRow& row)
{
    AppendInteger(out, row.latitude.degrees, 2);
    out += row.latitude.minutes + ',' + row.latitude.hemisphere + ',';
    AppendInteger(out, row.longitude.degrees, 3);
    out += row.longitude.minutes + ',' + row.longitude.hemisphere;
}

std::string Gga(const NmeaRow& row)
{
    std::string body = "$GPGGA,";
    AppendTime(body, row);
    body += ',';
    AppendPosition(body, row);
    body += ',';
    AppendInteger(body, row.fixQuality);
    body += ',';
    AppendInteger(body, row.satellitesInUse);
    body += ',';
    AppendFixed(body, row.hdop, 2, 2);
    body += ',';
    AppendFixed(body, row.height, 3, 3);
    body += ",M,0.0,M,,*";
    return body;
}

std::string Gll(const NmeaRow& row)
{
    std::string body = "$GPGLL,";
    AppendPosition(body, row);
    body += ',';
    AppendTime(body, row);
    body += ',';
    body += Status(row);
    body += ',';
    body += Mode(row);
    body += '*';
    return body;
}

int GsaFixType(int fixQuality)
{
    if (fixQuality == 0)
        return 1;
    return fixQuality <= 2 ? 3 : 2;
}

std::string Gsa(const NmeaRow& row)
{
    std::string body = "$GPGSA,A,";
    AppendInteger(body, GsaFixType(row.fixQuality));
    body += ',';
    for (int position = 0; position < kSatelliteValues; position += 4) {
        if (row.satellites[position] != 0)
            AppendInteger(body, row.satellites[position], 2);
        body += ',';
    }
    AppendFixed(body, row.pdop, 2, 2);
    body += ',';
    AppendFixed(body, row.hdop, 2, 2);
    body += ',';
    AppendFixed(body, row.vdop, 2, 2);
    body += '*';
    return body;
}

void AppendGsv(std::string& out, const NmeaRow& row)
{
    const int inView = row.satellitesInView;
    if (inView == 0) {
        AppendLine(out, "$GPGSV,1,1,00,,,,,,,,,,,,,,,,*");
        return;
    }
    const int messages = std::min((inView + 3) / 4, kMaxGsvMessages);
    // One position runs on across the messages; a 0 value stops it for good.
    int position = 0;
    for (int message = 1; message <= messages; ++message) {
        std::string body = "$GPGSV,";
        AppendInteger(body, messages);
        body += ',';
        AppendInteger(body, message);
        body += ',';
        AppendInteger(body, inView, 2);
        for (int count = 0; count < 16 && position < kSatelliteValues && row.satellites[position] != 0; ++count) {
            body += ',';
            AppendInteger(body, row.satellites[position], position % 4 == 2 ? 3 : 2);
            ++position;
        }
        body += '*';
        AppendLine(out, body);
    }
}

std::string Rmc(const NmeaRow& row)
{
    std::string body = "$GPRMC,";
    AppendTime(body, row);
    body += ',';
    body += Status(row);
    body += ',';
    AppendPosition(body, row);
    body += ',';
    AppendFixed(body, row.speedKmh * kKnotsPerKmh, 3, 3);
    body += ",0.00,";
    AppendInteger(body, row.day, 2);
    AppendInteger(body, row.month, 2);
    AppendInteger(body, row.year - 2000, 2);
    body += ",,,";
    body += Mode(row);
    body += '*';
    return body;
}

std::string Vtg(const NmeaRow& row)
{
    std::string body = "$GPVTG,0.00,T,,M,";
    AppendFixed(body, row.speedKmh * kKnotsPerKmh, 3, 3);
    body += ",N,";
    AppendFixed(body, row.speedKmh, 3, 3);
    body += ",K,";
    body += Mode(row);
    body += '*';
    return body;
}

std::string Zda(const NmeaRow& row)
{
    std::string body = "$GPZDA,";
    AppendTime(body, row);
    body += ',';
    AppendInteger(body, row.day, 2);
    body += ',';
    AppendInteger(body, row.month, 2);
    body += ',';
    AppendInteger(body, row.year, 4);
    body += ",,*";
    return body;
}
} // namespace

void AppendNmeaSentences(std::string& out, const NmeaColumns& c, const NmeaRow& row)
{
    if (Found({c.date, c.valid, c.latitude, c.longitude, c.nsat, c.hdop}))
        AppendLine(out, Gga(row));
    if (Found({c.date, c.valid, c.latitude, c.longitude}))
        AppendLine(out, Gll(row));
    if (Found({c.valid, c.pdop, c.hdop, c.vdop, c.satinfo}))
        AppendLine(out, Gsa(row));
    if (Found({c.nsat, c.satinfo}))
        AppendGsv(out, row);
    if (Found({c.date, c.valid, c.latitude, c.longitude, c.speed}))
        AppendLine(out, Rmc(row));
    if (Found({c.valid, c.speed}))
        AppendLine(out, Vtg(row));
    if (Found({c.date}))
        AppendLine(out, Zda(row));
}
