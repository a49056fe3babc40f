#include "cli_texts.h"
#include "interrupt_watch.h"
#include "logger_command.h"
#include "port_options.h"
#include "progress_line.h"
#include "result_report.h"
#include "subcommand.h"
#include "week_rollover_note.h"

#include "core/number_text.h"
#include "decode/log_decoder.h"
#include "export/clock_evidence.h"
#include "export/csv_writer.h"
#include "link/port_failure.h"
#include "logger/download_sequence.h"
#include "logger/log_download.h"
#include "logger/logger_session.h"
#include "logger/model_identity.h"

#include <filesystem>
#include <iostream>
#include <limits>
#include <stdexcept>

namespace {
const std::string kDownloadUsage =
    std::string(
        R"(Usage: drovik-cli download --port PORT [--baud N] [-o FILE] [--csv FILE] [--full]

Downloads the logger's whole used memory into FILE (default data.bin), 64 KiB
at a time, writing only chunks whose every reply was checked; then decodes
it and reports the number of records. When the receiver's clock (its RMC
and ZDA dates) is a whole number of 1024 weeks behind the computer's, it
counts GPS weeks from before a rollover: a hint with the --week-rollover
that corrects the dates is printed, and what the clock said is kept in
FILE.clock for convert.

)") +
    kPortOptionsHelp + R"(  -o FILE         the memory image to write (default data.bin)
  --csv FILE      also save the decoded track as CSV
  --full          fetch the whole memory, reusing nothing

The download goes to FILE.part and replaces FILE only once it is complete.
A download that stops short (a dead line, an unplugged logger, Ctrl-C)
leaves FILE as it was and keeps the verified chunks in FILE.part for the
next download; with no FILE before, they become FILE.

Logging is stopped for the download and switched on again at its end when
the logger was logging before.

The logger is asked for its model first; a Holux model decides the dialect
the image is decoded in. A logger that does not support the queries of its
memory use (as the M-241 Plus) is read 64 KiB at a time from address 0 until
a chunk comes back blank. Holux M-241 and GPsport 245 loggers talk at
--baud 38400.

What FILE (or the FILE.part of a download that was cut off) already holds is
reused: each of its 64 KiB chunks is checked by a 2 KiB sample read, and only
the rest is fetched, starting with the chunk that held its end. Any mismatch,
or a file that cannot be this memory's, means a full download.

Ends with one line on stderr, such as
  Downloaded 2,097,152 bytes from Com5 into data.bin: 17,049 records.
A --csv FILE that cannot be written fails the command once the image is
saved, and the line says both.

Exit status: 0 when the whole memory was saved (and decoded, and exported);
1 when the port cannot be opened, the logger does not answer, is unplugged or
holds no log data, or the download ends incomplete; 2 for a bad command line;
130 or 143 when interrupted by Ctrl-C or SIGTERM (a second one ends at once).
)";

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct DownloadOptions {
    PortOptions link;
    std::string image = "data.bin";
    std::string csv;
    bool full = false;
};

// One path for a file, whichever way it was named and whether or not it exists yet.
std::filesystem::path Resolved(const std::string& path)
{
    std::error_code error;
    const auto resolved = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::absolute(path) : resolved;
}

void RefuseSameFile(const DownloadOptions& options)
{
    if (options.csv.empty())
        return;
    const auto csv = Resolved(options.csv);
    if (csv == Resolved(options.image) || csv == Resolved(LogDownload::partPath(options.image)))
        throw std::invalid_argument("--csv " + options.csv + " would write over the memory image");
}

DownloadOptions ParseOptions(const std::vector<std::string>& args)
{
    DownloadOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--full") {
            options.full = true;
            continue;
        }
        if (option != "--port" && option != "--baud" && option != "-o" && option != "--csv")
            throw std::invalid_argument("unknown option " + option);
        if (i + 1 == args.size())
            throw std::invalid_argument("missing value for " + option);
        const std::string& value = args[++i];
        if (ParsePortOption(option, value, options.link))
            continue;
        if (option == "-o")
            options.image = value;
        else
            options.csv = value;
    }
    RequirePort(options.link);
    RefuseSameFile(options);
    return options;
}

