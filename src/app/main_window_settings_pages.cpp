// TForm1: the logger's settings sub-pages.
#include "app/main_window.h"

#include "app/frame_criteria_page.h"
#include "app/frame_log_format_page.h"
#include "app/frame_method_page.h"
#include "app/frame_nmea_output_page.h"
#include "app/result_boxes.h"
#include "link/status_poll.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>

namespace {
const QColor kNmeaBoxColour(236, 225, 207);
const QColor kCriteriaBoxColour(217, 241, 244);
const QColor kFormatGroupColour(245, 236, 221);
const QColor kMethodGroupColour(240, 229, 225);

constexpr auto Time = LoggingCriterion::Time;
constexpr auto Distance = LoggingCriterion::Distance;
constexpr auto Speed = LoggingCriterion::Speed;
} // namespace

void TForm1::connectSettingsPagesHandlers()
{
    const std::pair<int, void (TForm1::*)()> fixedBoxes[] = {{1, &TForm1::Frame81CheckBox1Click},
                                                             {3, &TForm1::Frame81CheckBox3Click},
                                                             {4, &TForm1::Frame81CheckBox4Click},
                                                             {5, &TForm1::Frame81CheckBox5Click}};
    for (const auto& [number, handler] : fixedBoxes)
        connect(Frame81->checkBox(number), &QCheckBox::stateChanged, this,
                [this, click = handler] { (this->*click)(); });
    onClick(Frame81->SpeedButton1, &TForm1::Frame81SpeedButton1Click);

    Frame91->Edit1->OnKeyPress = [this](char& key) { Frame91Edit1KeyPress(key); };
    Frame91->Edit2->OnKeyPress = [this](char& key) { Frame91Edit2KeyPress(key); };
    Frame91->Edit3->OnKeyPress = [this](char& key) { Frame91Edit3KeyPress(key); };
    Frame91->Edit1->OnEnter = [this] { Frame91Edit1Enter(); };
    Frame91->Edit2->OnEnter = [this] { Frame91Edit2Enter(); };
    Frame91->Edit3->OnEnter = [this] { Frame91Edit3Enter(); };
    Frame91->Edit1->OnExit = [this] { Frame91Edit1Exit(); };
    Frame91->Edit2->OnExit = [this] { Frame91Edit2Exit(); };
    Frame91->Edit3->OnExit = [this] { Frame91Edit3Exit(); };
    connect(Frame91->ScrollBar1, &QScrollBar::valueChanged, this, [this] { Frame91ScrollBar1Change(); });
    onClick(Frame91->SpeedButton1, &TForm1::Frame91SpeedButton1Click);

    void (TForm1::*const presets[])() = {
        &TForm1::Frame101Button1Click,  &TForm1::Frame101Button2Click, &TForm1::Frame101Button3Click,
        &TForm1::Frame101Button4Click,  &TForm1::Frame101Button5Click, &TForm1::Frame101Button6Click,
        &TForm1::Frame101Button7Click,  &TForm1::Frame101Button8Click, &TForm1::Frame101Button9Click,
        &TForm1::Frame101Button10Click, &TForm1::Frame101Button11Click};
    for (int button = 1; button <= TFrame10::kPresetButtons; ++button)
        onClick(Frame101->button(button), presets[button - 1]);
    connect(Frame101->checkBox(kSidBox), &QCheckBox::toggled, this, [this] { Frame101CheckBox14Click(); });
    onClick(Frame101->SpeedButton1, &TForm1::Frame101SpeedButton1Click);

    onClick(Frame111->SpeedButton1, &TForm1::Frame111SpeedButton1Click);
    onClick(Frame111->SpeedButton2, &TForm1::Frame111SpeedButton2Click);
}

void TForm1::prepareSettingsSubPages()
{
    for (int number = 1; number <= TFrame8::kRows; ++number)
        SetControlColour(Frame81->checkBox(number), kNmeaBoxColour);
    for (LoggingCriterion criterion : kCriteria) {
        SetControlColour(Frame91->checkBoxOf(criterion), kCriteriaBoxColour);
        Frame91->editOf(criterion)->setText("10");
    }
    for (int number = 1; number <= TFrame10::kGroupBoxes; ++number)
        SetControlColour(Frame101->groupBox(number), kFormatGroupColour);
    SetControlColour(Frame111->GroupBox1, kMethodGroupColour);
    for (int box = 15; box <= 17; ++box)
        Frame101->checkBox(box)->setEnabled(false);
}

