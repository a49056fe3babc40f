// TForm1: the live page — NMEA sentences into the live texts and charts, and
// the receiver restarts.
#include "app/main_window.h"

#include "app/frame_live_page.h"
#include "app/main_window_live_state.h"
#include "decode/civil_time.h"
#include "decode/track_options.h"
#include "export/week_rollover_hint.h"
#include "logger/receiver_restart.h"

#include <QLabel>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace {
const QColor kSignalChartColour(236, 225, 207);

char UserDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 0x80 ? point.at(0).toLatin1() : '.';
}
} // namespace

void TForm1::LiveStateDeleter::operator()(LiveState* state) const
{
    delete state;
}

void TForm1::connectLiveHandlers()
{
    live_.reset(new LiveState(*this));
    connect(Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });
    onClick(Frame31->SpeedButton1, &TForm1::Frame31SpeedButton1Click);
    onClick(Frame31->SpeedButton2, &TForm1::Frame31SpeedButton2Click);
    onClick(Frame31->SpeedButton3, &TForm1::Frame31SpeedButton3Click);
}

void TForm1::colourLiveChart()
{
    Frame31->Chart2->setBackgroundColour(kSignalChartColour);
}

void TForm1::setRestartButtons(bool active)
{
    for (int i = 0; i < 3; ++i)
        Frame31->restartPair(i).setActive(active);
}

void TForm1::Frame31SpeedButton1Click()
{
    exclusively([this] { HotStart(link_); });
}

void TForm1::Frame31SpeedButton2Click()
{
    exclusively([this] { WarmStart(link_); });
}

void TForm1::Frame31SpeedButton3Click()
{
    exclusively([this] { ColdStart(link_); });
}

void TForm1::onGga(const IncomingSentence& sentence)
{
    ParseGga(sentence, live_->fix);
}

void TForm1::onGll(const IncomingSentence& sentence)
{
    ParseGll(sentence, live_->fix);
}

void TForm1::onGsa(const IncomingSentence& sentence)
{
    ParseGsa(sentence, live_->fix, live_->satellites, link_);
}

void TForm1::onGsv(const IncomingSentence& sentence)
{
    ParseGsv(sentence, live_->satellites);
}

void TForm1::onRmc(const IncomingSentence& sentence)
{
    ParseRmc(sentence, live_->fix, UserDecimalSeparator());
}

void TForm1::onVtg(const IncomingSentence& sentence)
{
    ParseVtg(sentence, live_->fix);
}

void TForm1::forgetReceiverClock()
{
    live_->clock = ReceiverClock();
    live_->rolloverNoted = false;
    Frame31->Label1->clear();
}

void TForm1::watchReceiverClock(const IncomingSentence& sentence)
{
    live_->clock.observe(sentence, NowUtcSeconds());
    if (live_->rolloverNoted || !live_->clock.reading())
        return;
    if (const auto behind = RolloversBehind(*live_->clock.reading())) {
        live_->rolloverNoted = true;
        Frame31->Label1->setText(
            QString::fromStdString(WeekRolloverHintText({*behind, std::min(*behind, kMaxWeekRollovers)})));
    }
}

void TForm1::RefreshLiveView(const IncomingSentence& sentence)
{
    watchReceiverClock(sentence);
    const LiveViewUpdate update =
        UpdateLiveView(sentence.SentenceText, live_->memo, live_->fix, link_.TtffCount, live_->satellites);
    Frame31->showLiveView(sentence.SentenceText, update);
}
