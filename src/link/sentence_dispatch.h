// Routing of incoming sentences to their handlers, by sentence kind.
#pragma once

#include "link/incoming_sentence.h"

// What the window does with each kind of sentence; every call runs on the
// window's thread with the sentence split into fields.
class SentenceHandlers {
public:
    virtual ~SentenceHandlers() = default;

    virtual void onGga(const IncomingSentence& sentence) = 0;
    virtual void onGll(const IncomingSentence& sentence) = 0;
    virtual void onGsa(const IncomingSentence& sentence) = 0;
    virtual void onGsv(const IncomingSentence& sentence) = 0;
    virtual void onRmc(const IncomingSentence& sentence) = 0;
    virtual void onVtg(const IncomingSentence& sentence) = 0;
    virtual void HandleAck(const IncomingSentence& sentence) = 0;         // PMTK001
    virtual void HandleLoggerReply(const IncomingSentence& sentence) = 0; // PMTK182
    virtual void HandleNmeaPeriods(const IncomingSentence& sentence) = 0; // PMTK514
    virtual void handleModelReply(const IncomingSentence& sentence) = 0;  // PMTK705
    virtual void RefreshLiveView(const IncomingSentence& sentence) = 0;
};

// Normal mode: drops a sentence failing its checksum; otherwise splits it,
// routes it by its kind (the talker prefix is ignored) and refreshes the
// live view, whatever the kind.
void DispatchSentence(IncomingSentence& sentence, SentenceHandlers& handlers);
// A sentence already split, routed by its PMTK number; anything else is ignored.
void HandleMtkSentence(const IncomingSentence& sentence, SentenceHandlers& handlers);
