#include "export/nmea_sentences.h"

#include "core/number_text.h"
#include "export/hex_text.h"
#include "export/nmea_row.h"
#include "link/sentences.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr double kKnotsPerKmh = 0.53996;
constexpr int kSatellitesPerGsv = 4;

// The body from "$" to "*" that `appendBody` writes, then its checksum and CR LF.
template <typename AppendBody, typename... Values>
void AppendSentence(std::string& out, AppendBody appendBody, const Values&... values)
{
    const std::size_t start = out.size();
    appendBody(out, values...);
    AppendHex(out, static_cast<unsigned>(NmeaChecksum(std::string_view(out).substr(start))), 2, true);
    out += "\r\n";
}

// "%0<width>d". The sentences are mostly short numbers, so those skip the
// general formatter: it is the writer's hottest call.
void AppendNumber(std::string& out, int value, int width = 0)
{
    if (value < 0 || value > 9999 || width > 4) {
        AppendInteger(out, value, width);
        return;
    }
    char text[4];
    char* first = text + sizeof text;
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (first > text + sizeof text - width)
        *--first = '0';
    out.append(first, text + sizeof text);
}

char Status(const NmeaRow& row)
{
    return row.fixQuality != 0 ? 'A' : 'V';
}

char Mode(const NmeaRow& row)
{
    return row.fixQuality != 0 ? 'A' : 'N';
}

// Pieces several sentences of a row share, formatted once.
struct RowTexts {
    std::string time;     // "094640.500"
    std::string position; // "2407.407360,N,12130.000000,E"
    std::string hdop;     // "0.90"
    std::string knots;    // "53.996"
};

void AppendTime(std::string& out, const NmeaRow& row)
{
    const CivilTime& utc = row.time.utc;
    AppendNumber(out, static_cast<int>(utc.hour), 2);
    AppendNumber(out, static_cast<int>(utc.minute), 2);
    AppendNumber(out, static_cast<int>(utc.second), 2);
    out += '.';
    AppendNumber(out, row.time.milliseconds.value_or(0), 3);
}

// "2407.407360,N,12130.000000,E"
void AppendPosition(std::string& out, const NmeaRow& row)
{
    AppendNumber(out, row.latitude.degrees, 2);
    out += row.latitude.minutes;
    out += ',';
    out += row.latitude.hemisphere;
    out += ',';
    AppendNumber(out, row.longitude.degrees, 3);
    out += row.longitude.minutes;
    out += ',';
    out += row.longitude.hemisphere;
}

RowTexts TextsOf(const NmeaRow& row)
{
    RowTexts texts;
    AppendTime(texts.time, row);
    AppendPosition(texts.position, row);
    AppendFixed(texts.hdop, row.hdop, 2, 2);
    AppendFixed(texts.knots, row.speedKmh * kKnotsPerKmh, 3, 3);
    return texts;
}

void Gga(std::string& body, const NmeaRow& row, const RowTexts& texts)
{
    body += "$GPGGA,";
    body += texts.time;
    body += ',';
    body += texts.position;
    body += ',';
    AppendNumber(body, row.fixQuality);
    body += ',';
    AppendNumber(body, row.satellitesInUse);
    body += ',';
    body += texts.hdop;
    body += ',';
    AppendFixed(body, row.height, 3, 3);
    body += ",M,0.0,M,,*";
}

void Gll(std::string& body, const NmeaRow& row, const RowTexts& texts)
{
    body += "$GPGLL,";
    body += texts.position;
    body += ',';
    body += texts.time;
    body += ',';
    body += Status(row);
    body += ',';
    body += Mode(row);
    body += '*';
}

int GsaFixType(int fixQuality)
{
    if (fixQuality == 0)
        return 1;
    return fixQuality <= 2 ? 3 : 2;
}

// Only the satellites in use, as the fix used them.
void Gsa(std::string& body, const NmeaRow& row, const RowTexts& texts)
{
    body += "$GPGSA,A,";
    AppendNumber(body, GsaFixType(row.fixQuality));
    body += ',';
    int fields = 0;
    for (int i = 0; i < row.satelliteCount; ++i) {
        if (row.satellites[i].inUse) {
            AppendNumber(body, row.satellites[i].id, 2);
            body += ',';
            ++fields;
        }
    }
    body.append(kMaxNmeaSatellites - fields, ',');
    AppendFixed(body, row.pdop, 2, 2);
    body += ',';
    body += texts.hdop;
    body += ',';
    AppendFixed(body, row.vdop, 2, 2);
    body += '*';
}

