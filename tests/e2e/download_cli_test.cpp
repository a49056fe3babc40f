// drovik-cli download against drovik-sim over a real pseudo-terminal: the
// image it writes, the run after a line that went dead, and how it fails.
#include "decode/civil_time.h"
#include "decode/track_options.h"
#include "e2e/download_support.h"
#include "export/csv_reader.h"
#include "export/iso_time.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>

using namespace download_e2e;
using namespace simharness;

namespace {
// Runs `drovik-cli download` on the simulator's Com5 (or `port`) into target (default folder/data.bin).
CliRun Download(const SimProcess& sim, const std::vector<std::string>& extra = {}, const std::string& port = "Com5",
                std::filesystem::path target = {})
{
    if (target.empty())
        target = sim.directory() / "data.bin";
    std::vector<std::string> arguments{"download", "--port", port, "-o", target.string()};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return RunCli(sim, arguments);
}

TEST(DownloadCli, WholeMemoryArrivesByteForByteAndDecodes)
{
    const SampleMemory sample(32, kFullMemory);
    TempFile image(sample.image);
    SimProcess sim({"--link", "Com5", "--image", image.path()});
    const auto csv = sim.directory() / "track.csv";

    // A device path works like a port name.
    const CliRun run = Download(sim, {"--csv", csv.string()}, sim.slavePath());

    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(FileBytes(sim.directory() / "data.bin"), sample.memory);
    std::vector<std::uint32_t> expected;
    for (std::uint32_t address = 0; address < kFullMemory; address += kChunk)
        expected.push_back(address);
    EXPECT_EQ(ChunkRequests(sim), expected);

    // The image decodes to one row per record the logger holds.
    const std::string records = sim.stateValue("record_count");
    ASSERT_NE(records, "0");
    EXPECT_EQ(std::to_string(DecodedRows(sample.image).size() - 1), records);
    // One line says what it did; stderr is no terminal here, so no progress line came before it.
    std::string thousands = records;
    for (int at = static_cast<int>(thousands.size()) - 3; at > 0; at -= 3)
        thousands.insert(static_cast<std::size_t>(at), ",");
    EXPECT_TRUE(run.errors.ends_with("Downloaded 2,097,152 bytes from " + sim.slavePath() + " into " +
                                     (sim.directory() / "data.bin").string() + ": " + thousands +
                                     " records, also written to " + csv.string() + ".\n"))
        << run.errors;
    EXPECT_EQ(run.errors.find("bytes  "), std::string::npos) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(csv));

    const CliRun ports = RunCli(sim, {"ports"});
    EXPECT_NE(("\n" + ports.output).find("\nCom5\n"), std::string::npos) << ports.output << ports.errors;
}

// The receiver's clock, not the track's age, tells whether its dates are a
// GPS week rollover early; the image keeps what it said for a later convert.
TEST(DownloadCli, AReceiverWhoseClockIsARolloverBehindGetsAHint)
{
    const std::int64_t behind = NowUtcSeconds() - kWeekRolloverDays * 86400LL;
    const struct {
        const char* name;
        std::vector<std::string> clock; // drovik-sim's clock option
        bool hinted;
    } cases[] = {
        {"1024 weeks behind", {"--clock", IsoTimeText(behind * 1000)}, true},
        {"a current clock", {}, false},
    };
    const std::string hint = "dates its fixes 1024 weeks before the computer's clock";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> options{"--link", "Com5", "--generate", "1"};
        options.insert(options.end(), c.clock.begin(), c.clock.end());
        SimProcess sim(options);
        const CliRun run = Download(sim);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(run.errors.find(hint) != std::string::npos, c.hinted) << run.errors;
        EXPECT_EQ(run.errors.find("convert it with --week-rollover 1.") != std::string::npos, c.hinted) << run.errors;

        const auto image = (sim.directory() / "data.bin").string();
        const CliRun convert = RunCli(sim, {"convert", image, (sim.directory() / "track.csv").string()});
        ASSERT_EQ(convert.exitCode, 0) << convert.errors;
        EXPECT_EQ(convert.errors.find(hint) != std::string::npos, c.hinted) << convert.errors;
    }
}

