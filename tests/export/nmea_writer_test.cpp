#include "export/nmea_writer.h"

#include "export/export_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using Rows = std::vector<std::vector<std::string>>;

const std::vector<std::string> kPositionHeaders = {
    "INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "HEIGHT", "NSAT (USED/VIEW)", "HDOP"};

std::vector<std::string> PositionRow(const std::string& time = "09:46:40.500", const std::string& valid = "SPS",
                                     const std::string& latitude = "24.123456")
{
    return {"1", "2007/05/24", time, valid, latitude, "N", "121.5", "E", "12.500 m", "6(9)", "0.90"};
}

class NmeaWriter : public testing::Test {
protected:
    // The file's lines, each checked for its checksum.
    std::vector<std::string> linesOf(const TrackTable& table)
    {
        const std::string path = folder.path("trip.nma");
        result = WriteNmeaFile(path, table);
        EXPECT_TRUE(result.saved());
        std::vector<std::string> lines = CrLfLines(ReadFileBytes(path));
        for (const std::string& line : lines)
            EXPECT_TRUE(HasValidNmeaChecksum(line));
        return lines;
    }

    // The lines of one sentence type, without their checksums.
    std::vector<std::string> bodiesOf(const TrackTable& table, const std::string& type)
    {
        std::vector<std::string> bodies;
        for (const std::string& line : linesOf(table))
            if (line.compare(0, type.size(), type) == 0)
                bodies.push_back(line.substr(0, line.size() - 2));
        return bodies;
    }

    // The sentence types of the file's lines, in order.
    std::vector<std::string> typesOf(const TrackTable& table)
    {
        std::vector<std::string> types;
        for (const std::string& line : linesOf(table))
            types.push_back(line.substr(0, 6));
        return types;
    }

    ScratchFolder folder;
    SaveResult result;
};

TEST_F(NmeaWriter, WritesThePositionSentencesOfARow)
{
    const auto lines = linesOf(TableOf({kPositionHeaders, PositionRow()}));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "$GPGGA,094640.500,2407.407360,N,12130.000000,E,1,6,0.90,12.500,M,0.0,M,,*59",
                         "$GPGLL,2407.407360,N,12130.000000,E,094640.500,A,A*55",
                         "$GPZDA,094640.500,24,05,2007,,*5A",
                     }));
    EXPECT_EQ(result.text, folder.path("trip.nma") + " had beed saved.");
}

TEST_F(NmeaWriter, MinutesAlwaysHaveTwoIntegerDigits)
{
    const auto gll = bodiesOf(TableOf({kPositionHeaders, PositionRow("09:46:40", "SPS", "5.5")}), "$GPGLL");
    ASSERT_EQ(gll.size(), 1u);
    EXPECT_EQ(gll[0].rfind("$GPGLL,0530.000000,N,", 0), 0u) << gll[0];
}

TEST_F(NmeaWriter, ATimeWithoutMillisecondsGivesZeroMilliseconds)
{
    for (const std::string& line : linesOf(TableOf({kPositionHeaders, PositionRow("09:46:40")})))
        EXPECT_NE(line.find(",094640.000,"), std::string::npos) << line;
}

