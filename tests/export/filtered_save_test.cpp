#include "export/filtered_save.h"

#include "export/csv_writer.h"
#include "export/export_test_support.h"
#include "export/gpx_writer.h"
#include "export/xml_tree.h"
#include "support/fake_dialogs.h"

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
    FakeDialogs dialogs;
    const TrackTable table = TwoDays();
    const SavePlan plan = PlanFilteredSave(folder.path("trip.csv"), table, DaysWithAFix(), false);
    ASSERT_EQ(plan.problem, "");
    ASSERT_TRUE(WriteFilteredSave(plan, table, WriteCsvFile, dialogs));
    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"trip-2008-05-04.csv", "trip-2008-05-05.csv"}));
    EXPECT_EQ(CrLfLines(ReadFileBytes(folder.path("trip-2008-05-04.csv"))),
              (std::vector<std::string>{"INDEX,DATE,TIME,VALID,LATITUDE,N/S,LONGITUDE,E/W,",
                                        "1,2008/05/04,23:00:00,SPS,57.0,N,12.0,E,"}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), folder.path("trip-2008-05-04.csv") + " had beed saved.\n" +
                                      folder.path("trip-2008-05-05.csv") +
                                      " had beed saved.\nRows left out by the filters: 1 of 3 (without a fix: 1).");
}

TEST(FilteredSave, AFileThatCannotBeWrittenLeavesEveryFileOfTheSplitAsItWas)
{
    ScratchFolder folder;
    FakeDialogs dialogs;
    std::filesystem::create_directory(folder.path("trip-2008-05-05.csv"));
    const TrackTable table = TwoDays();
    EXPECT_FALSE(WriteFilteredSave(PlanFilteredSave(folder.path("trip.csv"), table, DaysWithAFix(), false), table,
                                   WriteCsvFile, dialogs));
    EXPECT_EQ(FilesIn(folder), std::set<std::string>{"trip-2008-05-05.csv"}) << "the first day is not kept either";
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(dialogs.lastText(), "Write CSV file fail!\n" + folder.path("trip-2008-05-05.csv") +
                                      ": Is a directory\nNone of the 2 files was saved.");
}

TEST(FilteredSave, KeepsThePartsAsTracksOfOneGpxFile)
{
    ScratchFolder folder;
    FakeDialogs dialogs;
    ExportFilter filter = DaysWithAFix();
    filter.split.intoTracks = true;
    const TrackTable table = TwoDays();
    ASSERT_TRUE(WriteFilteredSave(PlanFilteredSave(folder.path("trip.gpx"), table, filter, true), table, WriteGpxFile,
                                  dialogs));
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
        FakeDialogs dialogs;
        const SavePlan plan = PlanFilteredSave(folder.path("trip.csv"), c.table, c.filter, false);
        EXPECT_EQ(plan.problem, c.problem);
        if (plan.problem.empty()) {
            EXPECT_FALSE(WriteFilteredSave(plan, c.table, WriteCsvFile, dialogs));
            EXPECT_EQ(dialogs.lastText(), c.says);
        }
        EXPECT_TRUE(FilesIn(folder).empty()) << c.problem;
    }
}
} // namespace
