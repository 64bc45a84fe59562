#include "gui/library_editor/shape_doc.h"

#include <cmath>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/objects/subcircuit_ports.h"
#include "gui/commands/command_ids.h"
#include "gui/library_editor/shape_edit_step.h"

namespace kestro {

CShapeDoc::CShapeDoc(CLibraryData& library, CLibElement& element, QObject* parent)
    : QObject(parent), m_library(library), m_element(element) {
    ComputeCandidates();
    ReadMarks();
    RegisterCommands();
}

void CShapeDoc::RegisterCommands() {
    Commands().Add(kIdResetOutputs, [this] { ResetOutputs(); });
}

void CShapeDoc::Reload() {
    ComputeCandidates();
    ReadMarks();
    emit Changed();
}

QString CShapeDoc::Title() const {
    return QStringLiteral("Library : ") + QString::fromStdString(m_element.GetName());
}

void CShapeDoc::ComputeCandidates() {
    const CRectF box = m_element.GetRect().Normalized();
    const CPointF centre = box.Center();
    m_candidates = SubcircuitPortPositions(box);
    for (CPointF& p : m_candidates)
        p = {p.x + centre.x, p.y + centre.y};
    m_marks.assign(m_candidates.size(), 0);
}

// Terminals that lie on a candidate show there; others (an older element may have them
// anywhere) keep their numbers but have no marker.
void CShapeDoc::ReadMarks() {
    const std::vector<CPointF>& outputs = m_element.GetOutputPoints();
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        m_marks[i] = 0;
        for (size_t k = 0; k < outputs.size(); ++k)
            if (SamePoint(outputs[k], m_candidates[i])) {
                m_marks[i] = uint16_t(k + 1);
                break;
            }
    }
}

CShapeDoc::Side CShapeDoc::SideOf(size_t candidate) const {
    const CRectF box = m_element.GetRect().Normalized();
    const CPointF p = m_candidates[candidate];
    if (SameTenth(p.y, box.top)) return Side::Top;
    if (SameTenth(p.y, box.bottom)) return Side::Bottom;
    if (SameTenth(p.x, box.right)) return Side::Right;
    return Side::Left;
}

CRectF CShapeDoc::MarkerRect(size_t candidate) const {
    const CPointF p = m_candidates[candidate];
    const float w = kMarkerHalfWidth, d = kMarkerDepth;
    switch (SideOf(candidate)) {
        case Side::Top:
            return {p.x - w, p.y - d, p.x + w, p.y};
        case Side::Bottom:
            return {p.x - w, p.y, p.x + w, p.y + d};
        case Side::Right:
            return {p.x, p.y - w, p.x + d, p.y + w};
        case Side::Left:
            break;
    }
    return {p.x - d, p.y - w, p.x, p.y + w};
}

bool CShapeDoc::IsMarkFlagged(size_t candidate) const {
    if (candidate >= m_marks.size() || m_marks[candidate] == 0) return false;
    int count = 0;
    for (const CPointF& p : m_element.GetOutputPoints())
        if (SamePoint(p, m_candidates[candidate])) ++count;
    return count > 1;
}

int CShapeDoc::CandidateAt(CPointF p) const {
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        const CRectF r = MarkerRect(i);
        if (p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom) return int(i);
    }
    return -1;
}

bool CShapeDoc::MarkTerminal(size_t candidate) {
    if (candidate >= m_candidates.size() || m_marks[candidate] != 0) return false;
    // A place already in the list (an older element may have it twice) is not added again:
    // two terminals in one place would join their nodes.
    for (const CPointF& p : m_element.GetOutputPoints())
        if (SamePoint(p, m_candidates[candidate])) return false;
    CShapeEditStep step(m_library, m_element, "Set Terminal");
    std::vector<CPointF>& outputs = m_element.GetOutputPoints();
    outputs.push_back(m_candidates[candidate]);
    m_marks[candidate] = uint16_t(outputs.size());
    step.Commit();
    NotifyChanged();
    return true;
}

void CShapeDoc::ResetOutputs() {
    CShapeEditStep step(m_library, m_element, "Reset Outputs");
    m_element.GetOutputPoints().clear();
    m_marks.assign(m_candidates.size(), 0);
    step.Commit();
    // Nothing to take back still counts as an edit of the library.
    m_library.SetModified(true);
    NotifyChanged();
}

int CShapeDoc::WidthInTens() const {
    return int(std::lround(std::fabs(m_element.GetRect().Width()) * 0.1));
}

int CShapeDoc::HeightInTens() const {
    return int(std::lround(std::fabs(m_element.GetRect().Height()) * 0.1));
}

void CShapeDoc::SetSize(int width, int height) {
    CShapeEditStep step(m_library, m_element, "Set Size");
    const CPointF c = m_element.GetRect().Normalized().Center();
    const float w = float(width) * 10.0f / 2.0f, h = float(height) * 10.0f / 2.0f;
    m_element.SetRect({c.x - w, c.y - h, c.x + w, c.y + h});
    m_element.GetOutputPoints().clear();
    ComputeCandidates();
    step.Commit();
    NotifyChanged();
}

}  // namespace kestro
