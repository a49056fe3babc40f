// TForm4, "Erasing Progress": a red pie turning while the logger erases,
// closed by the erase acknowledgement or the time-out. The user cannot close
// it. Its behaviour is EraseProgress; this only shows it.
#pragma once

#include "logger/dialog_timings.h"
#include "logger/memory_erase.h"

#include <QDialog>

class PieGauge;
class QLabel;
class QTimer;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4(EraseProgress& progress, const DialogTimings& timings, QWidget* parent = nullptr);

    PieGauge* CGauge1;
    QLabel* Label1;
    QLabel* Label2;
    QTimer* Timer1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    void Timer1Timer();

    EraseProgress& progress_;
};
