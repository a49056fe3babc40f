#include "headless_pages.h"

void HeadlessPages::fillCriterion(LoggingCriterion criterion, int value)
{
    ShowIntervalCriterion(*this, criterion, value);
}

void HeadlessPages::fillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>& checked)
{
    ShowFormatBoxes(*this, checked);
}

void HeadlessPages::SetMethodButtons(bool overwriteClickable, bool stopClickable)
{
    setMethodButtons(overwriteClickable, stopClickable);
}

void HeadlessPages::fillNmeaPeriods(const Sentences::NmeaPeriods& periods)
{
    reportedPeriods_ = periods;
    ShowNmeaPeriods(*this, periods);
}

bool HeadlessPages::criterionChecked(LoggingCriterion criterion) const
{
    return criteria_.at(static_cast<int>(criterion)).checked;
}

void HeadlessPages::setCriterionChecked(LoggingCriterion criterion, bool checked)
{
    criteria_.at(static_cast<int>(criterion)).checked = checked;
}

std::string HeadlessPages::intervalText(LoggingCriterion criterion) const
{
    return criteria_.at(static_cast<int>(criterion)).text;
}

void HeadlessPages::setIntervalText(LoggingCriterion criterion, const std::string& text)
{
    criteria_.at(static_cast<int>(criterion)).text = text;
}

void HeadlessPages::setMethodButtons(bool overwriteClickable, bool /*stopClickable*/)
{
    overwriteSelected_ = !overwriteClickable;
}

BoxState HeadlessPages::periodBoxState(NmeaRow row) const
{
    const auto found = periodBoxes_.find(row);
    return found == periodBoxes_.end() ? BoxState::Unchecked : found->second;
}

int HeadlessPages::periodValue(NmeaRow row) const
{
    const auto found = periodValues_.find(row);
    return found == periodValues_.end() ? kMinPeriod : found->second;
}
