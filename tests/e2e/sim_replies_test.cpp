// drovik-sim over its pseudo-terminal: value replies, the release report,
// acknowledgements, and refused set commands. What the set, period and
// restart commands change is seen through the window and drovik-cli.
#include "support/sim_harness.h"

#include "testbed/log_image_writer.h"

#include <gtest/gtest.h>

using namespace simharness;

namespace {
// Two sectors: 5 records, a format change, 3 records; then 4 records. The
// data ends after sector 1's fourth 32-byte record, at 0x10000 + 512 + 128.
std::vector<std::uint8_t> KnownImage()
{
    LogImageWriter writer;
    writer.beginSector(0x3F);
    for (int i = 0; i < 5; ++i)
        writer.record(SampleTrackRecord(i));
    writer.formatChange(0x01);
    for (int i = 5; i < 8; ++i)
        writer.record(SampleTrackRecord(i));
    writer.beginSector(0x3F);
    for (int i = 8; i < 12; ++i)
        writer.record(SampleTrackRecord(i));
    return writer.image();
}

// The next sentence starting with `prefix`, its checksum checked.
std::string NextReply(SimClient& client, const std::string& prefix)
{
    auto line = client.waitForLine(StartsWith(prefix), 3s);
    if (!line)
        return "(none)";
    EXPECT_TRUE(VerifyChecksum(*line)) << *line;
    return line->substr(0, line->find('*'));
}

std::string QueryValue(SimClient& client, const std::string& type)
{
    client.sendCommand("$PMTK182,2," + type + (type == "9" ? ",9F*" : "*"));
    return NextReply(client, "$PMTK182,3," + type + ",");
}
} // namespace

TEST(SimReplies, QueriesReportTheImageAndTheStartSettings)
{
    TempFile image(KnownImage());
    SimProcess sim({"--image", image.path(), "--method", "2", "--stopped", "--intervals", "150,100,205"});
    SimClient client(sim.slavePath());

    const struct {
        std::string query;
        std::string reply;
    } cases[] = {
        {"$PMTK182,2,2*", "$PMTK182,3,2,0000003F"}, // the last sector's format
        {"$PMTK182,2,3*", "$PMTK182,3,3,150"},      {"$PMTK182,2,4*", "$PMTK182,3,4,100"},
        {"$PMTK182,2,5*", "$PMTK182,3,5,205"},      {"$PMTK182,2,6*", "$PMTK182,3,6,2"},
        {"$PMTK182,2,7*", "$PMTK182,3,7,4"}, // stopped, stop when full
        {"$PMTK182,2,8*", "$PMTK182,3,8,00010280"}, {"$PMTK182,2,10*", "$PMTK182,3,10,0000000C"},
    };
    for (const auto& c : cases) {
        client.sendCommand(c.query);
        EXPECT_EQ(NextReply(client, c.reply.substr(0, c.reply.rfind(',') + 1)), c.reply) << c.query;
        EXPECT_EQ(NextReply(client, "$PMTK001,"), "$PMTK001,182,2,3") << c.query;
    }
}

// The 1, 2 and 4 MiB identifiers are read by the program in the CLI and window tests.
TEST(SimReplies, FlashIdentifierTellsTheMemorySize)
{
    for (const auto& [memory, prefix] : {std::pair{"8M", "EF4017"}, std::pair{"16M", "EF4018"}}) {
        SimProcess sim({"--memory", memory, "--no-nmea"});
        SimClient client(sim.slavePath());
        EXPECT_TRUE(QueryValue(client, "9").starts_with(std::string("$PMTK182,3,9,") + prefix)) << memory;
    }
}

TEST(SimReplies, StatusWordBits)
{
    const struct {
        std::vector<std::string> args;
        std::string status;
    } cases[] = {
        {{}, "2"},
        {{"--stopped"}, "0"},
        {{"--method", "2"}, "6"},
        {{"--fault"}, "1026"},
        {{"--method", "2", "--generate", "32"}, "3078"}, // full: fault and full bits
        {{"--method", "1", "--generate", "32"}, "2"},    // overwrite is never full
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.push_back("--no-nmea");
        SimProcess sim(args);
        SimClient client(sim.slavePath());
        EXPECT_EQ(QueryValue(client, "7"), "$PMTK182,3,7," + c.status) << ::testing::PrintToString(c.args);
    }
}

TEST(SimReplies, MalformedSetCommandsAreRefusedAndChangeNothing)
{
    SimProcess sim({"--no-nmea"});
    SimClient client(sim.slavePath());
    for (const char* command : {"$PMTK182,1,6,3*", "$PMTK182,1,3,abc*", "$PMTK182,1,2,XYZ*"}) {
        client.sendCommand(command);
        EXPECT_EQ(NextReply(client, "$PMTK001,"), "$PMTK001,182,1,0") << command;
    }
    EXPECT_TRUE(sim.waitForState("method", "1")) << sim.stateValue("method");
    EXPECT_TRUE(sim.waitForState("time_interval", "50")) << sim.stateValue("time_interval");
}

TEST(SimReplies, ReleaseQueryIsAnsweredWithTheReleaseReport)
{
    const struct {
        std::vector<std::string> args;
        std::string report;
    } cases[] = {
        {{}, "$PMTK705,DROVIK_SIM_1.0,0001,DROVIK-LOGGER,1.0"},
        {{"--release", "AXN_1.30", "--build", "0042", "--model", "X-747", "--firmware", "2.1"},
         "$PMTK705,AXN_1.30,0042,X-747,2.1"},
        {{"--dialect", "gr245"}, "$PMTK705,AXN_2.00,0043,GR-245,2.00"},
        // What is named wins over the dialect's model, in whatever order.
        {{"--build", "0023", "--dialect", "m241"}, "$PMTK705,AXN_1.13,0023,GR-241,1.13"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.push_back("--no-nmea");
        SimProcess sim(args);
        SimClient client(sim.slavePath());
        client.sendCommand("$PMTK605*");
        EXPECT_EQ(NextReply(client, "$PMTK"), c.report) << ::testing::PrintToString(c.args);
    }
}

TEST(SimReplies, CommandsAreAcknowledgedAsByALogger)
{
    SimProcess sim({"--no-nmea"});
    SimClient client(sim.slavePath());
    const struct {
        std::string command;
        std::string ack;
    } cases[] = {
        {"$PMTK182,5*", "$PMTK001,182,5,3"},    {"$PMTK182,4*", "$PMTK001,182,4,3"},
        {"$PMTK182,9*", "$PMTK001,182,9,3"},    {"$PMTK999*", "$PMTK001,999,1"},
        {"$PMTK182,2,11*", "$PMTK001,182,2,1"},
    };
    for (const auto& c : cases) {
        client.sendCommand(c.command);
        EXPECT_EQ(NextReply(client, "$PMTK"), c.ack) << c.command;
    }
}