// The command line's words for what kept the amount to fetch from being learned.
std::string GapText(MemoryReportGap gap, const std::string& port)
{
    switch (gap) {
    case MemoryReportGap::NoAnswer:
        return "the logger on " + port + " does not answer";
    case MemoryReportGap::UnknownSize:
        return "the logger reported a flash identifier of unknown size";
    case MemoryReportGap::NoProbeAnswer:
        return "the logger does not answer the read of its last sector";
    case MemoryReportGap::NoMemoryUse:
        return "the logger does not report its memory use";
    case MemoryReportGap::None:
        break;
    }
    return {};
}

class ProgressReport {
public:
    explicit ProgressReport(uint32_t total) : total_(total), terminal_(StderrIsTerminal() && !Quiet()) {}

    // Only a terminal gets the line, redrawn at every change; a log would fill up with it.
    void show(uint32_t done, bool last = false)
    {
        if (!terminal_ || (!last && done == shown_))
            return;
        shown_ = done;
        std::cerr << '\r' << ProgressLine(done, total_, Clock::now() - start_, carried_);
        if (last)
            std::cerr << '\n';
    }

    // Bytes counted as done that did not come over the line; the rate leaves them out.
    void carry(uint32_t bytes) { carried_ = bytes; }

    // A line of its own; on a terminal it ends the progress line first, which is then drawn again.
    void note(const std::string& text)
    {
        if (terminal_ && shown_ != UINT32_MAX)
            std::cerr << '\n';
        PrintNote(text);
        shown_ = UINT32_MAX;
    }

private:
    uint32_t total_;
    bool terminal_;
    Clock::time_point start_ = Clock::now();
    uint32_t shown_ = UINT32_MAX;
    uint32_t carried_ = 0;
};

// Waits on the download until it stops by itself, showing its progress.
void FollowDownload(LoggerSession& session, LogDownload& download, ProgressReport& report)
{
    uint32_t saved = 0;
    uint32_t reused = 0;
    for (bool running = true; running;) {
        session.waitUntil([&] { return !download.running() || download.bytesSaved() != saved; }, 250ms);
        const uint32_t reusedNow = session.locked([&] {
            download.checkStall();
            saved = download.bytesSaved();
            running = download.running();
            return download.bytesReused();
        });
        if (reusedNow != reused && (reused = reusedNow) != 0) {
            report.carry(reused);
            report.note("Reusing " + std::to_string(reused) + " of " + std::to_string(download.bytesWanted()) +
                        " bytes already in " + download.reuseSource() + ".");
        }
        report.show(saved);
    }
    report.show(saved, true);
}

void SayWhatIsFetched(const LogDownload& download, const DownloadOptions& options)
{
    if (download.untilBlank())
        PrintNote("The logger does not report its memory use: reading 64 KiB chunks from address 0 until one is "
                  "blank, at most " +
                  std::to_string(download.bytesWanted()) + " bytes, from " + options.link.port + " into " +
                  options.image + ".");
    else
        PrintNote("Downloading " + std::to_string(download.bytesWanted()) + " bytes from " + options.link.port +
                  " into " + options.image + ".");
}

// How the command line shows a download and tells how it ended.
class ConsoleDownload {
public:
    ConsoleDownload(LoggerSession& session, const DownloadOptions& options) : session_(session), options_(options) {}

    DownloadFront front()
    {
        DownloadFront front;
        front.modelHeard = [](const LoggerModel& model) { PrintNote("Logger: " + ModelText(model) + "."); };
        front.allowReuse = [this](uint32_t) { return !options_.full; };
        front.follow = [this](LogDownload& download) {
            SayWhatIsFetched(download, options_);
            report_.emplace(download.bytesWanted());
            FollowDownload(session_, download, *report_);
        };
        front.finished = [this](const LogDownload& download) {
            if (const std::string unfinished = finishedText(download); !unfinished.empty())
                throw LoggerFailure("the logger stopped answering. " + unfinished);
        };
        front.decode = [this](const KeptDownload& download) { kept_ = download; };
        return front;
    }

