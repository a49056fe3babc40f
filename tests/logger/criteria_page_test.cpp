#include "core/app_error.h"
#include "link/sentences.h"
#include "logger/criteria_page.h"
#include "logger/pages_fakes.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

namespace {
constexpr auto Time = LoggingCriterion::Time;
constexpr auto Distance = LoggingCriterion::Distance;
constexpr auto Speed = LoggingCriterion::Speed;

TEST(CriteriaKeys, OnlyDigitsAndBackspaceReachTheEdit)
{
    for (int c = 0; c < 128; ++c) {
        const bool expected = (c >= '0' && c <= '9') || c == 8;
        EXPECT_EQ(IsIntervalKey(static_cast<char>(c)), expected) << "code " << c;
    }
}

TEST(CriteriaKeys, KeyPressTracksTheTextBeforeTheKeyWithinTheSliderRange)
{
    FakeCriteriaPage page;
    page.texts[Time] = "5";
    EnterIntervalEdit(page, Time);
    page.texts[Time] = "12";
    EXPECT_TRUE(IntervalKeyPress(page, Time, '3'));
    EXPECT_EQ(page.bar.position, 12);
    page.texts[Time] = "1234";
    EXPECT_FALSE(IntervalKeyPress(page, Time, 'x'));
    EXPECT_EQ(page.bar.position, 999);
    page.texts[Time] = "";
    EXPECT_TRUE(IntervalKeyPress(page, Time, '\b'));
    EXPECT_EQ(page.bar.position, 999);
    EXPECT_EQ(page.texts[Time], "");
}

TEST(CriteriaSlider, EnteringAnEditAttachesTheSliderWithoutTouchingTheText)
{
    struct Case {
        LoggingCriterion criterion;
        const char* text;
        IntervalSlider expected;
    };
    const Case cases[] = {
        {Time, "5", {92, 1, 999, 5, true}},
        {Distance, "500", {132, 10, 9999, 500, true}},
        {Speed, "5", {172, 10, 999, 10, true}},
        {Speed, "2000", {172, 10, 999, 999, true}},
    };
    for (const Case& c : cases) {
        FakeCriteriaPage page;
        page.texts[c.criterion] = c.text;
        EnterIntervalEdit(page, c.criterion);
        EXPECT_EQ(page.bar.top, c.expected.top);
        EXPECT_EQ(page.bar.minimum, c.expected.minimum);
        EXPECT_EQ(page.bar.maximum, c.expected.maximum);
        EXPECT_EQ(page.bar.position, c.expected.position) << c.text;
        EXPECT_TRUE(page.bar.visible);
        EXPECT_EQ(page.texts[c.criterion], c.text);
    }
}

TEST(CriteriaSlider, MovingTheSliderWritesIntoTheEditOfItsRow)
{
    FakeCriteriaPage page;
    page.texts[Time] = "5";
    EnterIntervalEdit(page, Time);
    page.texts[Distance] = "500";
    EnterIntervalEdit(page, Distance);
    EXPECT_EQ(page.texts[Distance], "500");
    EXPECT_EQ(page.bar.position, 500);
    page.bar.position = 730;
    IntervalSliderMoved(page);
    EXPECT_EQ(page.texts[Distance], "730");
    EXPECT_EQ(page.texts[Time], "5");
    page.bar.top = 50; // a row of no edit
    page.bar.position = 40;
    IntervalSliderMoved(page);
    EXPECT_EQ(page.texts[Time], "5");
    EXPECT_EQ(page.texts[Distance], "730");
    EXPECT_EQ(page.texts[Speed], "10");
}

TEST(CriteriaRepair, LeavingAnEditBringsItIntoShape)
{
    struct Case {
        LoggingCriterion criterion;
        const char* typed;
        const char* left;
    };
    const Case cases[] = {
        {Time, "", "1"},         {Time, "0", "1"},       {Time, "1000", "999"},
        {Time, "999", "999"},    {Time, "5", "5"},       {Distance, "", "10"},
        {Distance, "000", "10"}, {Distance, "5", "5"},   {Distance, "99999", "9999"},
        {Speed, "", "10"},       {Speed, "1000", "999"}, {Speed, "9", "9"},
        {Time, "abc", "1"},
    };
    for (const Case& c : cases) {
        FakeCriteriaPage page;
        page.texts[c.criterion] = c.typed;
        EnterIntervalEdit(page, c.criterion);
        LeaveIntervalEdit(page, c.criterion);
        EXPECT_EQ(page.texts[c.criterion], c.left) << "typed '" << c.typed << "'";
        EXPECT_TRUE(page.bar.visible);
    }
}

TEST(CriteriaFill, ReplyOfZeroUnchecksAndLeavesTheEdit)
{
    FakeCriteriaPage page;
    page.texts[Distance] = "77";
    page.checked[Distance] = true;
    ShowIntervalCriterion(page, Distance, 0);
    EXPECT_FALSE(page.checked[Distance]);
    EXPECT_EQ(page.texts[Distance], "77");
    ShowIntervalCriterion(page, Time, 5);
    EXPECT_TRUE(page.checked[Time]);
    EXPECT_EQ(page.texts[Time], "5");
}

struct CriteriaApply : ::testing::Test {
    DeviceLinkState link;
    WireTap wire{link};
    FakeDialogs dialogs;
    FakeCriteriaPage page;

