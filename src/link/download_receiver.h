// Where the logger's replies hand over to the log download: the memory data
// replies while a download runs, and the read-memory acknowledgement.
#pragma once

#include "link/incoming_sentence.h"

class DownloadReceiver {
public:
    virtual ~DownloadReceiver() = default;
    // A $PMTK182,8 memory data reply that arrived while Downloading.
    virtual void onMemoryData(const IncomingSentence& sentence) = 0;
    // The read-memory acknowledgement (PMTK001,182,7,3); called only while Downloading.
    virtual void DownloadNextChunk() = 0;
};
