// The logger's replies shown on the window's frames: the log page, and the
// settings sub-pages that asked for their values.
#pragma once

#include "link/logger_reply_view.h"

class TForm1;

class LoggerReplyScreen : public LoggerReplyView {
public:
    explicit LoggerReplyScreen(TForm1& window) : window_(window) {}

    void showLogStatus(const std::string& statusText, const std::string& methodText, bool loggingOn) override;
    void showCriterionText(LoggingCriterion criterion, const std::string& text) override;
    void showRecordCount(const std::string& text) override;
    void showMemoryUsed(int percent) override;
    void showResetButton() override;
    void fillCriterion(LoggingCriterion criterion, int value) override;
    void fillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>& checked) override;
    void SetMethodButtons(bool overwriteClickable, bool stopClickable) override;
    void fillNmeaPeriods(const Sentences::NmeaPeriods& periods) override;

private:
    TForm1& window_;
};
