#include "core/objects/part.h"

#include <algorithm>

#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_node.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"
#include "core/platform/record_buffer.h"

namespace kestro {

float SnapCoordinate(float value, float grid) {
    if (grid == 0.0f) grid = 1.0f;
    return static_cast<float>(RoundHalfAway(double(value) / grid) * grid);
}

CPart::CPart(const CPartEnvironment& environment, uint32_t kindFlags)
    : m_environment(&environment), m_kindFlags(kindFlags) {}

CPart::~CPart() = default;

void CPart::SetPlacement(const CPlacement& placement) {
    m_placement = placement;
    UpdateBounds();
}

void CPart::SetBounds(const CRectF& bounds) {
    const CRectF old = m_bounds;
    m_bounds = bounds;
    if (m_owner && !(old == bounds)) m_owner->OnBoundsChanged(*this, old);
}

void CPart::ApplyColorRole() {
    const int role = GetColorRole();
    if (role >= 0) m_placement.color = static_cast<uint16_t>(role);
}

void CPart::SnapToGrid() {
    const CRectF placed = m_placement.PlaceRect(GetSymbolRect());
    m_placement.x += SnapCoordinate(placed.left) - placed.left;
    m_placement.y += SnapCoordinate(placed.top) - placed.top;
    UpdateBounds();
}

void CPart::Offset(float dx, float dy) {
    m_placement.x += dx;
    m_placement.y += dy;
    SetBounds(m_bounds.Offset(dx, dy));
}

void CPart::Flip(int axis) {
    const bool odd = (m_placement.rotation & 1) != 0;
    if ((axis == 1) != odd)
        m_placement.sy = -m_placement.sy;
    else
        m_placement.sx = -m_placement.sx;
    UpdateBounds();
}

void CPart::Rotate(CPointF centre, int turns) {
    const CPointF moved = TurnAbout(GetPosition(), centre, turns);
    m_placement.x = moved.x;
    m_placement.y = moved.y;
    m_placement.rotation = static_cast<uint16_t>(NormalizeTurns(m_placement.rotation + turns));
    UpdateBounds();
}

bool CPart::IntersectsRect(const CRectF& rect) const {
    return RectsOverlap(m_bounds, rect.Normalized());
}

CSimNode* CPart::GetNode(size_t index) const {
    return index < m_nodes.size() ? m_nodes[index] : nullptr;
}

int CPart::FindNode(const CSimNode* node) const {
    for (size_t i = 0; i < m_nodes.size(); ++i)
        if (m_nodes[i] == node) return static_cast<int>(i);
    return -1;
}

int32_t CPart::GetNodeNumber(size_t index) const {
    const CSimNode* node = GetNode(index);
    return node ? node->GetNumber() : -1;
}

void CPart::ConnectNode(CSimNode& node, size_t index) {
    if (index >= m_nodes.size()) return;
    m_nodes[index] = &node;
    node.Attach(*this);
}

void CPart::DisconnectNode(CSimNode& node, size_t index) {
    if (index < m_nodes.size() && m_nodes[index] == &node) m_nodes[index] = nullptr;
    node.Detach(*this);
    if (FindNode(&node) >= 0) node.Attach(*this);
}

std::vector<CSimNode*> CPart::DisconnectAll() {
    std::vector<CSimNode*> left;
    for (CSimNode*& node : m_nodes) {
        if (!node) continue;
        if (node->Detach(*this)) left.push_back(node);  // true only the first time
        node = nullptr;
    }
    return left;
}

void CPart::Serialize(CRecordBuffer& buffer, CSerialContext& /*context*/) {
    if (buffer.IsStoring()) ApplyColorRole();
    buffer.Value(m_number);
    buffer.Rect(m_bounds);
    m_placement.Serialize(buffer);
    buffer.Value(m_state);
    buffer.Value(m_kindFlags);
    if (buffer.IsStoring()) return;
    m_bounds = m_bounds.Normalized();
    m_placement.rotation &= 3;
    ApplyColorRole();
}

CSimPart* CPart::AsSimPart() {
    return IsSimPart() ? static_cast<CSimPart*>(this) : nullptr;
}
CWire* CPart::AsWire() {
    return IsWire() ? static_cast<CWire*>(this) : nullptr;
}
CSubCirPart* CPart::AsSubCircuit() {
    return IsSubCircuit() ? static_cast<CSubCirPart*>(this) : nullptr;
}
CSimTerm* CPart::AsPort() {
    return IsPort() ? static_cast<CSimTerm*>(this) : nullptr;
}
CSimText* CPart::AsText() {
    return IsText() ? static_cast<CSimText*>(this) : nullptr;
}
CSimControl* CPart::AsSimControl() {
    return IsSimControl() ? static_cast<CSimControl*>(this) : nullptr;
}
CSimLink* CPart::AsLink() {
    return IsLink() ? static_cast<CSimLink*>(this) : nullptr;
}
CSimLabel* CPart::AsLabel() {
    return IsLabel() ? static_cast<CSimLabel*>(this) : nullptr;
}

}  // namespace kestro
