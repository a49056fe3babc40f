// TFrame6: the settings page's menu of its five sub-pages.
#pragma once

#include "app/image_button.h"
#include "widgets/page_frame.h"

class TFrame6 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame6(QWidget* parent);

    // 1 port, 2 NMEA output, 3 logging criteria, 4 log format, 5 recording
    // method; 6-10 their selected twins.
    ImageButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5;
    ImageButton *SpeedButton6, *SpeedButton7, *SpeedButton8, *SpeedButton9, *SpeedButton10;

    ButtonPair pair(int index) const; // 0..4
};
