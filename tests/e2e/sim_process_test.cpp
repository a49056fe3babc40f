// drovik-sim as a process: start-up, its port link, what it records of the
// received sentences, its NMEA output, and a clean stop.
#include "support/sim_harness.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace simharness;

namespace {
std::vector<std::string> Fields(const std::string& sentence)
{
    std::vector<std::string> fields;
    std::string body = sentence.substr(1, sentence.find('*') - 1);
    std::size_t start = 0;
    for (std::size_t comma; (comma = body.find(',', start)) != std::string::npos; start = comma + 1)
        fields.push_back(body.substr(start, comma - start));
    fields.push_back(body.substr(start));
    return fields;
}

// Every sentence of one NMEA second, from the GGA that opens it to the ZDA that ends it.
std::vector<std::string> OneSecond(SimClient& client)
{
    std::vector<std::string> second;
    client.waitForLine(StartsWith("$GPZDA"), 3s);
    client.waitForLine(StartsWith("$GPZDA"), 3s, &second);
    return second;
}
} // namespace

TEST(SimProcess, LinkPointsToTheTerminalUntilTheSimulatorStops)
{
    SimProcess sim({"--link", "Com5", "--no-nmea"});
    auto link = sim.portDirectory() / "Com5";
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link), sim.slavePath());

    int status = sim.stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimProcess, StopsCleanlyWhileItsReaderStalls)
{
    SimProcess sim({"--generate", "2"});
    SimClient client(sim.slavePath());
    client.sendCommand("$PMTK182,7,00000000,00010000*");
    client.sendCommand("$PMTK182,7,00010000,10000*");
    ASSERT_TRUE(sim.waitForLineCount(2));
    ASSERT_TRUE(client.waitForQueued(SimClient::kTerminalInputBuffer));
    int status = sim.stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(SimProcess, BadOptionsKeepItFromStarting)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"--memory", "3M"},
                                          {"--bogus"},
                                          {"--drop-reply", "0"},
                                          {"--image", "/nonexistent/image.bin"},
                                          {"--model", "A,B"}})
        EXPECT_THROW(SimProcess{args}, std::runtime_error) << ::testing::PrintToString(args);
}

TEST(SimProcess, LogRecordsEverySentenceAndMarksTheBadOnes)
{
    SimProcess sim({"--no-nmea"});
    SimClient client(sim.slavePath());
    client.send("noise$PMTK182,2,7*3C\r\n");
    client.send("$PMTK182,2,8*00\r\n");         // wrong checksum
    client.send("$PMTK182,2,3$PMTK414*33\r\n"); // torn by a new '$'
    client.send("$PMTK182,2,10*0A\r\n");
    ASSERT_TRUE(sim.waitForLineCount(5));
    EXPECT_EQ(sim.receivedLines(), (std::vector<std::string>{"$PMTK182,2,7*3C", "BAD $PMTK182,2,8*00",
                                                             "BAD $PMTK182,2,3", "$PMTK414*33", "$PMTK182,2,10*0A"}));

    // The bad ones went unanswered: the replies come for 7, the report and 10 only.
    std::vector<std::string> seen;
    ASSERT_TRUE(client.waitForLine(StartsWith("$PMTK182,3,10,"), 3s, &seen));
    int valueReplies = 0;
    for (const std::string& line : seen)
        valueReplies += line.starts_with("$PMTK182,3,");
    EXPECT_EQ(valueReplies, 2);
    EXPECT_TRUE(sim.waitForState("commands", "3")) << sim.stateValue("commands");
}

TEST(SimProcess, NmeaSecondCarriesEverySentenceKindWithValidChecksums)
{
    SimProcess sim;
    SimClient client(sim.slavePath());
    std::vector<std::string> second = OneSecond(client);

    std::vector<std::string> kinds;
    for (const std::string& sentence : second) {
        EXPECT_TRUE(VerifyChecksum(sentence)) << sentence;
        kinds.push_back(sentence.substr(0, 6));
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"$GPGGA", "$GPGLL", "$GPGSA", "$GPGSV", "$GPGSV", "$GPGSV", "$GPRMC",
                                               "$GPVTG", "$GPZDA"}));
    auto gsv = Fields(second[3]);
    EXPECT_EQ(gsv[1], "3");
    EXPECT_EQ(gsv[3], "10");
    auto gsa = Fields(second[2]);
    EXPECT_EQ(gsa[2], "3"); // 3D fix
}

TEST(SimProcess, PositionMovesFromSecondToSecond)
{
    SimProcess sim;
    SimClient client(sim.slavePath());
    auto first = Fields(*client.waitForLine(StartsWith("$GPGGA"), 3s));
    auto next = Fields(*client.waitForLine(StartsWith("$GPGGA"), 3s));
    ASSERT_GE(first.size(), 10u);
    ASSERT_GE(next.size(), 10u);
    EXPECT_NE(first[1], next[1]); // time
    EXPECT_TRUE(first[2] != next[2] || first[4] != next[4]) << first[2] << " " << first[4];
    // 10 m a second is a few ten-thousandths of a minute, never a jump.
    double moved =
        std::fabs(std::stod(first[2]) - std::stod(next[2])) + std::fabs(std::stod(first[4]) - std::stod(next[4]));
    EXPECT_LT(moved, 0.05);
}

TEST(SimProcess, PeriodsChooseTheSentencesSent)
{
    SimProcess sim;
    SimClient client(sim.slavePath());
    // GLL and ZDA off, the rest every second.
    client.sendCommand("$PMTK314,0,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0*");
    ASSERT_TRUE(client.waitForLine(StartsWith("$PMTK001,314,3"), 3s));
    std::vector<std::string> lines;
    client.waitForLine(StartsWith("$GPVTG"), 3s);
    client.waitForLine(StartsWith("$GPVTG"), 3s, &lines);
    for (const std::string& line : lines) {
        EXPECT_FALSE(line.starts_with("$GPGLL")) << line;
        EXPECT_FALSE(line.starts_with("$GPZDA")) << line;
    }
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("$GPRMC"); }));
}

TEST(SimProcess, ColdRestartLosesTheFixForAWhile)
{
    SimProcess sim;
    SimClient client(sim.slavePath());
    client.sendCommand("$PMTK103*");
    ASSERT_TRUE(sim.waitForState("last_restart", "cold"));
    // What follows the answer to a later query was sent after the restart.
    client.sendCommand("$PMTK605*");
    ASSERT_TRUE(client.waitForLine(StartsWith("$PMTK705,")));
    auto gsa = Fields(*client.waitForLine(StartsWith("$GPGSA"), 3s));
    EXPECT_EQ(gsa[2], "1"); // no fix
    auto rmc = Fields(*client.waitForLine(StartsWith("$GPRMC"), 3s));
    EXPECT_EQ(rmc[2], "V");
}

// The erase's acknowledgement, 1.5 s after the command, is the first thing on
// the line: no second of NMEA came before it.
TEST(SimProcess, NoNmeaSendsNothingUnasked)
{
    SimProcess sim({"--no-nmea", "--erase-delay", "1500"});
    SimClient client(sim.slavePath());
    client.sendCommand("$PMTK182,6,1*");
    const auto first = client.readLine(10s);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->starts_with("$PMTK001,182,6,3*")) << *first;
}
