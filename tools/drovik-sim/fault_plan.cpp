#include "fault_plan.h"

ReplyFault FaultPlan::nextDataReply()
{
    const bool dead = lineDead();
    ++dataReplies_;
    if (dead || options_.droppedReplies.count(dataReplies_))
        return ReplyFault::Dropped;
    if (options_.badChecksumReplies.count(dataReplies_))
        return ReplyFault::BadChecksum;
    if (options_.shortReplies.count(dataReplies_))
        return ReplyFault::Short;
    return ReplyFault::None;
}

bool FaultPlan::dropNextReadAck()
{
    ++readAcks_;
    return options_.droppedReadAcks.count(readAcks_) > 0;
}
