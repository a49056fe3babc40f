// TForm1: the port page — open, close and scan — and the receive thread.
#include "app/main_window.h"

#include "core/app_error.h"
#include "app/frame_port_page.h"
#include "app/port_page_failure.h"
#include "link/port_failure.h"
#include "link/port_open.h"
#include "link/receive_thread.h"
#include "link/scan_entry.h"
#include "link/sentences.h"
#include "link/serial_port.h"
#include "logger/log_download.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace {
const QColor kOpenedColour(0, 128, 0);
const QColor kFailedColour(255, 0, 0);
const QColor kClosedColour(255, 255, 255);
} // namespace

void TForm1::connectPortHandlers()
{
    onClick(Frame71->SpeedButton1, &TForm1::Frame71SpeedButton1Click);
    onClick(Frame71->SpeedButton2, &TForm1::Frame71SpeedButton2Click);
    onClick(Frame71->Button1, &TForm1::Frame71Button1Click);
}

void TForm1::Frame71SpeedButton1Click()
{
    exclusively([this] { ClosePort(); });
}

void TForm1::Frame71SpeedButton2Click()
{
    exclusively([this] { OpenPort(); });
}

void TForm1::Frame71Button1Click()
{
    exclusively([this] { ScanPorts(); });
}

void TForm1::OpenPort()
{
    if (link_.PortHandle != DeviceLinkState::kNoPort)
        return;
    if (Frame71->ComboBox1->count() <= 0) {
        dialogs_.error("No device is connected to com port!");
        return;
    }
    const std::string portText = Frame71->ComboBox1->currentText().toStdString();
    const PortOpenResult result = OpenPortSteps(portText, Frame71->ComboBox2->currentText().toStdString());
    if (!result.succeeded()) {
        reportPortFailure(result);
        return;
    }
    link_.PortHandle = result.handle;
    link_.PortName = result.portName;
    link_.PortLost = false;
    portBaud_ = Frame71->ComboBox2->currentText().toInt();
    Frame71->Shape1->setFillColour(kOpenedColour);
    link_.Downloading = false;
    // An erase or memory report of an earlier connection does not hold for this one.
    link_.Erasing = false;
    link_.DownloadEndKnown = false;
    // Nor does what the last logger said of itself.
    link_.ModelAsked = false;
    link_.Model.reset();
    link_.QueryRefusals = 0;
    link_.TtffCount = 0;
    forgetReceiverClock();
    // The reader hands each sentence over and waits; the hand-over is served
    // by any event loop of this thread, modal dialogs' included. Its report of
    // a device gone is only posted: the port is closed from the event loop.
    const unsigned generation = ++portGeneration_;
    thread_ = std::make_unique<Thread1>(
        result.handle, link_, *this,
        [this](std::function<void()> job) {
            // invokeMethod reports success even when the job never ran.
            bool ran = false;
            QMetaObject::invokeMethod(
                this,
                [this, &job, &ran] {
                    ran = true;
                    guarded(job);
                },
                Qt::BlockingQueuedConnection);
            return ran;
        },
        [this, generation] {
            QMetaObject::invokeMethod(
                this,
                [this, generation] {
                    guarded([&] {
                        if (generation == portGeneration_)
                            portLost();
                    });
                },
                Qt::QueuedConnection);
        });
    thread_->start();
    setConnectButtons(true);
    setRestartButtons(true);
    SetLogPageButtons({false, false, true, true, true, true, true});
    ShowMainPage(MainPage::Live);
    SendSentence(link_, Sentences::QueryStatus);
    SendSentence(link_, Sentences::QueryFlashId);
}

void TForm1::reportPortFailure(const PortOpenResult& result)
{
    const PortPageFailure failure = PortPageFailureOf(result);
    if (failure.turnsShapeRed)
        Frame71->Shape1->setFillColour(kFailedColour);
    throw AppError(failure.text);
}

void TForm1::portLost()
{
    if (link_.PortHandle == DeviceLinkState::kNoPort)
        return;
    link_.PortLost = true;
    if (download_)
        download_->checkStall();
    closeLostPort();
}

// Never waits: an action or a hand-over may be running below this call, and
// the reader may still be handing a sentence over; until both are done it
// looks again from the event loop.
void TForm1::closeLostPort()
{
    if (!link_.PortLost || link_.PortHandle == DeviceLinkState::kNoPort || actionRunning_)
        return;
    if (thread_)
        thread_->requestStop();
    if (thread_ && !thread_->isFinished()) {
        QTimer::singleShot(10, this, [this] { closeLostPort(); });
        return;
    }
    ClosePort();
    dialogs_.warning(PortLostText(link_.PortName));
}

void TForm1::ClosePort()
{
    setRestartButtons(false);
    setConnectButtons(false);
    stopReceiveThread();
    SerialPort::Close(link_.PortHandle);
    link_.PortHandle = DeviceLinkState::kNoPort;
    Frame71->Shape1->setFillColour(kClosedColour);
}

void TForm1::stopReceiveThread()
{
    if (!thread_)
        return;
    thread_->requestStop();
    // The reader may be waiting in a hand-over to this thread: keep serving
    // events until it has left its loop, then join.
    while (!thread_->isFinished()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    thread_->wait();
    thread_.reset();
}

void TForm1::ScanPorts()
{
    if (Connected()) {
        dialogs_.warning("Before scanning, please disconnect first.");
        return;
    }
    QComboBox* ports = Frame71->ComboBox1;
    ports->clear();
    ports->setEditText("");
    Frame71->Label3->setText("Scanning...");
    Frame71->Label3->repaint();
    for (const std::string& entry : ScanPortEntries()) {
        ports->addItem(QString::fromStdString(entry));
        if (ports->count() == 1)
            ports->setEditText(QString::fromStdString(entry));
    }
    Frame71->Label3->setText("");
    if (ports->count() == 0)
        dialogs_.error("No com port had found out.");
}
