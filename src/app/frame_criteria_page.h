// TFrame9: the logging-criteria sub-page (pages helper) — placeholder until its owner fills it in.
#pragma once

#include "app/frame_settings_page.h"
#include "app/page_frame.h"

class TFrame9 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame9(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace()) {}
};
