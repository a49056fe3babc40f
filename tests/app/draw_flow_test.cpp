// The draw button's flow: the table checked before the "Option" dialog, the
// dialog's answer, and the hand-over of data.kml to the desktop's viewer.
#include "app/draw_flow.h"

#include "export/export_test_support.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
const std::vector<std::string> kHeaders = {"INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W"};
const std::vector<std::string> kRow = {"1", "2007/05/24", "09:46:40", "SPS", "24.5", "N", "121.5", "E"};

class DrawFlow : public testing::Test {
protected:
    bool draw(const TrackTable& table, std::optional<DrawOptions> options = DrawOptions{})
    {
        return DrawKmlTrack(table, dialogs, [&](int rows) {
            promptedRows = rows;
            return options;
        });
    }

    ScratchFolder folder;
    WorkingDirectoryGuard inFolder{folder.root()};
    FakeDialogs dialogs;
    int promptedRows = -1;
};

TEST_F(DrawFlow, HandsDataKmlToTheViewerOrSaysThereIsNone)
{
    EXPECT_TRUE(draw(TableOf({kHeaders, kRow, kRow, kRow})));
    EXPECT_EQ(promptedRows, 3);
    ASSERT_EQ(dialogs.openedDocuments.size(), 1u);
    EXPECT_EQ(std::filesystem::path(dialogs.openedDocuments[0]), std::filesystem::absolute("data.kml"));
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.desktopHasViewer = false;
    EXPECT_FALSE(draw(TableOf({kHeaders, kRow})));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No program is registered to open KML files. The track was saved as " +
                                            std::filesystem::absolute("data.kml").string());
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
}

TEST_F(DrawFlow, ChecksTheTableBeforeAskingForOptions)
{
    const struct {
        TrackTable table;
        const char* message;
        MessageIcon icon;
    } cases[] = {
        {TrackTable{}, "No information on the grid.", MessageIcon::Error},
        {TableOf({{"INDEX", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W"}}), "No 'DATE' to draw.",
         MessageIcon::None},
    };
    WriteFileBytes("data.kml", "earlier");
    for (const auto& c : cases) {
        dialogs.messages.clear();
        promptedRows = -1;
        EXPECT_FALSE(draw(c.table));
        EXPECT_EQ(promptedRows, -1) << "not asked";
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(dialogs.messages[0].icon, c.icon);
        EXPECT_EQ(ReadFileBytes("data.kml"), "earlier");
        EXPECT_TRUE(dialogs.openedDocuments.empty());
    }
}

TEST_F(DrawFlow, LeavingTheDialogWithoutRunAbortsLeavingDataKmlAsItWasNotEmptied)
{
    WriteFileBytes("data.kml", "earlier");
    EXPECT_FALSE(draw(TableOf({kHeaders, kRow}), std::nullopt));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Aborting!");
    EXPECT_EQ(ReadFileBytes("data.kml"), "earlier");
    EXPECT_TRUE(dialogs.openedDocuments.empty());
}

TEST_F(DrawFlow, ADataKmlThatCannotBeCreatedIsAnError)
{
    std::filesystem::create_directory("data.kml");
    EXPECT_FALSE(draw(TableOf({kHeaders, kRow})));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Fail to write file!\ndata.kml: Is a directory");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
}
} // namespace
