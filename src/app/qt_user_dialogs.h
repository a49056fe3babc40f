// The program's real dialogs: Qt message boxes, file dialogs and the desktop.
#pragma once

#include "core/user_dialogs.h"

class QWidget;

class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const FileDialogRequest& request) override;
    bool openDocument(const std::string& path) override;

private:
    std::optional<FileChoice> chooseFile(const FileDialogRequest& request, bool save);

    QWidget* owner_;
};
