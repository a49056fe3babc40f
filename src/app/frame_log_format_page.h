// TFrame10: the log-format sub-page (pages helper) — placeholder until its owner fills it in.
#pragma once

#include "app/frame_settings_page.h"
#include "app/page_frame.h"

class TFrame10 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame10(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace()) {}
};
