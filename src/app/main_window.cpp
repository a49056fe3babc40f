#include "app/main_window.h"

#include "app/frame_about_page.h"
#include "app/frame_criteria_page.h"
#include "app/frame_live_page.h"
#include "app/frame_log_format_page.h"
#include "app/frame_log_page.h"
#include "app/frame_method_page.h"
#include "app/frame_nmea_output_page.h"
#include "app/frame_port_page.h"
#include "app/frame_settings_menu.h"
#include "app/frame_settings_page.h"
#include "app/frame_top_bar.h"
#include "core/app_error.h"
#include "core/version.h"
#include "app/track_table_model.h"
#include "link/port_failure.h"
#include "link/receive_thread.h"
#include "link/sentences.h"
#include "link/serial_port.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QTimer>

namespace {
constexpr QSize kClientSize(792, 572);

QWidget* MakeBanner(QWidget* parent)
{
    auto* banner = new PageFrame(parent, QRect(16, 8, 760, 80), QColor(40, 90, 170));
    auto* title = MakeLabel(banner, QRect(24, 8, 500, 64), kApplicationTitle, true);
    QFont font = title->font();
    font.setPixelSize(44);
    title->setFont(font);
    title->setStyleSheet("color: white;");
    auto* subtitle = MakeLabel(banner, QRect(420, 44, 320, 24), "GPS data logger utility", true);
    subtitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    subtitle->setStyleSheet("color: rgb(220, 232, 250);");
    return banner;
}
} // namespace

TForm1::TForm1(UserDialogs& dialogs, std::string settingsPath, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), settingsPath_(std::move(settingsPath))
{
    MakeBanner(this);
    Frame11 = new TFrame1(this);
    Frame21 = new TFrame2(this);
    Frame31 = new TFrame3(this);
    Frame41 = new TFrame4(this);
    Frame51 = new TFrame5(this);
    Frame61 = new TFrame6(Frame21);
    Frame71 = new TFrame7(Frame21);
    Frame81 = new TFrame8(Frame21);
    Frame91 = new TFrame9(Frame21);
    Frame101 = new TFrame10(Frame21);
    Frame111 = new TFrame11(Frame21);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    trackTableModel_ = new TrackTableModel(trackTable_, this);
    trackTable_.setColumnCount(15);
    trackTable_.setRowCount(20);
    trackTableModel_->attach(Frame41->StringGrid1);

    connectShellHandlers();
    connectLogPageHandlers();
    connectPortHandlers();
    connectLiveHandlers();
    connectLoggerHandlers();
    connectSettingsPagesHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    stopReceiveThread();
    SerialPort::Close(link_.PortHandle);
    // The grid outlives trackTable_ (children go last); without its model it reads nothing more.
    delete trackTableModel_;
}

void TForm1::FormCreate()
{
    // A fixed client area, centred, with the background painted behind the pages.
    setWindowTitle(kApplicationTitle);
    setFixedSize(kClientSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QPalette palette = this->palette();
    QLinearGradient background(0, 0, 0, kClientSize.height());
    background.setColorAt(0, QColor(214, 226, 242));
    background.setColorAt(1, QColor(176, 196, 224));
    palette.setBrush(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
    // The signal bar chart and the track table grid get their colours.
    colourLiveChart();
    SetControlColour(Frame41->StringGrid1, QColor(217, 241, 244));
    // The about page shows the release date and version.
    Frame51->Label1->setText(Frame51->Label1->text() + "2007/06/14");
    Frame51->Label2->setText(Frame51->Label2->text() + "2.2");
    // The build's own version sits in the tooltip, leaving the page's texts as they are.
    Frame51->Label2->setToolTip(QString::fromStdString("Drovik " + VersionText()));
    // The settings menu sits at the left of its page.
    Frame61->setGeometry(0, 0, 177, 392);
    // The sub-pages' colours, edits and disabled boxes.
    prepareSettingsSubPages();
    // Until the logger reports otherwise, its last sector counts as blank.
    link_.LastSectorBlank = true;
    // The start state: settings page, port sub-page, not connected.
    ShowMainPage(MainPage::Settings);
    showSettingsPage(SettingsPage::Port);
    setRestartButtons(false);
    SetLogPageButtons({false, false, false, false, true, true, true});
    setConnectButtons(false);
    SetMethodButtons(false, false);
    // Last, the port, baud rate and grid options the previous run saved.
    LoadSettings();
}

void TForm1::connectShellHandlers()
{
    onClick(Frame11->SpeedButton1, &TForm1::Frame11SpeedButton1Click);
    onClick(Frame11->SpeedButton2, &TForm1::Frame11SpeedButton2Click);
    onClick(Frame11->SpeedButton3, &TForm1::Frame11SpeedButton3Click);
    onClick(Frame11->SpeedButton4, &TForm1::Frame11SpeedButton4Click);
    onClick(Frame61->SpeedButton1, &TForm1::Frame61SpeedButton1Click);
    onClick(Frame61->SpeedButton2, &TForm1::Frame61SpeedButton2Click);
    onClick(Frame61->SpeedButton3, &TForm1::Frame61SpeedButton3Click);
    onClick(Frame61->SpeedButton4, &TForm1::Frame61SpeedButton4Click);
    onClick(Frame61->SpeedButton5, &TForm1::Frame61SpeedButton5Click);
}

void TForm1::onClick(QAbstractButton* button, void (TForm1::*handler)())
{
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
}

void TForm1::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const PortFailure& failure) {
        if (failure.deviceGone())
            portLost();
        else
            dialogs_.errorReport(failure.what());
    } catch (const std::exception& error) {
        dialogs_.errorReport(error.what());
    }
}

