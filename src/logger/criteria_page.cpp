#include "logger/criteria_page.h"

#include "core/app_error.h"
#include "link/sentences.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace {
const CriterionRange kRanges[] = {
    {1, 999, 92, "TIME interval is invalid."},
    {10, 9999, 132, "DISTANCE interval is invalid."},
    {10, 999, 172, "SPEED interval is invalid."},
};

std::optional<int> ReadInteger(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void FollowEditWithSlider(CriteriaView& view, const std::string& text)
{
    const std::optional<int> value = ReadInteger(text);
    if (!value)
        return;
    IntervalSlider slider = view.slider();
    slider.position = std::clamp(*value, slider.minimum, slider.maximum);
    view.setSlider(slider);
}

void HideSlider(CriteriaView& view)
{
    IntervalSlider slider = view.slider();
    slider.visible = false;
    view.setSlider(slider);
}

} // namespace

const CriterionRange& RangeOf(LoggingCriterion criterion)
{
    return kRanges[static_cast<int>(criterion)];
}

bool IsIntervalKey(char key)
{
    return (key >= '0' && key <= '9') || key == '\b';
}

void EnterIntervalEdit(CriteriaView& view, LoggingCriterion criterion)
{
    const CriterionRange& range = RangeOf(criterion);
    IntervalSlider slider{range.sliderTop, range.minimum, range.maximum, range.minimum, true};
    view.setSlider(slider);
    FollowEditWithSlider(view, view.intervalText(criterion));
}

bool IntervalKeyPress(CriteriaView& view, LoggingCriterion criterion, char key)
{
    FollowEditWithSlider(view, view.intervalText(criterion));
    return IsIntervalKey(key);
}

void IntervalSliderMoved(CriteriaView& view)
{
    const IntervalSlider slider = view.slider();
    for (LoggingCriterion criterion : kCriteria)
        if (RangeOf(criterion).sliderTop == slider.top)
            view.setIntervalText(criterion, std::to_string(slider.position));
}

void LeaveIntervalEdit(CriteriaView& view, LoggingCriterion criterion)
{
    const CriterionRange& range = RangeOf(criterion);
    const std::optional<int> value = ReadInteger(view.intervalText(criterion));
    // Pasted text that is no number is treated like an emptied edit.
    if (!value || *value < 1)
        view.setIntervalText(criterion, std::to_string(range.minimum));
    else if (*value > range.maximum)
        view.setIntervalText(criterion, std::to_string(range.maximum));
}

void ShowIntervalCriterion(CriteriaView& view, LoggingCriterion criterion, int32_t value)
{
    view.setCriterionChecked(criterion, value != 0);
    if (value != 0)
        view.setIntervalText(criterion, std::to_string(value));
}

void RequestLogCriteria(CriteriaView& view, DeviceLinkState& link)
{
    link.TimeIntervalRequested = true;
    link.DistanceIntervalRequested = true;
    link.SpeedIntervalRequested = true;
    HideSlider(view);
    SendSentence(link, Sentences::QueryTimeInterval);
    SendSentence(link, Sentences::QueryDistanceInterval);
    SendSentence(link, Sentences::QuerySpeedInterval);
}

SettingsResult ApplyLogCriteria(CriteriaView& view, bool connected, DeviceLinkState& link, UserDialogs& dialogs)
{
    using Outcome = SettingsResult::Outcome;
    if (!connected)
        return {Outcome::NotConnected, "No connecting."};
    HideSlider(view);
    if (std::none_of(std::begin(kCriteria), std::end(kCriteria),
                     [&](LoggingCriterion criterion) { return view.criterionChecked(criterion); }))
        return {Outcome::NoCriterion, "Least check one method."};
    int32_t tenths[3] = {0, 0, 0};
    for (LoggingCriterion criterion : kCriteria) {
        if (!view.criterionChecked(criterion))
            continue;
        const std::string text = view.intervalText(criterion);
        const std::optional<int> value = ReadInteger(text);
        if (!value)
            throw AppError("'" + text + "' is not a valid integer value.");
        const CriterionRange& range = RangeOf(criterion);
        if (*value < range.minimum || *value > range.maximum)
            return {Outcome::OutOfRange, range.invalidMessage};
        tenths[static_cast<int>(criterion)] = *value * 10;
    }
    const std::string sentences[3] = {Sentences::SetTimeInterval(tenths[0]), Sentences::SetDistanceInterval(tenths[1]),
                                      Sentences::SetSpeedInterval(tenths[2])};
    if (!dialogs.confirm("Do you want to change setting?"))
        return {Outcome::Declined, "Recover setting!"};
    for (const std::string& sentence : sentences)
        SendSentence(link, sentence);
    return {Outcome::Applied, "Setting updated!"};
}
