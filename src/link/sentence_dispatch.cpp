#include "link/sentence_dispatch.h"

#include "link/sentences.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace {
using NmeaParser = void (SentenceHandlers::*)(const IncomingSentence&);

struct NmeaRoute {
    std::string_view kind;
    NmeaParser parser;
};

// clang-format off
constexpr NmeaRoute kNmeaRoutes[] = {
    {"GGA", &SentenceHandlers::onGga}, {"GLL", &SentenceHandlers::onGll},
    {"GSA", &SentenceHandlers::onGsa}, {"GSV", &SentenceHandlers::onGsv},
    {"RMC", &SentenceHandlers::onRmc}, {"VTG", &SentenceHandlers::onVtg},
    {"ZDA", nullptr},  // recognised, nothing to show
};
// clang-format on

// Characters from `first` (0-based) on, at most `count`, of the address field.
std::string_view AddressPart(const IncomingSentence& sentence, std::size_t first, std::size_t count)
{
    const std::string_view address = sentence.field(0);
    return first < address.size() ? address.substr(first, count) : std::string_view();
}

std::optional<int> MtkNumber(std::string_view address)
{
    constexpr std::string_view prefix = "PMTK";
    if (!address.starts_with(prefix))
        return std::nullopt;
    int number = 0;
    const auto digits = address.substr(prefix.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc())
        return std::nullopt;
    return number;
}

void Route(const IncomingSentence& sentence, SentenceHandlers& handlers)
{
    const std::string_view kind = AddressPart(sentence, 2, 3);
    for (const auto& nmea : kNmeaRoutes) {
        if (kind == nmea.kind) {
            if (nmea.parser)
                (handlers.*nmea.parser)(sentence);
            return;
        }
    }
    if (AddressPart(sentence, 1, 3) == "MTK")
        HandleMtkSentence(sentence, handlers);
}
} // namespace

void DispatchSentence(IncomingSentence& sentence, SentenceHandlers& handlers)
{
    if (!VerifyChecksum(sentence.SentenceText))
        return;
    SplitFields(sentence);
    Route(sentence, handlers);
    handlers.RefreshLiveView(sentence);
}

void HandleMtkSentence(const IncomingSentence& sentence, SentenceHandlers& handlers)
{
    const auto number = MtkNumber(sentence.field(0));
    if (!number)
        return;
    switch (*number) {
    case 1:
        handlers.HandleAck(sentence);
        break;
    case 182:
        handlers.HandleLoggerReply(sentence);
        break;
    case 514:
        handlers.HandleNmeaPeriods(sentence);
        break;
    case 705:
        handlers.handleModelReply(sentence);
        break;
    default:
        break;
    }
}
