// In-memory settings sub-pages for the page tests, and the wire tap they send into.
#pragma once

#include "link/device_link_state.h"
#include "logger/criteria_page.h"
#include "logger/log_format_page.h"
#include "logger/method_page.h"
#include "logger/nmea_output_page.h"
#include "support/wire_tap.h"

#include <array>
#include <map>
#include <string>
#include <vector>

class FakeLogFormatPage : public LogFormatView {
public:
    std::array<bool, kFormatBoxCount + 1> checked{};
    std::array<bool, kFormatBoxCount + 1> enabled{};

    FakeLogFormatPage()
    {
        enabled.fill(true);
        for (int box = 15; box <= 17; ++box)
            enabled[box] = false;
    }
    bool formatBoxChecked(int box) const override { return checked.at(box); }
    void setFormatBoxChecked(int box, bool on) override { checked.at(box) = on; }
    void setFormatBoxEnabled(int box, bool on) override { enabled.at(box) = on; }

    std::vector<int> checkedBoxes() const
    {
        std::vector<int> boxes;
        for (int box = 1; box <= kFormatBoxCount; ++box)
            if (checked[box])
                boxes.push_back(box);
        return boxes;
    }
};

class FakeCriteriaPage : public CriteriaView {
public:
    std::map<LoggingCriterion, bool> checked{
        {LoggingCriterion::Time, false}, {LoggingCriterion::Distance, false}, {LoggingCriterion::Speed, false}};
    std::map<LoggingCriterion, std::string> texts{
        {LoggingCriterion::Time, "10"}, {LoggingCriterion::Distance, "10"}, {LoggingCriterion::Speed, "10"}};
    IntervalSlider bar;

    bool criterionChecked(LoggingCriterion c) const override { return checked.at(c); }
    void setCriterionChecked(LoggingCriterion c, bool on) override { checked[c] = on; }
    std::string intervalText(LoggingCriterion c) const override { return texts.at(c); }
    void setIntervalText(LoggingCriterion c, const std::string& text) override { texts[c] = text; }
    IntervalSlider slider() const override { return bar; }
    void setSlider(const IntervalSlider& s) override { bar = s; }
};

class FakeMethodPage : public MethodView {
public:
    // Start-up: both show their selected look.
    bool overwriteClickable = false;
    bool stopClickable = false;
    void setMethodButtons(bool overwrite, bool stop) override
    {
        overwriteClickable = overwrite;
        stopClickable = stop;
    }
};

class FakeNmeaOutputPage : public NmeaOutputView {
public:
    std::map<NmeaRow, BoxState> boxes;
    std::map<NmeaRow, int> periods;
    int boxChanges = 0;

    FakeNmeaOutputPage()
    {
        for (NmeaRow row : kNmeaRows) {
            boxes[row] = IsFixedPeriodRow(row) ? BoxState::Grayed : BoxState::Unchecked;
            periods[row] = 1;
        }
    }
    BoxState periodBoxState(NmeaRow row) const override { return boxes.at(row); }
    void setPeriodBoxState(NmeaRow row, BoxState state) override
    {
        ++boxChanges;
        boxes[row] = state;
    }
    int periodValue(NmeaRow row) const override { return periods.at(row); }
    void setPeriodValue(NmeaRow row, int seconds) override { periods[row] = seconds; }
};
