#include "export/draw_options.h"

#include "export/kml_document.h"

#include <gtest/gtest.h>

namespace {
struct RangeStep {
    enum Field { Start, End } field;
    int value;
    int expectedStart;
    int expectedEnd;
};

void ExpectSteps(int dataRows, int openStart, int openEnd, const std::vector<RangeStep>& steps)
{
    PointRuleRange range(dataRows);
    EXPECT_EQ(range.start(), openStart);
    EXPECT_EQ(range.end(), openEnd);
    for (const RangeStep& step : steps) {
        if (step.field == RangeStep::Start)
            range.setStart(step.value);
        else
            range.setEnd(step.value);
        EXPECT_EQ(range.start(), step.expectedStart) << "after setting " << step.value;
        EXPECT_EQ(range.end(), step.expectedEnd) << "after setting " << step.value;
    }
}

TEST(PointRuleRange, StaysAtMost5000RowsWideOnALongTrack)
{
    ExpectSteps(12000, 1, 5000,
                {{RangeStep::Start, 3000, 3000, 7999},
                 {RangeStep::End, 12000, 7001, 12000},
                 {RangeStep::Start, 9000, 9000, 12000},
                 {RangeStep::Start, 20000, 12000, 12000},
                 {RangeStep::End, 0, 1, 5000}});
}

TEST(PointRuleRange, OpensOnTheWholeOfAShortTrack)
{
    ExpectSteps(3000, 1, 3000, {{RangeStep::Start, 3000, 3000, 3000}, {RangeStep::End, 2000, 1, 3000}});
    ExpectSteps(5000, 1, 5000, {});
    ExpectSteps(5001, 1, 5000, {});
    ExpectSteps(1, 1, 1, {{RangeStep::Start, 5, 1, 1}});
    ExpectSteps(0, 1, 1, {});
}

TEST(LineWidth, StepsInTenthsBetweenOneAndFour)
{
    std::string width = "1.0";
    for (int i = 0; i < 10; ++i)
        width = LineWidthUp(width);
    EXPECT_EQ(width, "2.0");
    for (int i = 0; i < 40; ++i)
        width = LineWidthUp(width);
    EXPECT_EQ(width, "4.0");
    width = LineWidthDown(width);
    EXPECT_EQ(width, "3.9");
    for (int i = 0; i < 40; ++i)
        width = LineWidthDown(width);
    EXPECT_EQ(width, "1.0");
}

TEST(KmlColour, PutsTheOpacityInTheAlphaByte)
{
    EXPECT_EQ(KmlColour(0x0000FF, 100), 0xFF0000FFu);
    EXPECT_EQ(KmlColour(0x0000FF, 50), 0x7F0000FFu);
    EXPECT_EQ(KmlColour(0x000000, 1), 0x02000000u);
    EXPECT_EQ(KmlColour(kNoColourSelected, 50), 0xFF000000u);
}
} // namespace
