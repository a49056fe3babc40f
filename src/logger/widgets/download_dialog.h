// TForm2, "Download Progress": shows the download's gauge, the elapsed time
// and the close countdown, and forwards its timer, Cancel and close box to
// the dialog's behaviour (DownloadProgress).
#pragma once

#include "logger/dialog_timings.h"
#include "logger/download_progress.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    // gauge: the download's own, shown live as it advances.
    TForm2(ProgressGauge& gauge, const DialogTimings& timings, QWidget* parent = nullptr);
    ~TForm2() override;

    DownloadProgress& progress() { return progress_; }

    QProgressBar* CGauge1;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Button1;
    QTimer* Timer1;

    // Told on every tick before the dialog looks at the gauge.
    std::function<void()> onTick;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Timer1Timer();
    void showGauge();
    void showLabels();

    ProgressGauge& gauge_;
    DownloadProgress progress_;
};
