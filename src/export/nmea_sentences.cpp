#include "export/nmea_sentences.h"

#include "core/number_text.h"
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
    AppendNumber(out, row.hours, 2);
    AppendNumber(out, row.minutes, 2);
    AppendNumber(out, row.seconds, 2);
    out += '.';
    AppendNumber(out, row.milliseconds, 3);
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

void Gsa(std::string& body, const NmeaRow& row, const RowTexts& texts)
{
    body += "$GPGSA,A,";
    AppendNumber(body, GsaFixType(row.fixQuality));
    body += ',';
    for (int position = 0; position < kSatelliteValues; position += 4) {
        if (row.satellites[position] != 0)
            AppendNumber(body, row.satellites[position], 2);
        body += ',';
    }
    AppendFixed(body, row.pdop, 2, 2);
    body += ',';
    body += texts.hdop;
    body += ',';
    AppendFixed(body, row.vdop, 2, 2);
    body += '*';
}

void AppendGsv(std::string& out, const NmeaRow& row)
{
    const int inView = row.satellitesInView;
    if (inView == 0) {
        AppendSentence(out, [](std::string& body) { body += "$GPGSV,1,1,00,,,,,,,,,,,,,,,,*"; });
        return;
    }
    const int messages = std::min((inView + 3) / 4, kMaxGsvMessages);
    // One position runs on across the messages; a 0 value stops it for good.
    int position = 0;
    for (int message = 1; message <= messages; ++message) {
        AppendSentence(out, [&](std::string& body) {
            body += "$GPGSV,";
            AppendNumber(body, messages);
            body += ',';
            AppendNumber(body, message);
            body += ',';
            AppendNumber(body, inView, 2);
            for (int count = 0; count < 16 && position < kSatelliteValues && row.satellites[position] != 0; ++count) {
                body += ',';
                AppendNumber(body, row.satellites[position], position % 4 == 2 ? 3 : 2);
                ++position;
            }
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
    AppendNumber(body, row.day, 2);
    AppendNumber(body, row.month, 2);
    AppendNumber(body, row.year - 2000, 2);
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
    AppendNumber(body, row.day, 2);
    body += ',';
    AppendNumber(body, row.month, 2);
    body += ',';
    AppendNumber(body, row.year, 4);
    body += ",,*";
}
} // namespace

void AppendNmeaSentences(std::string& out, const NmeaColumns& c, const NmeaRow& row)
{
    const RowTexts texts = TextsOf(row);
    if (Found({c.date, c.valid, c.latitude, c.longitude, c.nsat, c.hdop}))
        AppendSentence(out, Gga, row, texts);
    if (Found({c.date, c.valid, c.latitude, c.longitude}))
        AppendSentence(out, Gll, row, texts);
    if (Found({c.valid, c.pdop, c.hdop, c.vdop, c.satinfo}))
        AppendSentence(out, Gsa, row, texts);
    if (Found({c.nsat, c.satinfo}))
        AppendGsv(out, row);
    if (Found({c.date, c.valid, c.latitude, c.longitude, c.speed}))
        AppendSentence(out, Rmc, row, texts);
    if (Found({c.valid, c.speed}))
        AppendSentence(out, Vtg, row, texts);
    if (Found({c.date}))
        AppendSentence(out, Zda, row, texts);
}
