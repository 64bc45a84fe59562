#include <algorithm>

#include "core/document/circuit.h"
#include "core/document/circuit_document_manager.h"
#include "core/document/schematic_file.h"
#include "core/document/subcircuit_paths.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/subcircuit_ports.h"
#include "core/platform/prompts.h"

namespace kestro {

namespace {

// The sheets used by the document's instances, each once, in instance order.
std::vector<CCircuit*> UsedSheets(const CCircuit& document) {
    std::vector<CCircuit*> sheets;
    for (const CSubCirPart* instance : document.GetInstances()) {
        CCircuit* sheet = instance->GetSheet();
        if (sheet && std::find(sheets.begin(), sheets.end(), sheet) == sheets.end())
            sheets.push_back(sheet);
    }
    return sheets;
}

}  // namespace

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
    if (FileNameOfPath(*name).find('.') == std::string::npos) *name += kFileExtension;
    return CanonicalPath(*name);
}

// The document takes a new path; the instances that use it show the new name.
void CCircuitDocumentManager::TakePath(CCircuit& document, const std::string& path) {
    document.SetPathName(CanonicalPath(path));
    RefreshUsers(document);
}

void CCircuitDocumentManager::RefreshUsers(CCircuit& sheet) {
    for (CCircuit* parent : std::vector<CCircuit*>(sheet.GetParents())) {
        parent->UpdateInstancesOf(sheet);
        parent->UpdateAllViews(CCircuit::kHintGeneral);
    }
}

bool CCircuitDocumentManager::SaveNewSubcircuits(CCircuit& document) {
    for (CCircuit* sheet : UsedSheets(document)) {
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
    document.DeleteContents();
    document.GetDeletionBuffer().Clear();
    ++m_reading;
    const bool read = ReadSchematicFile(document, document.GetPathName());
    --m_reading;
    document.SetModified(false);
    RefreshUsers(document);
    document.UpdateAllViews(CCircuit::kHintGeneral);
    CloseUnused();
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
    document.DeleteContents();
    RemoveEntry(document);
    CloseUnused();
    return true;
}

// Subcircuit documents nobody uses or shows any more, and that hold no unsaved edits,
// are closed; closing one may free the sheets it used.
void CCircuitDocumentManager::CloseUnused() {
    if (m_reading > 0) return;
    for (bool closed = true; closed;) {
        closed = false;
        for (size_t i = 0; i < m_entries.size(); ++i) {
            CEntry& entry = m_entries[i];
            CCircuit& document = *entry.document;
            if (!entry.closeWhenUnused || entry.hasWindow || document.IsModified() ||
                !document.GetParents().empty())
                continue;
            const std::shared_ptr<CCircuit> keep = entry.document;
            document.DeleteContents();
            m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
            closed = true;
            break;
        }
    }
}

void CCircuitDocumentManager::CloseAll() {
    const auto documents = Documents();
    for (const auto& document : documents)
        document->DeleteContents();
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
    for (CSimTerm* port : doomed)
        sheet.DeleteObject(*port);
    sheet.SetSymbolBox(box);
    RefreshUsers(sheet);
    sheet.SetModified();
    sheet.UpdateAllViews(CCircuit::kHintGeneral);
    return true;
}

}  // namespace kestro