    void set(LoggingCriterion criterion, bool on, const char* text)
    {
        page.checked[criterion] = on;
        page.texts[criterion] = text;
    }
};

TEST_F(CriteriaApply, FiveSecondsDistanceOffTwentyKmhGoOutInOrderAfterYes)
{
    set(Time, true, "5");
    set(Distance, false, "123");
    set(Speed, true, "20");
    page.bar.visible = true;
    dialogs.yesNoAnswers = {true};
    const SettingsResult result = ApplyLogCriteria(page, true, link, dialogs);
    EXPECT_EQ(wire.take(), "$PMTK182,1,3,50*12\r\n"
                           "$PMTK182,1,4,0*20\r\n"
                           "$PMTK182,1,5,200*23\r\n");
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{"Confirm: Do you want to change setting?"}));
    EXPECT_EQ(result.outcome, SettingsResult::Outcome::Applied);
    EXPECT_EQ(result.text, "Setting updated!");
    EXPECT_FALSE(page.bar.visible);
}

TEST_F(CriteriaApply, AnsweringNoSendsNothingAndSaysTheSettingIsRecovered)
{
    set(Time, true, "5");
    dialogs.yesNoAnswers = {false};
    const SettingsResult result = ApplyLogCriteria(page, true, link, dialogs);
    EXPECT_EQ(wire.take(), "");
    EXPECT_EQ(result.outcome, SettingsResult::Outcome::Declined);
    EXPECT_EQ(result.text, "Recover setting!");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CriteriaApply, RefusalsSendNothingAndAskNothing)
{
    struct Case {
        bool connected;
        bool time, distance, speed;
        const char *timeText, *distanceText, *speedText;
        SettingsResult result;
    };
    using Outcome = SettingsResult::Outcome;
    const Case cases[] = {
        {false, true, false, false, "5", "10", "10", {Outcome::NotConnected, "No connecting."}},
        {true, false, false, false, "5", "10", "10", {Outcome::NoCriterion, "Least check one method."}},
        {true, true, true, true, "0", "5", "5", {Outcome::OutOfRange, "TIME interval is invalid."}},
        {true, true, true, true, "1000", "5", "5", {Outcome::OutOfRange, "TIME interval is invalid."}},
        {true, true, true, true, "5", "5", "5", {Outcome::OutOfRange, "DISTANCE interval is invalid."}},
        {true, false, true, true, "", "10000", "5", {Outcome::OutOfRange, "DISTANCE interval is invalid."}},
        {true, true, false, true, "999", "5", "1000", {Outcome::OutOfRange, "SPEED interval is invalid."}},
        {true, false, false, true, "5", "5", "9", {Outcome::OutOfRange, "SPEED interval is invalid."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result.text);
        set(Time, c.time, c.timeText);
        set(Distance, c.distance, c.distanceText);
        set(Speed, c.speed, c.speedText);
        page.bar.visible = true;
        const SettingsResult result = ApplyLogCriteria(page, c.connected, link, dialogs);
        EXPECT_EQ(wire.take(), "");
        EXPECT_TRUE(dialogs.questions.empty());
        EXPECT_EQ(result.outcome, c.result.outcome);
        EXPECT_EQ(result.text, c.result.text);
        EXPECT_EQ(page.bar.visible, !c.connected); // apply hides it once past the connection test
    }
}

TEST_F(CriteriaApply, AnEmptiedEditNotLeftIsAnErrorAndNothingGoesOut)
{
    set(Time, true, "5");
    set(Distance, true, "");
    EXPECT_THROW(ApplyLogCriteria(page, true, link, dialogs), AppError);
    EXPECT_EQ(wire.take(), "");
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(CriteriaApply, RangeEndsAreAccepted)
{
    set(Time, true, "999");
    set(Distance, true, "9999");
    set(Speed, true, "10");
    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(ApplyLogCriteria(page, true, link, dialogs).applied());
    EXPECT_EQ(wire.take(), AppendChecksum("$PMTK182,1,3,9990*") + AppendChecksum("$PMTK182,1,4,99990*") +
                               AppendChecksum("$PMTK182,1,5,100*"));
}
} // namespace
