#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestro {

enum class MessageIcon { None, Information, Exclamation, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct CFileDialogRequest {
    std::string title;
    std::string filter;            // "KESTRO Files (*.sch) |*.sch||" style
    std::string defaultExtension;  // ".sch"
    std::string fileName;          // offered name or path
    bool mustExist = false;
    bool overwritePrompt = false;
};

// A long piece of work that runs off the user-interface thread while a dialog shows
// its progress. Run polls the cancel flag and reports what it is doing.
class CCancellableTask {
public:
    virtual ~CCancellableTask() = default;
    virtual void Run(const std::atomic<bool>& cancel,
                     const std::function<void(const std::string&)>& progress) = 0;
};

// Every message, question and dialog the core needs from the user.
class CPrompts {
public:
    virtual ~CPrompts() = default;
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    virtual Answer Ask(const std::string& text, MessageButtons buttons, MessageIcon icon) = 0;
    virtual std::optional<std::string> OpenFileName(const CFileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileName(const CFileDialogRequest& request) = 0;
    // Index of the chosen item, or nothing when cancelled.
    virtual std::optional<int> ChooseFromList(const std::string& title,
                                              const std::vector<std::string>& items) = 0;
    virtual std::optional<std::string> EnterText(const std::string& title,
                                                 const std::string& prompt,
                                                 const std::string& initial) = 0;
    // Runs the task on a worker thread while a modal dialog titled `title` shows `subject`
    // and the task's progress texts, with a Cancel button. Returns when the task has ended.
    virtual void RunCancellable(const std::string& title, const std::string& subject,
                                CCancellableTask& task) = 0;

    // What lies behind the last message for those who asked to see it, such as where a
    // reader stopped in a damaged file; the editor shows none of it.
    virtual void ReportDetail(const std::string& /*detail*/) {}

    void Error(const std::string& text) { ShowMessage(text, MessageIcon::Stop); }
};

}  // namespace kestro
