// The logging-criteria sub-page: the time, distance and speed conditions under
// which the logger writes a record, edited in whole units with a shared slider
// and sent in tenths.
#pragma once

#include "core/user_dialogs.h"
#include "link/device_link_state.h"
#include "link/logger_reply_view.h"
#include "logger/settings_result.h"

#include <cstdint>
#include <string>

// Time, distance, speed: CheckBox1/Edit1 .. CheckBox3/Edit3.
inline constexpr LoggingCriterion kCriteria[] = {LoggingCriterion::Time, LoggingCriterion::Distance,
                                                 LoggingCriterion::Speed};

struct CriterionRange {
    int minimum;   // also the slider's minimum and what an empty or 0 edit becomes
    int maximum;   // also the slider's maximum and what a larger value becomes
    int sliderTop; // the slider's row when attached to this criterion's edit
    const char* invalidMessage;
};
const CriterionRange& RangeOf(LoggingCriterion criterion);

inline constexpr int kSliderLeft = 160;

struct IntervalSlider {
    int top = 0;
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    bool visible = false;
};

class CriteriaView {
public:
    virtual ~CriteriaView() = default;
    virtual bool criterionChecked(LoggingCriterion criterion) const = 0;
    virtual void setCriterionChecked(LoggingCriterion criterion, bool checked) = 0;
    virtual std::string intervalText(LoggingCriterion criterion) const = 0;
    virtual void setIntervalText(LoggingCriterion criterion, const std::string& text) = 0;
    virtual IntervalSlider slider() const = 0;
    // Places the slider at (kSliderLeft, top); must not count as a user move.
    virtual void setSlider(const IntervalSlider& slider) = 0;
};

// Digits and backspace.
bool IsIntervalKey(char key);

// Entering an edit attaches the slider to it at the edit's value.
void EnterIntervalEdit(CriteriaView& view, LoggingCriterion criterion);
// Returns whether the key reaches the edit; the slider follows the text as it
// stood before the key.
bool IntervalKeyPress(CriteriaView& view, LoggingCriterion criterion, char key);
// A user move of the slider writes its position into the edit of its row.
void IntervalSliderMoved(CriteriaView& view);
// Range repair when an edit is left.
void LeaveIntervalEdit(CriteriaView& view, LoggingCriterion criterion);

// A criterion reply (whole units): 0 unchecks, anything else checks and shows it.
void ShowIntervalCriterion(CriteriaView& view, LoggingCriterion criterion, int32_t value);
// What opening the page does: request flags set, slider hidden, three queries sent.
void RequestLogCriteria(CriteriaView& view, DeviceLinkState& link);
// The apply button: asks, then sends the three criteria. A user who declines
// gets the logger's values back by RequestLogCriteria once told so. Throws
// AppError when a checked criterion's edit holds no number.
SettingsResult ApplyLogCriteria(CriteriaView& view, bool connected, DeviceLinkState& link, UserDialogs& dialogs);