// Each row holds the place the image writer put in its record, to the float
// a Holux logger keeps; one row per record.
void ExpectSampleTrack(const std::vector<std::vector<std::string>>& rows, int records)
{
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(records) + 1);
    const auto column = [&](const char* header) {
        return std::find(rows[0].begin(), rows[0].end(), header) - rows[0].begin();
    };
    const auto latitude = column("LATITUDE");
    const auto longitude = column("LONGITUDE");
    ASSERT_LT(longitude, static_cast<std::ptrdiff_t>(rows[0].size()));
    for (int i = 0; i < records; ++i) {
        const TrackRecord written = SampleTrackRecord(i);
        EXPECT_NEAR(std::stod(rows[i + 1][latitude]), static_cast<float>(*written.latitude), 1e-6) << i;
        EXPECT_NEAR(std::stod(rows[i + 1][longitude]), static_cast<float>(*written.longitude), 1e-6) << i;
    }
}

// The model the logger names decides the dialect: an M-1000C's image holds
// no marker that could tell it. An M-241 talks at 38,400 Bd, as the
// simulator does for it by default; a GPsport 245 shows USB PROCESSING while
// its memory is read; an M-241 Plus does not report its memory use and is
// read until a chunk comes back blank.
TEST(DownloadCli, AHoluxLoggersModelDecidesTheDialectOfItsDownload)
{
    const struct {
        const char* dialect;
        LogDialect expected;
        std::vector<std::string> simOptions;
        int records;
        const char* model;
        bool untilBlank;
    } cases[] = {
        {"m241", LogDialect::M241, {}, 300, "Holux M-241 (model 0005, firmware AXN_1.13)", false},
        {"m1000c",
         LogDialect::M1000C,
         {"--baud", "460800"},
         300,
         "Holux M-1000C (model 0035, firmware AXN_1.15)",
         false},
        {"gr245",
         LogDialect::Gr245,
         {"--baud", "460800"},
         300,
         "Holux GPsport 245 (model 0043, firmware AXN_2.00)",
         false},
        {"m241", LogDialect::M241, {"--refuse-status", "--baud", "0"}, 1000, "Holux M-241 (model 0005", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.simOptions) + c.dialect);
        std::vector<std::string> options{
            "--link", "Com5", "--no-nmea", "--dialect", c.dialect, "--records", std::to_string(c.records)};
        options.insert(options.end(), c.simOptions.begin(), c.simOptions.end());
        SimProcess sim(options);
        const auto csv = sim.directory() / "track.csv";

        const CliRun run = Download(sim, {"--baud", "38400", "--csv", csv.string()});

        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_NE(run.errors.find(std::string("Logger: ") + c.model), std::string::npos) << run.errors;
        EXPECT_EQ(run.errors.find("reading 64 KiB chunks from address 0 until one is blank") != std::string::npos,
                  c.untilBlank)
            << run.errors;
        const std::vector<std::uint8_t> image = HoluxImage(c.expected, c.records);
        EXPECT_EQ(FileBytes(sim.directory() / "data.bin"), image);
        EXPECT_EQ(ChunkRequests(sim).size(), image.size() / kChunk + (c.untilBlank ? 1 : 0));
        TrackTable table;
        ASSERT_TRUE(ReadCsvFile(csv.string(), table).loaded());
        ExpectSampleTrack(RowsOf(table), c.records);
        const auto lines = sim.receivedLines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "$PHLX827*31"), c.expected == LogDialect::Gr245 ? 1 : 0);

        const CliRun probe = RunCli(sim, {"ports", "--probe"});
        EXPECT_NE(probe.output.find(std::string("Com5: ") + c.model), std::string::npos) << probe.output;
    }
}

