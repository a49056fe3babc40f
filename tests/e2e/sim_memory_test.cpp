// drovik-sim over its pseudo-terminal: memory reads served from its image,
// and the erase with its acknowledgement.
#include "support/sim_harness.h"

#include <gtest/gtest.h>

#include <random>

using namespace simharness;

namespace {
constexpr std::uint32_t kChunk = 0x10000;

// Two sectors of arbitrary bytes: every byte value shows up in the hex text.
std::vector<std::uint8_t> RandomImage(std::size_t size = 2 * kChunk)
{
    std::mt19937 random(42);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

std::string HexOf(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t count)
{
    std::string hex;
    char digits[3];
    for (std::size_t i = offset; i < offset + count; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        hex += digits;
    }
    return hex;
}
} // namespace

TEST(SimMemory, ReadsOfAnyAddressAndLengthComeIn2048ByteRepliesInAddressOrder)
{
    auto image = RandomImage();
    TempFile file(image);
    SimProcess sim({"--image", file.path(), "--no-nmea"});
    SimClient client(sim.slavePath());
    auto memory = image;
    memory.resize(0x200000, 0xFF);

    const struct {
        std::string read;
        std::uint32_t address;
        std::uint32_t length;
    } cases[] = {
        {"$PMTK182,7,00000000,2*", 0, 2},
        {"$PMTK182,7,00010000,10000*", 0x10000, 0x10000}, // a chunk: 32 replies
        {"$PMTK182,7,0001FFFE,2*", 0x1FFFE, 2},
        {"$PMTK182,7,001F0000,2*", 0x1F0000, 2}, // past the image: erased
        {"$PMTK182,7,00000c00,00000400*", 0xC00, 0x400},
        {"$PMTK182,7,00000123,1001*", 0x123, 0x1001},
        {"$PMTK182,7,0001FC00,800*", 0x1FC00, 0x800}, // across the end of the image
    };
    for (const auto& c : cases) {
        MemoryRead read = ReadMemory(client, c.read);
        EXPECT_TRUE(read.acknowledged) << c.read;
        ASSERT_EQ(read.replies.size(), (c.length + 2047) / 2048) << c.read;
        for (std::size_t i = 0; i < read.replies.size(); ++i) {
            const std::uint32_t address = c.address + i * 2048;
            const std::uint32_t count = std::min<std::uint32_t>(2048, c.address + c.length - address);
            EXPECT_EQ(read.replies[i].address, address) << c.read;
            EXPECT_EQ(read.replies[i].hex, HexOf(memory, address, count)) << c.read;
            EXPECT_TRUE(read.replies[i].checksumHolds) << c.read;
        }
    }
}

TEST(SimMemory, ReadsOutsideTheMemoryAreRefused)
{
    SimProcess sim({"--memory", "1M", "--no-nmea"});
    SimClient client(sim.slavePath());
    for (const char* read : {"$PMTK182,7,00100000,2*", "$PMTK182,7,FFFF0000,2*"}) {
        client.sendCommand(read);
        auto ack = client.waitForLine(StartsWith("$PMTK001,182,7,"));
        ASSERT_TRUE(ack) << read;
        EXPECT_TRUE(ack->starts_with("$PMTK001,182,7,2*")) << *ack;
    }
}

TEST(SimMemory, AStalledReaderLosesNothing)
{
    auto image = RandomImage();
    TempFile file(image);
    SimProcess sim({"--image", file.path(), "--no-nmea"});
    SimClient client(sim.slavePath());

    // Far more than the terminal buffers: the simulator must wait, not drop.
    client.sendCommand("$PMTK182,7,00000000,00010000*");
    client.sendCommand("$PMTK182,7,00010000,10000*");
    ASSERT_TRUE(client.waitForQueued(SimClient::kTerminalInputBuffer));

    std::vector<DataReply> replies;
    int acks = 0;
    while (auto line = client.readLine(2s)) {
        if (auto reply = ParseDataReply(*line))
            replies.push_back(*reply);
        acks += line->starts_with("$PMTK001,182,7,3*");
        if (acks == 2)
            break;
    }
    EXPECT_EQ(acks, 2);
    ASSERT_EQ(replies.size(), 64u);
    for (std::size_t i = 0; i < replies.size(); ++i) {
        EXPECT_TRUE(replies[i].checksumHolds) << i;
        EXPECT_EQ(replies[i].hex, HexOf(image, i * 2048, 2048)) << i;
    }
}

TEST(SimMemory, EraseFillsTheMemoryAndIsAcknowledgedAfterItsDelay)
{
    SimProcess sim({"--generate", "3", "--erase-delay", "1000", "--no-nmea"});
    SimClient client(sim.slavePath());
    ASSERT_NE(sim.stateValue("record_count"), "0");

    auto sent = Clock::now();
    client.sendCommand("$PMTK182,6,1*");
    EXPECT_TRUE(sim.waitForState("erasing", "1"));
    auto ack = client.waitForLine(StartsWith("$PMTK001,182,6,"), 5s);
    auto elapsed = Clock::now() - sent;
    ASSERT_TRUE(ack);
    EXPECT_TRUE(ack->starts_with("$PMTK001,182,6,3*")) << *ack;
    EXPECT_TRUE(VerifyChecksum(*ack));
    EXPECT_GE(elapsed, 1000ms);

    EXPECT_TRUE(sim.waitForState("erasing", "0"));
    EXPECT_TRUE(sim.waitForState("erases", "1")) << sim.stateValue("erases");
    EXPECT_TRUE(sim.waitForState("next_address", "00000000")) << sim.stateValue("next_address");
    EXPECT_TRUE(sim.waitForState("record_count", "0")) << sim.stateValue("record_count");
    MemoryRead probe = ReadMemory(client, "$PMTK182,7,00000000,2*");
    ASSERT_EQ(probe.replies.size(), 1u);
    EXPECT_EQ(probe.replies[0].hex, "FFFF");
}
