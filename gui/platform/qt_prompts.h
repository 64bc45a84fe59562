#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/platform/prompts.h"

namespace kestro {

// The prompts of the core as Qt message boxes and dialogs, over the active window.
class CQtPrompts : public CPrompts {
public:
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

    // The window the dialogs belong to when no window of the program is active.
    void SetParentWindow(QWidget* window) { m_parent = window; }

    // "KESTRO Files (*.sch) |*.sch||" as a Qt file dialog filter.
    static QString QtFilter(const std::string& filter);

private:
    QWidget* Parent() const;

    QPointer<QWidget> m_parent;
};

}  // namespace kestro
