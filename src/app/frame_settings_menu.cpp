#include "app/frame_settings_menu.h"

TFrame6::TFrame6(QWidget* parent) : PageFrame(parent, QRect(0, 0, 177, 392), QColor(222, 230, 240))
{
    auto place = [](int y) { return QRect(4, y, 166, 30); };
    MakeButtonPair(this, place(48), "Com Port", ButtonLook::Selected, &SpeedButton1, &SpeedButton6);
    MakeButtonPair(this, place(96), "NMEA Output", ButtonLook::Selected, &SpeedButton2, &SpeedButton7);
    MakeButtonPair(this, place(144), "Logging Criteria", ButtonLook::Selected, &SpeedButton3, &SpeedButton8);
    MakeButtonPair(this, place(192), "Log Format", ButtonLook::Selected, &SpeedButton4, &SpeedButton9);
    MakeButtonPair(this, place(240), "Recording Method", ButtonLook::Selected, &SpeedButton5, &SpeedButton10);
}

ButtonPair TFrame6::pair(int index) const
{
    const ButtonPair pairs[] = {{SpeedButton1, SpeedButton6},
                                {SpeedButton2, SpeedButton7},
                                {SpeedButton3, SpeedButton8},
                                {SpeedButton4, SpeedButton9},
                                {SpeedButton5, SpeedButton10}};
    return pairs[index];
}
