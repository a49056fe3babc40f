// drovik-cli convert, run as the built program.
#include "testbed/log_image_writer.h"
#include "core/version.h"
#include "decode/civil_time.h"
#include "decode/track_options.h"
#include "export/clock_evidence.h"
#include "export/export_test_support.h"
#include "export/sample_track.h"
#include "export/xml_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>

#include <sys/wait.h>

namespace {
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& argument)
{
    std::string quoted = "'";
    for (char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class CliConvert : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteImageFile(folder.path("track.bin"), GoldenTrackImage())); }

    // A file-size limit makes writes fail half-way, as on a full disk.
    CliRun run(const std::vector<std::string>& arguments, bool fileSizeLimit = false)
    {
        std::string command = Quoted(DROVIK_CLI_PATH);
        for (const std::string& argument : arguments)
            command += " " + Quoted(argument);
        if (fileSizeLimit)
            command = "(trap '' XFSZ; ulimit -f 8; exec " + command + ")";
        command += " >" + Quoted(folder.path("stdout")) + " 2>" + Quoted(folder.path("stderr")) + " </dev/null";
        const int raw = std::system(command.c_str());
        CliRun result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        result.out = ReadFileBytes(folder.path("stdout"));
        result.err = ReadFileBytes(folder.path("stderr"));
        return result;
    }

    std::string in(const std::string& name) const { return folder.path(name); }

    ScratchFolder folder;
};

TEST_F(CliConvert, WritesEachFormatLikeTheWindowByExtensionOrFormatOption)
{
    const struct {
        std::vector<std::string> format;
        const char* output;
        const char* golden; // nullptr: GPX, dated when written
    } cases[] = {
        {{}, "out.csv", "track.csv"},
        {{}, "out.kml", "track.kml"},
        {{}, "out.nma", "track.nma"},
        {{}, "out.NMEA", "track.nma"},
        {{"--format", "nma"}, "out.txt", "track.nma"},
        {{}, "out.gpx", nullptr},
        {{"--format", "gpx"}, "gpx.txt", nullptr},
    };
    ASSERT_EQ(run({"convert", in("track.bin"), in("rows.csv")}).status, 0);
    const std::size_t points = CrLfLines(ReadFileBytes(in("rows.csv"))).size() - 1;
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"convert"};
        arguments.insert(arguments.end(), c.format.begin(), c.format.end());
        arguments.insert(arguments.end(), {in("track.bin"), in(c.output)});
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, 0) << c.output << ": " << result.err;
        EXPECT_EQ(result.out, "") << c.output;
        EXPECT_EQ(result.err, "Wrote " + std::to_string(points) + " points to " + in(c.output) + ".\n");
        const std::string written = ReadFileBytes(in(c.output));
        if (c.golden)
            EXPECT_TRUE(MatchesGolden(written, c.golden)) << c.output;
        else
            EXPECT_NE(written.find("<gpx version=\"1.1\""), std::string::npos) << c.output;
    }
}

TEST_F(CliConvert, ACsvTableConvertsToTheSameExports)
{
    ASSERT_EQ(run({"convert", in("track.bin"), in("table.csv")}).status, 0);
    const CliRun result = run({"convert", in("table.csv"), in("again.kml")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(MatchesGolden(ReadFileBytes(in("again.kml")), "track.kml"));
}

TEST_F(CliConvert, GridOptionsApplyBeforeWriting)
{
    const CliRun result = run({"convert", "--time-shift", "-12", "--week-rollover", "1", "--speed-unit", "mph",
                               in("track.bin"), in("out.csv")});
    EXPECT_EQ(result.status, 0) << result.err;
    const auto lines = CrLfLines(ReadFileBytes(in("out.csv")));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].substr(0, 50), "1,T,2027/01/06,21:46:40.500,SPS,24.123456,N,121.50");
    EXPECT_NE(lines[1].find(",1.864 mph,"), std::string::npos) << lines[1];
}

