// The dialects of memory image this family of loggers writes, and how each is read.
#pragma once

#include "decode/log_image.h"

#include <optional>
#include <string_view>

// Detect reads the generic image until a Holux marker names another layout;
// the others fix the layout, as a logger's model or the user tells it. The
// M-1000C writes no marker, so only being told finds it.
enum class LogDialect { Detect, Generic, M241, Gr245, M1000C };

// The command line's names: generic, m241, gr245, m1000c.
std::optional<LogDialect> DialectOfName(std::string_view name);

DialectRules RulesOf(LogDialect dialect);
