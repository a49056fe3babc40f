// The exports of a small decoded image, compared byte for byte with reviewed
// files in golden/.
#include "export/csv_reader.h"
#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

#include "decode/log_decoder.h"
#include "testbed/log_image_writer.h"
#include "export/export_test_support.h"
#include "export/sample_track.h"

#include <gtest/gtest.h>

namespace {
class GoldenFiles : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteImageFile(folder.path("track.bin"), GoldenTrackImage()));
        ASSERT_TRUE(DecodeLogImageFile(folder.path("track.bin"), table).loaded());
        ASSERT_EQ(table.rowCount(), 6);
    }

    ScratchFolder folder;
    TrackTable table;
};

TEST_F(GoldenFiles, Csv)
{
    ASSERT_TRUE(WriteCsvFile(folder.path("out.csv"), table).saved());
    EXPECT_TRUE(MatchesGolden(ReadFileBytes(folder.path("out.csv")), "track.csv"));
}

TEST_F(GoldenFiles, NmeaWithUntrackedSatellitesInGsvAndOnlySatellitesInUseInGsa)
{
    ASSERT_TRUE(WriteNmeaFile(folder.path("out.nma"), table).saved());
    const std::string text = ReadFileBytes(folder.path("out.nma"));
    for (const std::string& line : CrLfLines(text))
        EXPECT_TRUE(HasValidNmeaChecksum(line));
    EXPECT_TRUE(MatchesGolden(text, "track.nma"));
}

TEST_F(GoldenFiles, SaveAsKml)
{
    const SaveResult result = SaveKmlFile(folder.path("out.kml"), table);
    ASSERT_TRUE(result.saved());
    EXPECT_EQ(result.text, "") << "a save-as that says nothing of its own";
    const std::string text = ReadFileBytes(folder.path("out.kml"));
    CrLfLines(text);
    EXPECT_TRUE(IsWellFormedXml(text));
    EXPECT_TRUE(MatchesGolden(text, "track.kml"));
}

TEST_F(GoldenFiles, DrawKml)
{
    WorkingDirectoryGuard inFolder(folder.root());
    DrawOptions options;
    options.colourWord = 0x0000FF;
    options.opacity = 50;
    options.lineWidth = 2.5;
    options.indexStart = 2;
    options.indexEnd = 5;
    ASSERT_FALSE(DrawKmlRefusal(table));
    ASSERT_TRUE(WriteDrawKmlFile(table, options).saved());
    const std::string text = ReadFileBytes("data.kml");
    EXPECT_TRUE(IsWellFormedXml(text));
    EXPECT_TRUE(MatchesGolden(text, "track-draw.kml"));
}

TEST_F(GoldenFiles, Gpx)
{
    constexpr std::int64_t kCreated = 1200000000;
    ASSERT_TRUE(WriteGpxFileCreatedAt(folder.path("track.gpx"), table, kCreated).saved());
    const std::string text = ReadFileBytes(folder.path("track.gpx"));
    EXPECT_TRUE(IsWellFormedXml(text));
    EXPECT_TRUE(MatchesGolden(text, "track.gpx"));
}

TEST_F(GoldenFiles, CsvLoadsBackAndExportsTheSame)
{
    ASSERT_TRUE(WriteCsvFile(folder.path("out.csv"), table).saved());
    TrackTable loaded;
    ASSERT_TRUE(ReadCsvFile(folder.path("out.csv"), loaded).loaded());
    ASSERT_TRUE(WriteNmeaFile(folder.path("again.nma"), loaded).saved());
    ASSERT_TRUE(SaveKmlFile(folder.path("again.kml"), loaded).saved());
    EXPECT_TRUE(MatchesGolden(ReadFileBytes(folder.path("again.nma")), "track.nma"));
    EXPECT_TRUE(MatchesGolden(ReadFileBytes(folder.path("again.kml")), "track.kml"));
}
} // namespace
