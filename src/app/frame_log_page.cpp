#include "app/frame_log_page.h"

#include "decode/track_options.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

namespace {
constexpr int kRow = 22;
QRect CaptionPlace(int line)
{
    return QRect(8, 28 + line * kRow, 118, 20);
}
QRect ValuePlace(int line)
{
    return QRect(128, 28 + line * kRow, 118, 20);
}
} // namespace

TFrame4::TFrame4(QWidget* parent) : PageFrame(parent, QRect(16, 168, 760, 392))
{
    Label1 = MakeLabel(this, QRect(8, 4, 200, 20), "Log Information:", true);
    Label2 = MakeLabel(this, CaptionPlace(0), "Status:");
    Label3 = MakeLabel(this, CaptionPlace(1), "Time:");
    Label4 = MakeLabel(this, CaptionPlace(2), "Distance:");
    Label5 = MakeLabel(this, CaptionPlace(3), "Speed:");
    Label10 = MakeLabel(this, CaptionPlace(4), "Recording Method:");
    Label12 = MakeLabel(this, CaptionPlace(5), "Record Count:");
    Label14 = MakeLabel(this, CaptionPlace(6), "Memory Used:");
    Label6 = MakeLabel(this, ValuePlace(0), "", true);
    Label7 = MakeLabel(this, ValuePlace(1), "", true);
    Label8 = MakeLabel(this, ValuePlace(2), "", true);
    Label9 = MakeLabel(this, ValuePlace(3), "", true);
    Label11 = MakeLabel(this, ValuePlace(4), "", true);
    Label13 = MakeLabel(this, ValuePlace(5), "", true);
    CGauge1 = new QProgressBar(this);
    CGauge1->setGeometry(ValuePlace(6));
    CGauge1->setRange(0, 100);
    CGauge1->setValue(0);
    CGauge1->setFormat("%p%");
    Button1 = new QPushButton("Reset", this);
    Button1->setGeometry(8, 28 + 7 * kRow, 80, 22);
    Button1->setVisible(false);
    FilterButton = new QPushButton("Filter...", this);
    FilterButton->setGeometry(QRect(ValuePlace(7).topLeft(), QSize(118, 22)));

    GroupBox1 = MakeGroupBox(this, QRect(8, 208, 240, 130), "String Grid Option");
    MakeLabel(GroupBox1, QRect(10, 20, 140, 20), "Day Light Saving Time:");
    CSpinEdit1 = new QSpinBox(GroupBox1);
    CSpinEdit1->setGeometry(160, 20, 66, 22);
    CSpinEdit1->setRange(kMinTimeShiftHours, kMaxTimeShiftHours);
    MakeLabel(GroupBox1, QRect(10, 46, 140, 20), "Speed Unit:");
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setGeometry(160, 46, 66, 22);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({"km/h", "mph"});
    MakeLabel(GroupBox1, QRect(10, 72, 140, 20), "GPS Week Rollover:");
    CSpinEdit2 = new QSpinBox(GroupBox1);
    CSpinEdit2->setGeometry(160, 72, 66, 22);
    CSpinEdit2->setRange(0, kMaxWeekRollovers);
    Button2 = new QPushButton("Updating Grid Now !!", GroupBox1);
    Button2->setGeometry(10, 98, 216, 26);

    StringGrid1 = new QTableView(this);
    StringGrid1->setGeometry(256, 4, 496, 298);
    Label15 = MakeLabel(this, QRect(256, 304, 496, 34), "");
    Label15->setWordWrap(true);
    Label15->setStyleSheet("color: #a00000;");
    StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    StringGrid1->verticalHeader()->setMinimumSectionSize(18);

    const char* captions[] = {"Start Log", "Stop Log", "Download", "Erase", "Save", "Open", "Draw"};
    ImageButton** clickable[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3, &SpeedButton4,
                                 &SpeedButton5, &SpeedButton6, &SpeedButton7};
    ImageButton** twins[] = {&SpeedButton8,  &SpeedButton9,  &SpeedButton10, &SpeedButton11,
                             &SpeedButton12, &SpeedButton13, &SpeedButton14};
    for (int i = 0; i < 7; ++i)
        MakeButtonPair(this, QRect(16 + 104 * i, 344, 105, 38), captions[i], ButtonLook::Inactive, clickable[i],
                       twins[i]);
}

ButtonPair TFrame4::pair(int index) const
{
    const ButtonPair pairs[] = {{SpeedButton1, SpeedButton8},  {SpeedButton2, SpeedButton9},
                                {SpeedButton3, SpeedButton10}, {SpeedButton4, SpeedButton11},
                                {SpeedButton5, SpeedButton12}, {SpeedButton6, SpeedButton13},
                                {SpeedButton7, SpeedButton14}};
    return pairs[index];
}
