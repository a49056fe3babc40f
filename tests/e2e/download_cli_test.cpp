// drovik-cli download against drovik-sim over a real pseudo-terminal: the
// image it writes, the chunks it asks for again, and how it fails.
#include "e2e/download_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

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

std::vector<std::string> ServeArgs(const TempFile& image, std::vector<std::string> extra = {})
{
    std::vector<std::string> args{"--link", "Com5", "--image", image.path()};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

TEST(DownloadCli, WholeMemoryArrivesByteForByteAndDecodes)
{
    const SampleMemory sample(32, kFullMemory);
    TempFile image(sample.image);
    SimProcess sim(ServeArgs(image));
    const auto csv = sim.directory() / "track.csv";

    const CliRun run = Download(sim, {"--csv", csv.string()});

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
    EXPECT_NE(run.errors.find("Decoded " + records + " records"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("100%  2097152/2097152 bytes"), std::string::npos) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(csv));
}

// Each fault spoils one exchange of the second chunk (the last-sector probe
// counts as the first data reply and the first acknowledgement): that chunk
// is asked for again and the image still ends identical.
struct FaultCase {
    const char* name;
    std::vector<std::string> simArgs;
};

class DownloadCliFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(DownloadCliFaults, SpoiledChunkIsRequestedAgainAndTheImageStaysIdentical)
{
    const SampleMemory sample(4, 4 * kChunk);
    TempFile image(sample.image);
    SimProcess sim(ServeArgs(image, GetParam().simArgs));

    const CliRun run = Download(sim);

    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(FileBytes(sim.directory() / "data.bin"), sample.memory);
    const auto counts = RequestCounts(sim);
    EXPECT_EQ(counts, (std::map<std::uint32_t, int>{{0, 1}, {kChunk, 2}, {2 * kChunk, 1}, {3 * kChunk, 1}}));
}

INSTANTIATE_TEST_SUITE_P(Faults, DownloadCliFaults,
                         ::testing::Values(FaultCase{"BadChecksum", {"--bad-checksum", "40"}},
                                           FaultCase{"ShortReply", {"--short-reply", "50"}},
                                           FaultCase{"DroppedReply", {"--drop-reply", "65"}},
                                           FaultCase{"DroppedAcknowledgement", {"--drop-ack", "3"}},
                                           FaultCase{"LineNoise", {"--noise", "--bad-checksum", "34"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadCli, CompletesWithoutAnyNmeaOutput)
{
    const SampleMemory sample(4, 4 * kChunk);
    TempFile image(sample.image);
    SimProcess sim(ServeArgs(image, {"--no-nmea"}));

    const CliRun run = Download(sim);

    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(FileBytes(sim.directory() / "data.bin"), sample.memory);
}

void WriteOlderImage(const std::filesystem::path& path)
{
    std::ofstream(path, std::ios::binary) << "older";
}

TEST(DownloadCli, EmptyMemoryLeavesTheImageAlone)
{
    SimProcess sim({"--link", "Com5", "--generate", "0"});
    WriteOlderImage(sim.directory() / "data.bin");
    const CliRun run = Download(sim);
    EXPECT_EQ(run.exitCode, 1) << run.errors;
    EXPECT_NE(run.errors.find("There is no log data to download."), std::string::npos) << run.errors;
    EXPECT_EQ(std::filesystem::file_size(sim.directory() / "data.bin"), 5u);
    EXPECT_TRUE(ChunkRequests(sim).empty());
}

TEST(DownloadCli, ALineThatGoesDeadEndsTheDownloadWithTheVerifiedChunksInPlace)
{
    const SampleMemory sample(4, 4 * kChunk);
    TempFile image(sample.image);
    // The last-sector probe's reply, two whole chunks, then ten replies of the third.
    SimProcess sim(ServeArgs(image, {"--dead-after", "75", "--no-nmea"}));
    const auto target = sim.directory() / "data.bin";
    WriteOlderImage(target);

    const auto start = std::chrono::steady_clock::now();
    const CliRun run = Download(sim);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(run.exitCode, 1) << run.errors;
    EXPECT_LT(elapsed, std::chrono::seconds(30));
    EXPECT_NE(run.errors.find("holds only the first 131072 of 262144 bytes"), std::string::npos) << run.errors;
    const std::vector<std::uint8_t> verified(sample.memory.begin(), sample.memory.begin() + 2 * kChunk);
    EXPECT_EQ(FileBytes(target), verified);
    EXPECT_FALSE(std::filesystem::exists(sim.directory() / "data.bin.part"));
}

// A memory the simulator generates, and the same bytes built here.
struct Generated {
    int records = 0; // 0: the simulator's four whole sectors
    int firstPoint = 0;

    std::vector<std::string> simArgs() const
    {
        return {"--link",
                "Com5",
                "--no-nmea",
                "--records",
                std::to_string(records),
                "--first-point",
                std::to_string(firstPoint)};
    }
    std::vector<std::uint8_t> image() const
    {
        SampleImageOptions options;
        options.sectorCount = records == 0 ? 4 : 32;
        options.recordCount = records;
        options.firstPoint = firstPoint;
        return MakeSampleImage(options);
    }
};

// A second download into the file a first one left: it keeps the chunks
// before the one that held the first one's end, or fetches everything.
struct SecondRunCase {
    const char* name;
    Generated first;
    std::vector<std::string> firstFaults;
    Generated second;
    std::vector<std::string> secondOptions;
    bool reuses;
};

class DownloadCliSecondRun : public ::testing::TestWithParam<SecondRunCase> {};

TEST_P(DownloadCliSecondRun, FetchesOnlyWhatTheFileCannotVouchForAndEndsIdentical)
{
    const SecondRunCase& c = GetParam();
    std::vector<std::string> firstArgs = c.first.simArgs();
    firstArgs.insert(firstArgs.end(), c.firstFaults.begin(), c.firstFaults.end());
    SimProcess first(firstArgs);
    const auto target = first.directory() / "data.bin";
    Download(first, {}, "Com5", target);
    const auto earlier = static_cast<std::uint32_t>(std::filesystem::file_size(target));

    SimProcess second(c.second.simArgs());
    const CliRun run = Download(second, c.secondOptions, "Com5", target);

    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<std::uint8_t> memory = c.second.image();
    EXPECT_EQ(FileBytes(target), memory);
    const std::uint32_t from = c.reuses ? earlier - kChunk : 0;
    std::vector<std::uint32_t> expected;
    for (std::uint32_t address = from; address < memory.size(); address += kChunk)
        expected.push_back(address);
    EXPECT_EQ(ChunkRequests(second), expected);
    const std::string reusing = "Reusing " + std::to_string(from) + " of " + std::to_string(memory.size()) +
                                " bytes already in " + target.string() + ".";
    EXPECT_EQ(run.errors.find(reusing) != std::string::npos, c.reuses) << run.errors;
}

INSTANTIATE_TEST_SUITE_P(Reuse, DownloadCliSecondRun,
                         ::testing::Values(
                             // The probe's reply, two whole chunks, then ten replies of the third.
                             SecondRunCase{"AfterTheLineWentDead", {}, {"--dead-after", "75"}, {}, {}, true},
                             // Records end in the third chunk, then in the fourth.
                             SecondRunCase{"MemoryGrew", {1200}, {}, {2000}, {}, true},
                             SecondRunCase{"OtherMemoryOfTheSameSize", {}, {}, {0, 5000}, {}, false},
                             SecondRunCase{"FullWhenAsked", {}, {}, {}, {"--full"}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

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
}

TEST(DownloadCli, ADevicePathWorksLikeAPortName)
{
    const SampleMemory sample(2, 2 * kChunk);
    TempFile image(sample.image);
    SimProcess sim(ServeArgs(image));

    const CliRun run = Download(sim, {}, sim.slavePath());
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(FileBytes(sim.directory() / "data.bin"), sample.memory);

    const CliRun ports = RunCli(sim, {"ports"});
    EXPECT_NE(("\n" + ports.output).find("\nCom5\n"), std::string::npos) << ports.output << ports.errors;
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
    const CliRun run = RunCli(sim, {"download", "--port", sim.slavePath()}, "runuser -u nobody --");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("No permission to open " + sim.slavePath() + ", which belongs to the group"),
              std::string::npos)
        << run.errors;
    EXPECT_NE(run.errors.find("\n    sudo usermod -aG "), std::string::npos) << run.errors;
}
} // namespace
