// The user, as far as a command line has one: the window's messages become
// the program's own words on stderr (confirmations are left to the command's
// own line), questions get the answer the command line gave (No
// unless told) without being printed, and file choosers are cancelled.
#pragma once

#include "core/user_dialogs.h"

class ConsoleDialogs : public UserDialogs {
public:
    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) override;
    bool openDocument(const std::string& path) override;

    // The answer to every question from now on.
    void setAnswer(bool yes) { answer_ = yes; }

    // Put before every error, such as the command and the file being worked on; empty for none.
    void setContext(std::string context) { context_ = std::move(context); }

private:
    bool answer_ = false;
    std::string context_;
};
