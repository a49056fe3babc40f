// TFrame8: the NMEA output sub-page (pages helper) — placeholder until its owner fills it in.
#pragma once

#include "app/frame_settings_page.h"
#include "app/page_frame.h"

class TFrame8 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame8(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace()) {}
};
