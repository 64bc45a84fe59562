#include "core/objects/sim_node.h"

#include <algorithm>

#include "core/library/shape.h"
#include "core/objects/part.h"
#include "core/objects/sub_cir_part.h"
#include "core/platform/canvas.h"
#include "core/platform/settings.h"

namespace kestro {

void CSimNode::Init(CPointF position, uint64_t sequence) {
    m_number = kNotNumbered;
    m_position = position;
    m_sequence = sequence;
    m_objects.clear();
    // Most nodes join two terminals: room for them at once rather than in two steps.
    if (m_objects.capacity() < 2) m_objects.reserve(2);
    m_nextInCell = nullptr;
    m_passMark = 0;
}

void CSimNode::AddObject(CPart& part, size_t terminal) {
    if (part.GetNode(terminal) != this) part.ConnectNode(*this, terminal);
    Attach(part);
}

void CSimNode::Attach(CPart& part) {
    if (std::find(m_objects.begin(), m_objects.end(), &part) == m_objects.end())
        m_objects.push_back(&part);
}

bool CSimNode::Detach(CPart& part) {
    auto it = std::find(m_objects.begin(), m_objects.end(), &part);
    if (it == m_objects.end()) return false;
    m_objects.erase(it);
    return true;
}

bool CSimNode::HasVisibleObjects() const {
    return std::any_of(m_objects.begin(), m_objects.end(),
                       [](const CPart* part) { return !part->IsHidden(); });
}

CPart* CSimNode::FindObject(const std::function<bool(const CPart&)>& predicate) const {
    for (CPart* part : m_objects)
        if (predicate(*part)) return part;
    return nullptr;
}

bool CSimNode::IsGroundNode() const {
    for (const CPart* part : m_objects) {
        if (part->IsGround()) return true;
        if (const CSubCirPart* instance = part->AsSubCircuit()) {
            const int terminal = part->FindNode(this);
            if (terminal >= 0 && instance->GetInnerNetNumber(size_t(terminal)) == kGround)
                return true;
        }
    }
    return false;
}

bool CSimNode::IsDeadEnd() const {
    if (m_objects.size() != 1) return false;
    const CSubCirPart* instance = m_objects.front()->AsSubCircuit();
    if (!instance) return false;
    const int terminal = instance->FindNode(this);
    return terminal < 0 || !instance->HasInnerPort(size_t(terminal));
}

void CSimNode::Draw(CCanvas& canvas) const {
    if (!HasVisibleObjects() || m_objects.size() == 2 || IsDeadEnd()) return;
    canvas.SelectRolePen(kRoleNode);
    if (m_objects.size() == 1)
        canvas.SelectBackgroundBrush();
    else
        canvas.SelectRoleBrush(kRoleNode);
    const float r = kMarkerRadius;
    const CRectF circle{m_position.x - r, m_position.y - r, m_position.x + r, m_position.y + r};
    canvas.Ellipse(DeviceBox(canvas, circle));
}

}  // namespace kestro
