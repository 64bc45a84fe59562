#include "core/document/undo_history.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "core/document/circuit.h"
#include "core/document/record_diff.h"
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

// The history's form of a record: changed objects keep only the difference of their
// records before and after (a few bytes for a move), the other operations stay whole.
struct CCompactChange {
    CPart* part;
    uint32_t diff;        // its difference's place in the step's diff bytes
    uint32_t precededBy;  // how many of the step's other operations came before it
};

}  // namespace

struct CUndoHistory::CStep {
    CEditRecord record;  // its operations: the added and removed objects only
    std::vector<CCompactChange> changes;
    std::vector<uint8_t> diffs;
    size_t memory = 0;

    explicit CStep(CEditRecord edit);
    void Run(CCircuit& sheet, bool undo);
    bool ReloadChange(CCircuit& sheet, const CCompactChange& change, bool undo);
    size_t Memory() const;
};

CUndoHistory::CStep::CStep(CEditRecord edit) : record(std::move(edit)) {
    std::vector<CEditOperation> others;
    for (CEditOperation& operation : record.operations) {
        if (operation.kind != Kind::Changed) {
            others.push_back(std::move(operation));
            continue;
        }
        // Without its records (no journal when it began) a change cannot be undone.
        if (operation.before.empty() || operation.after.empty()) continue;
        if (operation.before == operation.after) continue;
        changes.push_back({operation.part, uint32_t(diffs.size()), uint32_t(others.size())});
        AppendRecordDiff(operation.before, operation.after, diffs);
    }
    record.operations = std::move(others);
    record.operations.shrink_to_fit();
    changes.shrink_to_fit();
    diffs.shrink_to_fit();
    memory = Memory();
}

bool CUndoHistory::CStep::ReloadChange(CCircuit& sheet, const CCompactChange& change, bool undo) {
    if (!sheet.Contains(*change.part)) return false;
    const std::vector<uint8_t> now = RecordBytes(sheet, *change.part, record.unsavedSheets);
    std::vector<uint8_t> target;
    if (!ApplyRecordDiff(diffs, change.diff, now, !undo, target)) return false;
    return sheet.ReloadObject(*change.part, target, record.unsavedSheets);
}

// Undo: every operation in reverse order, then the sheet as it was before; redo: in
// order, then the sheet as it was after.
void CUndoHistory::CStep::Run(CCircuit& sheet, bool undo) {
    std::vector<CEditOperation>& others = record.operations;
    const auto runOther = [&](CEditOperation& operation) {
        const bool takeOff = (operation.kind == Kind::Added) == undo;
        takeOff ? TakeOff(sheet, operation) : PutBack(sheet, operation);
    };
    if (undo) {
        size_t other = others.size(), change = changes.size();
        while (other > 0 || change > 0) {
            if (change > 0 && changes[change - 1].precededBy >= other)
                ReloadChange(sheet, changes[--change], true);
            else
                runOther(others[--other]);
        }
        if (record.sheetBefore) ApplyFields(sheet, *record.sheetBefore);
        if (record.stateBefore) ApplyState(sheet, *record.stateBefore);
    } else {
        size_t other = 0, change = 0;
        while (other < others.size() || change < changes.size()) {
            if (change < changes.size() && changes[change].precededBy <= other)
                ReloadChange(sheet, changes[change++], false);
            else
                runOther(others[other++]);
        }
        if (record.sheetAfter) ApplyFields(sheet, *record.sheetAfter);
        if (record.stateAfter) ApplyState(sheet, *record.stateAfter);
    }
    Repaint(sheet, record);
}

size_t CUndoHistory::CStep::Memory() const {
    // An object kept whole: its own size and its share of texts and terminals.
    constexpr size_t kKeptObject = 256;
    size_t bytes = sizeof(CStep) + record.name.capacity();
    bytes += changes.capacity() * sizeof(CCompactChange) + diffs.capacity();
    bytes += record.operations.capacity() * sizeof(CEditOperation);
    for (const CEditOperation& operation : record.operations) {
        bytes += operation.links.capacity() * sizeof(CSimLink*);
        if (operation.removed) bytes += kKeptObject;
    }
    bytes += FieldsMemory(record.sheetBefore) + FieldsMemory(record.sheetAfter);
    if (record.stateBefore)
        bytes += 2 * (sizeof(CSheetState) + record.stateBefore->counters.capacity() * 2);
    return bytes;
}

