#include "core/objects/wire.h"

#include "core/platform/record_buffer.h"

namespace kestro {

CWire::CWire(const CPartEnvironment& environment) : CPart(environment, kHasTerminals) {
    ApplyColorRole();
    ResetTerminals(2);
}

std::unique_ptr<CWire> CWire::Create(const CPartEnvironment& environment, CPointF from,
                                     CPointF to) {
    auto wire = std::make_unique<CWire>(environment);
    wire->SetSheetEnds(from, to);
    return wire;
}

CPointF CWire::GetTerminalPosition(size_t index) const {
    if (index == 0) return GetPlacement().Place(m_line.GetFrom());
    if (index == 1) return GetPlacement().Place(m_line.GetTo());
    return {};
}

void CWire::SetSheetEnds(CPointF a, CPointF b) {
    CPlacement& placement = MutablePlacement();
    placement.x = (a.x + b.x) / 2.0f;
    placement.y = (a.y + b.y) / 2.0f;
    // Back into the wire's own frame: the inverse of CPlacement::Place.
    auto own = [&placement](CPointF p) {
        CPointF q{p.x - placement.x, p.y - placement.y};
        q.x /= placement.DeviceScaleX() == 0.0f ? 1.0f : placement.DeviceScaleX();
        q.y /= placement.DeviceScaleY() == 0.0f ? 1.0f : placement.DeviceScaleY();
        return TurnAboutOrigin(q, -placement.Turns());
    };
    m_line.SetPoints(own(a), own(b));
    SetBounds(CRectF{a.x, a.y, b.x, b.y}.Normalized());
}

void CWire::Rotate(CPointF centre, int turns) {
    auto turned = [&](CPointF p) {
        const CPointF q = TurnAbout(p, centre, turns);
        return CPointF{SnapCoordinate(q.x), SnapCoordinate(q.y)};
    };
    SetSheetEnds(turned(GetEnd(0)), turned(GetEnd(1)));
}

void CWire::AppendShapes(CShapeList& shapes, CPointF origin) const {
    shapes.push_back(m_line.CloneTransformed(GetPlacement(), origin));
}

void CWire::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    m_line.Draw(canvas, placement);
}

void CWire::Serialize(CRecordBuffer& buffer, CSerialContext& context) {
    CPart::Serialize(buffer, context);
    CRectF ends = m_line.GetRect();
    buffer.Rect(ends);
    if (buffer.IsStoring()) return;
    m_line.SetRect(ends);
    ResetTerminals(2);
}

bool CWire::IsVertical() const {
    const CPointF a = GetEnd(0), b = GetEnd(1);
    return a.x == b.x && a.y != b.y;
}

}  // namespace kestro
