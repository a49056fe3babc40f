// The settings sub-pages without a screen: the state of their controls, filled
// by the logger's replies as the window's pages are, so the command line runs
// the very page operations the window runs.
#pragma once

#include "link/logger_reply_view.h"
#include "logger/criteria_page.h"
#include "logger/log_format_page.h"
#include "logger/method_page.h"
#include "logger/nmea_output_page.h"

#include <array>
#include <map>
#include <string>

class HeadlessPages : public HeadlessReplyView,
                      public CriteriaView,
                      public LogFormatView,
                      public MethodView,
                      public NmeaOutputView {
public:
    // What the replies fill.
    void fillCriterion(LoggingCriterion criterion, int value) override;
    void fillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>& checked) override;
    void SetMethodButtons(bool overwriteClickable, bool stopClickable) override;
    void fillNmeaPeriods(const Sentences::NmeaPeriods& periods) override;

    // Logging-criteria page.
    bool criterionChecked(LoggingCriterion criterion) const override;
    void setCriterionChecked(LoggingCriterion criterion, bool checked) override;
    std::string intervalText(LoggingCriterion criterion) const override;
    void setIntervalText(LoggingCriterion criterion, const std::string& text) override;
    IntervalSlider slider() const override { return slider_; }
    void setSlider(const IntervalSlider& slider) override { slider_ = slider; }

    // Log-format page.
    bool formatBoxChecked(int box) const override { return formatBoxes_.at(box - 1); }
    void setFormatBoxChecked(int box, bool checked) override { formatBoxes_.at(box - 1) = checked; }
    void setFormatBoxEnabled(int, bool) override {}

    // Recording-method page: true while the overwrite pair shows its selected look.
    void setMethodButtons(bool overwriteClickable, bool stopClickable) override;
    bool overwriteSelected() const { return overwriteSelected_; }

    // NMEA output page; the spin edits hold at most 5, the report as it came.
    const Sentences::NmeaPeriods& reportedPeriods() const { return reportedPeriods_; }
    BoxState periodBoxState(NmeaRow row) const override;
    void setPeriodBoxState(NmeaRow row, BoxState state) override { periodBoxes_[row] = state; }
    int periodValue(NmeaRow row) const override;
    void setPeriodValue(NmeaRow row, int seconds) override { periodValues_[row] = seconds; }

private:
    struct Criterion {
        bool checked = false;
        std::string text = "10"; // the edits' start-up value
    };
    std::array<Criterion, 3> criteria_;
    IntervalSlider slider_;
    std::array<bool, kFormatBoxCount> formatBoxes_{};
    bool overwriteSelected_ = false;
    std::map<NmeaRow, BoxState> periodBoxes_;
    std::map<NmeaRow, int> periodValues_;
    Sentences::NmeaPeriods reportedPeriods_;
};
