// TFrame2: the settings page, holding the menu and the five sub-pages.
#pragma once

#include "widgets/page_frame.h"

class TFrame2 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame2(QWidget* parent) : PageFrame(parent, QRect(16, 168, 760, 392)) {}
};

// Place of every sub-page inside the settings page.
inline QRect SettingsSubPagePlace()
{
    return QRect(178, 0, 582, 392);
}
