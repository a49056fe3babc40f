#include "export/csv_writer.h"

#include "export/export_test_support.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

namespace {
class CsvWriter : public testing::Test {
protected:
    std::string save(const TrackTable& table)
    {
        const std::string path = folder.path("trip.csv");
        EXPECT_TRUE(WriteCsvFile(path, table, dialogs));
        return ReadFileBytes(path);
    }

    ScratchFolder folder;
    FakeDialogs dialogs;
};

TEST_F(CsvWriter, WritesEveryCellFollowedByACommaAndEveryLineByCrLf)
{
    const TrackTable table =
        TableOf({{"INDEX", "DATE", "TIME"}, {"1", "2007/05/24", "09:46:40"}, {"2", "2007/05/24", "09:46:45"}});
    EXPECT_EQ(save(table), "INDEX,DATE,TIME,\r\n"
                           "1,2007/05/24,09:46:40,\r\n"
                           "2,2007/05/24,09:46:45,\r\n");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), folder.path("trip.csv") + " had beed saved.");
    EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::None);
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
    EXPECT_EQ(dialogs.lastText(), folder.path("trip.csv") + " had beed saved.");
}

TEST_F(CsvWriter, ReportsAFileThatCannotBeCreatedOrFilled)
{
    const TrackTable table = TableOf({{"INDEX"}, {"1"}});
    for (const auto& [path, reason] : UnwritableFiles(folder, "trip.csv")) {
        dialogs.messages.clear();
        EXPECT_FALSE(WriteCsvFile(path, table, dialogs)) << path;
        ASSERT_EQ(dialogs.messages.size(), 1u) << path;
        EXPECT_EQ(dialogs.messages[0].text, "Write CSV file fail!\n" + path + ": " + reason);
        EXPECT_EQ(dialogs.messages[0].caption, "Error");
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    }
}
} // namespace
