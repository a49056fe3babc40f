// TFrame5: the about page.
#pragma once

#include "widgets/page_frame.h"

class QLabel;

class TFrame5 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame5(QWidget* parent);

    QLabel* Label1; // "Update:  "
    QLabel* Label2; // "Version:  "
};
