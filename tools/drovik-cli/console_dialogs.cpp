#include "console_dialogs.h"

#include "subcommand.h"

namespace {
std::string WithoutTrailingBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}
} // namespace

void ConsoleDialogs::message(const std::string& text, const std::string& /*caption*/, MessageIcon icon)
{
    if (icon != MessageIcon::Error && icon != MessageIcon::Warning) {
        PrintError(WithoutTrailingBreaks(text));
        return;
    }
    ++errorCount_;
    PrintError((context_.empty() ? "" : context_ + ": ") + WithoutTrailingBreaks(text));
}

bool ConsoleDialogs::askYesNo(const std::string& text, const std::string& /*caption*/)
{
    PrintError(WithoutTrailingBreaks(text) + (answer_ ? " Yes." : " No."));
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

bool ConsoleDialogs::openDocument(const std::string& path)
{
    PrintError("written " + path);
    return true;
}