// --- The history ------------------------------------------------------------------------

CUndoHistory::CUndoHistory(size_t memoryBudget) : m_steps(memoryBudget, kMinimumSteps) {}

CUndoHistory::~CUndoHistory() {
    Detach();
}

void CUndoHistory::Attach(CCircuit& sheet) {
    Detach();
    m_sheet = &sheet;
    sheet.SetEditJournal(this);
    if (sheet.IsModified()) m_steps.ForgetSaved();
}

void CUndoHistory::Detach() {
    if (m_sheet && m_sheet->GetEditJournal() == this) m_sheet->SetEditJournal(nullptr);
    m_sheet = nullptr;
    Clear();
}

bool CUndoHistory::CanUndo() const {
    return m_sheet && m_steps.CanUndo();
}

bool CUndoHistory::CanRedo() const {
    return m_sheet && m_steps.CanRedo();
}

std::string CUndoHistory::UndoName() const {
    return CanUndo() ? m_steps.Previous()->record.name : std::string();
}

std::string CUndoHistory::RedoName() const {
    return CanRedo() ? m_steps.Next()->record.name : std::string();
}

// A sheet found unmodified is in its saved state, wherever it was saved from.
void CUndoHistory::NoteSavedState() {
    if (!m_sheet->IsModified()) m_steps.NoteSaved();
}

CUndoHistory* CUndoHistory::Of(const CCircuit& sheet) {
    auto* history = dynamic_cast<CUndoHistory*>(sheet.GetEditJournal());
    return history && history->m_sheet == &sheet ? history : nullptr;
}

bool CUndoHistory::Undo() {
    if (!CanUndo() || m_sheet->GetOpenEdit()) return false;
    NoteSavedState();
    CStep& step = *m_steps.StepBack();
    step.Run(*m_sheet, true);
    NoteStepObjects(step);
    AfterMove();
    return true;
}

bool CUndoHistory::Redo() {
    if (!CanRedo() || m_sheet->GetOpenEdit()) return false;
    NoteSavedState();
    CStep& step = *m_steps.StepForward();
    step.Run(*m_sheet, false);
    NoteStepObjects(step);
    AfterMove();
    return true;
}

// Whatever the step touched and the sheet holds now: after an undo the objects put back
// and changed, after a redo the ones added and changed. Links go last, so the first
// object stands by itself.
void CUndoHistory::NoteStepObjects(const CStep& step) {
    m_lastObjects.clear();
    std::unordered_set<const CPart*> seen;
    const auto note = [&](CPart* part) {
        if (part && m_sheet->Contains(*part) && seen.insert(part).second)
            m_lastObjects.push_back(part);
    };
    for (const CEditOperation& operation : step.record.operations)
        note(operation.part);
    for (const CCompactChange& change : step.changes)
        note(change.part);
    std::stable_partition(m_lastObjects.begin(), m_lastObjects.end(),
                          [](const CPart* part) { return !part->IsLink(); });
}

void CUndoHistory::AfterMove() {
    m_sheet->SetModified(!m_steps.AtSavedState());
}

void CUndoHistory::MarkSaved() {
    m_steps.NoteSaved();
}

void CUndoHistory::Clear() {
    m_lastObjects.clear();
    m_steps.Clear();
}

void CUndoHistory::OnEditCommitted(CCircuit& document, CEditRecord record) {
    if (&document != m_sheet) return;
    m_lastObjects.clear();
    if (!record.wasModified) m_steps.NoteSaved();
    auto step = std::make_unique<CStep>(std::move(record));
    const size_t memory = step->memory;
    m_steps.Push(std::move(step), memory);
}

void CUndoHistory::OnContentsDiscarded(CCircuit& document) {
    if (&document == m_sheet) Clear();
}

}  // namespace kestro
