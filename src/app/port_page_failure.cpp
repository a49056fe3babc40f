#include "app/port_page_failure.h"

#include "link/open_failure_text.h"

PortPageFailure PortPageFailureOf(const PortOpenResult& result)
{
    switch (result.failedStep) {
    case PortOpenStep::ReadPortText:
        return {"Com Port Error!", false};
    case PortOpenStep::FindDevice:
        return {kOpenPortFailedText, true};
    case PortOpenStep::OpenDevice:
        return {OpenFailureText(result.device, result.systemError), true};
    case PortOpenStep::SetQueueSizes:
        return {"SetupComm failed.", true};
    case PortOpenStep::GetLineSettings:
        return {"GetCommState failed.", true};
    case PortOpenStep::ReadBaudRate:
        return {"Error baud rate.", false};
    case PortOpenStep::SetLineSettings:
        return {"SetCommState failed.", true};
    case PortOpenStep::Purge:
        return {"PurgeComm failed.", true};
    case PortOpenStep::Done:
        break;
    }
    return {};
}
