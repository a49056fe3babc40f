// What the logger's replies change on screen: the log page and, while they
// asked for it, the settings sub-pages. The window implements it on its frames.
#pragma once

#include "link/sentences.h"

#include <array>
#include <string>

enum class LoggingCriterion { Time, Distance, Speed };

class LoggerReplyView {
public:
    static constexpr int kLogFormatBoxes = 20;

    virtual ~LoggerReplyView() = default;

    // Log page: Label6 and Label11, and the start/stop pair (start clickable
    // while logging is off, stop clickable while it is on).
    virtual void showLogStatus(const std::string& statusText, const std::string& methodText, bool loggingOn) = 0;
    // Log page: Label7, Label8 or Label9.
    virtual void showCriterionText(LoggingCriterion criterion, const std::string& text) = 0;
    // Log page: Label13.
    virtual void showRecordCount(const std::string& text) = 0;
    // Log page: CGauge1, 0 to 100.
    virtual void showMemoryUsed(int percent) = 0;
    // Log page: Button1 "Reset", offered after a logger error.
    virtual void showResetButton() = 0;

    // Logging-criteria page: 0 unchecks the criterion's box and leaves its
    // edit; any other value checks the box and writes the value into the edit.
    virtual void fillCriterion(LoggingCriterion criterion, int value) = 0;
    // Log-format page: checked[k] is the state of CheckBox(k + 1).
    virtual void fillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>& checked) = 0;
    // Recording-method page: which of the two pairs shows its clickable member.
    virtual void SetMethodButtons(bool overwriteClickable, bool stopClickable) = 0;
    // NMEA output page: for each kind, 0 unchecks its box and leaves its spin
    // edit; any other period checks the box and sets the spin edit.
    virtual void fillNmeaPeriods(const Sentences::NmeaPeriods& periods) = 0;
};

// For a logger without a screen: the replies update the records, nothing shows.
class HeadlessReplyView : public LoggerReplyView {
public:
    void showLogStatus(const std::string&, const std::string&, bool) override {}
    void showCriterionText(LoggingCriterion, const std::string&) override {}
    void showRecordCount(const std::string&) override {}
    void showMemoryUsed(int) override {}
    void showResetButton() override {}
    void fillCriterion(LoggingCriterion, int) override {}
    void fillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>&) override {}
    void SetMethodButtons(bool, bool) override {}
    void fillNmeaPeriods(const Sentences::NmeaPeriods&) override {}
};
