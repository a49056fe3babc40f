#include "logger/logging_switch.h"

#include "link/sentences.h"

void SwitchLoggingOn(const DeviceLinkState& link)
{
    SendSentence(link, Sentences::StartLogging);
}

void SwitchLoggingOff(const DeviceLinkState& link)
{
    SendSentence(link, Sentences::StopLogging);
}
