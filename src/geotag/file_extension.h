// The extension of a file name in lower case, without its dot ("JPG" gives "jpg").
#pragma once

#include <string>

std::string LoweredExtension(const std::string& path);
