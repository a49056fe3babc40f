#include "link/status_poll.h"

#include "link/memory_use.h"
#include "link/sentences.h"

bool StatusPollTick(DeviceLinkState& link, const LoggerStatus& status, bool logPageVisible)
{
    if (link.Downloading || link.Erasing)
        return true;
    if (!logPageVisible) {
        link.LogPageActive = false;
        return false;
    }
    SendSentence(link, Sentences::QueryStatus);
    SendSentence(link, Sentences::QueryMemoryUsed);
    SendSentence(link, Sentences::QueryRecordCount);
    if (MemoryInUse(MemoryRepliesOf(link, status)).probeLastSector)
        ProbeLastSector(link);
    return true;
}

void ProbeLastSector(const DeviceLinkState& link)
{
    SendSentence(link, Sentences::LastSectorProbe(link.MemorySize));
}
