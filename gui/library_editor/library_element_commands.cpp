#include "gui/library_editor/library_element_commands.h"

#include <optional>
#include <string>

#include "core/library/library_data.h"
#include "gui/library_editor/new_element_dlg.h"

namespace kestro {

namespace {

std::optional<std::string> AskName(const CLibraryElementServices& services) {
    CNewElementDlg dialog(*services.library, *services.prompts, services.parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Name();
}

void Added(const CLibraryElementServices& services, int identifier, bool open) {
    if (identifier < 0) return;
    if (services.elementAdded) services.elementAdded(uint32_t(identifier));
    if (open && services.openLibraryElement) services.openLibraryElement(uint32_t(identifier));
}

}  // namespace

int NewElement(const CLibraryElementServices& services, bool open) {
    if (!services.library || !services.prompts) return -1;
    const std::optional<std::string> name = AskName(services);
    if (!name) return -1;
    const int identifier = services.library->AddElementNamed(*name);
    Added(services, identifier, open);
    return identifier;
}

int SaveElementAs(const CLibraryElementServices& services, CLibElement& source) {
    if (!services.library || !services.prompts) return -1;
    if (!services.library->ConfirmCopy(source)) return -1;
    const std::optional<std::string> name = AskName(services);
    if (!name) return -1;
    const int identifier = services.library->CopyElementNamed(source, *name);
    Added(services, identifier, true);
    return identifier;
}

}  // namespace kestro
