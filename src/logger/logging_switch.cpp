#include "logger/logging_switch.h"

#include "link/sentences.h"

void StartLogging(const DeviceLinkState& link)
{
    SendSentence(link, Sentences::StartLogging);
}

void StopLogging(const DeviceLinkState& link)
{
    SendSentence(link, Sentences::StopLogging);
}
