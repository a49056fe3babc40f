// The boxes the window shows for what a load, a save, a settings page or an erase did.
#include "app/result_boxes.h"

#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

namespace {
TEST(ResultBoxes, ALoadThatFailedIsTheBoxItAlwaysWas)
{
    LoadResult noise;
    noise.recordsPassedOver = 2;
    const struct {
        LoadResult result;
        std::vector<std::string> captions;
        std::vector<MessageIcon> icons;
    } cases[] = {
        {LoadResult{}, {}, {}},
        {LoadResult{LoadResult::Outcome::CannotOpen}, {"Error"}, {MessageIcon::Error}},
        {LoadResult{LoadResult::Outcome::Malformed}, {kApplicationTitle}, {MessageIcon::None}},
        {noise, {"Warning"}, {MessageIcon::Warning}},
    };
    for (const auto& c : cases) {
        FakeDialogs dialogs;
        ShowLoadResult(c.result, dialogs);
        ASSERT_EQ(dialogs.messages.size(), c.icons.size()) << dialogs.lastText();
        for (std::size_t i = 0; i < c.icons.size(); ++i) {
            EXPECT_EQ(dialogs.messages[i].caption, c.captions[i]);
            EXPECT_EQ(dialogs.messages[i].icon, c.icons[i]);
        }
    }
    FakeDialogs dialogs;
    ShowLoadResult(LoadResult{LoadResult::Outcome::CannotOpen}, dialogs);
    EXPECT_EQ(dialogs.lastText(), "Read fail!");
}

TEST(ResultBoxes, ASaveSaysItsTextWithTheIconOfWhatHappened)
{
    using Outcome = SaveResult::Outcome;
    const struct {
        Outcome outcome;
        const char* text;
        const char* caption; // nullptr: nothing shown
        MessageIcon icon;
    } cases[] = {
        {Outcome::Saved, "trip.csv had beed saved.", kApplicationTitle, MessageIcon::None},
        {Outcome::Saved, "", nullptr, MessageIcon::None},
        {Outcome::TableEmpty, "No information on table.", kApplicationTitle, MessageIcon::None},
        {Outcome::TableLacks, "No 'LATITUDE' to save.", kApplicationTitle, MessageIcon::None},
        {Outcome::NoRowLeft, "Nothing was saved: no row is left to save.", "Warning", MessageIcon::Warning},
        {Outcome::WriteFailed, "Write CSV file fail!\ntrip.csv: Permission denied", "Error", MessageIcon::Error},
    };
    for (const auto& c : cases) {
        FakeDialogs dialogs;
        ShowSaveResult(SaveResult{c.outcome, c.text}, dialogs);
        if (!c.caption) {
            EXPECT_TRUE(dialogs.messages.empty()) << "a save that says nothing of its own";
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.text;
        EXPECT_EQ(dialogs.messages[0].text, c.text);
        EXPECT_EQ(dialogs.messages[0].caption, c.caption);
        EXPECT_EQ(dialogs.messages[0].icon, c.icon);
    }
}

TEST(ResultBoxes, ASettingsResultIsTheBoxItsPageAlwaysShowed)
{
    using Outcome = SettingsResult::Outcome;
    const struct {
        SettingsResult result;
        const char* caption; // nullptr: nothing shown
        MessageIcon icon;
    } cases[] = {
        {{Outcome::Applied, "Setting updated!"}, kApplicationTitle, MessageIcon::None},
        {{Outcome::Applied, ""}, nullptr, MessageIcon::None}, // an acknowledged erase
        {{Outcome::Declined, "Recover setting!"}, kApplicationTitle, MessageIcon::None},
        {{Outcome::NotConnected, "No connecting."}, "Warning", MessageIcon::Warning},
        {{Outcome::NoCriterion, "Least check one method."}, "Warning", MessageIcon::Warning},
        {{Outcome::EmptyFormat, "Least check one field."}, "Error", MessageIcon::Error},
        {{Outcome::OutOfRange, "TIME interval is invalid."}, "Error", MessageIcon::Error},
        {{Outcome::EraseFailed, "Erasing fail!"}, nullptr, MessageIcon::None}, // told over the erase dialog
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result.text);
        FakeDialogs dialogs;
        ShowSettingsResult(c.result, dialogs);
        if (!c.caption) {
            EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, c.result.text);
        EXPECT_EQ(dialogs.messages[0].caption, c.caption);
        EXPECT_EQ(dialogs.messages[0].icon, c.icon);
    }
    FakeDialogs dialogs;
    ShowEraseTimeOut({Outcome::EraseFailed, "Erasing fail!"}, dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
}
} // namespace
