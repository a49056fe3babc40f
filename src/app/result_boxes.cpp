#include "app/result_boxes.h"

#include "core/user_dialogs.h"

void ShowLoadResult(const LoadResult& result, UserDialogs& dialogs)
{
    if (result.outcome == LoadResult::Outcome::CannotOpen)
        dialogs.error(LoadFailureText(result));
    else if (result.outcome == LoadResult::Outcome::Malformed)
        dialogs.plain(LoadFailureText(result));
    if (const std::string passedOver = PassedOverText(result); !passedOver.empty())
        dialogs.warning(passedOver);
}

void ShowSaveResult(const SaveResult& result, UserDialogs& dialogs)
{
    switch (result.outcome) {
    case SaveResult::Outcome::Saved:
        if (!result.text.empty())
            dialogs.plain(result.text);
        return;
    case SaveResult::Outcome::TableEmpty:
    case SaveResult::Outcome::TableLacks:
        dialogs.plain(result.text);
        return;
    case SaveResult::Outcome::NoRowLeft:
        dialogs.warning(result.text);
        return;
    case SaveResult::Outcome::WriteFailed:
        dialogs.error(result.text);
        return;
    }
}

void ShowSettingsResult(const SettingsResult& result, UserDialogs& dialogs)
{
    switch (result.outcome) {
    case SettingsResult::Outcome::Applied:
        if (!result.text.empty())
            dialogs.plain(result.text);
        return;
    case SettingsResult::Outcome::Declined:
        dialogs.plain(result.text);
        return;
    case SettingsResult::Outcome::NotConnected:
    case SettingsResult::Outcome::NoCriterion:
        dialogs.warning(result.text);
        return;
    case SettingsResult::Outcome::EmptyFormat:
    case SettingsResult::Outcome::OutOfRange:
        dialogs.error(result.text);
        return;
    case SettingsResult::Outcome::EraseFailed:
        return;
    }
}

void ShowEraseTimeOut(const SettingsResult& result, UserDialogs& dialogs)
{
    dialogs.error(result.text);
}
