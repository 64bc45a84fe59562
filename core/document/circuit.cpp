#include "core/document/circuit.h"

#include <algorithm>

#include "core/document/circuit_observer.h"
#include "core/library/library_data.h"
#include "core/objects/label_object.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/subcircuit_ports.h"

namespace kestro {

namespace {

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

}  // namespace

CCircuit::CCircuit(const CCircuitContext& context) : m_context(context) {
    SetDefaults();
}

CCircuit::~CCircuit() {
    // Sheets that contain this one hold it through their instances, so none is left
    // when it goes; the sheets it uses must forget it as a parent. Views are gone by now.
    m_observers.clear();
    DeleteContents();
}

void CCircuit::SetDefaults() {
    m_simulation = {CGenType::MakeString(".TIME"), CGenType::MakeFloat(1e-5),
                    CGenType::MakeFloat(0.01),     CGenType::MakeFloat(0.0),
                    CGenType::MakeInteger(1),      CGenType::MakeInteger(0),
                    CGenType::MakeInteger(0)};
    SetSymbolBox({0, 0, 50, 70});
    m_counters.assign(m_context.parts.library.GetElementCount(), 0);
}

void CCircuit::SetPathName(const std::string& path) {
    m_path = path;
    m_title = path;
}

void CCircuit::EnlargeDrawingArea(const CRectF& rect) {
    const CRectF grown = UnionRect(m_drawingArea.Normalized(), rect.Normalized());
    if (grown == m_drawingArea) return;
    m_drawingArea = grown;
    UpdateAllViews(kHintPage);
}

// --- Subcircuit interface -------------------------------------------------------------

std::string CCircuit::GetPortName(size_t number) const {
    return number < m_portNames.size() ? m_portNames[number] : std::string();
}

CSimTerm* CCircuit::GetPortObject(size_t number) const {
    return number < m_portObjects.size() ? m_portObjects[number] : nullptr;
}

int32_t CCircuit::GetPortNodeNumber(size_t number) const {
    return number < m_portNodeNumbers.size() ? m_portNodeNumbers[number] : CSimNode::kLeftOut;
}

void CCircuit::SetInterface(size_t portCount, std::vector<CPointF> positions, const CRectF& box) {
    portCount = std::min<size_t>(portCount, kMaxPorts);
    m_symbolBox = box;
    m_portPositions = std::move(positions);
    m_portNames.resize(portCount);
    m_portNodeNumbers.resize(portCount, 0);
    m_portObjects.resize(portCount, nullptr);
}

void CCircuit::SetSymbolBox(const CRectF& box) {
    const CRectF centred = CentredOnOrigin(box);
    std::vector<CPointF> positions = SubcircuitPortPositions(centred);
    const size_t count = positions.size();
    SetInterface(count, std::move(positions), centred);
}

int CCircuit::FindFreePortNumber() const {
    for (size_t i = 0; i < m_portObjects.size(); ++i)
        if (!m_portObjects[i]) return static_cast<int>(i);
    return -1;
}

void CCircuit::UpdateInstancesOf(const CCircuit& sheet) {
    for (CSubCirPart* instance : m_instances) {
        if (instance->GetSheet() != &sheet) continue;
        DisconnectObject(*instance);
        instance->UpdateInterface();
        ConnectObject(*instance);
    }
}

// --- Labels -----------------------------------------------------------------------------

CLabelObject& CCircuit::FindOrAddLabel(const std::string& name) {
    const std::string key = Upper(name);
    auto it = m_labelIndex.find(key);
    if (it != m_labelIndex.end()) return *it->second;
    m_labels.push_back(std::make_unique<CLabelObject>(name));
    m_labelIndex.emplace(key, m_labels.back().get());
    return *m_labels.back();
}

CLabelObject* CCircuit::FindLabel(const std::string& name) const {
    auto it = m_labelIndex.find(Upper(name));
    return it == m_labelIndex.end() ? nullptr : it->second;
}

std::string CCircuit::GetLastLabelName() const {
    return m_labels.empty() ? std::string() : m_labels.back()->GetName();
}

// --- Name index -------------------------------------------------------------------------

void CCircuit::ReserveObjects(size_t count) {
    m_nodeIndex.Reserve(m_nodes.size() + count);
    m_objectIndex.Reserve(m_objects.size() + count);
}

void CCircuit::OnNameChanged(CPart& part) {
    CSimPart* element = part.AsSimPart();
    if (!part.Slot().inList || !element) return;
    m_names.Remove(*element);
    m_names.Insert(*element);
}

void CCircuit::OnBoundsChanged(CPart& part, const CRectF& /*oldBounds*/) {
    if (!part.Slot().inList) return;
    m_objectIndex.Remove(part);
    m_objectIndex.Insert(part);
}

// --- Views ------------------------------------------------------------------------------

void CCircuit::AddObserver(CCircuitObserver& observer) {
    if (std::find(m_observers.begin(), m_observers.end(), &observer) == m_observers.end())
        m_observers.push_back(&observer);
}

void CCircuit::RemoveObserver(CCircuitObserver& observer) {
    std::erase(m_observers, &observer);
}

void CCircuit::UpdateAllViews(int hint, const CRectF* area, CCircuitObserver* sender) {
    for (CCircuitObserver* observer : std::vector<CCircuitObserver*>(m_observers))
        if (observer != sender) observer->OnCircuitUpdate(*this, hint, area);
}

}  // namespace kestro
