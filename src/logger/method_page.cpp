#include "logger/method_page.h"

#include "core/app_error.h"
#include "link/sentences.h"

namespace {
void RefuseWhenFull(const LoggerStatus& status)
{
    if (MemoryFull(status))
        throw AppError("Memory was full and access denied.");
}
} // namespace

bool MemoryFull(const LoggerStatus& status)
{
    return status.PercentUsed >= 100;
}

void RequestRecordingMethod(DeviceLinkState& link)
{
    link.MethodRequested = true;
    SendSentence(link, Sentences::QueryRecordingMethod);
}

void ShowRecordingMethod(MethodView& view, bool overwrite)
{
    view.setMethodButtons(!overwrite, overwrite);
}

void SetOverwriteMode(const LoggerStatus& status, const DeviceLinkState& link,
                      const std::function<void()>& probeLastSector)
{
    RefuseWhenFull(status);
    SendSentence(link, Sentences::SetOverwriteMode);
    probeLastSector();
}

void SetStopMode(const LoggerStatus& status, const DeviceLinkState& link)
{
    RefuseWhenFull(status);
    SendSentence(link, Sentences::SetStopMode);
}

SettingsResult ChooseOverwriteMethod(MethodView& view, const LoggerStatus& status, const DeviceLinkState& link,
                                     const std::function<void()>& probeLastSector)
{
    SetOverwriteMode(status, link, probeLastSector);
    ShowRecordingMethod(view, true);
    return {SettingsResult::Outcome::Applied, "'Overwrite' is set."};
}

SettingsResult ChooseStopMethod(MethodView& view, const LoggerStatus& status, const DeviceLinkState& link)
{
    SetStopMode(status, link);
    ShowRecordingMethod(view, false);
    return {SettingsResult::Outcome::Applied, "'Stop' is set."};
}
