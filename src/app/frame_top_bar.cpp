#include "app/frame_top_bar.h"

TFrame1::TFrame1(QWidget* parent) : PageFrame(parent, QRect(16, 88, 760, 72), Qt::white)
{
    MakeButtonPair(this, QRect(0, 0, 179, 72), "Settings", ButtonLook::Selected, &SpeedButton1, &SpeedButton5);
    MakeButtonPair(this, QRect(179, 0, 254, 72), "Live View", ButtonLook::Selected, &SpeedButton2, &SpeedButton6);
    MakeButtonPair(this, QRect(433, 0, 167, 72), "Log", ButtonLook::Selected, &SpeedButton3, &SpeedButton7);
    MakeButtonPair(this, QRect(600, 0, 160, 72), "About", ButtonLook::Selected, &SpeedButton4, &SpeedButton8);
}

ButtonPair TFrame1::pair(int index) const
{
    const ButtonPair pairs[] = {{SpeedButton1, SpeedButton5},
                                {SpeedButton2, SpeedButton6},
                                {SpeedButton3, SpeedButton7},
                                {SpeedButton4, SpeedButton8}};
    return pairs[index];
}
