#include "export/filtered_save.h"

#include "export/csv_writer.h"
#include "export/export_test_support.h"
#include "export/gpx_writer.h"
#include "export/xml_tree.h"

#include <gtest/gtest.h>

#include <set>

namespace {
TrackTable TwoDays()
{
    return TableOf({
        {"INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W"},
        {"1", "2008/05/04", "23:00:00", "SPS", "57.0", "N", "12.0", "E"},
        {"2", "2008/05/04", "23:00:05", "No fix", "0.0", "N", "0.0", "E"},
        {"3", "2008/05/05", "08:00:00", "SPS", "57.1", "N", "12.1", "E"},
    });
}

ExportFilter DaysWithAFix()
{
    ExportFilter filter;
    filter.rows.fixKinds = AnyFixKinds();
    filter.split.kind = SplitKind::Day;
    return filter;
}

std::set<std::string> FilesIn(const ScratchFolder& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(FilteredSave, WritesAFilePerPartAndTellsOnceWhatTheFiltersLeftOut)
{
    ScratchFolder folder;
    const TrackTable table = TwoDays();
    const SavePlan plan = PlanFilteredSave(folder.path("trip.csv"), table, DaysWithAFix(), false);
    ASSERT_EQ(plan.problem, "");
    const SaveResult result = WriteFilteredSave(plan, table, WriteCsvFile);
    ASSERT_TRUE(result.saved());
    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"trip-2008-05-04.csv", "trip-2008-05-05.csv"}));
    EXPECT_EQ(CrLfLines(ReadFileBytes(folder.path("trip-2008-05-04.csv"))),
              (std::vector<std::string>{"INDEX,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,",
                                        "1,2008/05/04,23:00:00,SPS,57.0,N,12.0,E,"}));
    EXPECT_EQ(result.rows, 2) << "the rows of both files";
    EXPECT_EQ(result.text, folder.path("trip-2008-05-04.csv") + " had beed saved.\n" +
                               folder.path("trip-2008-05-05.csv") +
                               " had beed saved.\nRows left out by the filters: 1 of 3 (without a fix: 1).");
}

TEST(FilteredSave, AFileThatCannotBeWrittenLeavesEveryFileOfTheSplitAsItWas)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder.path("trip-2008-05-05.csv"));
    const TrackTable table = TwoDays();
    const SaveResult result =
        WriteFilteredSave(PlanFilteredSave(folder.path("trip.csv"), table, DaysWithAFix(), false), table, WriteCsvFile);
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"trip-2008-05-05.csv"}) << "the first day is not kept either";
    EXPECT_EQ(result.outcome, SaveResult::Outcome::WriteFailed);
    EXPECT_EQ(result.text, "Write CSV file fail!\n" + folder.path("trip-2008-05-05.csv") +
                               ": Is a directory\nNone of the 2 files was saved.");
}

TEST(FilteredSave, KeepsThePartsAsTracksOfOneGpxFile)
{
    ScratchFolder folder;
    ExportFilter filter = DaysWithAFix();
    filter.split.intoTracks = true;
    const TrackTable table = TwoDays();
    ASSERT_TRUE(
        WriteFilteredSave(PlanFilteredSave(folder.path("trip.gpx"), table, filter, true), table, WriteGpxFile).saved());
    const XmlTree tree = ReadXmlTree(ReadFileBytes(folder.path("trip.gpx")));
    ASSERT_TRUE(tree.root) << tree.error;
    EXPECT_EQ(tree.root->all("trk").size(), 2u);
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"trip.gpx"});
}

TEST(FilteredSave, SaysWhatStandsInTheWayAndWritesNothing)
{
    ExportFilter hdop;
    hdop.rows.maxHdop = 2;
    ExportFilter gaps;
    gaps.split = {SplitKind::Gap, 5, false};
    ExportFilter tracks = DaysWithAFix();
    tracks.split.intoTracks = true;
    ExportFilter late;
    late.rows.fromUtc = 1300000000000;
    struct Case {
        ExportFilter filter;
        TrackTable table;
        std::string problem;
        std::string says; // when written
    };
    const Case cases[] = {
        {hdop, TwoDays(), "The HDOP filter needs the column 'HDOP', which the table does not have.", ""},
        {gaps, TableOf({{"INDEX", "DATE"}}),
         "The split at gaps needs the column 'TIME', which the table does not have.", ""},
        {tracks, TwoDays(), "Only a GPX file keeps the parts of a split as tracks; other files are split into files.",
         ""},
        {late, TwoDays(), "",
         "Nothing was saved: no row is left to save.\nRows left out by the filters: 3 of 3 (outside the time range: "
         "3)."},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const SavePlan plan = PlanFilteredSave(folder.path("trip.csv"), c.table, c.filter, false);
        EXPECT_EQ(plan.problem, c.problem);
        if (plan.problem.empty()) {
            const SaveResult result = WriteFilteredSave(plan, c.table, WriteCsvFile);
            EXPECT_EQ(result.outcome, SaveResult::Outcome::NoRowLeft);
            EXPECT_EQ(result.text, c.says);
        }
        EXPECT_TRUE(FilesIn(folder).empty()) << c.problem;
    }
}
} // namespace
