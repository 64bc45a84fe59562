#include "core/document/undo_history.h"

#include <utility>

#include "core/document/circuit.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"

namespace kestro {

namespace {

using Kind = CEditOperation::Kind;

// Takes the operation's object off the sheet, noting where it was and what it was
// joined to, so that PutBack restores it there.
void TakeOff(CCircuit& sheet, CEditOperation& operation) {
    CPart& part = *operation.part;
    if (!sheet.Contains(part)) return;
    operation.previous = sheet.PreviousObject(part);
    operation.linkOwner = nullptr;
    if (CSimLink* link = part.AsLink()) operation.linkOwner = link->GetOwnerElement();
    operation.links.clear();
    if (CSimPart* element = part.AsSimPart()) operation.links = element->GetLinks();
    operation.removed = sheet.RemoveObject(part);
}

void PutBack(CCircuit& sheet, CEditOperation& operation) {
    if (!operation.removed) return;
    sheet.RestoreObject(std::move(operation.removed), operation.previous, operation.linkOwner,
                        operation.links);
}

void ApplyFields(CCircuit& sheet, const CSheetFields& fields) {
    sheet.GetTitleInfo() = fields.titleInfo;
    sheet.GetSimulationParameters() = fields.simulation;
    const bool sameInterface = sheet.GetPortCount() == fields.portNames.size() &&
                               sheet.GetSymbolBox() == fields.symbolBox &&
                               sheet.GetPortPositions() == fields.portPositions;
    sheet.SetInterface(fields.portNames.size(), fields.portPositions, fields.symbolBox);
    sheet.GetPortNames() = fields.portNames;
    if (sameInterface) return;
    // Instances of this sheet elsewhere take its interface again.
    for (CCircuit* parent : std::vector<CCircuit*>(sheet.GetParents()))
        parent->UpdateInstancesOf(sheet);
}

void ApplyState(CCircuit& sheet, const CSheetState& state) {
    sheet.SetDrawingArea(state.drawingArea);
    sheet.SetFlags(state.flags);
    sheet.GetElementCounters() = state.counters;
}

void Repaint(CCircuit& sheet, CEditRecord& record) {
    if (record.sheetBefore || record.stateBefore)
        sheet.UpdateAllViews(CCircuit::kHintGeneral);
    else
        sheet.UpdateAllViews(CCircuit::kHintArea, &record.area);
}

size_t FieldsMemory(const std::optional<CSheetFields>& fields) {
    if (!fields) return 0;
    size_t bytes = sizeof(CSheetFields) + fields->portPositions.size() * sizeof(CPointF);
    for (const std::string& name : fields->portNames)
        bytes += sizeof(std::string) + name.capacity();
    for (const std::string& text : fields->titleInfo)
        bytes += text.capacity();
    return bytes;
}

}  // namespace

void UndoEditRecord(CCircuit& sheet, CEditRecord& record) {
    for (auto it = record.operations.rbegin(); it != record.operations.rend(); ++it) {
        CEditOperation& operation = *it;
        switch (operation.kind) {
            case Kind::Added:
                TakeOff(sheet, operation);
                break;
            case Kind::Removed:
                PutBack(sheet, operation);
                break;
            case Kind::Changed:
                sheet.ReloadObject(*operation.part, operation.before, record.unsavedSheets);
                break;
        }
    }
    if (record.sheetBefore) ApplyFields(sheet, *record.sheetBefore);
    if (record.stateBefore) ApplyState(sheet, *record.stateBefore);
    Repaint(sheet, record);
}

void RedoEditRecord(CCircuit& sheet, CEditRecord& record) {
    for (CEditOperation& operation : record.operations) {
        switch (operation.kind) {
            case Kind::Added:
                PutBack(sheet, operation);
                break;
            case Kind::Removed:
                TakeOff(sheet, operation);
                break;
            case Kind::Changed:
                sheet.ReloadObject(*operation.part, operation.after, record.unsavedSheets);
                break;
        }
    }
    if (record.sheetAfter) ApplyFields(sheet, *record.sheetAfter);
    if (record.stateAfter) ApplyState(sheet, *record.stateAfter);
    Repaint(sheet, record);
}

size_t EditRecordMemory(const CEditRecord& record) {
    // An object kept whole: its own size and its share of texts and terminals.
    constexpr size_t kKeptObject = 256;
    size_t bytes = sizeof(CEditRecord) + record.name.capacity();
    bytes += record.operations.capacity() * sizeof(CEditOperation);
    for (const CEditOperation& operation : record.operations) {
        bytes += operation.before.capacity() + operation.after.capacity();
        bytes += operation.links.capacity() * sizeof(CSimLink*);
        if (operation.removed) bytes += kKeptObject;
    }
    bytes += FieldsMemory(record.sheetBefore) + FieldsMemory(record.sheetAfter);
    if (record.stateBefore)
        bytes += 2 * (sizeof(CSheetState) + record.stateBefore->counters.capacity() * 2);
    return bytes;
}

// --- The history ------------------------------------------------------------------------

CUndoHistory::CUndoHistory(size_t memoryBudget) : m_budget(memoryBudget) {}

CUndoHistory::~CUndoHistory() {
    Detach();
}

void CUndoHistory::Attach(CCircuit& sheet) {
    Detach();
    m_sheet = &sheet;
    sheet.SetEditJournal(this);
    m_savedPosition = sheet.IsModified() ? std::nullopt : std::optional<size_t>(0);
}

void CUndoHistory::Detach() {
    if (m_sheet && m_sheet->GetEditJournal() == this) m_sheet->SetEditJournal(nullptr);
    m_sheet = nullptr;
    Clear();
}

bool CUndoHistory::CanUndo() const {
    return m_sheet && m_position > 0;
}

bool CUndoHistory::CanRedo() const {
    return m_sheet && m_position < m_steps.size();
}

std::string CUndoHistory::UndoName() const {
    return CanUndo() ? m_steps[m_position - 1].record.name : std::string();
}

std::string CUndoHistory::RedoName() const {
    return CanRedo() ? m_steps[m_position].record.name : std::string();
}

// A sheet found unmodified is in its saved state, wherever it was saved from.
void CUndoHistory::NoteSavedState() {
    if (!m_sheet->IsModified()) m_savedPosition = m_position;
}

bool CUndoHistory::Undo() {
    if (!CanUndo() || m_sheet->GetOpenEdit()) return false;
    NoteSavedState();
    CEditRecord& record = m_steps[--m_position].record;
    UndoEditRecord(*m_sheet, record);
    AfterMove(record);
    return true;
}

bool CUndoHistory::Redo() {
    if (!CanRedo() || m_sheet->GetOpenEdit()) return false;
    NoteSavedState();
    CEditRecord& record = m_steps[m_position++].record;
    RedoEditRecord(*m_sheet, record);
    AfterMove(record);
    return true;
}

void CUndoHistory::AfterMove(const CEditRecord& /*record*/) {
    m_sheet->SetModified(m_savedPosition != m_position);
}

void CUndoHistory::MarkSaved() {
    m_savedPosition = m_position;
}

void CUndoHistory::Clear() {
    m_steps.clear();
    m_position = 0;
    m_memory = 0;
    m_savedPosition = 0;
}

void CUndoHistory::OnEditCommitted(CCircuit& document, CEditRecord record) {
    if (&document != m_sheet) return;
    if (!record.wasModified) m_savedPosition = m_position;
    DropRedoSteps();
    CStep step;
    step.memory = EditRecordMemory(record);
    step.record = std::move(record);
    m_memory += step.memory;
    m_steps.push_back(std::move(step));
    m_position = m_steps.size();
    DropOldSteps();
}

void CUndoHistory::OnContentsDiscarded(CCircuit& document) {
    if (&document == m_sheet) Clear();
}

void CUndoHistory::DropRedoSteps() {
    if (m_savedPosition && *m_savedPosition > m_position) m_savedPosition.reset();
    while (m_steps.size() > m_position) {
        m_memory -= m_steps.back().memory;
        m_steps.pop_back();
    }
}

void CUndoHistory::DropOldSteps() {
    while (m_memory > m_budget && m_steps.size() > kMinimumSteps) {
        m_memory -= m_steps.front().memory;
        m_steps.pop_front();
        --m_position;
        if (m_savedPosition) {
            if (*m_savedPosition == 0)
                m_savedPosition.reset();
            else
                --*m_savedPosition;
        }
    }
}

}  // namespace kestro
