#include "gui/editing/edit_state.h"

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "gui/editing/edit_tool.h"
#include "gui/editing/paste_tool.h"
#include "gui/editing/place_tool.h"
#include "gui/editing/select_tool.h"
#include "gui/editing/wire_tool.h"
#include "gui/editing/zoom_box_tool.h"

namespace kestro {

CEditState::CEditState() : m_ghost(*this) {
    m_tools[size_t(EditMode::Select)] = std::make_unique<CSelectTool>(*this);
    m_tools[size_t(EditMode::Place)] = std::make_unique<CPlaceTool>(*this);
    m_tools[size_t(EditMode::ZoomBox)] = std::make_unique<CZoomBoxTool>(*this);
    m_tools[size_t(EditMode::Wire)] = std::make_unique<CWireTool>(*this);
    m_tools[size_t(EditMode::Paste)] = std::make_unique<CPasteTool>(*this);
}

CEditState::~CEditState() = default;

void CEditState::SetMode(EditMode mode, int kind) {
    m_mode = mode;
    m_kind = kind;
}

CEditTool& CEditState::Tool() const {
    return *m_tools[size_t(m_mode)];
}

void CEditState::TurnPlacement() {
    const bool shown = m_ghost.Hide();
    m_rotation = (m_rotation + 3) % 4;
    if (shown) m_ghost.Show();
}

std::string CEditState::KindName(CLibraryData& library) const {
    switch (m_kind) {
        case kPlaceText:
            return "Text";
        case kPlaceWire:
            return "Wire";
        case kPlaceSubcircuit:
            return m_ghost.name.empty() ? "Subcircuit" : "Subcircuit: " + m_ghost.name;
        case kPlaceSimControl:
            return "Simulation Control";
        case kPlacePort:
            return "Port";
        case kPlaceLabel:
            return "Label: " + m_ghost.name;
        case kPlaceNone:
            return {};
        default: {
            const CLibElement* element =
                m_kind >= 0 ? library.GetElement(static_cast<uint32_t>(m_kind)) : nullptr;
            return element ? element->GetName() : std::string();
        }
    }
}

}  // namespace kestro
