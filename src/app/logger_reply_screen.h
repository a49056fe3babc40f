// The logger's replies shown on the window's frames: the log page, and the
// settings sub-pages that asked for their values.
#pragma once

#include "link/logger_reply_view.h"

class TForm1;

class LoggerReplyScreen : public LoggerReplyView {
public:
    explicit LoggerReplyScreen(TForm1& window) : window_(window) {}

    void ShowLogStatus(const std::string& statusText, const std::string& methodText, bool loggingOn) override;
    void ShowCriterionText(LoggingCriterion criterion, const std::string& text) override;
    void ShowRecordCount(const std::string& text) override;
    void ShowMemoryUsed(int percent) override;
    void ShowResetButton() override;
    void FillCriterion(LoggingCriterion criterion, int value) override;
    void FillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>& checked) override;
    void SetMethodButtons(bool overwriteClickable, bool stopClickable) override;
    void FillNmeaPeriods(const Sentences::NmeaPeriods& periods) override;

private:
    TForm1& window_;
};
