// What a logger says of itself when asked for its model ($PMTK605).
#pragma once

#include <string>

struct LoggerModel {
    std::string release; // the firmware release text
    std::string modelId; // four digits, such as 0005
    std::string device;  // such as GR-245; empty when not given
};
