// Sentence handlers that write down which handler saw which sentence.
#pragma once

#include "link/sentence_dispatch.h"

#include <string>
#include <vector>

struct RecordingHandlers : SentenceHandlers {
    // "<handler> <field 0>", in call order.
    std::vector<std::string> calls;
    std::vector<std::string> sentenceTexts;

    void record(const char* handler, const IncomingSentence& sentence)
    {
        calls.push_back(std::string(handler) + " " + sentence.field(0));
        sentenceTexts.push_back(sentence.SentenceText);
    }

    void onGga(const IncomingSentence& s) override { record("OnGga", s); }
    void onGll(const IncomingSentence& s) override { record("OnGll", s); }
    void onGsa(const IncomingSentence& s) override { record("OnGsa", s); }
    void onGsv(const IncomingSentence& s) override { record("OnGsv", s); }
    void onRmc(const IncomingSentence& s) override { record("OnRmc", s); }
    void onVtg(const IncomingSentence& s) override { record("OnVtg", s); }
    void HandleAck(const IncomingSentence& s) override { record("HandleAck", s); }
    void HandleLoggerReply(const IncomingSentence& s) override { record("HandleLoggerReply", s); }
    void HandleNmeaPeriods(const IncomingSentence& s) override { record("HandleNmeaPeriods", s); }
    void handleModelReply(const IncomingSentence& s) override { record("HandleModelReply", s); }
    void RefreshLiveView(const IncomingSentence& s) override { record("RefreshLiveView", s); }
};
