#include "logger/model_identity.h"

#include <string_view>

namespace {
struct KnownModel {
    std::string_view modelId; // empty: told by the device text
    std::string_view device;
    LogDialect dialect;
    std::string_view name;
};

constexpr KnownModel kKnownModels[] = {
    {"", "GR-245", LogDialect::Gr245, "Holux GPsport 245"}, {"0005", "", LogDialect::M241, "Holux M-241"},
    {"0023", "", LogDialect::M241, "Holux M-241"},          {"0033", "", LogDialect::M241, "Holux M-241"},
    {"0035", "", LogDialect::M1000C, "Holux M-1000C"},      {"0050", "", LogDialect::M1000C, "Holux M-1000C"},
};
} // namespace

ModelIdentity IdentifyModel(const LoggerModel& model)
{
    for (const KnownModel& known : kKnownModels) {
        const bool matches = known.modelId.empty() ? model.device == known.device : model.modelId == known.modelId;
        if (matches)
            return {known.dialect, std::string(known.name)};
    }
    return {};
}

LogDialect DialectOfLogger(const std::optional<LoggerModel>& model)
{
    return model ? IdentifyModel(*model).dialect : LogDialect::Detect;
}

std::string ModelName(const LoggerModel& model)
{
    const std::string known = IdentifyModel(model).name;
    return known.empty() ? model.device : known;
}

std::string ModelText(const LoggerModel& model)
{
    const std::string name = ModelName(model);
    return (name.empty() ? "a logger" : name) + " (model " + model.modelId + ", firmware " + model.release + ")";
}