void TForm1::exclusively(const std::function<void()>& action)
{
    if (actionRunning_)
        return;
    actionRunning_ = true;
    guarded(action);
    actionRunning_ = false;
    closeLostPort();
}

void TForm1::ShowMainPage(MainPage page)
{
    QWidget* pages[] = {Frame21, Frame31, Frame41, Frame51};
    for (int i = 0; i < 4; ++i) {
        const bool chosen = i == static_cast<int>(page);
        pages[i]->setVisible(chosen);
        Frame11->pair(i).setActive(!chosen);
    }
}

void TForm1::showSettingsPage(SettingsPage page)
{
    QWidget* pages[] = {Frame71, Frame81, Frame91, Frame101, Frame111};
    for (int i = 0; i < 5; ++i) {
        const bool chosen = i == static_cast<int>(page);
        pages[i]->setVisible(chosen);
        Frame61->pair(i).setActive(!chosen);
    }
}

void TForm1::SetLogPageButtons(const std::array<bool, 7>& active)
{
    for (int i = 0; i < 7; ++i)
        Frame41->pair(i).setActive(active[i]);
}

void TForm1::setConnectButtons(bool connected)
{
    ButtonPair{Frame71->SpeedButton1, Frame71->SpeedButton3}.setActive(connected);
    ButtonPair{Frame71->SpeedButton2, Frame71->SpeedButton4}.setActive(!connected);
}

bool TForm1::Connected() const
{
    return link_.PortHandle != DeviceLinkState::kNoPort;
}

void TForm1::Frame11SpeedButton1Click()
{
    ShowMainPage(MainPage::Settings);
}

void TForm1::Frame11SpeedButton2Click()
{
    ShowMainPage(MainPage::Live);
}

void TForm1::Frame11SpeedButton3Click()
{
    ShowMainPage(MainPage::Log);
    SendSentence(link_, Sentences::QueryTimeInterval);
    SendSentence(link_, Sentences::QueryDistanceInterval);
    SendSentence(link_, Sentences::QuerySpeedInterval);
    Timer1->start();
    link_.LogPageActive = true;
}

void TForm1::Frame11SpeedButton4Click()
{
    ShowMainPage(MainPage::About);
}

void TForm1::Frame61SpeedButton1Click()
{
    showSettingsPage(SettingsPage::Port);
}

void TForm1::Frame61SpeedButton2Click()
{
    RequestNmeaPeriods(link_);
    showSettingsPage(SettingsPage::NmeaOutput);
}

void TForm1::Frame61SpeedButton3Click()
{
    RequestLogCriteria(*Frame91, link_);
    showSettingsPage(SettingsPage::LoggingCriteria);
}

void TForm1::Frame61SpeedButton4Click()
{
    RequestLogFormat(link_);
    showSettingsPage(SettingsPage::LogFormat);
}

void TForm1::Frame61SpeedButton5Click()
{
    RequestRecordingMethod(link_);
    showSettingsPage(SettingsPage::RecordingMethod);
}

void TForm1::FormClose()
{
    SaveConnectionSettings();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    guarded([this] { FormClose(); });
    // The reader must not outlive the window it hands sentences to.
    stopReceiveThread();
    event->accept();
}
