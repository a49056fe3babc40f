#include "logger/receiver_restart.h"

#include "link/sentences.h"

namespace {
void Restart(DeviceLinkState& link, std::string_view sentence)
{
    SendSentence(link, sentence);
    link.TtffCount = 0;
}
} // namespace

void HotStart(DeviceLinkState& link)
{
    Restart(link, Sentences::HotStart);
}

void WarmStart(DeviceLinkState& link)
{
    Restart(link, Sentences::WarmStart);
}

void ColdStart(DeviceLinkState& link)
{
    Restart(link, Sentences::ColdStart);
}
