// Scripted stand-in for the user: records every message and question, answers
// from queues, and never blocks.
#pragma once

#include "core/user_dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

class FakeDialogs : public UserDialogs {
public:
    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> openedDocuments;
    bool desktopHasViewer = true;

    std::deque<bool> yesNoAnswers;                        // empty: answers No
    std::deque<std::optional<FileChoice>> fileAnswers;    // empty: cancelled
    std::deque<std::optional<std::string>> folderAnswers; // empty: cancelled
    // Runs on every message, so a test can react while a "modal box" is up.
    std::function<void(const ShownMessage&)> onMessage;

    void message(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        messages.push_back({text, caption, icon});
        if (onMessage)
            onMessage(messages.back());
    }
    bool askYesNo(const std::string& text, const std::string& caption) override
    {
        questions.push_back(caption + ": " + text);
        return takeFront(yesNoAnswers, false);
    }
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) override
    {
        fileRequests.push_back(request);
        return takeFront(fileAnswers, std::optional<FileChoice>{});
    }
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) override
    {
        fileRequests.push_back(request);
        return takeFront(fileAnswers, std::optional<FileChoice>{});
    }
    std::optional<std::string> chooseFolder(const FileDialogRequest& request) override
    {
        fileRequests.push_back(request);
        return takeFront(folderAnswers, std::optional<std::string>{});
    }
    bool openDocument(const std::string& path) override
    {
        openedDocuments.push_back(path);
        return desktopHasViewer;
    }

    std::string lastText() const { return messages.empty() ? std::string{} : messages.back().text; }

private:
    template <typename T>
    static T takeFront(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};
