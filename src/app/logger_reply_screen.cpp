#include "app/logger_reply_screen.h"

#include "app/frame_criteria_page.h"
#include "app/frame_log_format_page.h"
#include "app/frame_log_page.h"
#include "app/frame_nmea_output_page.h"
#include "app/main_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {
constexpr int kStartPair = 0;
constexpr int kStopPair = 1;

QString QtText(const std::string& text)
{
    return QString::fromStdString(text);
}
} // namespace

void LoggerReplyScreen::showLogStatus(const std::string& statusText, const std::string& methodText, bool loggingOn)
{
    TFrame4& page = *window_.Frame41;
    page.pair(kStartPair).setActive(!loggingOn);
    page.pair(kStopPair).setActive(loggingOn);
    page.Label6->setText(QtText(statusText));
    page.Label11->setText(QtText(methodText));
}

void LoggerReplyScreen::showCriterionText(LoggingCriterion criterion, const std::string& text)
{
    TFrame4& page = *window_.Frame41;
    QLabel* const labels[] = {page.Label7, page.Label8, page.Label9};
    labels[static_cast<int>(criterion)]->setText(QtText(text));
}

void LoggerReplyScreen::showRecordCount(const std::string& text)
{
    window_.Frame41->Label13->setText(QtText(text));
}

void LoggerReplyScreen::showMemoryUsed(int percent)
{
    window_.Frame41->CGauge1->setValue(percent);
}

void LoggerReplyScreen::showResetButton()
{
    window_.Frame41->Button1->setVisible(true);
}

void LoggerReplyScreen::fillCriterion(LoggingCriterion criterion, int value)
{
    window_.Frame91->fillCriterion(criterion, value);
}

void LoggerReplyScreen::fillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>& checked)
{
    window_.Frame101->fillLogFormatBoxes(checked);
}

void LoggerReplyScreen::SetMethodButtons(bool overwriteClickable, bool stopClickable)
{
    window_.SetMethodButtons(overwriteClickable, stopClickable);
}

void LoggerReplyScreen::fillNmeaPeriods(const Sentences::NmeaPeriods& periods)
{
    window_.Frame81->fillNmeaPeriods(periods);
}
