#pragma once

#include <ostream>

#include "core/platform/prompts.h"

namespace kestro {

// Prompts for command-line tools: messages go to a stream (standard error), questions
// get a fixed answer and dialogs are cancelled. Tasks run to completion.
class CConsolePrompts : public CPrompts {
public:
    CConsolePrompts(std::ostream& out, Answer answer) : m_out(out), m_answer(answer) {}

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    Answer Ask(const std::string& text, MessageButtons buttons, MessageIcon icon) override;
    std::optional<std::string> OpenFileName(const CFileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveFileName(const CFileDialogRequest&) override { return {}; }
    std::optional<int> ChooseFromList(const std::string&,
                                      const std::vector<std::string>&) override {
        return {};
    }
    std::optional<std::string> EnterText(const std::string&, const std::string&,
                                         const std::string&) override {
        return {};
    }
    void RunCancellable(const std::string& title, const std::string& subject,
                        CCancellableTask& task) override;

    int MessageCount() const { return m_messages; }

private:
    std::ostream& m_out;
    Answer m_answer;
    int m_messages = 0;
};

}  // namespace kestro
