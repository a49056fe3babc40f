// TFrame8: the NMEA output sub-page, one row per sentence kind with a
// three-state check box and an output period of 1 to 5 seconds.
#pragma once

#include "app/frame_settings_page.h"
#include "app/image_button.h"
#include "widgets/page_frame.h"
#include "logger/nmea_output_page.h"

#include <QSpinBox>

#include <array>

// A whole-number spin edit that lets any number be typed and brings it to
// the nearer limit when it is left or set.
class PeriodSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    PeriodSpinEdit(QWidget* parent, const QRect& place);
    // The value the text stands for, limited to the range.
    int period() const;

protected:
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;
};

class TFrame8 : public PageFrame, public NmeaOutputView {
    Q_OBJECT
public:
    static constexpr int kRows = 7;

    explicit TFrame8(QWidget* parent);

    // Numbered from 1: GGA, GLL, GSA, GSV, RMC, VTG, ZDA.
    QCheckBox* checkBox(int number) const { return checkBoxes_.at(number - 1); }
    PeriodSpinEdit* cSpinEdit(int number) const { return spinEdits_.at(number - 1); }
    QLabel *Label1, *Label2;
    ImageButton* SpeedButton1; // apply

    BoxState periodBoxState(NmeaRow row) const override;
    void setPeriodBoxState(NmeaRow row, BoxState state) override;
    int periodValue(NmeaRow row) const override;
    void setPeriodValue(NmeaRow row, int seconds) override;
    // The period report.
    void fillNmeaPeriods(const Sentences::NmeaPeriods& periods);

private:
    std::array<QCheckBox*, kRows> checkBoxes_{};
    std::array<PeriodSpinEdit*, kRows> spinEdits_{};
};
