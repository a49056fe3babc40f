// TFrame3: the live page (replies helper) — placeholder until its owner fills it in.
#pragma once

#include "app/frame_settings_page.h"
#include "app/page_frame.h"

class TFrame3 : public PageFrame {
    Q_OBJECT
public:
    explicit TFrame3(QWidget* parent) : PageFrame(parent, QRect(16, 168, 760, 392)) {}
};
