#include "sim_options.h"

#include "core/number_text.h"
#include "export/iso_time.h"

#include <limits>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string_view>

const char* const kSimUsage = R"(Usage: drovik-sim [options]

A simulated GPS data logger on a pseudo-terminal. Prints the path of the
terminal's slave end on stdout (one line) once it is ready, then answers the
logger's commands until SIGTERM or SIGINT. SIGUSR1 pulls the cable: the
logger stops and closes its end of the terminal, as an unplugged logger's
line hangs up, and the simulator waits for SIGTERM or SIGINT.

Port:
  --link ComN           put a link named ComN to the terminal into the port
                        directory ($DROVIK_PORTS, else ~/.config/drovik/ports);
                        removed at exit
  --baud N              emulate the line rate: at most N/10 bytes per second
                        (default: unthrottled; 38400 with --dialect)

Memory:
  --image FILE          serve this memory image (padded with 0xFF, cut to size)
  --generate SECTORS    serve a generated track of SECTORS 64 KiB sectors
                        (default 4; 0 gives an erased memory)
  --records N           serve a generated track of N records instead, in as
                        many sectors as they fill: a run with more records
                        serves the same memory with records appended
  --first-point K       begin the generated track at its K-th point: another
                        memory of the same size (default 0)
  --dialect NAME        generate the memory as a Holux logger writes it, m241,
                        gr245 (GPsport 245) or m1000c, and report that model
  --memory SIZE         memory size 1M, 2M, 4M, 8M or 16M (default 2M)
  --erase-delay MS      time an erase takes before its acknowledgement
                        (default 1000)

Logger settings at start:
  --mask HEX            log format mask (default: from the image, else 0002002F)
  --method 1|2          recording method, 1 overwrite, 2 stop when full
                        (default 1)
  --stopped             logging off (default on)
  --fault               report a logger fault (status bit 0x0400) until reset
  --refuse-status       answer the status and memory-in-use queries with
                        $PMTK001,182,1 (not supported), as an M-241 Plus does
  --intervals T,D,S     time, distance and speed criteria in tenths
                        (default 50,0,0)

