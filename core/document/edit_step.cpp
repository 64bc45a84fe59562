#include "core/document/edit_step.h"

#include <unordered_map>

#include "core/document/circuit.h"
#include "core/document/object_records.h"
#include "core/document/wire_cleanup.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/platform/record_buffer.h"

namespace kestro {

CSheetFields CSheetFields::Capture(CCircuit& sheet) {
    CSheetFields fields;
    fields.titleInfo = sheet.GetTitleInfo();
    fields.simulation = sheet.GetSimulationParameters();
    fields.portNames = sheet.GetPortNames();
    fields.symbolBox = sheet.GetSymbolBox();
    fields.portPositions = sheet.GetPortPositions();
    return fields;
}

std::vector<uint8_t> RecordBytes(CCircuit& document, CPart& part,
                                 std::vector<std::shared_ptr<CCircuit>>& unsavedSheets) {
    CRecordBuffer buffer(BufferMode::Store);
    CSerialContext context;
    context.document = &document;
    context.options = kSerialCopy;
    context.unsavedSheets = &unsavedSheets;
    WriteObjectRecord(buffer, part, context);
    return std::vector<uint8_t>(buffer.Data(), buffer.Data() + buffer.Length());
}

CSheetState CSheetState::Capture(CCircuit& sheet) {
    CSheetState state;
    state.drawingArea = sheet.GetDrawingArea();
    state.flags = sheet.GetFlags();
    state.counters = sheet.GetElementCounters();
    return state;
}

namespace {

bool HasArea(const CRectF& r) {
    return !(r == CRectF{});
}

CRectF JoinRects(const CRectF& a, const CRectF& b) {
    if (!HasArea(a)) return b.Normalized();
    if (!HasArea(b)) return a;
    return UnionRect(a, b.Normalized());
}

}  // namespace

struct CEditStep::CState {
    CEditRecord record;
    // Changed objects: their operation and their bounds before.
    std::unordered_map<const CPart*, size_t> changed;
    std::vector<CRectF> changedBefore;
    std::vector<CRectF> cleanups;
    CRectF touched;
    bool repaintAll = false;
    bool journal = false;
    CSheetState stateBefore;  // journal only
};

CEditStep::CEditStep(CCircuit& document, std::string name) : m_document(document) {
    m_outer = document.m_openStep;
    if (m_outer) return;
    m_state = std::make_unique<CState>();
    m_state->record.name = std::move(name);
    m_state->record.wasModified = document.IsModified();
    m_state->journal = document.GetEditJournal() != nullptr;
    if (m_state->journal) m_state->stateBefore = CSheetState::Capture(document);
    document.m_openStep = this;
}

CEditStep::~CEditStep() {
    Commit();
}

CPart* CEditStep::Add(std::unique_ptr<CPart> part, bool report) {
    return m_document.AddObject(std::move(part), report);
}

void CEditStep::NoteAdded(CPart& part) {
    CEditOperation operation;
    operation.kind = CEditOperation::Kind::Added;
    operation.part = &part;
    Root().m_state->record.operations.push_back(std::move(operation));
}

void CEditStep::Remove(CPart& part) {
    if (!m_document.Contains(part)) return;
    CEditOperation operation;
    operation.kind = CEditOperation::Kind::Removed;
    operation.part = &part;
    operation.previous = m_document.PreviousObject(part);
    if (CSimLink* link = part.AsLink()) operation.linkOwner = link->GetOwnerElement();
    if (CSimPart* element = part.AsSimPart()) operation.links = element->GetLinks();
    CState& state = *Root().m_state;
    // A changed object leaving the sheet: its state after is the one it leaves in.
    if (auto changed = state.changed.find(&part); changed != state.changed.end() && state.journal)
        state.record.operations[changed->second].after =
            RecordBytes(m_document, part, state.record.unsavedSheets);
    operation.removed = m_document.RemoveObject(part);
    state.touched = JoinRects(state.touched, part.GetBounds());
    state.record.operations.push_back(std::move(operation));
}

void CEditStep::Change(CPart& part) {
    CState& state = *Root().m_state;
    if (state.changed.count(&part)) return;
    state.changed.emplace(&part, state.record.operations.size());
    state.changedBefore.push_back(part.GetBounds());
    CEditOperation operation;
    operation.kind = CEditOperation::Kind::Changed;
    operation.part = &part;
    if (state.journal) operation.before = RecordBytes(m_document, part, state.record.unsavedSheets);
    state.record.operations.push_back(std::move(operation));
}

void CEditStep::BeginReshape(CPart& part) {
    Change(part);
    m_document.DisconnectObject(part);
}

void CEditStep::EndReshape(CPart& part) {
    m_document.ConnectObject(part);
}

void CEditStep::ChangeSheet() {
    CState& state = *Root().m_state;
    if (!state.record.sheetBefore) state.record.sheetBefore = CSheetFields::Capture(m_document);
}

void CEditStep::Touch(const CRectF& area) {
    CState& state = *Root().m_state;
    state.touched = JoinRects(state.touched, area);
}

void CEditStep::RepaintAll() {
    Root().m_state->repaintAll = true;
}

void CEditStep::CleanUpWires(const CRectF& area) {
    Root().m_state->cleanups.push_back(area.Normalized());
}

CRectF CEditStep::TouchedArea() const {
    const CEditStep& root = m_outer ? *m_outer : *this;
    const CState& state = *root.m_state;
    CRectF area = state.touched;
    for (const CEditOperation& operation : state.record.operations)
        if (operation.kind != CEditOperation::Kind::Removed)
            area = JoinRects(area, operation.part->GetBounds());
    for (const CRectF& before : state.changedBefore)
        area = JoinRects(area, before);
    return area;
}

void CEditStep::Commit() {
    if (m_done) return;
    m_done = true;
    if (!m_outer) CommitOutermost();
}

void CEditStep::CommitOutermost() {
    // Clean-ups go last and are recorded like every other change.
    for (size_t i = 0; i < m_state->cleanups.size(); ++i)
        kestro::CleanUpWires(m_document, m_state->cleanups[i]);
    m_document.m_openStep = nullptr;
    CState& state = *m_state;
    CEditRecord& record = state.record;
    const bool sheetChanged = record.sheetBefore.has_value();
    if (record.operations.empty() && !sheetChanged && !HasArea(state.touched) && !state.repaintAll)
        return;
    // The area the objects reach now (the drawing area grows to hold it), then
    // everything the edit touched.
    CRectF now;
    for (const CEditOperation& operation : record.operations) {
        if (operation.kind == CEditOperation::Kind::Removed) continue;
        if (!m_document.Contains(*operation.part)) continue;
        now = JoinRects(now, operation.part->GetBounds());
        if (operation.kind == CEditOperation::Kind::Changed && state.journal)
            const_cast<CEditOperation&>(operation).after =
                RecordBytes(m_document, *operation.part, record.unsavedSheets);
    }
    record.area = JoinRects(TouchedArea(), now);
    for (const CRectF& area : state.cleanups)
        record.area = JoinRects(record.area, area);
    if (sheetChanged) record.sheetAfter = CSheetFields::Capture(m_document);
    if (HasArea(now)) m_document.EnlargeDrawingArea(now);
    if (state.journal) {
        CSheetState after = CSheetState::Capture(m_document);
        if (!(after == state.stateBefore)) {
            record.stateBefore = std::move(state.stateBefore);
            record.stateAfter = std::move(after);
        }
    }
    m_document.SetModified();
    if (state.repaintAll || sheetChanged)
        m_document.UpdateAllViews(CCircuit::kHintGeneral);
    else
        m_document.UpdateAllViews(CCircuit::kHintArea, &record.area);
    if (CEditJournal* journal = m_document.GetEditJournal())
        journal->OnEditCommitted(m_document, std::move(record));
}

}  // namespace kestro