// The line goes dead after the last-sector probe's reply, two whole chunks
// and ten replies of the third: the image already there stays as it was, the
// verified chunks stay in its part file, and the next run fetches from the
// chunk that held their end, or everything when asked.
TEST(DownloadCli, ALineThatGoesDeadLeavesTheVerifiedChunksForTheNextRun)
{
    const SampleMemory sample(4, 4 * kChunk); // what the simulator generates by default
    SimProcess dying({"--link", "Com5", "--no-nmea", "--dead-after", "75"});
    const auto target = dying.directory() / "data.bin";
    const auto part = dying.directory() / "data.bin.part";
    std::ofstream(target, std::ios::binary) << "older";

    const CliRun cut = Download(dying);
    EXPECT_EQ(cut.exitCode, 1) << cut.errors;
    EXPECT_NE(cut.errors.find("131072 of 262144 bytes are in " + part.string() + "; " + target.string() +
                              " is unchanged; the next download resumes from them."),
              std::string::npos)
        << cut.errors;
    EXPECT_EQ(FileText(target), "older");
    EXPECT_EQ(FileBytes(part), std::vector<std::uint8_t>(sample.memory.begin(), sample.memory.begin() + 2 * kChunk));
    EXPECT_NE(cut.errors.find("Logging switched on again."), std::string::npos) << cut.errors;
    EXPECT_TRUE(dying.waitForState("logging", "1"));

    SimProcess sim({"--link", "Com5", "--no-nmea"});
    const CliRun resumed = Download(sim, {}, "Com5", target);
    ASSERT_EQ(resumed.exitCode, 0) << resumed.errors;
    EXPECT_EQ(FileBytes(target), sample.memory);
    EXPECT_FALSE(std::filesystem::exists(part));
    EXPECT_EQ(ChunkRequests(sim), (std::vector<std::uint32_t>{kChunk, 2 * kChunk, 3 * kChunk}));
    EXPECT_NE(resumed.errors.find("Reusing 65536 of 262144 bytes already in " + part.string() + "."), std::string::npos)
        << resumed.errors;

    const CliRun full = Download(sim, {"--full"}, "Com5", target);
    ASSERT_EQ(full.exitCode, 0) << full.errors;
    EXPECT_EQ(FileBytes(target), sample.memory);
    const auto requests = ChunkRequests(sim);
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(std::vector<std::uint32_t>(requests.begin() + 3, requests.end()),
              (std::vector<std::uint32_t>{0, kChunk, 2 * kChunk, 3 * kChunk}));
    EXPECT_EQ(full.errors.find("Reusing"), std::string::npos) << full.errors;
}

// Waits until the part file holds at least `bytes`.
bool PartReaches(const std::filesystem::path& part, std::uintmax_t bytes)
{
    return PollFor<bool>(
               20s,
               [&]() -> std::optional<bool> { return HoldsAtLeast(part, bytes) ? std::optional(true) : std::nullopt; })
        .has_value();
}

// Yesterday's complete download, then `--full` with the cable pulled after
// two chunks: the CLI ends at once and yesterday's image is still whole.
TEST(DownloadCli, AnUnpluggedLoggerEndsTheDownloadAndShrinksNothing)
{
    const SampleMemory sample(4, 4 * kChunk);
    SimProcess sim({"--link", "Com5", "--no-nmea", "--baud", "460800"});
    const auto target = sim.directory() / "data.bin";
    const auto part = sim.directory() / "data.bin.part";
    std::ofstream(target, std::ios::binary)
        .write(reinterpret_cast<const char*>(sample.memory.data()), static_cast<std::streamsize>(sample.memory.size()));

    CliProcess cli(sim, {"download", "--port", "Com5", "-o", target.string(), "--full"});
    ASSERT_TRUE(PartReaches(part, 2 * kChunk)) << cli.errors();
    sim.unplug();

    ASSERT_EQ(cli.wait(), std::optional(1)) << cli.errors();
    const std::string errors = cli.errors();
    EXPECT_NE(errors.find("Lost the logger on Com5: it was unplugged or switched off."), std::string::npos) << errors;
    const auto kept = FileBytes(part);
    EXPECT_NE(errors.find(std::to_string(kept.size()) + " of 262144 bytes are in " + part.string() + "; " +
                          target.string() + " is unchanged; the next download resumes from them."),
              std::string::npos)
        << errors;
    EXPECT_EQ(FileBytes(target), sample.memory);
    ASSERT_GE(kept.size(), 2 * kChunk);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), sample.memory.begin()));
}

