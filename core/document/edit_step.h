#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/library/gen_type.h"
#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;
class CPart;
class CSimLink;
class CSimPart;

// The fields of a sheet that belong to no object: the title block, the simulation
// parameters and the interface as a subcircuit (port names, block symbol and pins).
struct CSheetFields {
    std::array<std::string, 5> titleInfo;
    std::array<CGenType, 7> simulation;
    std::vector<std::string> portNames;
    CRectF symbolBox;
    std::vector<CPointF> portPositions;

    static CSheetFields Capture(CCircuit& sheet);
};

// What any edit may move besides objects and the fields above, all of it saved with the
// sheet: the drawing area (it grows to hold the objects), the flags, the naming counters.
struct CSheetState {
    CRectF drawingArea;
    int32_t flags = 0;
    std::vector<uint16_t> counters;

    static CSheetState Capture(CCircuit& sheet);
    bool operator==(const CSheetState&) const = default;
};

// One change of a document within a committed edit, in the order the changes happened:
// undoing them in reverse order and redoing them in order gives back each state.
struct CEditOperation {
    enum class Kind { Added, Removed, Changed };

    Kind kind = Kind::Added;
    // The object. Added and Changed: it is on the sheet after the edit (unless a later
    // operation of the same edit removed it). Removed: the object below, kept whole.
    CPart* part = nullptr;
    // Removed: the object itself, off the sheet and off its nodes, with its number and
    // name, so that putting it back restores the very object later edits refer to.
    std::unique_ptr<CPart> removed;
    // Removed: the object before it in the objects list at that moment (null: it was
    // first), for putting it back at its place.
    CPart* previous = nullptr;
    // Removed text link: its element at that moment; removed element: its text links.
    CSimPart* linkOwner = nullptr;
    std::vector<CSimLink*> links;
    // Changed: the object's record in the copy form before and after the edit (only
    // when the document has a journal; empty otherwise). "After" is the object as it
    // was when it left the sheet, if a later operation of the edit removed it.
    std::vector<uint8_t> before;
    std::vector<uint8_t> after;
};

// Everything one committed edit did: what a history needs to undo and redo it whole.
struct CEditRecord {
    std::string name;  // what the edit was, for the user ("Move", "Delete", ...)
    std::vector<CEditOperation> operations;
    // The sheet's own fields before and after, when the edit changed them.
    std::optional<CSheetFields> sheetBefore;
    std::optional<CSheetFields> sheetAfter;
    // The sheet state before and after, when the edit changed it (journal only).
    std::optional<CSheetState> stateBefore;
    std::optional<CSheetState> stateAfter;
    // Never-saved sheets the records of subcircuit instances name (the copy form refers
    // to them by their place here), kept alive with the record.
    std::vector<std::shared_ptr<CCircuit>> unsavedSheets;
    CRectF area;               // every rectangle the edit touched, joined
    bool wasModified = false;  // the document's modified mark before the edit
};

// An object's record in the copy form (tag and record), as the edit records keep it;
// never-saved sheets it names are kept in `unsavedSheets`.
std::vector<uint8_t> RecordBytes(CCircuit& document, CPart& part,
                                 std::vector<std::shared_ptr<CCircuit>>& unsavedSheets);

// Takes every committed edit of a document (an undo history).
class CEditJournal {
public:
    virtual void OnEditCommitted(CCircuit& document, CEditRecord record) = 0;
    // Every object of the document is about to go (close, reload): records naming them
    // must be dropped now.
    virtual void OnContentsDiscarded(CCircuit& /*document*/) {}

protected:
    ~CEditJournal() = default;
};

// One change of a document as the user sees it: a gesture or a command. Everything the
// step adds, removes or changes is recorded; when the outermost step ends (Commit or its
// destructor) the wire clean-ups it asked for run, the document is marked modified, its
// views get hint 102 with the joined rectangle (or a general update), and the record
// goes to the document's journal. Removed objects live until then (views may still be
// told about them); without a journal they are destroyed at the commit.
//
// A step begun while another is open on the same document joins it: the changes become
// part of the outer step, and only the outer one commits. Objects added or removed
// directly with CCircuit::AddObject and CCircuit::DeleteObject while a step is open are
// recorded too, so the wire clean-up and the clipboard code need no step of their own.
class CEditStep {
public:
    CEditStep(CCircuit& document, std::string name);
    ~CEditStep();
    CEditStep(const CEditStep&) = delete;
    CEditStep& operator=(const CEditStep&) = delete;

    CCircuit& Document() const { return m_document; }
    // True when this step is the outermost one (the one that commits).
    bool IsOutermost() const { return m_outer == nullptr; }

    // Adds an object (CCircuit::AddObject); null when the document refused it.
    CPart* Add(std::unique_ptr<CPart> part, bool report = true);
    // Takes an object off the sheet; it is kept until the commit.
    void Remove(CPart& part);
    // Call before changing an object in place (values, text, placement): its state
    // before is kept once per step.
    void Change(CPart& part);
    // Changes an object's placement or shape: records it, takes it off its nodes, calls
    // `change`, connects it again.
    template <typename Change>
    void Reshape(CPart& part, Change&& change) {
        BeginReshape(part);
        change(part);
        EndReshape(part);
    }
    // Call before changing the sheet's own fields (CSheetFields).
    void ChangeSheet();
    // Adds a rectangle to repaint.
    void Touch(const CRectF& area);
    // The views repaint everything instead of the joined rectangle.
    void RepaintAll();
    // The wire clean-up runs over the area at the commit (after every other change).
    void CleanUpWires(const CRectF& area);
    // The rectangle touched so far.
    CRectF TouchedArea() const;
    // Ends the step: the outermost commits; a joined step just stops recording.
    void Commit();

    // The document's bookkeeping (CCircuit::AddObject reports here).
    void NoteAdded(CPart& part);

private:
    struct CState;

    CEditStep& Root() { return m_outer ? *m_outer : *this; }
    void BeginReshape(CPart& part);
    void EndReshape(CPart& part);
    void CommitOutermost();

    CCircuit& m_document;
    CEditStep* m_outer = nullptr;
    std::unique_ptr<CState> m_state;  // the outermost step's
    bool m_done = false;
};

}  // namespace kestro
