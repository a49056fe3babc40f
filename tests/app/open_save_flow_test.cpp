// The log page's open and save flows, with a scripted user.
#include "app/open_flow.h"
#include "app/save_flow.h"

#include "export/csv_reader.h"
#include "export/export_test_support.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

namespace {
const char* const kOverwriteQuestion = "Confirm: File has already existed, do you want to overwrite?\n\n";

class SaveFlow : public testing::Test {
protected:
    void saveAs(const std::string& name, int filterIndex)
    {
        dialogs.fileAnswers.push_back(FileChoice{folder.path(name), filterIndex});
        SaveTrackFile(table, dialogs);
    }

    ScratchFolder folder;
    FakeDialogs dialogs;
    TrackTable table = TableOf({{"INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W"},
                                {"1", "2007/05/24", "09:46:40", "SPS", "24.5", "N", "121.5", "E"}});
};

TEST_F(SaveFlow, OffersTheFourKindsWithCsvFirst)
{
    SaveTrackFile(table, dialogs);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filter,
              "CSV File (*.csv)|*.csv|Google Earth (*.kml)|*.kml|NMEA File (*.nma)|*.nma|GPX File (*.gpx)|*.gpx");
    EXPECT_EQ(dialogs.fileRequests[0].filterIndex, 1);
    EXPECT_EQ(dialogs.fileRequests[0].initialDirectory, ".");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveFlow, EachFilterRunsItsWriter)
{
    saveAs("trip", 1);
    EXPECT_EQ(ReadFileBytes(folder.path("trip.csv")).substr(0, 6), "INDEX,");
    saveAs("trip", 2);
    EXPECT_EQ(ReadFileBytes(folder.path("trip.kml")).substr(0, 5), "<?xml");
    saveAs("trip", 3);
    EXPECT_EQ(ReadFileBytes(folder.path("trip.nma")).substr(0, 6), "$GPGLL");
    saveAs("trip", 4);
    EXPECT_NE(ReadFileBytes(folder.path("trip.gpx")).find("<gpx version=\"1.1\""), std::string::npos);
    EXPECT_EQ(dialogs.lastText(), folder.path("trip.gpx") + " had beed saved.");
    // A typed kind wins over the filter, under the name as typed.
    saveAs("mytrack.gpx", 1);
    EXPECT_NE(ReadFileBytes(folder.path("mytrack.gpx")).find("<gpx version=\"1.1\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path("mytrack.gpx.csv")));
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(SaveFlow, AnExistingFileIsReplacedOnlyAfterYes)
{
    WriteFileBytes(folder.path("trip.csv"), "keep me");
    saveAs("trip", 1);
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kOverwriteQuestion});
    EXPECT_EQ(ReadFileBytes(folder.path("trip.csv")), "keep me");
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.yesNoAnswers.push_back(true);
    saveAs("trip.csv", 1);
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(ReadFileBytes(folder.path("trip.csv")).substr(0, 6), "INDEX,");
}

TEST_F(SaveFlow, AFailedSaveSaysWhichFileAndWhy)
{
    saveAs("no/folder/trip", 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Write CSV file fail!\n" + folder.path("no/folder/trip.csv") + ": No such file or directory");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_TRUE(std::filesystem::is_empty(folder.root()));
}

TEST_F(SaveFlow, CancellingWritesNothing)
{
    SaveTrackFile(table, dialogs);
    EXPECT_TRUE(std::filesystem::is_empty(folder.root()));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ConfirmOverwrite, AsksOnlyAboutFilesThatExist)
{
    ScratchFolder folder;
    FakeDialogs dialogs;
    EXPECT_TRUE(ConfirmOverwrite(folder.path("new.csv"), dialogs));
    EXPECT_TRUE(dialogs.questions.empty());
    WriteFileBytes(folder.path("old.csv"), "x");
    dialogs.yesNoAnswers = {true, false};
    EXPECT_TRUE(ConfirmOverwrite(folder.path("old.csv"), dialogs));
    EXPECT_FALSE(ConfirmOverwrite(folder.path("old.csv"), dialogs));
}

class OpenFlow : public testing::Test {
protected:
    void open(const std::optional<FileChoice>& choice)
    {
        dialogs.fileAnswers.push_back(choice);
        opened = OpenTrackFile(dialogs, [this](const std::string& path, TrackFileKind kind, LogDialect dialect) {
            if (kind == TrackFileKind::Csv)
                return ReadCsvFile(path, table);
            decoded.push_back(path);
            dialects.push_back(dialect);
            LoadResult result;
            result.rows = static_cast<int>(decoded.size());
            return result;
        });
    }

    ScratchFolder folder;
    FakeDialogs dialogs;
    TrackTable table;
    std::vector<std::string> decoded;
    std::vector<LogDialect> dialects;
    std::optional<OpenedTrackFile> opened;
};

TEST_F(OpenFlow, OffersImagesAndCsvWithCsvFirst)
{
    open(std::nullopt);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filter,
              "Drovik File (*.bin)|*.bin|CSV File (*.csv)|*.csv|Generic Logger File (*.bin)|*.bin|"
              "Holux M-241 File (*.bin)|*.bin|Holux GPsport 245 File (*.bin)|*.bin|Holux M-1000C File (*.bin)|*.bin");
    EXPECT_EQ(dialogs.fileRequests[0].filterIndex, 2);
    EXPECT_TRUE(decoded.empty());
    EXPECT_FALSE(opened);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenFlow, TheFilterNotTheNameChoosesTheReader)
{
    WriteFileBytes(folder.path("track.csv"), "A,B,\r\n1,2,\r\n");
    open(FileChoice{folder.path("track.csv"), 1});
    EXPECT_EQ(decoded, std::vector<std::string>{folder.path("track.csv")});
    EXPECT_EQ(table.rowCount(), 0);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(opened->image);

    open(FileChoice{folder.path("track.csv"), 2});
    EXPECT_EQ(decoded.size(), 1u);
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cell(1, 1), "2");

    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->path, folder.path("track.csv"));
    EXPECT_FALSE(opened->image);
    EXPECT_EQ(opened->result.rows, 1) << "the CSV reader's own result";

    open(FileChoice{folder.path("track.csv"), 7});
    EXPECT_EQ(dialogs.lastText(), "Unknown file?");
    EXPECT_FALSE(opened);
}

