#include "console_dialogs.h"

#include "cli_texts.h"
#include "subcommand.h"

void ConsoleDialogs::message(const std::string& text, const std::string& /*caption*/, MessageIcon icon)
{
    const auto said = CliText::ForWindowMessage(text);
    const bool failure = icon == MessageIcon::Error || icon == MessageIcon::Warning;
    if ((!failure && !said) || (said && said->empty()))
        return;
    PrintError((context_.empty() ? "" : context_ + ": ") + (said ? *said : CliText::OneParagraph(text)));
}

bool ConsoleDialogs::askYesNo(const std::string& /*text*/, const std::string& /*caption*/)
{
    return answer_;
}

std::optional<FileChoice> ConsoleDialogs::chooseOpenFile(const FileDialogRequest& /*request*/)
{
    return std::nullopt;
}

std::optional<FileChoice> ConsoleDialogs::chooseSaveFile(const FileDialogRequest& /*request*/)
{
    return std::nullopt;
}

bool ConsoleDialogs::openDocument(const std::string& /*path*/)
{
    return true;
}
