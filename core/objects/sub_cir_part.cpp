#include "core/objects/sub_cir_part.h"

#include "core/document/circuit.h"
#include "core/document/document_manager.h"
#include "core/library/sh_rrect.h"
#include "core/library/sh_text.h"
#include "core/objects/sim_node.h"
#include "core/objects/symbol_drawing.h"
#include "core/platform/number_text.h"
#include "core/platform/path.h"
#include "core/platform/record_buffer.h"
#include "core/platform/settings.h"

namespace kestro {

std::string FileTitle(const std::string& path) {
    const std::string name = FileNameOf(path);
    return name.substr(0, name.size() - ExtensionOf(name).size());
}

namespace {

size_t KeepSheet(std::vector<std::shared_ptr<CCircuit>>& sheets,
                 const std::shared_ptr<CCircuit>& sheet) {
    for (size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i] == sheet) return i;
    sheets.push_back(sheet);
    return sheets.size() - 1;
}

std::shared_ptr<CCircuit> KeptSheet(const CSerialContext& context, const std::string& path,
                                    const std::string& relative) {
    if (context.options != kSerialCopy || !context.unsavedSheets || !path.empty() ||
        relative.size() < 2 || relative[0] != '*')
        return nullptr;
    const int64_t index = ParseLeadingInt(std::string_view(relative).substr(1));
    if (index < 0 || size_t(index) >= context.unsavedSheets->size()) return nullptr;
    return (*context.unsavedSheets)[size_t(index)];
}

}  // namespace

CSubCirPart::CSubCirPart(const CPartEnvironment& environment) : CPart(environment, kHasTerminals) {
    ApplyColorRole();
}

CSubCirPart::~CSubCirPart() = default;

std::unique_ptr<CSubCirPart> CSubCirPart::Create(const CPartEnvironment& environment,
                                                 std::shared_ptr<CCircuit> sheet, CPointF position,
                                                 int rotation) {
    auto instance = std::make_unique<CSubCirPart>(environment);
    CPlacement placement;
    placement.color = 3;
    placement.x = position.x;
    placement.y = position.y;
    placement.rotation = static_cast<uint16_t>(NormalizeTurns(rotation));
    instance->SetPlacement(placement);
    instance->SetSheet(std::move(sheet));
    instance->SnapToGrid();
    return instance;
}

void CSubCirPart::SetSheet(std::shared_ptr<CCircuit> sheet) {
    m_sheet = std::move(sheet);
    UpdateInterface();
}

void CSubCirPart::UpdateInterface() {
    if (m_sheet && !m_sheet->GetPathName().empty()) m_path = m_sheet->GetPathName();
    ResetTerminals(m_sheet ? m_sheet->GetPortCount() : 0);
    UpdateBounds();
}

int32_t CSubCirPart::GetInnerNetNumber(size_t index) const {
    return m_sheet ? m_sheet->GetPortNodeNumber(index) : CSimNode::kLeftOut;
}

bool CSubCirPart::HasInnerPort(size_t index) const {
    return m_sheet && m_sheet->GetPortObject(index) != nullptr;
}

std::string CSubCirPart::GetName() const {
    return FileTitle(m_path);
}

CRectF CSubCirPart::GetSymbolRect() const {
    return m_sheet ? m_sheet->GetSymbolBox() : CRectF{};
}

CPointF CSubCirPart::GetTerminalPosition(size_t index) const {
    if (!m_sheet || index >= m_sheet->GetPortPositions().size()) return GetPosition();
    return GetPlacement().Place(m_sheet->GetPortPositions()[index]);
}

void CSubCirPart::AppendShapes(CShapeList& shapes, CPointF origin) const {
    shapes.push_back(CSHRRect(GetSymbolRect()).CloneTransformed(GetPlacement(), origin));
}

void CSubCirPart::DrawWith(CCanvas& canvas, const CPlacement& placement) const {
    const CRectF box = GetSymbolRect();
    CSHRRect(box).Draw(canvas, placement);
    if (m_sheet)
        DrawPinNames(canvas, placement, box, m_sheet->GetPortPositions(), m_sheet->GetPortNames());
    if (!GetEnvironment().settings.showSubcircuitName) return;
    // The file name under the block, in the placement's colour.
    CSHTextAdvance name(CLogicalFont{"Arial", -10, 400, false});
    name.SetText(GetName());
    name.SetUsePlacementColor(1);
    const float height = 10.0f, width = 6.0f * float(GetName().size());
    name.SetExtent({-width / 2, -height / 2, width / 2, height / 2});
    name.SetAnchor({0.0f, box.Normalized().bottom + height});
    name.Draw(canvas, placement);
}

void CSubCirPart::Serialize(CRecordBuffer& buffer, CSerialContext& context) {
    CPart::Serialize(buffer, context);
    if (buffer.IsLoading()) {
        ReadSheet(buffer, context);
        return;
    }
    std::string path = m_sheet ? m_sheet->GetPathName() : m_path;
    std::string relative;
    if (context.options == kSerialFile && context.relativePath && !path.empty())
        relative = context.relativePath(path);
    else if (context.options == kSerialCopy && path.empty() && m_sheet && context.unsavedSheets)
        relative = "*" + std::to_string(KeepSheet(*context.unsavedSheets, m_sheet));
    buffer.String(path);
    buffer.String(relative);
    uint16_t count = m_sheet ? static_cast<uint16_t>(m_sheet->GetPortCount()) : 0;
    std::vector<CPointF> positions = m_sheet ? m_sheet->GetPortPositions() : std::vector<CPointF>{};
    CRectF box = GetSymbolRect();
    buffer.Value(count);
    buffer.Points(positions);
    buffer.Rect(box);
}

void CSubCirPart::ReadSheet(CRecordBuffer& buffer, CSerialContext& context) {
    std::string path, relative;
    buffer.String(path);
    buffer.String(relative);
    const uint16_t count = buffer.Get<uint16_t>();
    std::vector<CPointF> positions;
    buffer.Points(positions);
    CRectF box;
    buffer.Rect(box);
    m_path = path;
    std::shared_ptr<CCircuit> sheet = KeptSheet(context, path, relative);
    // The live sheet of a copied instance keeps its interface, even when it was resized
    // since the copy: the instance follows the sheet, never the other way round.
    const bool kept = sheet != nullptr;
    if (!sheet && context.document)
        sheet = context.document->GetContext().documents.OpenSubcircuit(path, relative,
                                                                        *context.document);
    if (!sheet) {
        ResetTerminals(0);
        MarkUnresolved();
        return;
    }
    // A new sheet standing in for a missing file takes the interface the instance was
    // drawn with, and the instances already placed of it follow.
    if (!kept && sheet->GetPathName().empty()) {
        sheet->SetInterface(count, positions, box);
        for (CCircuit* parent : std::vector<CCircuit*>(sheet->GetParents()))
            parent->UpdateInstancesOf(*sheet);
    }
    m_sheet = std::move(sheet);
    // Found in another folder or picked under another name: the instance is named after
    // the file it now uses, not the one it was saved with.
    if (!m_sheet->GetPathName().empty()) m_path = m_sheet->GetPathName();
    ResetTerminals(m_sheet->GetPortCount());
    UpdateBounds();
}

}  // namespace kestro