TEST_F(NmeaWriter, SpeedIsWrittenInKnotsAndKilometresWithMphConvertedNotTakenAsKilometres)
{
    const Rows rows = {{"DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "SPEED"},
                       {"2007/05/24", "09:46:40", "SPS", "24.5", "N", "121.5", "E", "100.000 km/h"},
                       {"2007/05/24", "09:46:45", "SPS", "24.5", "N", "121.5", "E", "62.137 mph"}};
    const auto vtg = bodiesOf(TableOf(rows), "$GPVTG");
    EXPECT_EQ(vtg, (std::vector<std::string>{"$GPVTG,0.00,T,,M,53.996,N,100.000,K,A*",
                                             "$GPVTG,0.00,T,,M,53.996,N,100.000,K,A*"}));
    const auto rmc = bodiesOf(TableOf(rows), "$GPRMC");
    ASSERT_EQ(rmc.size(), 2u);
    EXPECT_EQ(rmc[0], "$GPRMC,094640.000,A,2430.000000,N,12130.000000,E,53.996,0.00,240507,,,A*");
}

TEST_F(NmeaWriter, NoFixMarksEverySentenceAsVoid)
{
    const Rows rows = {{"DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "SPEED", "PDOP", "HDOP", "VDOP",
                        "NSAT (USED/VIEW)", "SAT INFO (SID-ELE-AZI-SNR)"},
                       {"2007/05/24", "09:46:40", "No fix", "24.5", "N", "121.5", "E", "0.000 km/h", "9.90", "9.90",
                        "9.90", "0(3)", "05-10-100-00"}};
    const TrackTable table = TableOf(rows);
    EXPECT_EQ(bodiesOf(table, "$GPGGA")[0], "$GPGGA,094640.000,2430.000000,N,12130.000000,E,0,0,9.90,0.000,M,0.0,M,,*");
    EXPECT_EQ(bodiesOf(table, "$GPGLL")[0], "$GPGLL,2430.000000,N,12130.000000,E,094640.000,V,N*");
    EXPECT_EQ(bodiesOf(table, "$GPRMC")[0], "$GPRMC,094640.000,V,2430.000000,N,12130.000000,E,0.000,0.00,240507,,,N*");
    EXPECT_EQ(bodiesOf(table, "$GPVTG")[0], "$GPVTG,0.00,T,,M,0.000,N,0.000,K,N*");
    EXPECT_EQ(bodiesOf(table, "$GPGSA")[0], "$GPGSA,A,1,,,,,,,,,,,,,9.90,9.90,9.90*");
}

TEST_F(NmeaWriter, GsaAndGsvOnlyWithSatelliteData)
{
    const Rows rows = {{"DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "SPEED", "PDOP", "HDOP", "VDOP",
                        "NSAT (USED/VIEW)", "SAT INFO (SID-ELE-AZI-SNR)"},
                       {"2007/05/24", "09:46:40", "DGPS", "24.5", "N", "121.5", "E", "3.000 km/h", "1.50", "0.90",
                        "1.20", "2(2)", ""}};
    EXPECT_EQ(typesOf(TableOf(rows)), (std::vector<std::string>{"$GPGGA", "$GPGLL", "$GPRMC", "$GPVTG", "$GPZDA"}));
}

TEST_F(NmeaWriter, AShiftedTableIsWrittenInUtcWithTheShiftAsZdaLocalZone)
{
    const Rows rows = {{"DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "SPEED"},
                       {"2000/01/01", "01:30:15.250", "SPS", "24.5", "N", "121.5", "E", "1.000 km/h"}};
    TrackTable table = TableOf(rows);
    table.setTimeShiftHours(2);
    EXPECT_EQ(bodiesOf(table, "$GPZDA"), (std::vector<std::string>{"$GPZDA,233015.250,31,12,1999,02,00*"}));
    EXPECT_EQ(bodiesOf(table, "$GPRMC")[0].substr(0, 18), "$GPRMC,233015.250,");
    EXPECT_NE(bodiesOf(table, "$GPRMC")[0].find(",311299,"), std::string::npos) << "a 1999 year, not -1";
    table.setTimeShiftHours(-5);
    EXPECT_EQ(bodiesOf(table, "$GPZDA"), (std::vector<std::string>{"$GPZDA,063015.250,01,01,2000,-05,00*"}));
}

TEST_F(NmeaWriter, GsaFixTypeFollowsTheFixQuality)
{
    const std::pair<const char*, char> cases[] = {{"No fix", '1'}, {"SPS", '3'},       {"DGPS", '3'},     {"PPS", '2'},
                                                  {"RTK", '2'},    {"Simulator", '2'}, {"something", '1'}};
    for (const auto& [valid, fixType] : cases) {
        const Rows rows = {{"VALID", "PDOP", "HDOP", "VDOP", "SAT INFO (SID-ELE-AZI-SNR)"},
                           {valid, "1.00", "1.00", "1.00", "07-00-000-00"}};
        const auto gsa = bodiesOf(TableOf(rows), "$GPGSA");
        ASSERT_EQ(gsa.size(), 1u) << valid;
        EXPECT_EQ(gsa[0][9], fixType) << valid;
    }
}

struct GsvCase {
    const char* name;
    const char* nsat;
    const char* satellites;
    std::vector<std::string> messages;
};

TEST_F(NmeaWriter, SplitsSatellitesInViewIntoGsvMessages)
{
    const GsvCase cases[] = {
        {"none in view", "6(0)", "#05-45-123-40", {"$GPGSV,1,1,00,,,,,,,,,,,,,,,,*"}},
        {"five in view",
         "4(5)",
         "#01-10-011-21;#02-20-022-22;#03-30-033-23;#04-40-044-24;05-50-055-25",
         {"$GPGSV,2,1,05,01,10,011,21,02,20,022,22,03,30,033,23,04,40,044,24*", "$GPGSV,2,2,05,05,50,055,25*"}},
        {"messages follow the satellites listed, not the count in view",
         "3(9)",
         "#01-10-011-21",
         {"$GPGSV,1,1,09,01,10,011,21*"}},
        {"a satellite below the horizon is at elevation 00, not above it",
         "1(2)",
         "#01--7-011-21;02-95-100-30",
         {"$GPGSV,1,1,02,01,00,011,21,02,90,100,30*"}},
        {"a zero-filled entry ends the list", "0(3)", "00-00-00-00", {"$GPGSV,1,1,03,,,,,,,,,,,,,,,,*"}},
    };
    for (const GsvCase& c : cases) {
        const Rows rows = {{"NSAT (USED/VIEW)", "SAT INFO (SID-ELE-AZI-SNR)"}, {c.nsat, c.satellites}};
        EXPECT_EQ(bodiesOf(TableOf(rows), "$GPGSV"), c.messages) << c.name;
    }
}

TEST_F(NmeaWriter, AHandEditedSatelliteCountCannotFloodTheFile)
{
    const Rows rows = {{"NSAT (USED/VIEW)", "SAT INFO (SID-ELE-AZI-SNR)"}, {"1(2000000000)", "01-02-003-04"}};
    EXPECT_LE(bodiesOf(TableOf(rows), "$GPGSV").size(), 64u);
}

TEST_F(NmeaWriter, MoreThanTwelveSatellitesAreCutAtTwelveAndGsvCountsOnlyThoseWritten)
{
    std::string satellites;
    for (int id = 1; id <= 14; ++id)
        satellites += (id > 1 ? ";#" : "#") + std::to_string(id) + "-10-100-30";
    const Rows rows = {{"VALID", "PDOP", "HDOP", "VDOP", "NSAT (USED/VIEW)", "SAT INFO (SID-ELE-AZI-SNR)"},
                       {"SPS", "1.00", "1.00", "1.00", "14(14)", satellites}};
    const auto gsa = bodiesOf(TableOf(rows), "$GPGSA");
    EXPECT_EQ(gsa[0], "$GPGSA,A,3,01,02,03,04,05,06,07,08,09,10,11,12,1.00,1.00,1.00*");
    const auto gsv = bodiesOf(TableOf(rows), "$GPGSV");
    ASSERT_EQ(gsv.size(), 3u);
    EXPECT_EQ(gsv[2], "$GPGSV,3,3,14,09,10,100,30,10,10,100,30,11,10,100,30,12,10,100,30*");
}

TEST_F(NmeaWriter, ASatelliteHeaderWithoutAllPartsIsNotRecognised)
{
    const Rows rows = {{"VALID", "PDOP", "HDOP", "VDOP", "NSAT (USED/VIEW)", "SAT INFO (SID)"},
                       {"SPS", "1.00", "1.00", "1.00", "4(5)", "#01;#02"}};
    const auto lines = linesOf(TableOf(rows));
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("$GPGSA", 0) == 0 || line.rfind("$GPGSV", 0) == 0;
    }));
}

