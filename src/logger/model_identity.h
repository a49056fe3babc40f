// Which logger a model reply names, and so which dialect its memory is
// written in: an M-1000C's image cannot be told from its bytes.
#pragma once

#include "decode/log_dialect.h"
#include "link/logger_model.h"

#include <optional>
#include <string>

struct ModelIdentity {
    LogDialect dialect = LogDialect::Detect; // Detect for a model not known
    std::string name;                        // such as "Holux M-241"; empty when not known
};

ModelIdentity IdentifyModel(const LoggerModel& model);
// The dialect a download from this logger is decoded in: Detect when it did not say.
LogDialect DialectOfLogger(const std::optional<LoggerModel>& model);
// The known model's name, else the device text the logger gave; may be empty.
std::string ModelName(const LoggerModel& model);
// For the download's messages: "Holux M-241 (model 0005, firmware AXN_1.30)".
std::string ModelText(const LoggerModel& model);
