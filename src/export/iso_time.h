// Times as ISO 8601 texts in UTC, the form GPX files use.
#pragma once

#include "decode/civil_time.h"

#include <optional>
#include <string>

// "2008-05-04T12:30:15Z", with ".mmm" before the Z when milliseconds are given.
void AppendIsoTime(std::string& out, const CivilTime& time, std::optional<int> milliseconds);