TEST_F(OpenFlow, EachImageFilterDecodesInItsDialect)
{
    const std::pair<int, LogDialect> cases[] = {{1, LogDialect::Detect},
                                                {3, LogDialect::Generic},
                                                {4, LogDialect::M241},
                                                {5, LogDialect::Gr245},
                                                {6, LogDialect::M1000C}};
    for (const auto& [filter, dialect] : cases) {
        open(FileChoice{folder.path("image.bin"), filter});
        ASSERT_EQ(dialects.size(), decoded.size());
        EXPECT_EQ(dialects.back(), dialect) << filter;
        ASSERT_TRUE(opened) << filter;
        EXPECT_EQ(opened->result.rows, static_cast<int>(decoded.size())) << "the decode's own result";
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenFlow, ACsvTextOpenedAsAnImageChangesNothing)
{
    WriteFileBytes(folder.path("track.csv"), "A,B,\r\n1,2,\r\n");
    table = TableOf({{"KEEP"}, {"1"}});
    dialogs.fileAnswers.push_back(FileChoice{folder.path("track.csv"), 1});
    const auto opened = OpenTrackFile(dialogs, [this](const std::string& path, TrackFileKind kind, LogDialect dialect) {
        return LoadTrackFile(path, kind, table, dialect);
    });
    ASSERT_TRUE(opened);
    EXPECT_TRUE(opened->result.loaded()) << "a CSV text is no image, but a short one";
    EXPECT_EQ(table.cell(0, 0), "KEEP");
    EXPECT_EQ(table.rowCount(), 2);
}
} // namespace
