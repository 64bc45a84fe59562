// The commands of a library view: tools, the shape clipboard, Delete, Rotate, Tab, zoom,
// Draw Text and Set Size.
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/sh_text.h"
#include "core/objects/symbol_drawing.h"
#include "gui/commands/command_ids.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_edit_step.h"
#include "gui/library_editor/shape_geometry.h"
#include "gui/library_editor/shape_view.h"

namespace kestro {

void CShapeView::RegisterCommands() {
    const auto whenSelected = [this](CCommandState& s) { s.enabled = !m_selection.empty(); };
    Commands().AddRange(
        kIdToolSelect, kIdToolRectangle, [this](int id) { SetTool(id); },
        [this](int id, CCommandState& s) { s.checked = State().tool == id; });
    Commands().Add(
        kIdEditCopy, [this] { Copy(); }, whenSelected);
    Commands().Add(
        kIdEditCut, [this] { Cut(); }, whenSelected);
    Commands().Add(
        kIdEditClear, [this] { DeleteSelection(); }, whenSelected);
    Commands().Add(
        kIdEditPaste, [this] { Paste(); },
        [this](CCommandState& s) {
            if (State().clipboard.empty()) m_pastePending = false;
            s.enabled = !State().clipboard.empty();
            s.checked = m_pastePending;
        });
    Commands().Add(
        kIdRotate, [this] { RotateSelection(); }, whenSelected);
    Commands().Add(kIdSelectNext, [this] { SelectNext(); });
    Commands().Add(
        kIdZoomIn, [this] { ZoomIn(); },
        [this](CCommandState& s) { s.enabled = m_zoom < kMaxZoom; });
    Commands().Add(
        kIdZoomOut, [this] { ZoomOut(); },
        [this](CCommandState& s) { s.enabled = m_zoom > kMinZoom; });
    Commands().Add(kIdSetSize, [this] { SetSizeWithDialog(); });
    // "Text" (F9) of the library window's Edit menu is the Draw Text tool.
    Commands().Add(kIdText, [this] { SetTool(kIdToolText); });
}

void CShapeView::UpdateCommands() {
    if (m_services.commandsChanged) m_services.commandsChanged();
}

void CShapeView::SetTool(int tool) {
    ClearSelection();
    viewport()->update();
    if (tool == kIdToolText) {
        State().tool = kIdToolSelect;
        UpdateCursor();
        PlaceText();
        return;
    }
    State().tool = tool;
    UpdateCursor();
}

void CShapeView::Copy() {
    if (m_selection.empty()) return;
    CShapeList copies;
    for (const CShape* shape : m_selection)
        copies.push_back(shape->Clone());
    State().clipboard = std::move(copies);
    State().clipboardBounds = m_bounds;
}

void CShapeView::Cut() {
    if (m_selection.empty()) return;
    Copy();
    CShapeEditStep step(m_document.Library(), m_document.Element(), "Cut");
    RemoveShapes(m_selection);
    step.Commit();
    m_document.NotifyChanged();
}

void CShapeView::DeleteSelection() {
    if (m_selection.empty()) return;
    CShapeEditStep step(m_document.Library(), m_document.Element(), "Delete");
    RemoveShapes(m_selection);
    step.Commit();
    m_document.NotifyChanged();
}

void CShapeView::RemoveShapes(const std::vector<CShape*>& shapes) {
    const std::vector<CShape*> gone = shapes;
    m_selection.clear();
    m_bounds = {};
    m_insertAfter = -1;
    CShapeList& list = m_document.Element().GetShapes();
    std::erase_if(list, [&gone](const std::unique_ptr<CShape>& s) {
        return std::find(gone.begin(), gone.end(), s.get()) != gone.end();
    });
}

void CShapeView::Paste() {
    if (State().clipboard.empty()) return;
    ClearSelection();
    m_pastePending = true;
    UpdateCursor();
    UpdateCommands();
}

// The copies land with the centre of what was copied on the click, in whole units, and
// become the selection.
void CShapeView::PasteAt(CPointF at) {
    m_pastePending = false;
    UpdateCursor();
    const CPointF c = State().clipboardBounds.Center();
    const float dx = std::round(at.x - c.x), dy = std::round(at.y - c.y);
    CShapeEditStep step(m_document.Library(), m_document.Element(), "Paste");
    std::vector<CShape*> pasted;
    for (const auto& shape : State().clipboard) {
        std::unique_ptr<CShape> copy = shape->Clone();
        copy->Offset(dx, dy);
        BringInside(*copy, m_document.Element().GetRect());
        pasted.push_back(copy.get());
        m_document.Element().AddShape(std::move(copy));
    }
    step.Commit();
    m_document.NotifyChanged();
    Select(std::move(pasted));
}

void CShapeView::RotateSelection() {
    if (m_selection.empty()) return;
    CShapeEditStep step(m_document.Library(), m_document.Element(), "Rotate");
    const CPointF centre = m_bounds.Center();
    for (CShape* shape : m_selection)
        shape->Rotate90(centre);
    step.Commit();
    RecomputeBounds();
    m_document.NotifyChanged();
}

void CShapeView::SelectNext() {
    const CShapeList& shapes = m_document.Element().GetShapes();
    if (shapes.empty()) return;
    size_t next = 0;
    if (!m_selection.empty())
        for (size_t i = 0; i < shapes.size(); ++i)
            if (shapes[i].get() == m_selection.front()) next = (i + 1) % shapes.size();
    m_insertAfter = int(next);
    Select({shapes[next].get()});
}

void CShapeView::PlaceText() {
    if (!m_services.askText) return;
    const std::optional<CSymbolTextChoice> choice = m_services.askText(this);
    if (!choice || choice->text.empty()) return;
    CLibraryData& library = m_document.Library();
    const CLibraryFonts& fonts = library.GetFonts();
    const int font = std::clamp(choice->font, 0, 3);
    auto text = std::make_unique<CSHText>(fonts[0]);
    text->SetLibraryFont(uint16_t(font), fonts[size_t(font)]);
    text->SetText(choice->text);
    text->SetAnchor(m_document.Element().GetRect().Normalized().Center());
    MeasureFixed(*text);
    CShapeEditStep step(library, m_document.Element(), "Add Text");
    CShape* placed = text.get();
    m_document.Element().AddShape(std::move(text));
    step.Commit();
    m_document.NotifyChanged();
    Select({placed});
}

void CShapeView::SetSizeWithDialog() {
    if (!m_services.askSize) return;
    const auto size = m_services.askSize(this, m_document.WidthInTens(), m_document.HeightInTens());
    if (!size) return;
    ClearSelection();
    m_document.SetSize(size->first, size->second);
}

}  // namespace kestro
