#include "export/csv_writer.h"

#include "export/export_test_support.h"

#include <gtest/gtest.h>

namespace {
class CsvWriter : public testing::Test {
protected:
    std::string save(const TrackTable& table)
    {
        const std::string path = folder.path("trip.csv");
        result = WriteCsvFile(path, table);
        EXPECT_TRUE(result.saved());
        return ReadFileBytes(path);
    }

    ScratchFolder folder;
    SaveResult result;
};

TEST_F(CsvWriter, WritesEveryCellFollowedByACommaAndEveryLineByCrLf)
{
    const TrackTable table =
        TableOf({{"INDEX", "DATE", "TIME"}, {"1", "2007/05/24", "09:46:40"}, {"2", "2007/05/24", "09:46:45"}});
    EXPECT_EQ(save(table), "INDEX,DATE,TIME,\r\n"
                           "1,2007/05/24,09:46:40,\r\n"
                           "2,2007/05/24,09:46:45,\r\n");
    EXPECT_EQ(result.outcome, SaveResult::Outcome::Saved);
    EXPECT_EQ(result.text, folder.path("trip.csv") + " had beed saved.");
    EXPECT_EQ(result.rows, 2);
    EXPECT_EQ(result.rowsLeftOut, 0);
}

TEST_F(CsvWriter, KeepsUnitsAndLeadingSpacesAsTheCellsHoldThem)
{
    const TrackTable table = TableOf({{"INDEX", "SPEED", "DISTANCE"}, {"1", "3.000 km/h", "      5.00 m"}});
    EXPECT_EQ(save(table), "INDEX,SPEED,DISTANCE,\r\n1,3.000 km/h,      5.00 m,\r\n");
}

TEST_F(CsvWriter, AnEmptyCellIsAnEmptyFieldAndTheRestOfTheRowFollows)
{
    const TrackTable table =
        TableOf({{"INDEX", "RCR", "VALID", "SPEED"}, {"1", "", "SPS", "3.000 km/h"}, {"2", "T", "", ""}});
    EXPECT_EQ(save(table), "INDEX,RCR,VALID,SPEED,\r\n"
                           "1,,SPS,3.000 km/h,\r\n"
                           "2,T,,,\r\n");
}

TEST_F(CsvWriter, QuotesOnlyCellsHoldingSeparatorsOrQuotes)
{
    const TrackTable table = TableOf({{"INDEX", "NOTE"},
                                      {"1", "a,b"},
                                      {"2", "say \"hi\""},
                                      {"3", "two\r\nlines"},
                                      {"4", "lone\nLF"},
                                      {"5", "plain 'text'"}});
    EXPECT_EQ(save(table), "INDEX,NOTE,\r\n"
                           "1,\"a,b\",\r\n"
                           "2,\"say \"\"hi\"\"\",\r\n"
                           "3,\"two\r\nlines\",\r\n"
                           "4,\"lone\nLF\",\r\n"
                           "5,plain 'text',\r\n");
}

TEST_F(CsvWriter, StopsAtTheFirstRowWithAnEmptyFirstCell)
{
    TrackTable table = TableOf({{"INDEX", "DATE"}, {"1", "a"}, {"", "b"}, {"3", "c"}});
    EXPECT_EQ(save(table), "INDEX,DATE,\r\n1,a,\r\n");
}

TEST_F(CsvWriter, AnEmptyHeaderGivesAnEmptyFileAndStillTheSuccessMessage)
{
    TrackTable table;
    table.setColumnCount(15);
    table.setRowCount(20);
    EXPECT_EQ(save(table), "");
    EXPECT_EQ(result.text, folder.path("trip.csv") + " had beed saved.");
    EXPECT_EQ(result.rows, 0);
}

TEST_F(CsvWriter, ReportsAFileThatCannotBeCreatedOrFilled)
{
    const TrackTable table = TableOf({{"INDEX"}, {"1"}});
    for (const auto& [path, reason] : UnwritableFiles(folder, "trip.csv")) {
        const SaveResult failed = WriteCsvFile(path, table);
        EXPECT_EQ(failed.outcome, SaveResult::Outcome::WriteFailed) << path;
        EXPECT_EQ(failed.text, "Write CSV file fail!\n" + path + ": " + reason);
    }
}
} // namespace
