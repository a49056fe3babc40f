// drovik-cli status, set, log, erase and restart against drovik-sim: the
// sentences the simulator received, the state it reports afterwards, and the
// line each command ends with.
#include "support/sim_harness.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <sstream>

using namespace simharness;

namespace {
// Runs `drovik-cli WORDS... --port Com5` on the simulator's port, unless the words name a port.
CliRun RunOnCom5(const SimProcess& sim, std::vector<std::string> words)
{
    if (std::find(words.begin(), words.end(), "--port") == words.end())
        words.insert(words.end(), {"--port", "Com5"});
    return RunCli(sim, words);
}

// The last line on stderr, without its line end.
std::string LastLine(std::string text)
{
    if (text.ends_with('\n'))
        text.pop_back();
    return text.substr(text.rfind('\n') + 1);
}

// A sentence as the simulator logs it: the body with its checksum, no CR LF.
std::string Sent(const std::string& body)
{
    std::string sentence = AppendChecksum(body);
    return sentence.substr(0, sentence.size() - 2);
}

std::vector<std::string> SentAll(const std::vector<std::string>& bodies)
{
    std::vector<std::string> sentences;
    for (const std::string& body : bodies)
        sentences.push_back(Sent(body));
    return sentences;
}

// What the log page's poll asks, with the last-sector probe of a 2 MiB memory.
const std::vector<std::string> kLogPage = {"$PMTK182,2,7*", "$PMTK182,2,9,9F*", "$PMTK182,7,001F0000,2*",
                                           "$PMTK182,2,8*", "$PMTK182,2,10*"};
const std::vector<std::string> kCriteriaPage = {"$PMTK182,2,3*", "$PMTK182,2,4*", "$PMTK182,2,5*"};

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct CommandCase {
    const char* name;
    std::vector<std::string> simArgs; // besides --link Com5
    std::vector<std::string> words;   // the command line before --port
    int exitCode;
    std::vector<std::string> sent;            // every sentence received, as bodies
    std::map<std::string, std::string> state; // the simulator's state afterwards (these keys)
    std::string says;                         // the last line on stderr; empty: nothing on stderr
};

class LoggerCli : public ::testing::TestWithParam<CommandCase> {};

TEST_P(LoggerCli, SendsThePagesSentencesAndLeavesTheLoggerSo)
{
    const CommandCase& c = GetParam();
    std::vector<std::string> simArgs{"--link", "Com5", "--mask", "0002002F", "--erase-delay", "200"};
    simArgs.insert(simArgs.end(), c.simArgs.begin(), c.simArgs.end());
    SimProcess sim(simArgs);

    const CliRun run = RunOnCom5(sim, c.words);

    EXPECT_EQ(run.exitCode, c.exitCode) << run.errors;
    // The simulator reads the line on its own time.
    sim.waitForLineCount(c.sent.size());
    EXPECT_EQ(sim.receivedLines(), SentAll(c.sent));
    for (const auto& [key, value] : c.state)
        EXPECT_TRUE(sim.waitForState(key, value)) << key << " is " << sim.stateValue(key);
    if (c.says.empty())
        EXPECT_EQ(run.errors, "");
    else
        EXPECT_EQ(LastLine(run.errors), c.says) << run.errors;
    EXPECT_EQ(run.output, "");
}

const std::string kPeriodsBefore = "1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,0,1,0";

// One row a case.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, LoggerCli, ::testing::Values(
    CommandCase{"LogOn", {"--stopped"}, {"log", "on"}, 0, {"$PMTK182,4*"}, {{"logging", "1"}}, "Logging switched on."},
    CommandCase{"LogOff", {}, {"log", "off"}, 0, {"$PMTK182,5*"}, {{"logging", "0"}}, "Logging switched off."},
    CommandCase{"LogOffQuietly", {}, {"--quiet", "log", "off"}, 0, {"$PMTK182,5*"}, {{"logging", "0"}}, ""},
    CommandCase{"PortInCapitals", {}, {"log", "off", "--port", "COM5"}, 0, {"$PMTK182,5*"}, {{"logging", "0"}}, "Logging switched off."},
    CommandCase{"PortInSmallLetters", {}, {"restart", "hot", "--port", "com5"}, 0, {"$PMTK101*"}, {}, "Hot restart sent."},
    CommandCase{"NotAPort", {}, {"status", "--port", "Port5"}, 2, {}, {},
                "drovik-cli: status: --port takes a port name Com1 ... Com99 (in any case) or a device path such as "
                "/dev/ttyUSB0, not 'Port5'; see drovik-cli status --help"},
    CommandCase{"PortWithoutADevice", {}, {"status", "--port", "Com99"}, 1, {}, {},
                "drovik-cli: status: cannot open Com99 (/dev/ttyS34): No such file or directory. drovik-cli ports lists "
                "the ports that open."},
    CommandCase{"PortOutOfTheTable", {}, {"log", "on", "--port", "COM100"}, 1, {}, {},
                "drovik-cli: log: Com100 stands for no device: give a port name Com1 ... Com99 (in any case) or a device "
                "path such as /dev/ttyUSB0. drovik-cli ports lists the ports that open."},
    CommandCase{"RestartHot", {}, {"restart", "hot"}, 0, {"$PMTK101*"}, {{"last_restart", "hot"}}, "Hot restart sent."},
    CommandCase{"RestartWarm", {}, {"restart", "warm"}, 0, {"$PMTK102*"}, {{"last_restart", "warm"}}, "Warm restart sent."},
    CommandCase{"RestartCold", {}, {"restart", "cold"}, 0, {"$PMTK103*"}, {{"last_restart", "cold"}}, "Cold restart sent."},
    CommandCase{"Erase", {}, {"erase", "--yes"}, 0, {"$PMTK182,6,1*"}, {{"erases", "1"}, {"next_address", "00000000"}},
                "The logger's memory is erased."},
    CommandCase{"EraseWithoutYes", {}, {"erase"}, 1, {}, {{"erases", "0"}},
                "drovik-cli: erase: erasing empties the logger's memory, so it needs --yes; nothing was changed."},
    CommandCase{"EraseNeverAcknowledged", {"--no-erase-ack"}, {"erase", "--yes"}, 1, {"$PMTK182,6,1*"}, {{"erases", "1"}},
                "drovik-cli: erase: the logger did not acknowledge the erase within 15 seconds; its memory may not be erased."},
    // Time 5 s, distance off, speed 20 km/h.
    CommandCase{"Criteria", {}, {"set", "--time", "5", "--distance", "0", "--speed", "20"}, 0,
                Then(kCriteriaPage, {"$PMTK182,1,3,50*", "$PMTK182,1,4,0*", "$PMTK182,1,5,200*"}),
                {{"time_interval", "50"}, {"distance_interval", "0"}, {"speed_interval", "200"}},
                "Settings updated: time 5 s, distance off, speed 20 km/h."},
    CommandCase{"CriteriaNotGivenKeepTheirValues", {"--intervals", "100,500,0"}, {"set", "--speed", "30"}, 0,
                Then(kCriteriaPage, {"$PMTK182,1,3,100*", "$PMTK182,1,4,500*", "$PMTK182,1,5,300*"}),
                {{"time_interval", "100"}, {"distance_interval", "500"}, {"speed_interval", "300"}},
                "Settings updated: speed 30 km/h."},
    CommandCase{"TimeOutOfRange", {}, {"set", "--time", "1000"}, 1, kCriteriaPage, {{"time_interval", "50"}},
                "drovik-cli: set: --time takes 1 to 999 seconds, or 0 for off; the logging criteria were not changed."},
    CommandCase{"DistanceNotANumber", {}, {"set", "--distance", "far"}, 2, {}, {},
                "drovik-cli: set: --distance takes 10 to 9999 metres, or 0 for off, not 'far'; see drovik-cli set --help"},
    // The Google Earth preset after the erase.
    CommandCase{"GoogleEarthFormat", {}, {"set", "--format", "google-earth", "--yes"}, 0,
                {"$PMTK182,6,1*", "$PMTK182,1,2,000A003F*"}, {{"mask", "000A003F"}, {"erases", "1"}},
                "Settings updated: log format 000A003F (memory erased)."},
    CommandCase{"FormatMaskMiliSecondAlone", {}, {"set", "--format", "00040000", "--yes"}, 0,
                {"$PMTK182,6,1*", "$PMTK182,1,2,00040000*"}, {{"mask", "00040000"}},
                "Settings updated: log format 00040000 (memory erased)."},
    CommandCase{"FormatWithoutYes", {}, {"set", "--format", "gga"}, 1, {}, {{"mask", "0002002F"}, {"erases", "0"}},
                "drovik-cli: set: a new log format erases the logger's memory first, so it needs --yes; nothing was changed."},
    CommandCase{"FormatWithoutFields", {}, {"set", "--format", "00000000", "--yes"}, 1, {}, {{"erases", "0"}},
                "drovik-cli: set: a log format needs at least one field; the log format was not changed."},
    CommandCase{"MethodStop", {}, {"set", "--method", "stop"}, 0, Then(kLogPage, {"$PMTK182,2,6*", "$PMTK182,1,6,2*"}),
                {{"method", "2"}}, "Settings updated: method stop."},
    CommandCase{"MethodOverwrite", {"--method", "2"}, {"set", "--method", "overwrite"}, 0,
                Then(kLogPage, {"$PMTK182,2,6*", "$PMTK182,1,6,1*", "$PMTK182,7,001F0000,2*"}), {{"method", "1"}},
                "Settings updated: method overwrite."},
    CommandCase{"MethodWhenMemoryFull", {"--memory", "1M", "--generate", "16"}, {"set", "--method", "stop"}, 1,
                {"$PMTK182,2,7*", "$PMTK182,2,9,9F*", "$PMTK182,7,000F0000,2*", "$PMTK182,2,8*", "$PMTK182,2,10*", "$PMTK182,2,6*"},
                {{"method", "1"}},
                "drovik-cli: set: the logger's memory is full, so it keeps its recording method until it is erased "
                "(drovik-cli erase); the method was not changed."},
    // GLL every 2 s, VTG off, ZDA every 5 s.
    CommandCase{"NmeaPeriods", {}, {"set", "--nmea", "gll=2,vtg=0,zda=5"}, 0,
                {"$PMTK414*", "$PMTK314,2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0*"},
                {{"periods", "2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0"}},
                "Settings updated: NMEA GLL every 2 s, VTG off, ZDA every 5 s."},
    CommandCase{"NmeaNotGivenKeepTheirPeriods", {}, {"set", "--nmea", "zda=3"}, 0,
                {"$PMTK414*", "$PMTK314,1,1,1,1,1,1,0,0,0,0,0,0,0,0,0,0,1,3,0*"}, {}, "Settings updated: NMEA ZDA every 3 s."},
    CommandCase{"NmeaFixedKind", {}, {"set", "--nmea", "gga=2"}, 2, {}, {{"periods", kPeriodsBefore}},
                "drovik-cli: set: --nmea sets gll, vtg and zda as NAME=PERIOD: gga=2; see drovik-cli set --help"},
    CommandCase{"NmeaPeriodTooLong", {}, {"set", "--nmea", "gll=6"}, 2, {}, {{"periods", kPeriodsBefore}},
                "drovik-cli: set: --nmea takes periods of 1 to 5 seconds, or 0 for none, not 'gll=6'; see drovik-cli set --help"},
    CommandCase{"NothingToSet", {}, {"set"}, 2, {}, {}, "drovik-cli: set: nothing to set; see drovik-cli set --help"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The JSON object, read back, against the simulator's own state.
TEST(LoggerCliStatus, JsonMatchesTheSimulatorsState)
{
    SimProcess sim({"--link", "Com5", "--mask", "0002002F", "--intervals", "50,100,200", "--method", "2"});

    const CliRun run = RunOnCom5(sim, {"status", "--json"});

    ASSERT_EQ(run.exitCode, 0) << run.errors;
    sim.waitForLineCount(11);
    EXPECT_EQ(sim.receivedLines(),
              SentAll(Then(Then(kLogPage, kCriteriaPage), {"$PMTK182,2,2*", "$PMTK182,2,6*", "$PMTK414*"})));
    const nlohmann::json json = nlohmann::json::parse(run.output, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << run.output;
    const auto state = sim.state();
    const auto number = [&](const char* key) { return std::stoll(state.at(key)); };
    EXPECT_EQ(json.at("logging"), state.at("logging") == "1");
    EXPECT_EQ(json.at("status_text"), "Log started.");
    EXPECT_EQ(json.at("method"), "stop");
    EXPECT_EQ(json.at("mask"), state.at("mask"));
    EXPECT_EQ(json.at("fields"), nlohmann::json({"UTC", "VALID", "LATITUDE", "LONGITUDE", "SPEED", "RCR"}));
    EXPECT_EQ(json.at("time_s"), number("time_interval") / 10);
    EXPECT_EQ(json.at("distance_m"), number("distance_interval") / 10);
    EXPECT_EQ(json.at("speed_kmh"), number("speed_interval") / 10);
    EXPECT_EQ(json.at("memory_size"), number("memory_size"));
    const long long used = std::stoll(state.at("next_address"), nullptr, 16);
    EXPECT_EQ(json.at("memory_used_bytes"), used);
    EXPECT_EQ(json.at("memory_used_percent"), used * 100 / number("memory_size"));
    EXPECT_EQ(json.at("record_count"), number("record_count"));
    EXPECT_EQ(json.at("flash_id"), "C22015C2");
    const nlohmann::json& periods = json.at("nmea_periods");
    const std::map<std::string, int> fieldOfKind{{"GLL", 0}, {"RMC", 1}, {"VTG", 2}, {"GGA", 3},
                                                 {"GSA", 4}, {"GSV", 5}, {"ZDA", 17}};
    ASSERT_EQ(periods.size(), 7u);
    std::vector<int> reported;
    std::istringstream fields(state.at("periods"));
    for (std::string field; std::getline(fields, field, ',');)
        reported.push_back(std::stoi(field));
    ASSERT_GT(reported.size(), 17u) << state.at("periods");
    for (const auto& [kind, field] : fieldOfKind)
        EXPECT_EQ(periods.at(kind), reported[field]) << kind;
}

TEST(LoggerCliStatus, TextNamesTheFormatsFields)
{
    SimProcess sim({"--link", "Com5", "--mask", "000A003F"});
    const CliRun run = RunOnCom5(sim, {"status", "--port", "COM5"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors, "Read the status of the logger on Com5.\n");
    EXPECT_NE(run.output.find("000A003F UTC VALID LATITUDE LONGITUDE HEIGHT SPEED RCR DISTANCE"), std::string::npos)
        << run.output;
}

TEST(LoggerCliStatus, ALoggerThatDoesNotAnswerFailsWithAReason)
{
    SimProcess sim({"--link", "Com5", "--silent"});
    const CliRun run = RunOnCom5(sim, {"status"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("the logger on Com5 does not answer"), std::string::npos) << run.errors;
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(sim.waitForLine("$PMTK182,2,7*3C")) << "a silent logger still listens";
}
} // namespace

namespace {
// The cable is pulled while the erase waits for its acknowledgement.
TEST(LoggerCliErase, AnUnpluggedLoggerFailsTheEraseAtOnce)
{
    SimProcess sim({"--link", "Com5", "--erase-delay", "60000"});
    CliProcess cli(sim, {"erase", "--yes", "--port", "Com5"});
    ASSERT_TRUE(sim.waitForLine("$PMTK182,6,1*3E", 20s)) << cli.errors();
    sim.unplug();

    ASSERT_EQ(cli.wait(), std::optional(1)) << cli.errors();
    const std::string errors = cli.errors();
    EXPECT_NE(errors.find("drovik-cli: erase: the logger did not acknowledge the erase"), std::string::npos) << errors;
    EXPECT_NE(errors.find("drovik-cli: erase: Lost the logger on Com5: it was unplugged or switched off."),
              std::string::npos)
        << errors;
}
} // namespace
