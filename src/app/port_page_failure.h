// What the port page shows when its open button fails: the message the
// window raises and whether the port's shape turns red.
#pragma once

#include "link/port_open.h"

#include <string>

struct PortPageFailure {
    std::string text;
    bool turnsShapeRed = false;
};

// The failure of a result that did not succeed.
PortPageFailure PortPageFailureOf(const PortOpenResult& result);