// Ctrl-C or SIGTERM, once or twice: the CLI gives the port back, says what
// it leaves, and the next command opens the port at once.
TEST(DownloadCli, AnInterruptedDownloadGivesThePortBackAndSaysWhatItKept)
{
    const struct {
        std::vector<int> signals;
        int exitCode;
    } cases[] = {{{SIGINT}, 130}, {{SIGTERM}, 143}, {{SIGINT, SIGINT}, 130}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signals.size() == 2 ? "twice" : std::to_string(c.exitCode));
        SimProcess sim({"--link", "Com5", "--no-nmea", "--baud", "921600"});
        const auto part = sim.directory() / "data.bin.part";
        CliProcess cli(sim, {"download", "--port", "Com5", "-o", (sim.directory() / "data.bin").string()});
        ASSERT_TRUE(PartReaches(part, kChunk)) << cli.errors();
        for (int signal : c.signals)
            cli.signal(signal);

        ASSERT_EQ(cli.wait(), std::optional(c.exitCode)) << cli.errors();
        if (c.signals.size() == 1) {
            EXPECT_NE(cli.errors().find("download: interrupted; the port is free again. Download incomplete: "),
                      std::string::npos)
                << cli.errors();
        }
        const CliRun next = RunCli(sim, {"status", "--port", "Com5"});
        EXPECT_EQ(next.exitCode, 0) << next.errors;
    }
}

TEST(DownloadCli, FailuresExitNonZeroWithAReason)
{
    SimProcess silent({"--link", "Com5", "--silent"});
    const CliRun unanswered = Download(silent);
    EXPECT_EQ(unanswered.exitCode, 1);
    EXPECT_NE(unanswered.errors.find("does not answer"), std::string::npos) << unanswered.errors;
    EXPECT_FALSE(std::filesystem::exists(silent.directory() / "data.bin"));

    SimProcess elsewhere({"--link", "Com6"});
    const CliRun unopened = Download(elsewhere);
    EXPECT_EQ(unopened.exitCode, 1);
    EXPECT_NE(unopened.errors.find("cannot open Com5"), std::string::npos) << unopened.errors;

    const CliRun usage = Download(elsewhere, {"--baud", "fast"});
    EXPECT_EQ(usage.exitCode, 2);

    // The image is saved, its CSV is not: both are said, and the command failed.
    SimProcess served({"--link", "Com5", "--generate", "4", "--memory", "1M"});
    const auto missing = served.directory() / "no" / "track.csv";
    const CliRun half = Download(served, {"--csv", missing.string()});
    EXPECT_EQ(half.exitCode, 1);
    EXPECT_NE(half.errors.find("drovik-cli: download: the memory image is saved in " +
                               (served.directory() / "data.bin").string() + " ("),
              std::string::npos)
        << half.errors;
    EXPECT_TRUE(half.errors.ends_with("), but the CSV table is not: cannot write " + missing.string() +
                                      ": No such file or directory.\n"))
        << half.errors;
    EXPECT_TRUE(std::filesystem::exists(served.directory() / "data.bin"));

    // The CSV never goes over the image it is decoded from, however it is spelt.
    const auto image = elsewhere.directory() / "data.bin";
    for (const auto& csv : {image, elsewhere.directory() / "." / "data.bin.part"}) {
        const CliRun over =
            RunCli(elsewhere, {"download", "--port", "Com6", "-o", image.string(), "--csv", csv.string()});
        EXPECT_EQ(over.exitCode, 2) << csv;
        EXPECT_NE(over.errors.find("would write over the memory image"), std::string::npos) << over.errors;
    }
    EXPECT_TRUE(ChunkRequests(elsewhere).empty());
}

TEST(DownloadCli, AUserWithoutAccessIsToldWhichGroupToJoin)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to run as another user";
    SimProcess sim({"--no-nmea"});
    // Set up like a serial device: read and write for its owner and group,
    // here root's, which nobody is not in.
    ASSERT_EQ(chown(sim.slavePath().c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(sim.slavePath().c_str(), 0660), 0);
    // The build may sit where nobody cannot reach it (a home folder of mode 700).
    const auto reachable = sim.directory() / "reachable";
    std::filesystem::create_directory(reachable);
    std::filesystem::copy_file(DROVIK_CLI_PATH, reachable / "drovik-cli");
    std::filesystem::permissions(sim.directory(), std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    std::filesystem::permissions(reachable, std::filesystem::perms::others_exec, std::filesystem::perm_options::add);
    const CliRun run = RunCli(sim, {"download", "--port", sim.slavePath()}, "runuser -u nobody --",
                              (reachable / "drovik-cli").string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("No permission to open " + sim.slavePath() + ", which belongs to the group"),
              std::string::npos)
        << run.errors;
    EXPECT_NE(run.errors.find("\n    sudo usermod -aG "), std::string::npos) << run.errors;
}
} // namespace
