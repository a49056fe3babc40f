// TFrame11: the recording-method sub-page, overwrite or stop when the
// logger's memory is full, as two button pairs.
#pragma once

#include "app/frame_settings_page.h"
#include "app/image_button.h"
#include "widgets/page_frame.h"
#include "logger/method_page.h"

class TFrame11 : public PageFrame, public MethodView {
    Q_OBJECT
public:
    explicit TFrame11(QWidget* parent);

    QGroupBox* GroupBox1;
    ImageButton* SpeedButton1; // overwrite, clickable
    ImageButton* SpeedButton2; // stop, clickable
    ImageButton* SpeedButton3; // overwrite, selected
    ImageButton* SpeedButton4; // stop, selected

    void setMethodButtons(bool overwriteClickable, bool stopClickable) override;
};