    // Once the download was finished: says, once, that logging is on again;
    // returns what a download that stopped short left, or empty.
    std::string finishedText(const LogDownload& download)
    {
        if (download.loggingResumed() && report_ && !told_)
            report_->note("Logging switched on again.");
        told_ = true;
        const std::string unfinished = "Download incomplete: " + download.unfinishedText();
        if (!download.failure().empty())
            throw LoggerFailure(download.failure() + ". " + unfinished);
        return download.complete() ? std::string() : unfinished;
    }

    // What the download kept, to be decoded once the port is given back.
    const std::optional<KeptDownload>& kept() const { return kept_; }

private:
    LoggerSession& session_;
    const DownloadOptions& options_;
    std::optional<ProgressReport> report_;
    bool told_ = false;
    std::optional<KeptDownload> kept_;
};

// Runs the download sequence to its end; throws LoggerFailure when it does
// not start or stops short, and passes on an interruption once what was
// fetched is in place, with `interruptedState` saying where it is;
// `bytesSaved` is what the image holds.
std::optional<KeptDownload> Download(LoggerSession& session, const DownloadOptions& options,
                                     std::string& interruptedState, uint32_t& bytesSaved)
{
    ConsoleDownload console(session, options);
    DownloadSequence sequence(session.line(), console.front(), options.image, {ChunkSilenceLimit(options.link.baud)},
                              {});
    try {
        sequence.run();
    } catch (const SessionInterrupted&) {
        if (sequence.started())
            interruptedState = console.finishedText(sequence.download());
        throw;
    } catch (const PortFailure& lost) {
        if (!sequence.started())
            throw;
        throw LoggerFailure(lost.what() + (" " + console.finishedText(sequence.download())));
    }
    if (sequence.gap() != MemoryReportGap::None)
        throw LoggerFailure(GapText(sequence.gap(), options.link.port));
    if (!sequence.refusal().empty())
        throw LoggerFailure(sequence.refusal());
    if (sequence.download().foundNoData())
        throw LoggerFailure(LogDownload::kNoLogData);
    bytesSaved = sequence.download().bytesSaved();
    return console.kept();
}

// The count of records decoded; throws LoggerFailure, saying that the image is saved, when the CSV is not.
uint64_t DecodeAndExport(const DownloadOptions& options, LogDialect dialect, const std::optional<ClockReading>& clock)
{
    TrackTable table;
    ReportLoadResult(DecodeLogImageFile(options.image, table, dialect), "download", options.image);
    const int rows = table.usedRowCount();
    const uint64_t records = rows > 0 ? static_cast<uint64_t>(rows - 1) : 0;
    if (const std::string failure = WriteClockEvidence(options.image, clock); !failure.empty())
        PrintError("download: cannot keep what the receiver's clock said: " + failure);
    PrintWeekRolloverHint(options.image, table, clock);
    if (options.csv.empty())
        return records;
    if (const SaveResult saved = WriteCsvFile(options.csv, table); !saved.saved())
        throw LoggerFailure(CliText::ImageSavedCsvNot(options.image, records, SaveFailure(saved)));
    return records;
}

// The port is given back before the decoding.
void RunDownload(const DownloadOptions& options, std::string& interruptedState)
{
    std::optional<KeptDownload> kept;
    uint32_t bytes = 0;
    {
        LoggerSession session;
        const InterruptWatch watch(session);
        if (const PortOpenResult opened = session.open(options.link.port, options.link.baud); !opened.succeeded())
            throw LoggerFailure(CliText::PortOpenFailure(opened));
        kept = Download(session, options, interruptedState, bytes);
    }
    if (!kept)
        return;
    const uint64_t records = DecodeAndExport(options, kept->dialect, kept->clock);
    PrintNote(CliText::Downloaded(bytes, options.link.port, options.image, records, options.csv));
}

int RunDownloadCommand(const std::vector<std::string>& args)
{
    std::string interruptedState; // filled in before an interruption reaches the report
    return RunLoggerCommand(
        "download",
        [&] {
            RunDownload(ParseOptions(args), interruptedState);
            return kExitSuccess;
        },
        interruptedState);
}

const SubcommandRegistration kRegistration{
    {"download", "fetch the logger's memory into an image and decode it", kDownloadUsage.c_str(), RunDownloadCommand}};
} // namespace
