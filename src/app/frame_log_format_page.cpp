#include "app/frame_log_format_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace {
struct BoxText {
    const char* caption;
    const char* hint;
};

// CheckBox1 .. CheckBox20.
const BoxText kBoxTexts[kFormatBoxCount] = {
    {"Date / Time", ""},
    {"Valid", ""},
    {"Latitude", ""},
    {"Longitude", ""},
    {"Height", ""},
    {"Speed", ""},
    {"Heading", ""},
    {"DSTA", ""},
    {"DAGE", ""},
    {"PDOP", ""},
    {"HDOP", ""},
    {"VDOP", ""},
    {"NSAT", "Number(s) of satellite in view and in used"},
    {"SID", "Satellite ID"},
    {"Elevation", "Elevation of satellite"},
    {"Azimuth", "Azimuth of satellite"},
    {"SNR", ""},
    {"RCR", ""},
    {"Distance", ""},
    {"Mili - Second", ""},
};

struct GroupPlace {
    const char* caption;
    QRect place;
};

// GroupBox1 .. GroupBox10.
const GroupPlace kGroups[TFrame10::kGroupBoxes] = {
    {"UTC", QRect(16, 128, 153, 65)},         {"Fixed Mode", QRect(16, 200, 153, 41)},
    {"Navigation", QRect(16, 248, 153, 137)}, {"Differential Data", QRect(192, 128, 153, 65)},
    {"DOP", QRect(192, 200, 153, 89)},        {"Satellite Information", QRect(368, 128, 185, 137)},
    {"Method", QRect(192, 296, 153, 41)},     {"Other", QRect(192, 344, 153, 41)},
    {"Select NMEA", QRect(16, 32, 249, 81)},  {"Other", QRect(280, 32, 281, 81)},
};

const char* const kPresetCaptions[TFrame10::kPresetButtons] = {"GGA",
                                                               "GLL",
                                                               "GSA",
                                                               "GSV",
                                                               "RMC",
                                                               "VTG",
                                                               "ZDA",
                                                               "Select all",
                                                               "Clear all",
                                                               "Select Default",
                                                               "Select for Google Earth"};

QRect PresetPlace(int button)
{
    if (button <= 7) {
        const int index = button - 1;
        return QRect(16 + 56 * (index % 4), 16 + 32 * (index / 4), 49, 25);
    }
    if (button <= 10)
        return QRect(8 + 88 * (button - 8), 16, 81, 25);
    return QRect(8, 48, 257, 25);
}
} // namespace

TFrame10::TFrame10(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace())
{
    // The page is laid out for the window's 11-pixel design font; larger
    // system fonts would not fit its buttons.
    QFont designFont = font();
    designFont.setPixelSize(11);
    setFont(designFont);
    for (int group = 1; group <= kGroupBoxes; ++group)
        groupBoxes_[group - 1] = MakeGroupBox(this, kGroups[group - 1].place, kGroups[group - 1].caption);
    addBoxes(1, {1, 20});
    addBoxes(2, {2});
    addBoxes(3, {3, 4, 5, 6, 7});
    addBoxes(4, {8, 9});
    addBoxes(5, {10, 11, 12});
    addBoxes(6, {13, 14, 15, 16, 17});
    addBoxes(7, {18});
    addBoxes(8, {19});
    for (int button = 1; button <= kPresetButtons; ++button) {
        QWidget* group = groupBox(button <= 7 ? 9 : 10);
        auto* preset = new QPushButton(kPresetCaptions[button - 1], group);
        preset->setGeometry(PresetPlace(button));
        buttons_[button - 1] = preset;
    }
    QFont bold = button(11)->font();
    bold.setBold(true);
    button(11)->setFont(bold);
    button(11)->setStyleSheet("color: blue;");
    SpeedButton1 = new ImageButton(this, QRect(376, 336, 182, 42), "Apply", ButtonLook::Normal);
}

void TFrame10::addBoxes(int group, std::initializer_list<int> boxes)
{
    int row = 0;
    const int width = groupBox(group)->width() - 24;
    for (int box : boxes) {
        QCheckBox* check =
            MakeCheckBox(groupBox(group), QRect(16, 16 + 24 * row++, width, 17), kBoxTexts[box - 1].caption);
        check->setToolTip(kBoxTexts[box - 1].hint);
        checkBoxes_[box - 1] = check;
    }
}

bool TFrame10::formatBoxChecked(int box) const
{
    return checkBox(box)->isChecked();
}

void TFrame10::setFormatBoxChecked(int box, bool checked)
{
    checkBox(box)->setChecked(checked);
}

void TFrame10::setFormatBoxEnabled(int box, bool enabled)
{
    checkBox(box)->setEnabled(enabled);
}

void TFrame10::fillLogFormatBoxes(const std::array<bool, kFormatBoxCount>& checked)
{
    ShowFormatBoxes(*this, checked);
}
