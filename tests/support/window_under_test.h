// The main window with its pages, handlers and state open to tests: the one
// place that reaches inside it, so the window itself shows nothing else.
#pragma once

#include "app/main_window.h"

class WindowUnderTest : public TForm1 {
public:
    using TForm1::TForm1;

    using TForm1::Frame101;
    using TForm1::Frame11;
    using TForm1::Frame111;
    using TForm1::Frame21;
    using TForm1::Frame31;
    using TForm1::Frame41;
    using TForm1::Frame51;
    using TForm1::Frame61;
    using TForm1::Frame71;
    using TForm1::Frame81;
    using TForm1::Frame91;
    using TForm1::Timer1;

    using TForm1::applyExportFilter;
    using TForm1::attachDownload;
    using TForm1::Connected;
    using TForm1::DecodeLogFile;
    using TForm1::guarded;
    using TForm1::OpenPort;
    using TForm1::SetMethodButtons;
    using TForm1::setRestartButtons;
    using TForm1::Timer1Timer;

    using TForm1::Frame11SpeedButton1Click;
    using TForm1::Frame11SpeedButton2Click;
    using TForm1::Frame11SpeedButton3Click;
    using TForm1::Frame11SpeedButton4Click;
    using TForm1::Frame41Button1Click;
    using TForm1::Frame41Button2Click;
    using TForm1::Frame41SpeedButton3Click;
    using TForm1::Frame41SpeedButton5Click;
    using TForm1::Frame41SpeedButton6Click;
    using TForm1::Frame41SpeedButton7Click;
    using TForm1::Frame61SpeedButton2Click;
    using TForm1::Frame61SpeedButton3Click;
    using TForm1::Frame61SpeedButton4Click;
    using TForm1::Frame61SpeedButton5Click;
    using TForm1::Frame71Button1Click;
    using TForm1::Frame71SpeedButton1Click;
    using TForm1::Frame71SpeedButton2Click;

    DeviceLinkState& link() { return link_; }
    TrackTable& trackTable() { return trackTable_; }
    DialogTimings& dialogTimings() { return dialogTimings_; }
};