TEST_F(CliConvert, InputsThatHoldNoTrackFail)
{
    std::string garbage(70000, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>(i * 7919 % 251);
    WriteFileBytes(in("garbage.bin"), garbage);
    WriteFileBytes(in("empty-line.csv"), "A,B,\r\n\r\n1,2,\r\n");
    std::filesystem::create_directory(in("folder.bin"));
    WriteFileBytes(in("bad-speed.csv"), "INDEX,DATE,TIME,SPEED,\r\n1,2007/05/24,09:46:40,fast,\r\n");
    struct Case {
        const char* input;
        std::string says; // how stderr ends
        std::vector<std::string> options = {};
    };
    const Case cases[] = {
        {"garbage.bin", "garbage.bin holds no track table.\n"},
        {"missing.bin", "cannot read " + in("missing.bin") + ": No such file or directory.\n"},
        {"folder.bin", "cannot read " + in("folder.bin") + ": it is a folder.\n"},
        {"empty-line.csv", "cannot read the file as a CSV table: a line is cut short, empty or too wide.\n"},
        {"bad-speed.csv",
         "row 1 has a date, time or speed that cannot be read, so the time shift, week rollovers "
         "and speed unit cannot be applied; nothing was written.\n",
         {"--speed-unit", "mph"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"convert", in(c.input), in("out.csv")};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, 1) << c.input;
        EXPECT_EQ(result.out, "") << c.input;
        EXPECT_TRUE(result.err.starts_with("drovik-cli: convert: ") && result.err.ends_with(c.says))
            << c.input << ": " << result.err;
        EXPECT_FALSE(std::filesystem::exists(in("out.csv"))) << c.input;
    }
}

TEST_F(CliConvert, AnOutputThatCannotBeWrittenFailsAndLeavesTheOldOneByteForByte)
{
    // Far more than the file-size limit lets through.
    std::string table = "INDEX,DATE,TIME,\r\n";
    for (int row = 1; row <= 2000; ++row)
        table += std::to_string(row) + ",2007/05/24,09:46:40,\r\n";
    WriteFileBytes(in("big.csv"), table);
    const std::string old = "INDEX,\r\nthe old table,\r\n";
    struct Case {
        const char* output;
        bool fileSizeLimit;
        const char* reason;
    };
    const Case cases[] = {
        {"no/folder/out.csv", false, "No such file or directory"},
        {"out.csv", true, "File too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        WriteFileBytes(in("out.csv"), old);
        const CliRun result = run({"convert", in("big.csv"), in(c.output)}, c.fileSizeLimit);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "drovik-cli: convert: cannot write " + in(c.output) + ": " + c.reason + ".\n");
        EXPECT_EQ(ReadFileBytes(in("out.csv")), old);
        std::set<std::string> entries;
        for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
            entries.insert(entry.path().filename().string());
        EXPECT_EQ(entries, (std::set<std::string>{"big.csv", "out.csv", "stderr", "stdout", "track.bin"}))
            << "no temporary file left";
    }
}

TEST_F(CliConvert, RefusesAnOutputThatIsTheInputUnderAnyName)
{
    const std::string image = ReadFileBytes(in("track.bin"));
    std::filesystem::create_symlink(in("track.bin"), in("link.csv"));
    std::filesystem::create_hard_link(in("track.bin"), in("hard.csv"));
    const std::vector<std::string> cases[] = {
        {"--format", "csv", in("track.bin"), in("track.bin")},
        {"--format", "csv", in("track.bin"),
         folder.root().string() + "/./../" + folder.root().filename().string() + "//track.bin"},
        {in("track.bin"), in("link.csv")},
        {in("track.bin"), in("hard.csv")},
    };
    for (const auto& arguments : cases) {
        std::vector<std::string> command = {"convert"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const CliRun result = run(command);
        EXPECT_EQ(result.status, 2) << arguments.back();
        EXPECT_NE(result.err.find("same file as IN"), std::string::npos) << result.err;
        EXPECT_TRUE(ReadFileBytes(in("track.bin")) == image) << arguments.back() << ": the image is untouched";
        EXPECT_TRUE(std::filesystem::is_symlink(in("link.csv")));
    }
}

TEST_F(CliConvert, ShowsTheRowsAnExportLeftOut)
{
    WriteFileBytes(in("edited.csv"), "INDEX,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,\r\n"
                                     "1,2007/05/24,09:46:40,SPS,1.000000,N,10.000000,E,\r\n"
                                     "2,bad,bad,SPS,north,N,10.000000,E,\r\n");
    const CliRun nmea = run({"convert", in("edited.csv"), in("out.nma")});
    EXPECT_EQ(nmea.status, 0) << nmea.err;
    EXPECT_EQ(nmea.err,
              "Wrote 1 point to " + in("out.nma") + ". Rows left out because their cells cannot be read: 1 of 2.\n");
}

TEST_F(CliConvert, DatesARolloverEarlyGetAHintOnStderrUntilRepaired)
{
    // Old dates alone are no evidence: only what the receiver's clock said at the download is.
    ASSERT_TRUE(WriteImageFile(in("early.bin"), RolloverEarlyImage()));
    const CliRun old = run({"convert", in("early.bin"), in("early.csv")});
    EXPECT_EQ(old.status, 0) << old.err;
    EXPECT_EQ(old.err.find("1024 weeks"), std::string::npos) << old.err;

    const std::int64_t now = NowUtcSeconds();
    ASSERT_EQ(WriteClockEvidence(in("early.bin"), ClockReading{now - kWeekRolloverDays * 86400LL, now}), "");
    const CliRun early = run({"convert", in("early.bin"), in("early.csv")});
    EXPECT_EQ(early.status, 0) << early.err;
    EXPECT_NE(early.err.find("dates its fixes 1024 weeks before the computer's clock"), std::string::npos) << early.err;
    EXPECT_NE(early.err.find("convert it with --week-rollover 1."), std::string::npos) << early.err;
    const CliRun repaired = run({"convert", "--week-rollover", "1", in("early.bin"), in("early.csv")});
    EXPECT_EQ(repaired.status, 0) << repaired.err;
    EXPECT_EQ(repaired.err.find("1024 weeks"), std::string::npos) << repaired.err;
    // A CSV carries no evidence, whatever lies beside it.
    ASSERT_EQ(WriteClockEvidence(in("early.csv"), ClockReading{now - kWeekRolloverDays * 86400LL, now}), "");
    const CliRun csv = run({"convert", in("early.csv"), in("again.csv")});
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.err.find("1024 weeks"), std::string::npos) << csv.err;
}

TEST_F(CliConvert, AnImageTheBytesCannotTellIsReadInTheDialectGiven)
{
    // An M-1000C's minimal format: 8 bytes of speed and height, no marker, an image ending within its sector.
    TrackRecord record;
    record.speed = static_cast<float>(23 * 0.036);
    record.height = 300.1875f;
    LogImageWriter writer;
    writer.beginSector(0x80000030).special(7, 0x0106).useLayout(RecordLayout::Gr245).record(record).record(record);
    std::vector<std::uint8_t> image = writer.image();
    image.resize(624);
    ASSERT_TRUE(WriteImageFile(in("m1000c.bin"), image));

    const CliRun detected = run({"convert", in("m1000c.bin"), in("out.csv")});
    EXPECT_EQ(detected.status, 1);
    EXPECT_NE(detected.err.find("holds no track table."), std::string::npos) << detected.err;
    const CliRun told = run({"convert", "--dialect", "m1000c", in("m1000c.bin"), in("out.csv")});
    EXPECT_EQ(told.status, 0) << told.err;
    EXPECT_EQ(ReadFileBytes(in("out.csv")),
              "INDEX,HEIGHT,SPEED,\r\n1,300.188 m,0.828 km/h,\r\n2,300.188 m,0.828 km/h,\r\n");
}

TEST_F(CliConvert, SaysHowManyRecordsCannotBeAPlace)
{
    TrackRecord record;
    record.utc = 1180000000;
    record.latitude = 41.8056;
    record.longitude = 12.6798;
    TrackRecord noise = record;
    noise.latitude = 3573432.5; // what an M-241's floats give when read as doubles
    LogImageWriter writer;
    writer.beginSector(0x0000000F).record(record).record(noise).record(noise);
    ASSERT_TRUE(WriteImageFile(in("noise.bin"), writer.image()));
    const CliRun result = run({"convert", in("noise.bin"), in("out.csv")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find(in("noise.bin") + ": Records passed over because their latitude or longitude is out "
                                                "of range or not a number: 2."),
              std::string::npos)
        << result.err;
    EXPECT_EQ(CrLfLines(ReadFileBytes(in("out.csv"))).size(), 2u);
}

TEST_F(CliConvert, TracksSurviveTheCsvRoundTrip)
{
    LogImageWriter writer;
    writer.beginSector(kSampleImageMask);
    for (int i = 0; i < 6; ++i) {
        if (i % 3 == 0)
            writer.special(7, 0x0106);
        writer.record(SampleTrackRecord(i));
    }
    ASSERT_TRUE(WriteImageFile(in("tracks.bin"), writer.image()));
    ASSERT_EQ(run({"convert", in("tracks.bin"), in("tracks.csv")}).status, 0);
    const CliRun result = run({"convert", in("tracks.csv"), in("tracks.gpx")});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string gpx = ReadFileBytes(in("tracks.gpx"));
    EXPECT_NE(gpx.find("<number>2</number>"), std::string::npos) << gpx;
    EXPECT_EQ(gpx.find("<number>3</number>"), std::string::npos) << gpx;
}

TEST_F(CliConvert, WrongUsageExitsWithTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"explode"},
        {"convert"},
        {"convert", in("track.bin")},
        {"convert", in("track.bin"), in("out.csv"), in("third.csv")},
        {"convert", "--format", "bin", in("track.bin"), in("out.csv")},
        {"convert", in("track.bin"), in("out.txt")},
        {"convert", in("track.txt"), in("out.csv")},
        {"convert", "--time-shift", "15", in("track.bin"), in("out.csv")},
        {"convert", "--time-shift", "-13", in("track.bin"), in("out.csv")},
        {"convert", "--week-rollover", "4", in("track.bin"), in("out.csv")},
        {"convert", "--time-shift", "two", in("track.bin"), in("out.csv")},
        {"convert", "--speed-unit", "knots", in("track.bin"), in("out.csv")},
        {"convert", "--speed-unit"},
        {"convert", "--dialect", "m1200", in("track.bin"), in("out.csv")},
        {"convert", "--colour", "red", in("track.bin"), in("out.csv")},
        {"convert", "--fix", "sps,rtk,best", in("track.bin"), in("out.csv")},
        {"convert", "--max-hdop", "-1", in("track.bin"), in("out.csv")},
        {"convert", "--split", "week", in("track.bin"), in("out.csv")},
        {"convert", "--split-into", "tracks", in("track.bin"), in("out.csv")},
        {"convert", "--from", "2008-05-05", "--to", "2008-05-04", in("track.bin"), in("out.csv")},
    };
    for (const auto& arguments : cases) {
        const CliRun result = run(arguments);
        std::string shown;
        for (const auto& argument : arguments)
            shown += argument + " ";
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_FALSE(result.err.empty()) << shown;
        EXPECT_FALSE(std::filesystem::exists(in("out.csv"))) << shown;
    }
}