// An SNR of 0 is left empty, the NMEA way of saying "not tracked"; elevations
// run 0 to 90, so a satellite below the horizon is written at 00.
void AppendGsvSatellite(std::string& body, const NmeaSatellite& satellite)
{
    body += ',';
    AppendNumber(body, satellite.id, 2);
    body += ',';
    AppendNumber(body, std::clamp(satellite.elevation, 0, 90), 2);
    body += ',';
    AppendNumber(body, satellite.azimuth, 3);
    body += ',';
    if (satellite.snr != 0)
        AppendNumber(body, satellite.snr, 2);
}

void AppendGsv(std::string& out, const NmeaRow& row)
{
    const int inView = row.satellitesInView;
    const int listed = inView == 0 ? 0 : row.satelliteCount;
    if (listed == 0) {
        AppendSentence(out, [&](std::string& body) {
            body += "$GPGSV,1,1,";
            AppendNumber(body, inView, 2);
            body += ",,,,,,,,,,,,,,,,*";
        });
        return;
    }
    const int messages = (listed + kSatellitesPerGsv - 1) / kSatellitesPerGsv;
    for (int message = 1; message <= messages; ++message) {
        AppendSentence(out, [&](std::string& body) {
            body += "$GPGSV,";
            AppendNumber(body, messages);
            body += ',';
            AppendNumber(body, message);
            body += ',';
            AppendNumber(body, inView, 2);
            const int first = (message - 1) * kSatellitesPerGsv;
            for (int i = first; i < std::min(first + kSatellitesPerGsv, listed); ++i)
                AppendGsvSatellite(body, row.satellites[i]);
            body += '*';
        });
    }
}

void Rmc(std::string& body, const NmeaRow& row, const RowTexts& texts)
{
    body += "$GPRMC,";
    body += texts.time;
    body += ',';
    body += Status(row);
    body += ',';
    body += texts.position;
    body += ',';
    body += texts.knots;
    body += ",0.00,";
    AppendNumber(body, static_cast<int>(row.time.utc.day), 2);
    AppendNumber(body, static_cast<int>(row.time.utc.month), 2);
    AppendNumber(body, static_cast<int>((row.time.utc.year % 100 + 100) % 100), 2);
    body += ",,,";
    body += Mode(row);
    body += '*';
}

void Vtg(std::string& body, const NmeaRow& row, const RowTexts& texts)
{
    body += "$GPVTG,0.00,T,,M,";
    body += texts.knots;
    body += ",N,";
    AppendFixed(body, row.speedKmh, 3, 3);
    body += ",K,";
    body += Mode(row);
    body += '*';
}

void Zda(std::string& body, const NmeaRow& row, const RowTexts& texts)
{
    body += "$GPZDA,";
    body += texts.time;
    body += ',';
    AppendNumber(body, static_cast<int>(row.time.utc.day), 2);
    body += ',';
    AppendNumber(body, static_cast<int>(row.time.utc.month), 2);
    body += ',';
    AppendNumber(body, static_cast<int>(row.time.utc.year), 4);
    body += ',';
    // The local zone is known only for a table shifted from UTC.
    if (row.zoneHours != 0) {
        if (row.zoneHours < 0)
            body += '-';
        AppendNumber(body, std::abs(row.zoneHours), 2);
        body += ",00";
    } else {
        body += ',';
    }
    body += '*';
}

using SentenceWriter = void (*)(std::string& body, const NmeaRow& row, const RowTexts& texts);

struct SentenceKind {
    unsigned needs; // NmeaField bits
    SentenceWriter write;
};

constexpr unsigned kPosition = kNmeaTime | kNmeaValid | kNmeaLatitude | kNmeaLongitude;

// In the order they are written; GSV writes whole lines itself.
constexpr SentenceKind kSentences[] = {
    {kPosition | kNmeaSatelliteCounts | kNmeaHdop | kNmeaHeight, Gga},
    {kPosition, Gll},
    {kNmeaValid | kNmeaPdop | kNmeaHdop | kNmeaVdop | kNmeaSatellites, Gsa},
    {kNmeaSatelliteCounts | kNmeaSatellites, nullptr},
    {kPosition | kNmeaSpeed, Rmc},
    {kNmeaValid | kNmeaSpeed, Vtg},
    {kNmeaTime, Zda},
};
} // namespace

bool AppendNmeaSentences(std::string& out, const NmeaRow& row)
{
    const RowTexts texts = TextsOf(row);
    bool any = false;
    for (const SentenceKind& kind : kSentences) {
        if (!row.has(kind.needs))
            continue;
        if (kind.write)
            AppendSentence(out, kind.write, row, texts);
        else
            AppendGsv(out, row);
        any = true;
    }
    return any;
}

bool MakesNmeaSentences(unsigned fields)
{
    return std::any_of(std::begin(kSentences), std::end(kSentences),
                       [&](const SentenceKind& kind) { return (fields & kind.needs) == kind.needs; });
}
