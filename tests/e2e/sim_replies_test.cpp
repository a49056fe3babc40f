// drovik-sim over its pseudo-terminal: value replies, the period report, the
// release report, acknowledgements, and set commands changing what it reports.
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

TEST(SimReplies, FlashIdentifierTellsTheMemorySize)
{
    for (const auto& [memory, prefix] :
         {std::pair{"2M", "C22015"}, std::pair{"1M", "C22014"}, std::pair{"4M", "C22016"}, std::pair{"8M", "EF4017"},
          std::pair{"16M", "EF4018"}}) {
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

TEST(SimReplies, SetCommandsChangeWhatIsReported)
{
    SimProcess sim({"--no-nmea", "--fault"});
    SimClient client(sim.slavePath());

    const struct {
        std::string command;
        std::string stateKey;
        std::string stateValue;
        std::string queryType;
        std::string reply;
    } cases[] = {
        {"$PMTK182,1,2,000A003F*", "mask", "000A003F", "2", "$PMTK182,3,2,000A003F"},
        {"$PMTK182,1,3,50*", "time_interval", "50", "3", "$PMTK182,3,3,50"},
        {"$PMTK182,1,4,0*", "distance_interval", "0", "4", "$PMTK182,3,4,0"},
        {"$PMTK182,1,5,200*", "speed_interval", "200", "5", "$PMTK182,3,5,200"},
        {"$PMTK182,1,6,2*", "method", "2", "6", "$PMTK182,3,6,2"},
        {"$PMTK182,5*", "logging", "0", "7", "$PMTK182,3,7,1028"},
        {"$PMTK182,9*", "fault", "0", "7", "$PMTK182,3,7,4"},
        {"$PMTK182,4*", "logging", "1", "7", "$PMTK182,3,7,6"},
        {"$PMTK182,1,6,1*", "method", "1", "7", "$PMTK182,3,7,2"},
    };
    for (const auto& c : cases) {
        client.sendCommand(c.command);
        EXPECT_TRUE(sim.waitForState(c.stateKey, c.stateValue)) << c.command;
        EXPECT_EQ(QueryValue(client, c.queryType), c.reply) << c.command;
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

TEST(SimReplies, PeriodReportFollowsThePeriodCommand)
{
    SimProcess sim({"--no-nmea"});
    SimClient client(sim.slavePath());

    client.sendCommand("$PMTK414*");
    EXPECT_EQ(NextReply(client, "$PMTK514,"), "$PMTK514,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,1,0");

    client.sendCommand("$PMTK314,2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0*");
    EXPECT_EQ(NextReply(client, "$PMTK001,"), "$PMTK001,314,3");
    client.sendCommand("$PMTK414*");
    EXPECT_EQ(NextReply(client, "$PMTK514,"), "$PMTK514,2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0");
    EXPECT_TRUE(sim.waitForState("periods", "2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0")) << sim.stateValue("periods");
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

TEST(SimReplies, RestartsAreRecorded)
{
    SimProcess sim({"--no-nmea"});
    SimClient client(sim.slavePath());
    for (const auto& [command, kind] :
         {std::pair{"$PMTK101*", "hot"}, std::pair{"$PMTK102*", "warm"}, std::pair{"$PMTK103*", "cold"}}) {
        client.sendCommand(command);
        EXPECT_TRUE(sim.waitForState("last_restart", kind)) << command;
    }
    EXPECT_TRUE(sim.waitForState("restarts", "3")) << sim.stateValue("restarts");
}
