#include "result_report.h"

#include "cli_texts.h"
#include "subcommand.h"

bool ReportLoadResult(const LoadResult& result, const std::string& command, const std::string& path)
{
    if (!result.loaded())
        PrintError(command + ": " + path + ": " + CliText::ForFailure(LoadFailureText(result)));
    if (const std::string passedOver = PassedOverText(result); !passedOver.empty())
        PrintNote(path + ": " + passedOver);
    return result.loaded();
}

std::string SaveFailure(const SaveResult& result)
{
    return CliText::ForFailure(result.text);
}

std::string UnreadableRowsNote(const SaveResult& result)
{
    if (result.rowsLeftOut <= 0)
        return {};
    return CliText::RowsLeftOutUnreadable(static_cast<std::uint64_t>(result.rowsLeftOut),
                                          static_cast<std::uint64_t>(result.rows));
}

bool ReportSettingsResult(const SettingsResult& result, const std::string& command)
{
    if (result.applied())
        return true;
    if (const std::string reason = CliText::ForFailure(result.text); !reason.empty())
        PrintError(command + ": " + reason);
    return false;
}
