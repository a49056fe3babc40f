// Everything that asks the user or hands work to the desktop goes through
// this interface: Qt behind it in the program, a scripted fake in tests.
#pragma once

#include <optional>
#include <string>

inline constexpr const char* kApplicationTitle = "Pemblet";

enum class MessageIcon { None, Information, Warning, Error };

struct FileDialogRequest {
    // Filter list in "Name (*.ext)|*.ext|Name2 (*.x)|*.x" form; indexes count from 1.
    std::string filter;
    int filterIndex = 1;
    std::string initialDirectory = ".";
    std::string title;
};

struct FileChoice {
    std::string path;
    int filterIndex = 1;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    virtual void message(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
    virtual std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) = 0;
    // An existing folder (the request's filter plays no part); cancelled
    // where nobody can choose one.
    virtual std::optional<std::string> chooseFolder(const FileDialogRequest&) { return std::nullopt; }
    // Hands a document to the desktop's viewer for its type; false when the
    // desktop has no program for it.
    virtual bool openDocument(const std::string& path) = 0;

    void error(const std::string& text) { message(text, "Error", MessageIcon::Error); }
    void warning(const std::string& text) { message(text, "Warning", MessageIcon::Warning); }
    // A plain message: OK only, the application title as caption.
    void plain(const std::string& text) { message(text, kApplicationTitle, MessageIcon::None); }
    // The default report of an error that escaped a handler.
    void errorReport(const std::string& text) { message(text, kApplicationTitle, MessageIcon::Error); }
    bool confirm(const std::string& text) { return askYesNo(text, "Confirm"); }
};

// Shows nothing and answers every question No: for batch runs judged by their
// results alone (benchmarks, fuzzing).
class SilentDialogs : public UserDialogs {
public:
    void message(const std::string&, const std::string&, MessageIcon) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest&) override { return std::nullopt; }
    bool openDocument(const std::string&) override { return false; }
};
