// The receiver's NMEA output: a fix that moves along a slow circle and a sky
// of satellites, one second at a time.
#pragma once

#include "logger_device.h"

#include <chrono>
#include <string>
#include <vector>

class NmeaOutput {
public:
    // The complete sentences due this second, in the receiver's order. Each
    // call advances the track by one second.
    std::vector<std::string> nextSecond(const OutputPeriods& periods, bool fixed,
                                        std::chrono::system_clock::time_point utc);

private:
    struct Satellite {
        int prn;
        int elevation;
        int azimuth;
        int snr; // 0: not tracked
    };
    struct Fix {
        bool valid;
        std::string time; // hhmmss.sss
        std::string date; // ddmmyy
        std::string latitude;
        std::string longitude;
    };

    Fix describeFix(bool fixed, std::chrono::system_clock::time_point utc) const;
    std::vector<Satellite> sky() const;
    std::string gga(const Fix& fix, int used) const;
    std::string gll(const Fix& fix) const;
    std::string gsa(const Fix& fix, const std::vector<Satellite>& satellites) const;
    std::vector<std::string> gsv(const std::vector<Satellite>& satellites) const;
    std::string rmc(const Fix& fix) const;
    std::string vtg(const Fix& fix) const;
    std::string zda(std::chrono::system_clock::time_point utc) const;
    void travel();

    long second_ = 0;
    double latitude_ = 46.9480;
    double longitude_ = 7.4474;
    double heading_ = 0; // degrees
    double height_ = 540;
};
