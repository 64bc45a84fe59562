// "Change File Name" of a subcircuit instance: the sheet takes a new file for all its
// users, or one instance moves to another file.
#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/file_stream.h"
#include "core/platform/path.h"
#include "core/platform/prompts.h"
#include "core/schematic_file/schematic_file.h"

namespace kestro {

namespace {

std::string Replace(std::string text, const std::string& value) {
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

}  // namespace

bool CCircuitDocumentManager::RenameSheet(CCircuit& sheet, const std::string& path) {
    const std::string target = CanonicalPath(path);
    if (SamePath(target, sheet.GetPathName())) return true;
    // Two open documents of one file would overwrite each other's saves.
    if (auto other = FindByPath(target); other && other.get() != &sheet) {
        m_context.parts.prompts.Error(Replace(kPathInUse, target));
        return false;
    }
    if (!SaveUnderName(sheet, target)) return false;
    for (CCircuit* parent : sheet.GetParents())
        parent->SetModified(true);
    return true;
}

bool CCircuitDocumentManager::MoveInstanceToFile(CCircuit& parent, CSubCirPart& instance,
                                                 const std::string& path) {
    CCircuit* present = instance.GetSheet();
    const std::string target = CanonicalPath(path);
    if (present && SamePath(target, present->GetPathName())) return true;
    if (!FindByPath(target) && !FileExists(target)) {
        // A new file name: this instance takes a copy of what it shows now.
        if (!present || !SaveDocument(*present, target)) return false;
    }
    std::shared_ptr<CCircuit> sheet = OpenSubcircuitFile(target);
    if (!sheet || !parent.ChangeInstanceSheet(instance, std::move(sheet))) return false;
    parent.SetModified(true);
    parent.UpdateAllViews(CCircuit::kHintGeneral);
    return true;
}

}  // namespace kestro
