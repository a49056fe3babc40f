// What the receiver's clock said during the download that wrote a memory
// image, kept in a small file beside the image ("data.bin" -> "data.bin.clock"),
// so that opening the image later can still tell whether its dates are a GPS
// week rollover early.
#pragma once

#include "link/receiver_clock.h"

#include <optional>
#include <string>

std::string ClockEvidencePath(const std::string& imagePath);

// Replaces the file beside the image in one step; with no reading, removes it,
// so an image is never judged by an earlier download's clock. The failure
// text, or empty.
std::string WriteClockEvidence(const std::string& imagePath, const std::optional<ClockReading>& reading);

// Nothing when the image has no such file or it cannot be read.
std::optional<ClockReading> ReadClockEvidence(const std::string& imagePath);
