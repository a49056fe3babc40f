// drovik-cli convert, run as the built program.
#include "testbed/log_image_writer.h"
#include "export/export_test_support.h"
#include "export/sample_track.h"

#include <gtest/gtest.h>

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
    void SetUp() override
    {
        image = GoldenTrackImage();
        ASSERT_TRUE(WriteImageFile(folder.path("track.bin"), image));
    }

    CliRun run(const std::vector<std::string>& arguments)
    {
        std::string command = Quoted(DROVIK_CLI_PATH);
        for (const std::string& argument : arguments)
            command += " " + Quoted(argument);
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
    std::vector<std::uint8_t> image;
};

TEST_F(CliConvert, WritesEachFormatLikeTheWindow)
{
    const std::pair<const char*, const char*> outputs[] = {
        {"out.csv", "track.csv"}, {"out.kml", "track.kml"}, {"out.nma", "track.nma"}};
    for (const auto& [output, golden] : outputs) {
        const CliRun result = run({"convert", in("track.bin"), in(output)});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(MatchesGolden(ReadFileBytes(in(output)), golden));
    }
}

TEST_F(CliConvert, FormatOptionOverridesTheExtension)
{
    const CliRun result = run({"convert", "--format", "nma", in("track.bin"), in("out.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(MatchesGolden(ReadFileBytes(in("out.txt")), "track.nma"));
    for (const char* output : {"out.gpx", "gpx.txt"}) {
        const CliRun gpx = run({"convert", "--format", "gpx", in("track.bin"), in(output)});
        EXPECT_EQ(gpx.status, 0) << gpx.err;
        EXPECT_NE(ReadFileBytes(in(output)).find("<gpx version=\"1.1\""), std::string::npos) << output;
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
    WriteFileBytes(in("truncated.bin"), std::string(image.begin(), image.begin() + 30000));
    WriteFileBytes(in("empty-line.csv"), "A,B,\r\n\r\n1,2,\r\n");
    struct Case {
        const char* input;
        const char* says;
    };
    const Case cases[] = {
        {"garbage.bin", "no track table"}, {"truncated.bin", "no track table"},    {"missing.bin", "Read fail!"},
        {"missing.csv", "Read fail!"},     {"empty-line.csv", "READ FILE FAIL!!"},
    };
    for (const Case& c : cases) {
        const CliRun result = run({"convert", in(c.input), in("out.csv")});
        EXPECT_EQ(result.status, 1) << c.input;
        EXPECT_EQ(result.out, "") << c.input;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << c.input << ": " << result.err;
        EXPECT_FALSE(std::filesystem::exists(in("out.csv"))) << c.input;
    }
}

TEST_F(CliConvert, OutputsThatCannotBeWrittenFail)
{
    const std::pair<std::string, const char*> cases[] = {
        {in("no/folder/out.csv"), "Write CSV file fail!"},
        {in("no/folder/out.kml"), "Write KML file fail!"},
        {"/dev/full", "Write NMEA file fail!"},
    };
    for (const auto& [output, says] : cases) {
        const std::vector<std::string> arguments =
            output == "/dev/full" ? std::vector<std::string>{"convert", "--format", "nma", in("track.bin"), output}
                                  : std::vector<std::string>{"convert", in("track.bin"), output};
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, 1) << output;
        EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
    }
}

TEST_F(CliConvert, AKmlOfATableWithoutPositionsFailsLeavingAnEarlierFileAlone)
{
    WriteFileBytes(in("dates.csv"), "INDEX,DATE,TIME,\r\n1,2007/05/24,09:46:40,\r\n");
    WriteFileBytes(in("out.kml"), "earlier");
    const CliRun result = run({"convert", in("dates.csv"), in("out.kml")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("No 'VALID' to draw."), std::string::npos) << result.err;
    EXPECT_EQ(ReadFileBytes(in("out.kml")), "earlier");
}

// The sentences of a type in an NMEA file, without checksums.
std::vector<std::string> Sentences(const std::string& file, const std::string& type)
{
    std::vector<std::string> bodies;
    for (const std::string& line : CrLfLines(file))
        if (line.rfind(type, 0) == 0)
            bodies.push_back(line.substr(0, line.size() - 3));
    return bodies;
}

TEST_F(CliConvert, ShowsTheExportMendsOfAnEditedTable)
{
    // Row 2 cannot be read at all; row 3 has no line end.
    WriteFileBytes(in("edited.csv"), "INDEX,RCR,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,SPEED,\r\n"
                                     "1,D,2007/05/24,09:46:40,SPS,1.000000,N,10.000000,E,10.000 km/h,\r\n"
                                     "2,D,bad,bad,SPS,north,N,10.000000,E,fast,\r\n"
                                     "3,D,2007/05/24,09:46:50,SPS,1.001000,N,10.000000,E,20.000 mph,");
    const CliRun nmea = run({"convert", in("edited.csv"), in("out.nma")});
    EXPECT_EQ(nmea.status, 0) << nmea.err;
    EXPECT_NE(nmea.err.find("had beed saved. Rows left out because their cells cannot be read: 1 of 3."),
              std::string::npos)
        << nmea.err;
    EXPECT_EQ(
        Sentences(ReadFileBytes(in("out.nma")), "$GPVTG"),
        (std::vector<std::string>{"$GPVTG,0.00,T,,M,5.400,N,10.000,K,A", "$GPVTG,0.00,T,,M,17.380,N,32.187,K,A"}));

    const CliRun kml = run({"convert", in("edited.csv"), in("out.kml")});
    EXPECT_EQ(kml.status, 0) << kml.err;
    const std::string document = ReadFileBytes(in("out.kml"));
    EXPECT_NE(document.find("<name>DISTANCE:    110.57 m</name>"), std::string::npos) << "no leg through 0,0";
    EXPECT_NE(document.find("          10.000000,1.001000,0\r\n"), std::string::npos) << "the last line is kept";
}

TEST_F(CliConvert, AShiftedTableStillGivesUtcInNmeaWithTheShiftAsLocalZone)
{
    ASSERT_EQ(run({"convert", in("track.bin"), in("plain.nma")}).status, 0);
    ASSERT_EQ(run({"convert", "--time-shift", "2", in("track.bin"), in("shifted.nma")}).status, 0);
    const std::string plain = ReadFileBytes(in("plain.nma"));
    const std::string shifted = ReadFileBytes(in("shifted.nma"));
    EXPECT_EQ(Sentences(shifted, "$GPRMC"), Sentences(plain, "$GPRMC"));
    std::vector<std::string> zda = Sentences(plain, "$GPZDA");
    for (std::string& body : zda)
        body.replace(body.size() - 1, 1, "02,00");
    EXPECT_EQ(Sentences(shifted, "$GPZDA"), zda);
}

TEST_F(CliConvert, ShowsDatesOutsideThisCenturyAsTheirRealYears)
{
    LogImageWriter writer;
    writer.beginSector(fieldbit::kUtc);
    for (std::uint32_t utc : {946684799u, 4102444800u}) {
        TrackRecord record;
        record.utc = utc;
        writer.record(record);
    }
    ASSERT_TRUE(WriteImageFile(in("dates.bin"), writer.image()));
    ASSERT_EQ(run({"convert", in("dates.bin"), in("dates.csv")}).status, 0);
    EXPECT_EQ(CrLfLines(ReadFileBytes(in("dates.csv"))),
              (std::vector<std::string>{"INDEX,DATE,TIME,", "1,1999/12/31,23:59:59,", "2,2100/01/01,00:00:00,"}));
}

TEST_F(CliConvert, DatesARolloverEarlyGetAHintOnStderrUntilRepaired)
{
    ASSERT_TRUE(WriteImageFile(in("early.bin"), RolloverEarlyImage()));
    const CliRun early = run({"convert", in("early.bin"), in("early.csv")});
    EXPECT_EQ(early.status, 0) << early.err;
    EXPECT_NE(early.err.find("more than 1024 weeks before today"), std::string::npos) << early.err;
    EXPECT_NE(early.err.find("convert again with --week-rollover 1."), std::string::npos) << early.err;
    const CliRun repaired = run({"convert", "--week-rollover", "1", in("early.bin"), in("early.csv")});
    EXPECT_EQ(repaired.status, 0) << repaired.err;
    EXPECT_EQ(repaired.err.find("1024 weeks"), std::string::npos) << repaired.err;
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
        {"convert", "--colour", "red", in("track.bin"), in("out.csv")},
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

    const CliRun convert = run({"convert", "--help"});
    EXPECT_EQ(convert.status, 0);
    for (const char* documented : {"--format csv|kml|nma|gpx", "--time-shift HOURS", "-12 to +14", "--week-rollover N",
                                   "--speed-unit km/h|mph", ".bin", ".csv", "GPX 1.1", "Exit status"})
        EXPECT_NE(convert.out.find(documented), std::string::npos) << documented;
}
} // namespace
