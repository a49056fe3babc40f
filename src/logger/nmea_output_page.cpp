#include "logger/nmea_output_page.h"

#include <algorithm>

namespace {
int PeriodOf(const Sentences::NmeaPeriods& periods, NmeaRow row)
{
    switch (row) {
    case NmeaRow::Gga:
        return periods.gga;
    case NmeaRow::Gll:
        return periods.gll;
    case NmeaRow::Gsa:
        return periods.gsa;
    case NmeaRow::Gsv:
        return periods.gsv;
    case NmeaRow::Rmc:
        return periods.rmc;
    case NmeaRow::Vtg:
        return periods.vtg;
    case NmeaRow::Zda:
        break;
    }
    return periods.zda;
}

int ChosenPeriod(const NmeaOutputView& view, NmeaRow row)
{
    return view.periodBoxState(row) == BoxState::Checked ? ClampPeriod(view.periodValue(row)) : 0;
}
} // namespace

bool IsFixedPeriodRow(NmeaRow row)
{
    return row == NmeaRow::Gga || row == NmeaRow::Gsa || row == NmeaRow::Gsv || row == NmeaRow::Rmc;
}

int ClampPeriod(int seconds)
{
    return std::clamp(seconds, kMinPeriod, kMaxPeriod);
}

void KeepFixedBoxGrayed(NmeaOutputView& view, NmeaRow row)
{
    if (IsFixedPeriodRow(row) && view.periodBoxState(row) != BoxState::Grayed)
        view.setPeriodBoxState(row, BoxState::Grayed);
}

void ShowNmeaPeriods(NmeaOutputView& view, const Sentences::NmeaPeriods& periods)
{
    for (NmeaRow row : kNmeaRows) {
        const int period = PeriodOf(periods, row);
        view.setPeriodBoxState(row, period == 0 ? BoxState::Unchecked : BoxState::Checked);
        if (period != 0)
            view.setPeriodValue(row, ClampPeriod(period));
        KeepFixedBoxGrayed(view, row);
    }
}

Sentences::NmeaPeriods PeriodsFromPage(const NmeaOutputView& view)
{
    Sentences::NmeaPeriods periods;
    periods.gll = ChosenPeriod(view, NmeaRow::Gll);
    periods.vtg = ChosenPeriod(view, NmeaRow::Vtg);
    periods.zda = ChosenPeriod(view, NmeaRow::Zda);
    periods.gga = periods.gsa = periods.gsv = periods.rmc = 1;
    return periods;
}

void RequestNmeaPeriods(DeviceLinkState& link)
{
    link.NmeaPeriodsRequested = true;
    SendSentence(link, Sentences::QueryNmeaPeriods);
}

SettingsResult ApplyNmeaPeriods(const NmeaOutputView& view, bool connected, DeviceLinkState& link, UserDialogs& dialogs)
{
    using Outcome = SettingsResult::Outcome;
    if (!connected)
        return {Outcome::NotConnected, "No connecting."};
    if (!dialogs.confirm("Do you want to change setting?"))
        return {Outcome::Declined, "Recover setting!"};
    SendSentence(link, Sentences::SetNmeaPeriods(PeriodsFromPage(view)));
    return {Outcome::Applied, "Setting updated!"};
}
