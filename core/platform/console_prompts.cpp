#include "core/platform/console_prompts.h"

namespace kestro {

void CConsolePrompts::ShowMessage(const std::string& text, MessageIcon /*icon*/) {
    m_out << text << '\n';
    ++m_messages;
}

Answer CConsolePrompts::Ask(const std::string& text, MessageButtons /*buttons*/,
                            MessageIcon /*icon*/) {
    m_out << text << '\n';
    ++m_messages;
    return m_answer;
}

void CConsolePrompts::RunCancellable(const std::string& /*title*/, const std::string& /*subject*/,
                                     CCancellableTask& task) {
    std::atomic<bool> cancel{false};
    task.Run(cancel, [](const std::string&) {});
}

}  // namespace kestro
