#include "nmea_output.h"

#include "link/sentences.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <numbers>

namespace {
constexpr double kSpeedKmh = 36.0;
constexpr double kTurnPerSecond = 3.0; // degrees: a circle every two minutes
constexpr double kKnotsPerKmh = 1 / 1.852;
constexpr double kMetresPerDegree = 111320.0;
constexpr int kSatellitesPerGsv = 4;
constexpr int kMinimumUsedElevation = 15;

std::string Format(const char* format, ...)
{
    char text[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string Sentence(const std::string& body)
{
    return AppendChecksum(body + "*");
}

// ddmm.mmmm,N or dddmm.mmmm,E
std::string Coordinate(double degrees, int degreeDigits, char positive, char negative)
{
    // Rounded to the printed 1/10000 minute first, so 59.99999 cannot print as 60.
    double tenThousandths = std::round(std::fabs(degrees) * 60 * 10000);
    int whole = static_cast<int>(tenThousandths / (60 * 10000));
    double minutes = (tenThousandths - whole * 60.0 * 10000) / 10000;
    return Format("%0*d%07.4f,%c", degreeDigits, whole, minutes, degrees < 0 ? negative : positive);
}

std::tm UtcParts(std::chrono::system_clock::time_point utc)
{
    std::time_t seconds = std::chrono::system_clock::to_time_t(utc);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    return parts;
}

std::string TimeOfDay(std::chrono::system_clock::time_point utc)
{
    std::tm parts = UtcParts(utc);
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(utc.time_since_epoch()).count() % 1000;
    return Format("%02d%02d%02d.%03d", parts.tm_hour, parts.tm_min, parts.tm_sec, static_cast<int>(millis));
}
} // namespace

std::vector<std::string> NmeaOutput::nextSecond(const OutputPeriods& periods, bool fixed,
                                                std::chrono::system_clock::time_point utc)
{
    auto due = [&](OutputPeriods::Field field) { return periods[field] > 0 && second_ % periods[field] == 0; };
    Fix fix = describeFix(fixed, utc);
    std::vector<Satellite> satellites = sky();
    int used = 0;
    for (const Satellite& satellite : satellites)
        used += fixed && satellite.elevation >= kMinimumUsedElevation;

    std::vector<std::string> sentences;
    if (due(OutputPeriods::Gga))
        sentences.push_back(gga(fix, used));
    if (due(OutputPeriods::Gll))
        sentences.push_back(gll(fix));
    if (due(OutputPeriods::Gsa))
        sentences.push_back(gsa(fix, satellites));
    if (due(OutputPeriods::Gsv))
        for (std::string& sentence : gsv(satellites))
            sentences.push_back(std::move(sentence));
    if (due(OutputPeriods::Rmc))
        sentences.push_back(rmc(fix));
    if (due(OutputPeriods::Vtg))
        sentences.push_back(vtg(fix));
    if (due(OutputPeriods::Zda))
        sentences.push_back(zda(utc));
    travel();
    return sentences;
}

NmeaOutput::Fix NmeaOutput::describeFix(bool fixed, std::chrono::system_clock::time_point utc) const
{
    std::tm parts = UtcParts(utc);
    Fix fix{fixed, TimeOfDay(utc), Format("%02d%02d%02d", parts.tm_mday, parts.tm_mon + 1, parts.tm_year % 100), ",",
            ","};
    if (fixed) {
        fix.latitude = Coordinate(latitude_, 2, 'N', 'S');
        fix.longitude = Coordinate(longitude_, 3, 'E', 'W');
    }
    return fix;
}

// Ten satellites drifting slowly across the sky; the low ones are not tracked.
std::vector<NmeaOutput::Satellite> NmeaOutput::sky() const
{
    static constexpr int kPrns[] = {2, 5, 7, 10, 13, 16, 21, 25, 29, 31};
    std::vector<Satellite> satellites;
    for (int i = 0; i < 10; ++i) {
        double phase = (second_ / 60.0 + i * 36) * std::numbers::pi / 180;
        int elevation = static_cast<int>(45 + 40 * std::sin(phase * 3));
        int azimuth = static_cast<int>(i * 36 + second_ / 30) % 360;
        int snr = elevation < 5 ? 0 : 25 + elevation / 4 + static_cast<int>(second_ + i) % 5;
        satellites.push_back({kPrns[i], elevation, azimuth, snr});
    }
    return satellites;
}

std::string NmeaOutput::gga(const Fix& fix, int used) const
{
    if (!fix.valid)
        return Sentence(Format("$GPGGA,%s,,,,,0,00,,,M,,M,,", fix.time.c_str()));
    return Sentence(Format("$GPGGA,%s,%s,%s,1,%02d,0.9,%.1f,M,48.5,M,,", fix.time.c_str(), fix.latitude.c_str(),
                           fix.longitude.c_str(), used, height_));
}

std::string NmeaOutput::gll(const Fix& fix) const
{
    return Sentence(Format("$GPGLL,%s,%s,%s,%s", fix.latitude.c_str(), fix.longitude.c_str(), fix.time.c_str(),
                           fix.valid ? "A,A" : "V,N"));
}

std::string NmeaOutput::gsa(const Fix& fix, const std::vector<Satellite>& satellites) const
{
    std::string used;
    int slots = 0;
    for (const Satellite& satellite : satellites) {
        if (fix.valid && satellite.elevation >= kMinimumUsedElevation && slots < 12) {
            used += Format(",%02d", satellite.prn);
            ++slots;
        }
    }
    used.append(12 - slots, ',');
    std::string dops = fix.valid ? ",1.8,0.9,1.5" : ",,,";
    return Sentence("$GPGSA,A," + std::string(fix.valid ? "3" : "1") + used + dops);
}

std::vector<std::string> NmeaOutput::gsv(const std::vector<Satellite>& satellites) const
{
    int count = static_cast<int>(satellites.size());
    int total = (count + kSatellitesPerGsv - 1) / kSatellitesPerGsv;
    std::vector<std::string> sentences;
    for (int part = 0; part < total; ++part) {
        std::string body = Format("$GPGSV,%d,%d,%02d", total, part + 1, count);
        for (int i = part * kSatellitesPerGsv; i < count && i < (part + 1) * kSatellitesPerGsv; ++i) {
            const Satellite& s = satellites[i];
            body += Format(",%02d,%02d,%03d,", s.prn, s.elevation, s.azimuth);
            if (s.snr > 0)
                body += Format("%02d", s.snr);
        }
        sentences.push_back(Sentence(body));
    }
    return sentences;
}

std::string NmeaOutput::rmc(const Fix& fix) const
{
    if (!fix.valid)
        return Sentence(Format("$GPRMC,%s,V,,,,,,,%s,,,N", fix.time.c_str(), fix.date.c_str()));
    return Sentence(Format("$GPRMC,%s,A,%s,%s,%.2f,%.2f,%s,,,A", fix.time.c_str(), fix.latitude.c_str(),
                           fix.longitude.c_str(), kSpeedKmh * kKnotsPerKmh, heading_, fix.date.c_str()));
}

std::string NmeaOutput::vtg(const Fix& fix) const
{
    if (!fix.valid)
        return Sentence("$GPVTG,,T,,M,,N,,K,N");
    return Sentence(Format("$GPVTG,%.2f,T,,M,%.2f,N,%.2f,K,A", heading_, kSpeedKmh * kKnotsPerKmh, kSpeedKmh));
}

std::string NmeaOutput::zda(std::chrono::system_clock::time_point utc) const
{
    std::tm parts = UtcParts(utc);
    return Sentence(Format("$GPZDA,%s,%02d,%02d,%04d,00,00", TimeOfDay(utc).c_str(), parts.tm_mday, parts.tm_mon + 1,
                           parts.tm_year + 1900));
}

void NmeaOutput::travel()
{
    double metres = kSpeedKmh / 3.6;
    double radians = heading_ * std::numbers::pi / 180;
    latitude_ += metres * std::cos(radians) / kMetresPerDegree;
    longitude_ += metres * std::sin(radians) / (kMetresPerDegree * std::cos(latitude_ * std::numbers::pi / 180));
    heading_ = std::fmod(heading_ + kTurnPerSecond, 360.0);
    height_ = 540 + 5 * std::sin(second_ / 20.0);
    ++second_;
}
