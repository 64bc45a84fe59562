#include "core/document/circuit.h"

#include <algorithm>
#include <unordered_set>

#include "core/objects/sub_cir_part.h"
#include "core/platform/prompts.h"

namespace kestro {

void CCircuit::AddInstance(CSubCirPart& instance) {
    m_instances.push_back(&instance);
    if (CCircuit* sheet = instance.GetSheet()) sheet->AddParent(*this);
}

// The parent link stays while another instance on this sheet still uses that sheet.
void CCircuit::RemoveInstance(CSubCirPart& instance) {
    std::erase(m_instances, &instance);
    CCircuit* sheet = instance.GetSheet();
    if (!sheet) return;
    const bool stillUsed =
        std::any_of(m_instances.begin(), m_instances.end(),
                    [sheet](CSubCirPart* other) { return other->GetSheet() == sheet; });
    if (!stillUsed) sheet->RemoveParent(*this);
}

bool CCircuit::ChangeInstanceSheet(CSubCirPart& instance, std::shared_ptr<CCircuit> sheet) {
    if (!sheet || !Contains(instance)) return false;
    if (sheet.get() == this || IsAncestor(*sheet)) {
        m_context.parts.prompts.Error(kCircularReference);
        return false;
    }
    CCircuit* old = instance.GetSheet();
    DisconnectObject(instance);
    instance.SetSheet(std::move(sheet));
    instance.GetSheet()->AddParent(*this);
    const bool oldStillUsed =
        std::any_of(m_instances.begin(), m_instances.end(),
                    [old](CSubCirPart* other) { return other->GetSheet() == old; });
    if (old && !oldStillUsed) old->RemoveParent(*this);
    ConnectObject(instance);
    return true;
}

std::string CCircuit::GetInstanceName(const CSubCirPart& instance) const {
    auto it = std::find(m_instances.begin(), m_instances.end(), &instance);
    if (it == m_instances.end()) return {};
    return "S" + std::to_string(it - m_instances.begin() + 1);
}

void CCircuit::AddParent(CCircuit& parent) {
    if (std::find(m_parents.begin(), m_parents.end(), &parent) == m_parents.end())
        m_parents.push_back(&parent);
}

void CCircuit::RemoveParent(CCircuit& parent) {
    std::erase(m_parents, &parent);
}

void CCircuit::GetTopLevelDocuments(std::vector<CCircuit*>& out) {
    if (m_parents.empty()) {
        if (std::find(out.begin(), out.end(), this) == out.end()) out.push_back(this);
        return;
    }
    for (CCircuit* parent : m_parents)
        parent->GetTopLevelDocuments(out);
}

bool CCircuit::IsAncestor(const CCircuit& document) const {
    // Sheets may share subcircuits, so the parents form a graph: visit each once.
    std::unordered_set<const CCircuit*> seen;
    std::vector<const CCircuit*> pending(m_parents.begin(), m_parents.end());
    while (!pending.empty()) {
        const CCircuit* parent = pending.back();
        pending.pop_back();
        if (parent == &document) return true;
        if (!seen.insert(parent).second) continue;
        pending.insert(pending.end(), parent->m_parents.begin(), parent->m_parents.end());
    }
    return false;
}

void CCircuit::DetachFromSubcircuits() {
    for (CSubCirPart* instance : m_instances)
        if (CCircuit* sheet = instance->GetSheet()) sheet->RemoveParent(*this);
}

}  // namespace kestro
