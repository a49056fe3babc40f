// TFrame4: the log page — logger status, the track table and its files.
#pragma once

#include "app/image_button.h"
#include "widgets/page_frame.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QGroupBox;

class TFrame4 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame4(QWidget* parent);

    // "Log Information:" block: captions Label2-5, 10, 12, 14 and their values.
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label10, *Label12, *Label14;
    QLabel *Label6, *Label7, *Label8, *Label9, *Label11, *Label13;
    QProgressBar* CGauge1;     // memory used, percent
    QPushButton* Button1;      // "Reset", shown after a logger error
    QPushButton* FilterButton; // opens the "Filter" dialog of the save and the draw

    // "String Grid Option"
    QGroupBox* GroupBox1;
    QSpinBox* CSpinEdit1; // time shift hours, -12..14
    QComboBox* ComboBox1; // speed unit
    QSpinBox* CSpinEdit2; // GPS week rollovers, 0..3
    QPushButton* Button2; // "Updating Grid Now !!"

    QTableView* StringGrid1;
    QLabel* Label15; // the week-rollover hint under the grid; empty when none

    // 1 start, 2 stop, 3 download, 4 erase, 5 save, 6 open, 7 draw; 8-14 inactive twins.
    ImageButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5, *SpeedButton6, *SpeedButton7;
    ImageButton *SpeedButton8, *SpeedButton9, *SpeedButton10, *SpeedButton11, *SpeedButton12, *SpeedButton13,
        *SpeedButton14;

    ButtonPair pair(int index) const; // 0..6
};