TEST_F(NmeaWriter, ATableWithoutItsColumnsGivesAnEmptyFile)
{
    EXPECT_TRUE(linesOf(TableOf({{"INDEX", "VALID", "RCR"}, {"1", "SPS", "T"}, {"2", "SPS", "D"}})).empty());
    EXPECT_EQ(result.text, folder.path("trip.nma") + " had beed saved.");
}

TEST_F(NmeaWriter, ARowThatCannotBeWrittenIsLeftOutAndCountedNotTheEndOfTheFile)
{
    auto bad = PositionRow();
    bad[1] = "24.05.2007";
    auto third = PositionRow("09:46:50");
    const auto zda = bodiesOf(TableOf({kPositionHeaders, PositionRow(), bad, third}), "$GPZDA");
    EXPECT_EQ(zda.size(), 2u);
    EXPECT_EQ(result.rows, 3);
    EXPECT_EQ(result.rowsLeftOut, 1);
    EXPECT_EQ(result.text,
              folder.path("trip.nma") + " had beed saved. Rows left out because their cells cannot be read: 1 of 3.");
}

TEST_F(NmeaWriter, AnUnreadableCellCostsOnlyTheSentencesMadeFromIt)
{
    const std::vector<std::string> gllZda = {"$GPGLL", "$GPZDA"};
    const struct {
        int column;
        const char* text;
        std::vector<std::string> written;
    } cases[] = {
        {2, "9:46", {}},     {1, "2007", {}},  {4, "24", {"$GPZDA"}}, {4, "north", {"$GPZDA"}}, {6, "", {"$GPZDA"}},
        {8, "high", gllZda}, {9, "6", gllZda}, {9, "(9)", gllZda},    {10, "n/a", gllZda},
    };
    for (const auto& c : cases) {
        auto row = PositionRow();
        row[c.column] = c.text;
        EXPECT_EQ(typesOf(TableOf({kPositionHeaders, row})), c.written) << kPositionHeaders[c.column] << " " << c.text;
    }
}

TEST_F(NmeaWriter, ReportsAFileThatCannotBeWritten)
{
    for (const auto& [path, reason] : UnwritableFiles(folder, "trip.nma")) {
        const SaveResult failed = WriteNmeaFile(path, TableOf({kPositionHeaders, PositionRow()}));
        EXPECT_EQ(failed.outcome, SaveResult::Outcome::WriteFailed) << path;
        EXPECT_EQ(failed.text, "Write NMEA file fail!\n" + path + ": " + reason);
    }
}
} // namespace
