// A log of what the logger reply handlers showed, and a download that records
// what reached it.
#pragma once

#include "link/download_receiver.h"
#include "link/logger_replies.h"

#include <string>
#include <vector>

class RecordingReplyView : public LoggerReplyView {
public:
    std::vector<std::string> calls;

    void showLogStatus(const std::string& statusText, const std::string& methodText, bool loggingOn) override
    {
        calls.push_back("status " + statusText + " | " + methodText + (loggingOn ? " | on" : " | off"));
    }
    void showCriterionText(LoggingCriterion criterion, const std::string& text) override
    {
        calls.push_back("label " + name(criterion) + " " + text);
    }
    void showRecordCount(const std::string& text) override { calls.push_back("count " + text); }
    void showMemoryUsed(int percent) override { calls.push_back("gauge " + std::to_string(percent)); }
    void showResetButton() override { calls.push_back("reset"); }
    void fillCriterion(LoggingCriterion criterion, int value) override
    {
        calls.push_back("criterion " + name(criterion) + " " + std::to_string(value));
    }
    void fillLogFormatBoxes(const std::array<bool, kLogFormatBoxes>& checked) override
    {
        std::string boxes;
        for (bool box : checked)
            boxes += box ? '1' : '0';
        calls.push_back("format " + boxes);
    }
    void SetMethodButtons(bool overwriteClickable, bool stopClickable) override
    {
        calls.push_back(std::string("method ") + (overwriteClickable ? "1" : "0") + (stopClickable ? "1" : "0"));
    }
    void fillNmeaPeriods(const Sentences::NmeaPeriods& p) override
    {
        calls.push_back("periods gga" + std::to_string(p.gga) + " gll" + std::to_string(p.gll) + " gsa" +
                        std::to_string(p.gsa) + " gsv" + std::to_string(p.gsv) + " rmc" + std::to_string(p.rmc) +
                        " vtg" + std::to_string(p.vtg) + " zda" + std::to_string(p.zda));
    }

private:
    static std::string name(LoggingCriterion criterion)
    {
        switch (criterion) {
        case LoggingCriterion::Time:
            return "time";
        case LoggingCriterion::Distance:
            return "distance";
        case LoggingCriterion::Speed:
            break;
        }
        return "speed";
    }
};

class RecordingDownload : public DownloadReceiver {
public:
    std::vector<std::string> memoryData; // field 3 of each reply
    int nextChunkCalls = 0;

    void onMemoryData(const IncomingSentence& sentence) override { memoryData.push_back(sentence.field(3)); }
    void DownloadNextChunk() override { ++nextChunkCalls; }
};

// The handlers with their shared records, as the window owns them.
struct ReplyBench {
    DeviceLinkState link;
    LoggerStatus status;
    RecordingReplyView view;
    RecordingDownload download;
    LoggerReplies replies{link, status, view};

    ReplyBench() { replies.attachDownload(&download); }
};