TEST_F(CliConvert, HelpGoesToStdout)
{
    const CliRun general = run({"--help"});
    EXPECT_EQ(general.status, 0);
    EXPECT_NE(general.out.find("convert"), std::string::npos);
    EXPECT_EQ(general.err, "");

    const CliRun version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "drovik-cli " + VersionText() + "\n");

    const CliRun convert = run({"convert", "--help"});
    EXPECT_EQ(convert.status, 0);
    for (const char* documented :
         {"--format csv|kml|nma|gpx", "--time-shift HOURS", "-12 to +14", "--week-rollover N", "--speed-unit km/h|mph",
          "--dialect generic|m241|gr245|m1000c", ".bin", ".csv", "GPX 1.1", "Exit status", "--fix any|KIND",
          "--max-hdop X", "--min-sats N", "--from TIME, --to TIME", "--max-speed KMH", "--split day|gap=MINUTES",
          "--split-into files|tracks", "waypoints"})
        EXPECT_NE(convert.out.find(documented), std::string::npos) << documented;
}

// A trip over midnight: 40 points 30 s apart from 2008-05-04 23:50 UTC, every
// seventh from the fourth with an HDOP of 6, every fifth from the fifth with 3
// satellites in use, and the button pressed at points 5, 10 (HDOP 6) and 12 on
// the first day and 25 on the second.
std::vector<std::uint8_t> TripOverMidnight()
{
    LogImageWriter writer;
    writer.beginSector(kSampleImageMask);
    for (int i = 0; i < 40; ++i) {
        TrackRecord record = SampleTrackRecord(i);
        record.utc = 1209945000 + 30 * i;
        record.hdop = i % 7 == 3 ? 600 : 120;
        record.satelliteCounts = SatelliteCounts{10, static_cast<std::uint8_t>(i % 5 == 4 ? 3 : 8)};
        record.rcr = i == 5 || i == 10 || i == 12 || i == 25 ? 0x8 : 0x1;
        writer.record(record);
    }
    return writer.image();
}