Release report (the answer to $PMTK605; --dialect gives its model's):
  --release TEXT        release text (default DROVIK_SIM_1.0)
  --build TEXT          build number, the model's number (default 0001)
  --model TEXT          model text (default DROVIK-LOGGER)
  --firmware TEXT       firmware version (default 1.0)

Output:
  --no-nmea             send no NMEA sentences (replies only)
  --clock TIME          the receiver's clock (RMC, ZDA) starts at TIME, ISO 8601
                        (2007-05-24T10:00:00Z), and runs on from there
                        (default: the computer's clock)
  --silent              send nothing at all, answer nothing

Faults (K counts from 1 over the whole run; each option may be repeated or
take a comma list, e.g. --drop-reply 3,40):
  --bad-checksum K      spoil the checksum of the K-th memory data reply
  --drop-reply K        leave out the K-th memory data reply
  --short-reply K       send the K-th memory data reply two hex digits short
  --drop-ack K          leave out the K-th read-memory acknowledgement
  --noise               line noise bytes between sentences
  --no-erase-ack        erase without ever acknowledging it
  --dead-after K        send nothing more after the K-th memory data reply,
                        as if the line were cut

Records:
  --log FILE            append every sentence received, one per line without
                        CR LF, flushed at once; sentences failing the checksum
                        or framing are written with the prefix "BAD "
  --state FILE          rewrite FILE with the logger's settings as key=value
                        lines after every change (replaced atomically)
  --help                this text
  --version             the program's version
)";

namespace {
long ParseNumber(std::string_view text, int base, const std::string& option)
{
    const auto value = ParseInteger(text, base);
    if (!value || *value < 0 || *value > std::numeric_limits<long>::max())
        throw std::invalid_argument("bad value for " + option + ": " + std::string(text));
    return static_cast<long>(*value);
}

std::vector<long> ParseList(std::string_view text, const std::string& option)
{
    std::vector<long> values;
    size_t start = 0;
    while (true) {
        size_t comma = text.find(',', start);
        values.push_back(ParseNumber(text.substr(start, comma - start), 10, option));
        if (comma == std::string_view::npos)
            return values;
        start = comma + 1;
    }
}

void AddPositions(std::set<long>& positions, std::string_view text, const std::string& option)
{
    for (long k : ParseList(text, option)) {
        if (k == 0)
            throw std::invalid_argument(option + " counts from 1");
        positions.insert(k);
    }
}

// A field of a sentence: nothing that would end the field or the sentence.
std::string ReportField(const std::string& text, const std::string& option)
{
    if (text.find_first_of(",*$\r\n") != std::string::npos)
        throw std::invalid_argument(option + " takes text without , * $ or line ends");
    return text;
}

LogDialect ParseDialect(std::string_view text)
{
    const auto dialect = DialectOfName(text);
    if (!dialect || *dialect == LogDialect::Generic)
        throw std::invalid_argument("--dialect takes m241, gr245 or m1000c");
    return *dialect;
}

// What each Holux model answers to $PMTK605.
ReleaseReport DialectReleaseReport(LogDialect dialect)
{
    switch (dialect) {
    case LogDialect::M241:
        return {"AXN_1.13", "0005", "GR-241", "1.13"};
    case LogDialect::Gr245:
        return {"AXN_2.00", "0043", "GR-245", "2.00"};
    default:
        return {"AXN_1.15", "0035", "M-1000C", "1.15"};
    }
}

uint32_t ParseMemorySize(std::string_view text)
{
    for (uint32_t mebibytes : {1, 2, 4, 8, 16})
        if (text == std::to_string(mebibytes) + "M")
            return mebibytes << 20;
    throw std::invalid_argument("--memory takes 1M, 2M, 4M, 8M or 16M");
}
} // namespace

SimOptions ParseSimOptions(const std::vector<std::string>& args)
{
    SimOptions o;
    using Setter = std::function<void(const std::string&)>;
    const std::map<std::string, std::function<void()>> flags = {
        {"--no-nmea", [&] { o.nmea = false; }},        {"--stopped", [&] { o.logging = false; }},
        {"--fault", [&] { o.fault = true; }},          {"--refuse-status", [&] { o.refuseStatus = true; }},
        {"--noise", [&] { o.faults.noise = true; }},   {"--no-erase-ack", [&] { o.faults.noEraseAck = true; }},
        {"--silent", [&] { o.faults.silent = true; }}, {"--help", [&] { o.help = true; }},
        {"--version", [&] { o.version = true; }},
    };
    const std::map<std::string, Setter> valued = {
        {"--link", [&](const std::string& v) { o.linkName = v; }},
        {"--image", [&](const std::string& v) { o.imagePath = v; }},
        {"--generate", [&](const std::string& v) { o.generatedSectors = ParseNumber(v, 10, "--generate"); }},
        {"--records", [&](const std::string& v) { o.generatedRecords = ParseNumber(v, 10, "--records"); }},
        {"--first-point", [&](const std::string& v) { o.firstPoint = ParseNumber(v, 10, "--first-point"); }},
        {"--memory", [&](const std::string& v) { o.memorySize = ParseMemorySize(v); }},
        {"--dialect", [&](const std::string& v) { o.dialect = ParseDialect(v); }},
        {"--erase-delay", [&](const std::string& v) { o.eraseDelayMs = ParseNumber(v, 10, "--erase-delay"); }},
        {"--baud", [&](const std::string& v) { o.baud = ParseNumber(v, 10, "--baud"); }},
        {"--log", [&](const std::string& v) { o.logPath = v; }},
        {"--clock",
         [&](const std::string& v) {
             o.clockStartMs = ParseIsoTime(v);
             if (!o.clockStartMs)
                 throw std::invalid_argument("--clock takes an ISO 8601 time such as 2007-05-24T10:00:00Z");
         }},
        {"--state", [&](const std::string& v) { o.statePath = v; }},
        {"--mask",
         [&](const std::string& v) {
             long mask = ParseNumber(v, 16, "--mask");
             if (mask > 0xFFFFFFFFL)
                 throw std::invalid_argument("--mask takes at most eight hex digits");
             o.formatMask = static_cast<uint32_t>(mask);
         }},
        {"--method", [&](const std::string& v) { o.recordingMethod = ParseNumber(v, 10, "--method"); }},
        {"--intervals",
         [&](const std::string& v) {
             auto values = ParseList(v, "--intervals");
             if (values.size() != 3)
                 throw std::invalid_argument("--intervals takes three values T,D,S");
             o.timeInterval = values[0];
             o.distanceInterval = values[1];
             o.speedInterval = values[2];
         }},
        {"--release", [&](const std::string& v) { o.releaseReport.release = ReportField(v, "--release"); }},
        {"--build", [&](const std::string& v) { o.releaseReport.build = ReportField(v, "--build"); }},
        {"--model", [&](const std::string& v) { o.releaseReport.model = ReportField(v, "--model"); }},
        {"--firmware", [&](const std::string& v) { o.releaseReport.firmware = ReportField(v, "--firmware"); }},
        {"--bad-checksum",
         [&](const std::string& v) { AddPositions(o.faults.badChecksumReplies, v, "--bad-checksum"); }},
        {"--drop-reply", [&](const std::string& v) { AddPositions(o.faults.droppedReplies, v, "--drop-reply"); }},
        {"--short-reply", [&](const std::string& v) { AddPositions(o.faults.shortReplies, v, "--short-reply"); }},
        {"--drop-ack", [&](const std::string& v) { AddPositions(o.faults.droppedReadAcks, v, "--drop-ack"); }},
        {"--dead-after", [&](const std::string& v) { o.faults.deadAfterReply = ParseNumber(v, 10, "--dead-after"); }},
    };

    std::set<std::string> given;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        given.insert(arg);
        if (auto flag = flags.find(arg); flag != flags.end()) {
            flag->second();
        } else if (auto option = valued.find(arg); option != valued.end()) {
            if (i + 1 == args.size())
                throw std::invalid_argument(arg + " needs a value");
            option->second(args[++i]);
        } else {
            throw std::invalid_argument("unknown option: " + arg);
        }
    }
    if (o.dialect) {
        // The dialect's model and rate, where the command line does not name them.
        const ReleaseReport model = DialectReleaseReport(*o.dialect);
        const std::pair<const char*, std::string ReleaseReport::*> fields[] = {
            {"--release", &ReleaseReport::release},
            {"--build", &ReleaseReport::build},
            {"--model", &ReleaseReport::model},
            {"--firmware", &ReleaseReport::firmware},
        };
        for (const auto& [option, field] : fields)
            if (!given.count(option))
                o.releaseReport.*field = model.*field;
        if (!given.count("--baud"))
            o.baud = 38400;
    }
    if (o.recordingMethod != 1 && o.recordingMethod != 2)
        throw std::invalid_argument("--method takes 1 or 2");
    if (o.generatedSectors > static_cast<int>(o.memorySize / 0x10000))
        throw std::invalid_argument("--generate: more sectors than the memory holds");
    return o;
}
