#include "link/status_poll.h"

#include "link/sentences.h"

bool StatusPollTick(DeviceLinkState& link, bool logPageVisible)
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
    if (link.LastSectorBlank)
        ProbeLastSector(link);
    return true;
}

void ProbeLastSector(const DeviceLinkState& link)
{
    SendSentence(link, Sentences::LastSectorProbe(link.MemorySize));
}