// gpsbabel's reading of a GPX file's waypoints: latitude and longitude of each.
std::vector<std::pair<double, double>> WaypointsReadByGpsbabel(const std::string& gpx, const std::string& csv)
{
    const std::string command = "gpsbabel -w -i gpx -f '" + gpx + "' -o unicsv -F '" + csv + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    std::ifstream file(csv);
    std::vector<std::pair<double, double>> places;
    std::string line;
    std::getline(file, line); // No,Latitude,Longitude,Name,...
    while (std::getline(file, line)) {
        const std::size_t latitude = line.find(',') + 1, longitude = line.find(',', latitude) + 1;
        places.emplace_back(std::stod(line.substr(latitude)), std::stod(line.substr(longitude)));
    }
    return places;
}

TEST_F(CliConvert, FiltersAndSplitsATripIntoAGpxFileADayWithItsButtonPoints)
{
    if (std::system("command -v gpsbabel > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "gpsbabel is not installed (Debian package gpsbabel); this test needs it";
    ASSERT_TRUE(WriteImageFile(in("data.bin"), TripOverMidnight()));
    const CliRun result =
        run({"convert", in("data.bin"), in("trip.gpx"), "--max-hdop", "5", "--min-sats", "4", "--split", "day"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("Rows left out by the filters: 13 of 40 (HDOP over 5: 6, fewer than 4 satellites in "
                              "use: 7)."),
              std::string::npos)
        << result.err;
    const struct {
        const char* file;
        std::size_t points;
        std::vector<int> buttonPoints;
    } days[] = {{"trip-2008-05-04.gpx", 13, {5, 12}}, {"trip-2008-05-05.gpx", 14, {25}}};
    for (const auto& day : days) {
        SCOPED_TRACE(day.file);
        const XmlTree tree = ReadXmlTree(ReadFileBytes(in(day.file)));
        ASSERT_TRUE(tree.root) << tree.error;
        EXPECT_EQ(tree.root->attributes.at("version"), "1.1");
        EXPECT_EQ(tree.root->all("wpt").size(), day.buttonPoints.size());
        std::size_t points = 0;
        for (const XmlElement* segment : tree.root->all("trk").at(0)->all("trkseg"))
            points += segment->all("trkpt").size();
        EXPECT_EQ(points, day.points);
        const auto places = WaypointsReadByGpsbabel(in(day.file), in("waypoints.csv"));
        ASSERT_EQ(places.size(), day.buttonPoints.size());
        for (std::size_t i = 0; i < places.size(); ++i) {
            const TrackRecord pressed = SampleTrackRecord(day.buttonPoints[i]);
            EXPECT_NEAR(places[i].first, *pressed.latitude, 1e-6);
            EXPECT_NEAR(places[i].second, *pressed.longitude, 1e-6);
        }
    }
}

TEST_F(CliConvert, EachFilterAndSplitOptionShapesWhatIsWritten)
{
    // Point 3 lies 55 km from point 2, 10 s later; 30 minutes pass before point 4.
    WriteFileBytes(in("trip.csv"), "INDEX,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,PDOP,\r\n"
                                   "1,2008/05/04,10:00:00,SPS,57.000000,N,12.000000,E,2.00,\r\n"
                                   "2,2008/05/04,10:00:10,DGPS,57.000100,N,12.000000,E,4.00,\r\n"
                                   "3,2008/05/04,10:00:20,SPS,57.500000,N,12.000000,E,2.00,\r\n"
                                   "4,2008/05/04,10:30:20,SPS,57.000200,N,12.000000,E,2.00,\r\n"
                                   "5,2008/05/05,09:00:00,SPS,57.000300,N,12.000000,E,2.00,\r\n");
    // Lines of a CSV file, tracks of a GPX file.
    const auto units = [&](const std::string& name) {
        const std::string text = ReadFileBytes(in(name));
        if (name.find(".gpx") == std::string::npos)
            return CrLfLines(text).size();
        std::size_t tracks = 0;
        for (std::size_t at = text.find("<trk>"); at != std::string::npos; at = text.find("<trk>", at + 1))
            ++tracks;
        return tracks;
    };
    const struct {
        std::vector<std::string> options;
        const char* output;
        int status;
        std::map<std::string, std::size_t> written;
        const char* says;
    } cases[] = {
        {{"--fix", "dgps"}, "out.csv", 0, {{"out.csv", 2}}, "without the fix kinds asked for: 4"},
        {{"--max-pdop", "3"}, "out.csv", 0, {{"out.csv", 5}}, "PDOP over 3: 1"},
        {{"--from", "2008-05-04T12:00:10+02:00", "--to", "2008-05-04"},
         "out.csv",
         0,
         {{"out.csv", 4}},
         "outside the time range: 2"},
        {{"--max-speed", "200"}, "out.csv", 0, {{"out.csv", 5}}, "reached faster than 200 km/h: 1"},
        {{"--split", "gap=10"},
         "out.csv",
         0,
         {{"out-001.csv", 4}, {"out-002.csv", 2}, {"out-003.csv", 2}},
         "Wrote 5 points to 3 files: "},
        {{"--split", "day", "--split-into", "tracks"}, "out.gpx", 0, {{"out.gpx", 2}}, "Wrote 5 points to "},
        {{"--max-hdop", "2"}, "out.csv", 2, {}, "The HDOP filter needs the column 'HDOP'"},
        {{"--split", "day", "--split-into", "tracks"}, "out.csv", 2, {}, "Only a GPX file keeps the parts"},
        {{"--from", "2009-01-01"}, "out.csv", 1, {}, "Nothing was saved: no row is left to save. Rows left out"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.front() + " " + c.options.back() + " " + c.output);
        for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
            if (entry.path().filename().string().rfind("out", 0) == 0)
                std::filesystem::remove(entry.path());
        std::vector<std::string> arguments = {"convert", in("trip.csv"), in(c.output)};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        std::map<std::string, std::size_t> written;
        for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
            if (const std::string name = entry.path().filename().string(); name.rfind("out", 0) == 0)
                written[name] = units(name);
        EXPECT_EQ(written, c.written);
    }
}
} // namespace
