#include "core/platform/scripted_prompts.h"

#include <thread>

namespace kestro {

namespace {
template <typename T>
T TakeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
}  // namespace

void CScriptedPrompts::ShowMessage(const std::string& text, MessageIcon icon) {
    shown.push_back({"message", text, icon, MessageButtons::Ok});
}

Answer CScriptedPrompts::Ask(const std::string& text, MessageButtons buttons, MessageIcon icon) {
    shown.push_back({"question", text, icon, buttons});
    return TakeFront(answers, Answer::Cancel);
}

std::optional<std::string> CScriptedPrompts::OpenFileName(const CFileDialogRequest& request) {
    shown.push_back({"open", request.title, MessageIcon::None, MessageButtons::OkCancel});
    fileRequests.push_back(request);
    return TakeFront(fileNames, std::optional<std::string>{});
}

std::optional<std::string> CScriptedPrompts::SaveFileName(const CFileDialogRequest& request) {
    shown.push_back({"save", request.title, MessageIcon::None, MessageButtons::OkCancel});
    fileRequests.push_back(request);
    return TakeFront(fileNames, std::optional<std::string>{});
}

std::optional<int> CScriptedPrompts::ChooseFromList(const std::string& title,
                                                    const std::vector<std::string>& items) {
    shown.push_back({"list", title, MessageIcon::None, MessageButtons::OkCancel});
    listItems.push_back(items);
    return TakeFront(listChoices, std::optional<int>{});
}

std::optional<std::string> CScriptedPrompts::EnterText(const std::string& title,
                                                       const std::string& prompt,
                                                       const std::string& initial) {
    shown.push_back({"text", title, MessageIcon::None, MessageButtons::OkCancel});
    textRequests.push_back({title, prompt, initial});
    return TakeFront(texts, std::optional<std::string>{});
}

void CScriptedPrompts::RunCancellable(const std::string& title, const std::string& /*subject*/,
                                      CCancellableTask& task) {
    shown.push_back({"task", title, MessageIcon::None, MessageButtons::OkCancel});
    std::atomic<bool> cancel{false};
    int reports = 0;
    // A real worker thread, so that tests see the same threading as the editor.
    std::thread worker([&] {
        task.Run(cancel, [&](const std::string& text) {
            progressReports.push_back(text);
            ++reports;
            if (cancelAfterProgress && reports >= *cancelAfterProgress) cancel = true;
        });
    });
    worker.join();
}

std::vector<std::string> CScriptedPrompts::Messages() const {
    std::vector<std::string> texts;
    for (const auto& s : shown)
        if (s.kind == "message" || s.kind == "question") texts.push_back(s.text);
    return texts;
}

std::string CScriptedPrompts::LastMessage() const {
    const auto texts = Messages();
    return texts.empty() ? std::string{} : texts.back();
}

}  // namespace kestro
