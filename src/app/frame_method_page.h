// TFrame11: the recording-method sub-page (pages helper) — placeholder until its owner fills it in.
#pragma once

#include "app/frame_settings_page.h"
#include "app/page_frame.h"

class TFrame11 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame11(QWidget* parent) : PageFrame(parent, SettingsSubPagePlace()) {}
};
