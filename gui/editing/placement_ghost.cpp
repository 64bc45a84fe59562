#include "gui/editing/placement_ghost.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/document/circuit.h"
#include "core/library/sh_rrect.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/platform/canvas.h"
#include "gui/editing/edit_state.h"
#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

// The ghost is lighter than what is on the sheet.
constexpr double kGhostOpacity = 0.55;
// Pixels around the outline that pens and texts may reach.
constexpr int kMargin = 4;

}  // namespace

CPointF PlacementPoint(CPointF at) {
    return {SnapCoordinate(at.x), SnapCoordinate(at.y)};
}

std::unique_ptr<CPart> MakePlacedObject(const CPartEnvironment& environment, int kind,
                                        const CPlacementGhost& ghost, CPointF at, int rotation,
                                        int portNumber) {
    switch (kind) {
        case kPlaceText:
            return CSimText::Create(environment, ghost.text, at, rotation);
        case kPlaceSimControl:
            return CSimControl::Create(environment, at, rotation);
        case kPlacePort:
            return CSimTerm::Create(environment, static_cast<uint16_t>(portNumber), at, rotation);
        case kPlaceLabel:
            return CSimLabel::Create(environment, ghost.name, at, rotation);
        case kPlaceWire:
        case kPlaceSubcircuit:
        case kPlaceNone:
            return nullptr;
        default:
            if (kind < 0 || kind > 0xFFFF) return nullptr;
            return CSimPart::Create(environment, static_cast<uint16_t>(kind), at, rotation);
    }
}

bool CPlacementGhost::Hide() {
    if (!m_visible) return false;
    m_visible = false;
    Repaint();
    return true;
}

void CPlacementGhost::Show() {
    if (!m_view) return;
    m_zoom = m_view->Zoom();
    m_rotation = m_state.Rotation();
    m_kind = m_state.Kind();
    m_mode = m_state.Mode();
    m_visible = true;
    Repaint();
}

void CPlacementGhost::Move(CKestroView& view, QPoint pixel) {
    Hide();
    if (m_view && m_view != &view) m_painted = QRect();
    m_view = &view;
    m_position = pixel;
    m_zoom = view.Zoom();
    m_rotation = m_state.Rotation();
    m_kind = m_state.Kind();
    m_mode = m_state.Mode();
    m_visible = true;
    Repaint();
}

void CPlacementGhost::Forget(const CKestroView& view) {
    if (m_view != &view) return;
    m_view = nullptr;
    m_visible = false;
    m_painted = QRect();
}

// Both the area painted last and the one to paint now: one erases, the other draws.
void CPlacementGhost::Repaint() {
    if (!m_view) return;
    const QRect now = Area(*m_view);
    m_view->viewport()->update(m_painted.united(now));
    m_painted = m_visible ? now : QRect();
}

QRect CPlacementGhost::Area(const CKestroView& view) const {
    CCircuit* document = view.Document();
    if (!document) return {};
    const CPointF at = Anchor(view);
    CRectF bounds;
    if (m_mode == EditMode::Paste) {
        const CRectF copied = m_state.Clipboard().GetBounds().Normalized();
        const float reach = std::max(copied.Width(), copied.Height()) / 2.0f + 10.0f;
        bounds = {at.x - reach, at.y - reach, at.x + reach, at.y + reach};
    } else if (m_kind == kPlaceSubcircuit) {
        CPlacement placement;
        placement.x = at.x;
        placement.y = at.y;
        placement.rotation = static_cast<uint16_t>(m_rotation);
        bounds = placement.PlaceRect(subcircuitRect);
    } else if (auto part =
                   MakePlacedObject(document->GetEnvironment(), m_kind, *this, at, m_rotation)) {
        bounds = part->GetBounds();
    } else {
        return {};
    }
    return view.ToWindow(bounds).adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

// Where a click at the ghost's position puts what it shows: a pasted set moves by whole
// grid steps from where it was copied, anything else lands on the grid.
CPointF CPlacementGhost::Anchor(const CKestroView& view) const {
    const CPointF at = view.ToLogical(m_position);
    if (m_mode != EditMode::Paste) return PlacementPoint(at);
    const CPointF centre = m_state.Clipboard().GetBounds().Center();
    return {centre.x + SnapCoordinate(at.x - centre.x), centre.y + SnapCoordinate(at.y - centre.y)};
}

void CPlacementGhost::Paint(CKestroView& view, QPainter& painter) const {
    if (!m_visible || m_view != &view || !view.Document()) return;
    const CPointF at = Anchor(view);
    const CPartEnvironment& environment = view.Document()->GetEnvironment();
    painter.save();
    painter.setOpacity(kGhostOpacity);
    view.DrawOnCanvas(painter, [&](CCanvas& canvas) { Draw(canvas, environment, at); });
    painter.restore();
}

void CPlacementGhost::Draw(CCanvas& canvas, const CPartEnvironment& environment, CPointF at) const {
    CPlacement placement;
    placement.x = at.x;
    placement.y = at.y;
    placement.rotation = static_cast<uint16_t>(m_rotation);
    if (m_mode == EditMode::Paste) {
        // The copies are drawn about the centre of what was copied, as pasting puts them.
        placement.color = 7;
        for (const auto& shape : m_state.Clipboard().GetGhosts())
            shape->Draw(canvas, placement);
        return;
    }
    if (m_kind == kPlaceSubcircuit) {
        placement.color = 3;
        CSHRRect(subcircuitRect).Draw(canvas, placement);
        return;
    }
    if (auto part = MakePlacedObject(environment, m_kind, *this, at, m_rotation))
        part->Draw(canvas);
}

}  // namespace kestro
