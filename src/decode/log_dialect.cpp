#include "decode/log_dialect.h"

#include <utility>

std::optional<LogDialect> DialectOfName(std::string_view name)
{
    static constexpr std::pair<std::string_view, LogDialect> kNames[] = {
        {"generic", LogDialect::Generic},
        {"m241", LogDialect::M241},
        {"gr245", LogDialect::Gr245},
        {"m1000c", LogDialect::M1000C},
    };
    for (const auto& [text, dialect] : kNames)
        if (name == text)
            return dialect;
    return std::nullopt;
}

DialectRules RulesOf(LogDialect dialect)
{
    switch (dialect) {
    case LogDialect::Detect:
        return {RecordLayout::Generic, MarkerRule::ChooseLayout};
    case LogDialect::Generic:
        break;
    case LogDialect::M241:
        return {RecordLayout::M241, MarkerRule::Recognise};
    case LogDialect::Gr245:
        return {RecordLayout::Gr245, MarkerRule::Recognise};
    case LogDialect::M1000C:
        return {RecordLayout::Gr245, MarkerRule::Ignore};
    }
    return {RecordLayout::Generic, MarkerRule::Ignore};
}
