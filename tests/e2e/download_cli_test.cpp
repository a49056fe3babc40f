// drovik-cli download against drovik-sim over a real pseudo-terminal: the
// image it writes, the run after a line that went dead, and how it fails.
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
    EXPECT_NE(run.errors.find("Decoded " + records + " records"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("100%  2097152/2097152 bytes"), std::string::npos) << run.errors;
    EXPECT_TRUE(std::filesystem::exists(csv));

    const CliRun ports = RunCli(sim, {"ports"});
    EXPECT_NE(("\n" + ports.output).find("\nCom5\n"), std::string::npos) << ports.output << ports.errors;
}

// The line goes dead after the last-sector probe's reply, two whole chunks
// and ten replies of the third: the verified chunks stay in the image, and the
// next run fetches from the chunk that held their end, or everything when asked.
TEST(DownloadCli, ALineThatGoesDeadLeavesTheVerifiedChunksForTheNextRun)
{
    const SampleMemory sample(4, 4 * kChunk); // what the simulator generates by default
    SimProcess dying({"--link", "Com5", "--no-nmea", "--dead-after", "75"});
    const auto target = dying.directory() / "data.bin";
    std::ofstream(target, std::ios::binary) << "older";

    const auto start = std::chrono::steady_clock::now();
    const CliRun cut = Download(dying);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(cut.exitCode, 1) << cut.errors;
    EXPECT_NE(cut.errors.find("holds only the first 131072 of 262144 bytes"), std::string::npos) << cut.errors;
    EXPECT_EQ(FileBytes(target), std::vector<std::uint8_t>(sample.memory.begin(), sample.memory.begin() + 2 * kChunk));
    EXPECT_FALSE(std::filesystem::exists(dying.directory() / "data.bin.part"));

    SimProcess sim({"--link", "Com5", "--no-nmea"});
    const CliRun resumed = Download(sim, {}, "Com5", target);
    ASSERT_EQ(resumed.exitCode, 0) << resumed.errors;
    EXPECT_EQ(FileBytes(target), sample.memory);
    EXPECT_EQ(ChunkRequests(sim), (std::vector<std::uint32_t>{kChunk, 2 * kChunk, 3 * kChunk}));
    EXPECT_NE(resumed.errors.find("Reusing 65536 of 262144 bytes already in " + target.string() + "."),
              std::string::npos)
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
