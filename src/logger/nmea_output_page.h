// The NMEA output sub-page: the receiver's output period per sentence kind.
// Only GLL, VTG and ZDA can be changed; GGA, GSA, GSV and RMC always go out
// every second.
#pragma once

#include "core/user_dialogs.h"
#include "link/device_link_state.h"
#include "link/sentences.h"
#include "logger/settings_result.h"

enum class BoxState { Unchecked, Checked, Grayed };

// Rows of the page, top to bottom (CheckBoxN / CSpinEditN).
enum class NmeaRow { Gga = 1, Gll, Gsa, Gsv, Rmc, Vtg, Zda };
inline constexpr NmeaRow kNmeaRows[] = {NmeaRow::Gga, NmeaRow::Gll, NmeaRow::Gsa, NmeaRow::Gsv,
                                        NmeaRow::Rmc, NmeaRow::Vtg, NmeaRow::Zda};
inline constexpr int kMinPeriod = 1;
inline constexpr int kMaxPeriod = 5;

class NmeaOutputView {
public:
    virtual ~NmeaOutputView() = default;
    virtual BoxState periodBoxState(NmeaRow row) const = 0;
    virtual void setPeriodBoxState(NmeaRow row, BoxState state) = 0;
    virtual int periodValue(NmeaRow row) const = 0;
    virtual void setPeriodValue(NmeaRow row, int seconds) = 0;
};

// GGA, GSA, GSV, RMC: always sent with period 1, their boxes stay grayed.
bool IsFixedPeriodRow(NmeaRow row);
int ClampPeriod(int seconds);

// A fixed row's box falls back to grayed whenever it changes.
void KeepFixedBoxGrayed(NmeaOutputView& view, NmeaRow row);
// The period report: 0 unchecks, anything else checks and sets the period.
void ShowNmeaPeriods(NmeaOutputView& view, const Sentences::NmeaPeriods& periods);
// The periods the page stands for.
Sentences::NmeaPeriods PeriodsFromPage(const NmeaOutputView& view);

// Sets NmeaPeriodsRequested and asks for the periods; the report fills the page.
void RequestNmeaPeriods(DeviceLinkState& link);
// The apply button: asks, then sends the page's periods. A user who declines
// gets the logger's periods back by RequestNmeaPeriods once told so.
SettingsResult ApplyNmeaPeriods(const NmeaOutputView& view, bool connected, DeviceLinkState& link,
                                UserDialogs& dialogs);
