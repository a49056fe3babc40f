// A small memory image whose rows touch every export rule worth pinning in a
// golden file: milliseconds, both hemispheres, "No fix", an empty RCR and
// VALID cell, every placemark kind, satellites with an SNR of 0.
#pragma once

#include <cstdint>
#include <vector>

std::vector<std::uint8_t> GoldenTrackImage();

// One record dated a GPS week rollover and 30 days before now, as a receiver
// that counts weeks from before the rollover dates its fixes.
std::vector<std::uint8_t> RolloverEarlyImage();
