// TFrame3: the live page — raw sentences, the fix texts, the sky plot and
// signal chart, and the receiver restart buttons.
#pragma once

#include "app/image_button.h"
#include "widgets/page_frame.h"
#include "link/live_view.h"
#include "link/widgets/signal_bar_chart.h"
#include "link/widgets/sky_plot_chart.h"

#include <array>
#include <string>

class QLineEdit;
class QPlainTextEdit;

class TFrame3 : public PageFrame {
    Q_OBJECT
public:
    static constexpr int kLabeledEdits = 10;

    explicit TFrame3(QWidget* parent);

    QPlainTextEdit* Memo1; // raw sentences
    SkyPlotChart* Chart1;
    SignalBarChart* Chart2;
    // Restart hot, warm, cold; 4-6 their inactive twins.
    ImageButton *SpeedButton1, *SpeedButton2, *SpeedButton3;
    ImageButton *SpeedButton4, *SpeedButton5, *SpeedButton6;

    // Numbered from 1: Date, Time, Mode, TTFF, Latitude, Longitude, Speed, PDOP, VDOP, HDOP.
    QLineEdit* labeledEdit(int number) const { return edits_.at(number - 1); }
    QLabel* editLabel(int number) const { return captions_.at(number - 1); }
    QLabel* Label1; // says when the receiver's clock is a GPS week rollover behind; empty when not
    ButtonPair restartPair(int index) const; // 0 hot, 1 warm, 2 cold

    // One refresh: the sentence into the memo, the texts, and new charts when drawn.
    void showLiveView(const std::string& sentenceText, const LiveViewUpdate& update);

private:
    std::array<QLineEdit*, kLabeledEdits> edits_{};
    std::array<QLabel*, kLabeledEdits> captions_{};
};
