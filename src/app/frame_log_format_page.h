// TFrame10: the log-format sub-page, twenty field boxes in ten groups, the
// preset buttons and the apply button.
#pragma once

#include "app/frame_settings_page.h"
#include "app/image_button.h"
#include "widgets/page_frame.h"
#include "logger/log_format_page.h"

#include <array>

class QPushButton;

class TFrame10 : public PageFrame, public LogFormatView {
    Q_OBJECT
public:
    static constexpr int kGroupBoxes = 10;
    static constexpr int kPresetButtons = 11;

    explicit TFrame10(QWidget* parent);

    // Numbered from 1, as on the page.
    QCheckBox* checkBox(int number) const { return checkBoxes_.at(number - 1); }
    QGroupBox* groupBox(int number) const { return groupBoxes_.at(number - 1); }
    QPushButton* button(int number) const { return buttons_.at(number - 1); }
    ImageButton* SpeedButton1; // apply

    bool formatBoxChecked(int box) const override;
    void setFormatBoxChecked(int box, bool checked) override;
    void setFormatBoxEnabled(int box, bool enabled) override;
    // The format reply.
    void fillLogFormatBoxes(const std::array<bool, kFormatBoxCount>& checked);

private:
    void addBoxes(int group, std::initializer_list<int> boxes);

    std::array<QCheckBox*, kFormatBoxCount> checkBoxes_{};
    std::array<QGroupBox*, kGroupBoxes> groupBoxes_{};
    std::array<QPushButton*, kPresetButtons> buttons_{};
};
