// drovik-sim's fault injection, line noise and line-rate emulation, seen
// from the far end of its line.
#include "support/sim_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace simharness;

namespace {
// What one 64 KiB read should bring when the faults have done their work.
struct ExpectedRead {
    std::size_t replies = 32;
    std::set<std::size_t> badChecksums; // indexes among the replies that came
    std::set<std::size_t> shortReplies;
    std::optional<std::uint32_t> missingAddress;
    bool acknowledged = true;
};

ExpectedRead Whole()
{
    return ExpectedRead();
}

ExpectedRead BadChecksumAt(std::size_t index)
{
    ExpectedRead read;
    read.badChecksums = {index};
    return read;
}

ExpectedRead ShortAt(std::size_t index)
{
    ExpectedRead read;
    read.shortReplies = {index};
    return read;
}

ExpectedRead Missing(std::uint32_t address)
{
    ExpectedRead read;
    read.replies = 31;
    read.missingAddress = address;
    return read;
}

ExpectedRead Unacknowledged()
{
    ExpectedRead read;
    read.acknowledged = false;
    return read;
}

ExpectedRead CutAfter(std::size_t replies)
{
    ExpectedRead read;
    read.replies = replies;
    read.acknowledged = false;
    return read;
}

struct FaultCase {
    std::string name;
    std::vector<std::string> args;
    ExpectedRead first;  // chunk at 0
    ExpectedRead second; // chunk at 0x10000
};

void Check(const MemoryRead& read, const ExpectedRead& expected, std::uint32_t base, const std::string& what)
{
    EXPECT_EQ(read.acknowledged, expected.acknowledged) << what;
    ASSERT_EQ(read.replies.size(), expected.replies) << what;
    std::uint32_t address = base;
    for (std::size_t i = 0; i < read.replies.size(); ++i, address += 2048) {
        if (expected.missingAddress == address)
            address += 2048;
        const DataReply& reply = read.replies[i];
        EXPECT_EQ(reply.address, address) << what << " reply " << i;
        EXPECT_EQ(reply.checksumHolds, !expected.badChecksums.count(i)) << what << " reply " << i;
        EXPECT_EQ(reply.hex.size(), expected.shortReplies.count(i) ? 4094u : 4096u) << what << " reply " << i;
    }
}
} // namespace

TEST(SimFaults, EachFaultSpoilsExactlyTheReplyItNames)
{
    const std::vector<FaultCase> cases = {
        {"bad checksums counted over both reads", {"--bad-checksum", "3,35"}, BadChecksumAt(2), BadChecksumAt(2)},
        {"dropped reply", {"--drop-reply", "5"}, Missing(0x2000), Whole()},
        {"repeated option", {"--drop-reply", "1", "--drop-reply", "64"}, Missing(0), Missing(0x1F800)},
        {"short reply", {"--short-reply", "2"}, ShortAt(1), Whole()},
        {"dropped acknowledgement", {"--drop-ack", "1"}, Unacknowledged(), Whole()},
        {"second acknowledgement dropped", {"--drop-ack", "2"}, Whole(), Unacknowledged()},
        {"line dead after a reply", {"--dead-after", "34"}, Whole(), CutAfter(2)},
    };
    for (const FaultCase& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--generate", "2", "--no-nmea"});
        SimProcess sim(args);
        SimClient client(sim.slavePath());
        Check(ReadMemory(client, "$PMTK182,7,00000000,00010000*", 1s), c.first, 0, c.name + ", first read");
        Check(ReadMemory(client, "$PMTK182,7,00010000,10000*", 1s), c.second, 0x10000, c.name + ", second read");
    }
}

TEST(SimFaults, NoiseComesBetweenSentencesAndLeavesThemWhole)
{
    SimProcess sim({"--noise", "--generate", "1"});
    SimClient client(sim.slavePath());

    std::vector<std::string> seen;
    ASSERT_TRUE(client.waitForLine(StartsWith("$GPZDA"), 3s, &seen));
    MemoryRead read = ReadMemory(client, "$PMTK182,7,00000000,00010000*");
    EXPECT_TRUE(read.acknowledged);
    ASSERT_EQ(read.replies.size(), 32u);
    for (const DataReply& reply : read.replies)
        EXPECT_TRUE(reply.checksumHolds);

    int noisy = 0;
    for (const std::string& line : seen) {
        auto dollar = line.find('$');
        if (dollar == std::string::npos)
            continue;
        noisy += dollar > 0;
        EXPECT_TRUE(VerifyChecksum(line.substr(dollar))) << line;
    }
    EXPECT_GT(noisy, 0);
}

TEST(SimFaults, LineRateEmulationNeverOutrunsTheLine)
{
    // 1,000,000 baud: 100,000 bytes per second.
    SimProcess sim({"--baud", "1000000", "--no-nmea", "--generate", "1"});
    SimClient client(sim.slavePath());
    auto start = Clock::now();
    MemoryRead read = ReadMemory(client, "$PMTK182,7,00000000,00010000*");
    auto elapsed = Clock::now() - start;
    ASSERT_EQ(read.replies.size(), 32u);
    // 32 replies of 4,121 bytes and the 21-byte acknowledgement.
    auto lineTime = std::chrono::microseconds((32 * 4121 + 21) * 10);
    EXPECT_GE(elapsed, lineTime * 97 / 100);
}