void TForm1::SetMethodButtons(bool overwriteClickable, bool stopClickable)
{
    Frame111->setMethodButtons(overwriteClickable, stopClickable);
}

// ---- NMEA output page ----

void TForm1::Frame81CheckBox1Click()
{
    KeepFixedBoxGrayed(*Frame81, NmeaRow::Gga);
}

void TForm1::Frame81CheckBox3Click()
{
    KeepFixedBoxGrayed(*Frame81, NmeaRow::Gsa);
}

void TForm1::Frame81CheckBox4Click()
{
    KeepFixedBoxGrayed(*Frame81, NmeaRow::Gsv);
}

void TForm1::Frame81CheckBox5Click()
{
    KeepFixedBoxGrayed(*Frame81, NmeaRow::Rmc);
}

void TForm1::Frame81SpeedButton1Click()
{
    exclusively([this] {
        const SettingsResult result = ApplyNmeaPeriods(*Frame81, Connected(), link_, dialogs_);
        ShowSettingsResult(result, dialogs_);
        if (result.outcome == SettingsResult::Outcome::Declined)
            RequestNmeaPeriods(link_);
    });
}

// ---- logging-criteria page ----

void TForm1::Frame91Edit1KeyPress(char& key)
{
    if (!IntervalKeyPress(*Frame91, Time, key))
        key = 0;
}

void TForm1::Frame91Edit2KeyPress(char& key)
{
    if (!IntervalKeyPress(*Frame91, Distance, key))
        key = 0;
}

void TForm1::Frame91Edit3KeyPress(char& key)
{
    if (!IntervalKeyPress(*Frame91, Speed, key))
        key = 0;
}

void TForm1::Frame91Edit1Enter()
{
    EnterIntervalEdit(*Frame91, Time);
}

void TForm1::Frame91Edit2Enter()
{
    EnterIntervalEdit(*Frame91, Distance);
}

void TForm1::Frame91Edit3Enter()
{
    EnterIntervalEdit(*Frame91, Speed);
}

void TForm1::Frame91Edit1Exit()
{
    LeaveIntervalEdit(*Frame91, Time);
}

void TForm1::Frame91Edit2Exit()
{
    LeaveIntervalEdit(*Frame91, Distance);
}

void TForm1::Frame91Edit3Exit()
{
    LeaveIntervalEdit(*Frame91, Speed);
}

void TForm1::Frame91ScrollBar1Change()
{
    IntervalSliderMoved(*Frame91);
}

void TForm1::Frame91SpeedButton1Click()
{
    exclusively([this] {
        const SettingsResult result = ApplyLogCriteria(*Frame91, Connected(), link_, dialogs_);
        ShowSettingsResult(result, dialogs_);
        if (result.outcome == SettingsResult::Outcome::Declined)
            RequestLogCriteria(*Frame91, link_);
    });
}

// ---- log-format page ----

void TForm1::Frame101Button1Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::Gga);
}

void TForm1::Frame101Button2Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::Gll);
}

void TForm1::Frame101Button3Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::Gsa);
}

void TForm1::Frame101Button4Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::Gsv);
}

void TForm1::Frame101Button5Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::Rmc);
}

void TForm1::Frame101Button6Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::Vtg);
}

void TForm1::Frame101Button7Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::Zda);
}

void TForm1::Frame101Button8Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::SelectAll);
}

void TForm1::Frame101Button9Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::ClearAll);
}

void TForm1::Frame101Button10Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::SelectDefault);
}

void TForm1::Frame101Button11Click()
{
    ApplyFormatPreset(*Frame101, FormatPreset::GoogleEarth);
}

void TForm1::Frame101CheckBox14Click()
{
    UpdateSatelliteDetailBoxes(*Frame101);
}

void TForm1::Frame101SpeedButton1Click()
{
    exclusively([this] {
        ShowSettingsResult(ApplyLogFormat(*Frame101, Connected(), link_, [this] { return ConfirmErase(); }), dialogs_);
    });
}

// ---- recording-method page ----

void TForm1::Frame111SpeedButton1Click()
{
    exclusively([this] {
        ShowSettingsResult(ChooseOverwriteMethod(*Frame111, loggerStatus_, link_, [this] { ProbeLastSector(link_); }),
                           dialogs_);
    });
}

void TForm1::Frame111SpeedButton2Click()
{
    exclusively([this] { ShowSettingsResult(ChooseStopMethod(*Frame111, loggerStatus_, link_), dialogs_); });
}
