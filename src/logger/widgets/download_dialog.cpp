#include "logger/widgets/download_dialog.h"

#include "widgets/page_frame.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

TForm2::TForm2(ProgressGauge& gauge, const DialogTimings& timings, QWidget* parent)
    : QDialog(parent), gauge_(gauge), progress_(gauge, timings)
{
    setWindowTitle("Download Progress");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(392, 148);

    auto* panel = new QFrame(this);
    panel->setGeometry(8, 8, 376, 132);
    panel->setFrameShape(QFrame::StyledPanel);
    CGauge1 = new QProgressBar(panel);
    CGauge1->setGeometry(12, 12, 352, 24);
    CGauge1->setFormat("%p%");
    CGauge1->setAlignment(Qt::AlignCenter);
    Label1 = MakeLabel(panel, QRect(12, 44, 352, 20), "", true);
    Label2 = MakeLabel(panel, QRect(12, 66, 352, 20), "", true);
    Button1 = new QPushButton("Cancel", panel);
    Button1->setGeometry(144, 96, 88, 26);
    connect(Button1, &QPushButton::clicked, this, [this] { progress_.button1Click(); });

    progress_.onClose = [this] { done(QDialog::Rejected); };
    gauge_.onChanged = [this] { showGauge(); };
    showGauge();
    showLabels();

    Timer1 = new QTimer(this);
    Timer1->setInterval(timings.downloadTick);
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    Timer1->start();
}

TForm2::~TForm2()
{
    gauge_.onChanged = nullptr;
}

void TForm2::Timer1Timer()
{
    if (onTick)
        onTick();
    progress_.Timer1Timer();
    showLabels();
}

void TForm2::showGauge()
{
    CGauge1->setRange(0, gauge_.max());
    CGauge1->setValue(gauge_.progress());
}

void TForm2::showLabels()
{
    Label1->setText(QString::fromStdString(progress_.label1()));
    Label2->setText(QString::fromStdString(progress_.label2()));
}

void TForm2::closeEvent(QCloseEvent* event)
{
    event->accept();
    progress_.FormClose();
}

// Escape closes the window like its close box.
void TForm2::reject()
{
    progress_.FormClose();
}
