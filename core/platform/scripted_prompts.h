#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/prompts.h"

namespace kestro {

// Prompts for tests: records what the user would see and answers from queues.
// An empty queue gives Cancel (or nothing) so a test that forgot an answer stops safely.
class CScriptedPrompts : public CPrompts {
public:
    struct Shown {
        std::string kind;  // "message", "question", "open", "save", "list", "text", "task"
        std::string text;
        MessageIcon icon = MessageIcon::None;
        MessageButtons buttons = MessageButtons::Ok;
    };

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    Answer Ask(const std::string& text, MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> OpenFileName(const CFileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const CFileDialogRequest& request) override;
    std::optional<int> ChooseFromList(const std::string& title,
                                      const std::vector<std::string>& items) override;
    std::optional<std::string> EnterText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override;
    void RunCancellable(const std::string& title, const std::string& subject,
                        CCancellableTask& task) override;
    void ReportDetail(const std::string& detail) override { details.push_back(detail); }

    // Queues of answers, taken from the front.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> fileNames;
    std::deque<std::optional<int>> listChoices;
    std::deque<std::optional<std::string>> texts;
    // When set, a cancellable task is cancelled after this many progress reports.
    std::optional<int> cancelAfterProgress;

    std::vector<Shown> shown;
    std::vector<std::string> details;
    std::vector<std::string> progressReports;
    std::vector<CFileDialogRequest> fileRequests;
    std::vector<std::vector<std::string>> listItems;

    // Texts of the messages and questions, in order.
    std::vector<std::string> Messages() const;
    std::string LastMessage() const;
};

}  // namespace kestro
