#include <algorithm>

#include "core/document/circuit.h"
#include "core/document/edit_step.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/subcircuit_ports.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"
#include "core/schematic_file/schematic_file.h"

namespace kestro {

std::vector<std::shared_ptr<CCircuit>> CCircuitDocumentManager::UsedSheets(
    const CCircuit& document) {
    std::vector<std::shared_ptr<CCircuit>> sheets;
    for (const CSubCirPart* instance : document.GetInstances()) {
        const auto& sheet = instance->GetSheetShared();
        if (sheet && std::find(sheets.begin(), sheets.end(), sheet) == sheets.end())
            sheets.push_back(sheet);
    }
    return sheets;
}

// --- Saving -------------------------------------------------------------------------------

std::optional<std::string> CCircuitDocumentManager::AskSaveName(CCircuit& document) {
    CFileDialogRequest request;
    request.title = kSaveAsTitle;
    request.filter = kFileFilter;
    request.defaultExtension = kFileExtension;
    request.fileName =
        document.GetPathName().empty() ? document.GetTitle() : document.GetPathName();
    request.overwritePrompt = true;
    auto name = m_context.parts.prompts.SaveFileName(request);
    if (!name || name->empty()) return std::nullopt;
    if (FileNameOf(*name).find('.') == std::string::npos) *name += kFileExtension;
    return CanonicalPath(*name);
}

// The document takes a new path; the instances that use it show the new name.
void CCircuitDocumentManager::TakePath(CCircuit& document, const std::string& path) {
    document.SetPathName(CanonicalPath(path));
    if (CEntry* entry = FindEntry(document)) FollowLock(*entry);
    RefreshUsers(document);
}

void CCircuitDocumentManager::RefreshUsers(CCircuit& sheet) {
    for (CCircuit* parent : std::vector<CCircuit*>(sheet.GetParents())) {
        parent->UpdateInstancesOf(sheet);
        parent->UpdateAllViews(CCircuit::kHintGeneral);
    }
}

bool CCircuitDocumentManager::SaveNewSubcircuits(CCircuit& document) {
    for (const auto& sheet : UsedSheets(document)) {
        if (!sheet->GetPathName().empty()) continue;
        if (m_show) m_show(*sheet);
        const auto name = AskSaveName(*sheet);
        if (!name || !SaveUnderName(*sheet, *name)) return false;
    }
    return true;
}

bool CCircuitDocumentManager::SaveDocument(CCircuit& document, const std::string& path) {
    if (!SaveNewSubcircuits(document)) return false;
    const std::string target = CanonicalPath(path);
    if (!WriteSchematicFile(document, target)) return false;
    if (SamePath(target, document.GetPathName())) {
        document.SetModified(false);
        return true;
    }
    if (auto other = FindByPath(target); other && other.get() != &document) Reload(*other);
    return true;
}

bool CCircuitDocumentManager::SaveUnderName(CCircuit& document, const std::string& path) {
    if (!SaveDocument(document, path)) return false;
    TakePath(document, path);
    document.SetModified(false);
    // Saved over the file of its only user, which was read again without it: a sheet
    // with unsaved edits was kept open for them until now.
    if (const CEntry* entry = FindEntry(document)) CloseUnused({entry->document});
    return true;
}

bool CCircuitDocumentManager::Save(CCircuit& document) {
    if (!document.GetPathName().empty()) return SaveDocument(document, document.GetPathName());
    const auto name = AskSaveName(document);
    return name && SaveUnderName(document, *name);
}

bool CCircuitDocumentManager::SaveAs(CCircuit& document) {
    const auto name = AskSaveName(document);
    if (!name) return false;
    const bool copy = !document.GetPathName().empty() && !document.GetParents().empty();
    if (copy) return SaveDocument(document, *name);
    return SaveUnderName(document, *name);
}

bool CCircuitDocumentManager::SaveAll() {
    for (const auto& document : Documents())
        if (!Save(*document)) return false;
    return true;
}

// --- Reloading and closing ------------------------------------------------------------------

bool CCircuitDocumentManager::Reload(CCircuit& document) {
    if (document.GetPathName().empty()) return false;
    auto used = UsedSheets(document);
    document.DeleteContents();
    document.GetDeletionBuffer().Clear();
    const bool read = ReadSchematicFile(document, document.GetPathName());
    document.SetModified(false);
    RefreshUsers(document);
    document.UpdateAllViews(CCircuit::kHintGeneral);
    CloseUnused(std::move(used));  // those it no longer uses
    return read;
}

bool CCircuitDocumentManager::Close(CCircuit& document) {
    if (!document.GetParents().empty()) {
        if (CEntry* entry = FindEntry(document)) {
            entry->hasWindow = false;
            entry->closeWhenUnused = true;
        }
        return false;
    }
    const CEntry* entry = FindEntry(document);
    const std::shared_ptr<CCircuit> keep = entry ? entry->document : nullptr;  // alive to the end
    auto used = UsedSheets(document);
    document.DeleteContents();
    RemoveEntry(document);
    CloseUnused(std::move(used));
    return true;
}

void CCircuitDocumentManager::CloseUnused(std::vector<std::shared_ptr<CCircuit>> sheets) {
    while (!sheets.empty()) {
        const std::shared_ptr<CCircuit> sheet = std::move(sheets.back());
        sheets.pop_back();
        const CEntry* entry = FindEntry(*sheet);
        if (!entry || !entry->closeWhenUnused || entry->hasWindow || sheet->IsModified() ||
            !sheet->GetParents().empty())
            continue;
        for (auto& used : UsedSheets(*sheet))
            sheets.push_back(std::move(used));
        sheet->DeleteContents();
        RemoveEntry(*sheet);
    }
}

void CCircuitDocumentManager::CloseAll() {
    const auto documents = Documents();
    for (const auto& document : documents)
        document->DeleteContents();
    for (CEntry& entry : m_entries)
        ReleaseLock(entry);
    m_entries.clear();
}

// --- Interface ----------------------------------------------------------------------------

bool CCircuitDocumentManager::ResizeSymbolBox(CCircuit& sheet, float width, float height) {
    const CRectF old = sheet.GetSymbolBox().Normalized();
    if (old.Width() == width && old.Height() == height) return false;
    const CRectF box = CentredOnOrigin({0, 0, width, height});
    const size_t count = SubcircuitPortPositions(box).size();
    std::vector<CSimTerm*> doomed;
    for (size_t number = count; number < sheet.GetPortCount(); ++number)
        if (CSimTerm* port = sheet.GetPortObject(number)) doomed.push_back(port);
    if (!doomed.empty() &&
        m_context.parts.prompts.Ask(kPortsWillBeDeleted, MessageButtons::OkCancel,
                                    MessageIcon::Question) != Answer::Ok)
        return false;
    CEditStep step(sheet, "Subcircuit Size");
    step.ChangeSheet();
    step.RepaintAll();
    for (CSimTerm* port : doomed)
        step.Remove(*port);
    sheet.SetSymbolBox(box);
    RefreshUsers(sheet);
    return true;
}

}  // namespace kestro
