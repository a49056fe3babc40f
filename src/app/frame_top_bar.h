// TFrame1: the bar of four page buttons above the pages.
#pragma once

#include "app/image_button.h"
#include "widgets/page_frame.h"

class TFrame1 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame1(QWidget* parent);

    // 1 settings, 2 live, 3 log, 4 about; 5-8 their selected twins.
    ImageButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4;
    ImageButton *SpeedButton5, *SpeedButton6, *SpeedButton7, *SpeedButton8;

    ButtonPair pair(int index) const; // 0..3
};
