#include "logger/widgets/erase_dialog.h"

#include "widgets/page_frame.h"
#include "logger/widgets/pie_gauge.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>

TForm4::TForm4(EraseProgress& progress, const DialogTimings& timings, QWidget* parent)
    : QDialog(parent), progress_(progress)
{
    setWindowTitle("Erasing Progress");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::CustomizeWindowHint);
    setFixedSize(288, 97);

    auto* panel = new QFrame(this);
    panel->setGeometry(8, 8, 272, 81);
    panel->setFrameShape(QFrame::StyledPanel);
    CGauge1 = new PieGauge(panel, Qt::red);
    CGauge1->setGeometry(12, 12, 57, 57);
    Label1 = MakeLabel(panel, QRect(80, 12, 184, 20), QString::fromStdString(progress.label1()), true);
    Label2 = MakeLabel(panel, QRect(80, 34, 184, 36), QString::fromStdString(progress.label2()), true);
    CGauge1->setValue(progress.gauge().progress());

    progress_.onEnd = [this] { done(QDialog::Accepted); };
    Timer1 = new QTimer(this);
    Timer1->setInterval(timings.eraseTick);
    connect(Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
    Timer1->start();
}

void TForm4::Timer1Timer()
{
    progress_.Timer1Timer();
    if (!progress_.timerEnabled())
        Timer1->stop();
    CGauge1->setValue(progress_.gauge().progress());
}

// Only the dialog's own end closes it (done() does not come through here).
void TForm4::closeEvent(QCloseEvent* event)
{
    event->ignore();
}
