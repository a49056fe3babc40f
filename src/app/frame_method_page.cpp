#include "app/frame_method_page.h"

#include <QGroupBox>

TFrame11::TFrame11(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace())
{
    GroupBox1 = MakeGroupBox(this, QRect(24, 56, 313, 129), "Recording Method");
    MakeButtonPair(GroupBox1, QRect(16, 24, 280, 42), "Overwrite when memory is full", ButtonLook::Selected,
                   &SpeedButton1, &SpeedButton3);
    MakeButtonPair(GroupBox1, QRect(16, 72, 280, 42), "Stop logging when memory is full", ButtonLook::Selected,
                   &SpeedButton2, &SpeedButton4);
}

void TFrame11::setMethodButtons(bool overwriteClickable, bool stopClickable)
{
    ButtonPair{SpeedButton1, SpeedButton3}.setActive(overwriteClickable);
    ButtonPair{SpeedButton2, SpeedButton4}.setActive(stopClickable);
}
