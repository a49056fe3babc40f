#include "logger/download_sequence.h"

#include "link/memory_use.h"
#include "link/port_failure.h"
#include "link/sentences.h"
#include "logger/model_identity.h"

#include <algorithm>

namespace {
using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Left(std::chrono::milliseconds wait, Clock::time_point since)
{
    const auto passed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since);
    return std::max(std::chrono::milliseconds(0), wait - passed);
}
} // namespace

DownloadSequence::DownloadSequence(LoggerLine& line, DownloadFront front, const std::string& imagePath,
                                   DownloadLimits limits, DownloadWaits waits)
    : line_(line), front_(std::move(front)), waits_(waits), download_(line.link(), imagePath, limits)
{
}

void DownloadSequence::run()
{
    startedAt_ = Clock::now();
    sendModelQuery();
    gap_ = learnMemoryUse();
    if (gap_ != MemoryReportGap::None) {
        refusal_ = LogDownload::kMemoryNotReported;
        return;
    }
    awaitModel();
    line_.locked([&] { refusal_ = DownloadRefusal(line_.link()); });
    if (!refusal_.empty())
        return;
    start();
    try {
        front_.follow(download_);
    } catch (...) {
        finish();
        throw;
    }
    finish();
    if (front_.finished)
        front_.finished(download_);
    if (download_.keptPath().empty())
        return;
    KeptDownload kept{download_.keptPath(), LogDialect::Detect, download_.complete(), std::nullopt};
    if (kept.complete)
        kept.clock = awaitClock();
    line_.locked([&] { kept.dialect = DialectOfLogger(line_.link().Model); });
    front_.decode(kept);
}

// The model decides the dialect; it is asked once per connection, and its
// answer is waited for only once the memory's are in.
void DownloadSequence::sendModelQuery()
{
    line_.locked([&] {
        DeviceLinkState& link = line_.link();
        modelAsked_ = !link.ModelAsked;
        if (!modelAsked_)
            return;
        SendSentence(link, Sentences::QueryModel);
        link.ModelAsked = true;
    });
    modelAskedAt_ = Clock::now();
}

void DownloadSequence::awaitModel()
{
    if (modelAsked_)
        line_.waitUntil([&] { return line_.link().Model.has_value(); }, Left(waits_.model, modelAskedAt_));
    std::optional<LoggerModel> model;
    line_.locked([&] { model = line_.link().Model; });
    if (model && front_.modelHeard)
        front_.modelHeard(*model);
}

// Status and flash size first, the last sector when the memory-use rule asks
// for it, then the next write address; nothing is asked when an earlier reply
// (the log page's poll) told it already. A logger that says it does not
// support one of these queries is read until a blank chunk.
MemoryReportGap DownloadSequence::learnMemoryUse()
{
    bool known = false;
    line_.locked([&] { known = line_.link().DownloadEndKnown || line_.link().QueryRefusals > 0; });
    if (known)
        return MemoryReportGap::None;
    const bool status = ask(Sentences::QueryStatus, "3,7");
    uint32_t memorySize = 0;
    line_.locked([&] { memorySize = line_.link().MemorySize; });
    if (!status && refused()) {
        // Its flash size, if it tells it, bounds the reading.
        if (memorySize == 0)
            ask(Sentences::QueryFlashId, "3,9");
        return MemoryReportGap::None;
    }
    if (!status || (memorySize == 0 && !ask(Sentences::QueryFlashId, "3,9")))
        return MemoryReportGap::NoAnswer;
    MemoryUse use;
    line_.locked([&] {
        memorySize = line_.link().MemorySize;
        use = MemoryInUse(MemoryRepliesOf(line_.link(), line_.status()));
    });
    if (memorySize == 0)
        return MemoryReportGap::UnknownSize;
    if (use.probeLastSector && !ask(Sentences::LastSectorProbe(memorySize), "8"))
        return MemoryReportGap::NoProbeAnswer;
    if (!ask(Sentences::QueryMemoryUsed, "3,8") && !refused())
        return MemoryReportGap::NoMemoryUse;
    return MemoryReportGap::None;
}

bool DownloadSequence::ask(std::string_view query, const char* replyKind)
{
    return AskLogger(line_, query, replyKind, waits_.answer);
}

bool DownloadSequence::refused()
{
    bool refused = false;
    line_.locked([&] { refused = line_.link().QueryRefusals > 0; });
    return refused;
}

void DownloadSequence::start()
{
    uint32_t reusable = 0;
    bool logging = false;
    line_.locked([&] {
        reusable = download_.reusableBytes();
        logging = (line_.status().StatusWord & StatusBits::LoggingOn) != 0;
    });
    const bool reuse = reusable != 0 && front_.allowReuse(reusable);
    line_.locked([&] {
        download_.start(reuse, logging);
        line_.replies().attachDownload(&download_);
    });
    started_ = true;
}

void DownloadSequence::finish()
{
    line_.locked([&] {
        download_.finish();
        line_.replies().attachDownload(nullptr);
    });
}

std::optional<ClockReading> DownloadSequence::awaitClock()
{
    try {
        line_.waitUntil([&] { return line_.receiverClock().heard(); }, Left(waits_.clock, startedAt_));
    } catch (const PortFailure&) {
        // The memory is saved; what the clock said before the line went still counts.
    }
    std::optional<ClockReading> reading;
    line_.locked([&] { reading = line_.receiverClock().reading(); });
    return reading;
}
