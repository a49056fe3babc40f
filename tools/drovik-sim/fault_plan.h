// Which memory data replies and read acknowledgements to spoil, counted over
// the whole run.
#pragma once

#include "sim_options.h"

enum class ReplyFault { None, BadChecksum, Dropped, Short };

class FaultPlan {
public:
    explicit FaultPlan(const FaultOptions& options) : options_(options) {}

    // Counts one memory data reply and tells what to do to it.
    ReplyFault nextDataReply();
    // Counts one read acknowledgement; true when it is to be left out.
    bool dropNextReadAck();
    // After the data reply the line dies at, nothing more is to be sent.
    bool lineDead() const { return options_.deadAfterReply > 0 && dataReplies_ >= options_.deadAfterReply; }

    long dataReplies() const { return dataReplies_; }
    long readAcks() const { return readAcks_; }

private:
    FaultOptions options_;
    long dataReplies_ = 0;
    long readAcks_ = 0;
};
