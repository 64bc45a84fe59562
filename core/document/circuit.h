#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/document/circuit_context.h"
#include "core/document/index/name_index.h"
#include "core/document/index/node_index.h"
#include "core/document/index/node_pool.h"
#include "core/document/index/object_index.h"
#include "core/document/object_buffer.h"
#include "core/library/gen_type.h"
#include "core/objects/part.h"

namespace kestro {

class CCanvas;
class CCircuitObserver;
class CEditJournal;
class CEditStep;
class CInternalClipboard;
class CLabelObject;
class CSelection;
class CSimNode;
class CSimPart;
class CSimTerm;
class CSubCirPart;

// How DrawAll treats a selection being dragged: drawn displaced by `offset` instead of
// in place, or (drawSelection false) not at all, when the caller draws it over the rest;
// the objects in `hidden` (wires that will follow the drag) are not drawn either.
struct CMoveFeedback {
    const CSelection* selection = nullptr;
    CPointF offset;
    bool drawSelection = true;
    const std::unordered_set<const CPart*>* hidden = nullptr;
};

// The document of one schematic sheet: its objects (owned, in list order), nodes and
// label objects, its interface as a subcircuit (ports and block symbol), title texts,
// simulation parameters, the links to the sheets that contain it and that it contains,
// and the deletion buffer. No window: views register as observers and keep their own
// CSelection, which the editing operations take.
//
// Costs: adding, removing and moving an object are independent of the sheet's size
// (spatial indexes for objects and nodes, a name index for elements, list positions
// kept in the objects); walks follow the objects list.
class CCircuit : public CPartOwner {
public:
    // Update hints (views: CCircuitObserver).
    static constexpr int kHintGeneral = 0;
    static constexpr int kHintPage = 101;
    static constexpr int kHintArea = 102;
    static constexpr int kHintSelection = 103;
    // Flags.
    static constexpr int32_t kFlagCleanupPending = 0x10;
    static constexpr int32_t kFlagNodesNumbered = 0x1000;
    // Messages.
    static constexpr const char* kDuplicatePort = "Duplicate ports are not allowed.";
    static constexpr const char* kCircularReference = "Circular refference is not allowed.";
    static constexpr float kPickSize = 4.0f;
    // The largest symbol the size dialog allows has under 200 ports; a stored count far
    // beyond that is damage, and would make every pass over the terminals crawl.
    static constexpr size_t kMaxPorts = 4096;

    explicit CCircuit(const CCircuitContext& context);
    virtual ~CCircuit();
    CCircuit(const CCircuit&) = delete;
    CCircuit& operator=(const CCircuit&) = delete;

    const CCircuitContext& GetContext() const { return m_context; }
    const CPartEnvironment& GetEnvironment() const { return m_context.parts; }

    // --- General document fields -------------------------------------------------------
    const std::string& GetPathName() const { return m_path; }
    // The path is taken as given (the caller makes it a full path); the title follows.
    void SetPathName(const std::string& path);
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }

    // --- Stored fields (see the schematic file) ----------------------------------------
    int32_t GetVersionMajor() const { return m_versionMajor; }
    int32_t GetVersionMinor() const { return m_versionMinor; }
    void SetVersion(int32_t major, int32_t minor) {
        m_versionMajor = major;
        m_versionMinor = minor;
    }
    int32_t GetStoredWord() const { return m_storedWord; }
    void SetStoredWord(int32_t word) { m_storedWord = word; }
    int32_t GetSecondStoredWord() const { return m_secondStoredWord; }
    void SetSecondStoredWord(int32_t word) { m_secondStoredWord = word; }
    int32_t GetFlags() const { return m_flags; }
    void SetFlags(int32_t flags) { m_flags = flags; }
    // The drawing area doubles as the page rectangle of the views.
    const CRectF& GetDrawingArea() const { return m_drawingArea; }
    void SetDrawingArea(const CRectF& area) { m_drawingArea = area; }
    // Grows the drawing area to hold `rect`; views get hint 101 when it changed.
    void EnlargeDrawingArea(const CRectF& rect);
    float GetZoom() const { return m_zoom; }
    void SetZoom(float zoom) { m_zoom = zoom; }
    int32_t GetNetlistLineCount() const { return m_netlistLines; }
    void SetNetlistLineCount(int32_t count) { m_netlistLines = count; }
    const std::string& GetSavedPath() const { return m_savedPath; }
    void SetSavedPath(const std::string& path) { m_savedPath = path; }
    // Company, Title, Designed by, Revision, Last Update.
    std::array<std::string, 5>& GetTitleInfo() { return m_titleInfo; }
    const std::array<std::string, 5>& GetTitleInfo() const { return m_titleInfo; }
    // Name (".TIME"), Tstep, Ttotal, Tprint, Iprint, Iload, Isave.
    std::array<CGenType, 7>& GetSimulationParameters() { return m_simulation; }
    // Per library element, the last number used for auto-naming (one per element).
    std::vector<uint16_t>& GetElementCounters() { return m_counters; }
    // While a file is read: stored element identifier -> current one.
    std::vector<uint16_t>& GetElementMap() { return m_elementMap; }

    // --- Subcircuit interface ----------------------------------------------------------
    size_t GetPortCount() const { return m_portNames.size(); }
    const CRectF& GetSymbolBox() const { return m_symbolBox; }
    const std::vector<CPointF>& GetPortPositions() const { return m_portPositions; }
    std::vector<std::string>& GetPortNames() { return m_portNames; }
    std::string GetPortName(size_t number) const;
    CSimTerm* GetPortObject(size_t number) const;
    // Net of each port number after numbering (-2: none); 0 before.
    int32_t GetPortNodeNumber(size_t number) const;
    std::vector<int32_t>& GetPortNodeNumbers() { return m_portNodeNumbers; }
    // Sets box, positions and port count (at most kMaxPorts); the names, port objects and
    // node numbers are resized (ports beyond the new count lose their slot).
    void SetInterface(size_t portCount, std::vector<CPointF> positions, const CRectF& box);
    // The port layout of a box (centred on the origin) as the interface.
    void SetSymbolBox(const CRectF& box);
    // First port number without a port object, or -1.
    int FindFreePortNumber() const;
    // Gives a port of this sheet another port number: false when the number is beyond
    // the interface or another port has it.
    bool MovePort(CSimTerm& port, size_t number);
    // Reconnects every instance of `sheet` on this sheet after its interface changed.
    void UpdateInstancesOf(const CCircuit& sheet);

    // --- Objects -------------------------------------------------------------------------
    const CPartList& GetObjects() const { return m_objects; }
    size_t GetObjectCount() const { return m_objects.size(); }
    // Adds an object (ports take their slot, subcircuits link the sheets, labels join
    // their label object, new elements are named, text links go right after their
    // element) and connects its terminals. Refused (and destroyed) with a message when
    // `report` is set: a port whose number is taken, a subcircuit that would contain
    // itself. Returns the object, or null when refused. Neither marks the document
    // modified nor notifies views: the caller does.
    CPart* AddObject(std::unique_ptr<CPart> part, bool report = true);
    // Takes the object off the sheet: out of every view's selection, off its nodes, its
    // port slot, the instance list and parent link, its label object, its owner's links;
    // an element's links lose their owner. Returns the object (the caller destroys it).
    // Not recorded by an open edit step: editing code uses DeleteObject.
    std::unique_ptr<CPart> RemoveObject(CPart& part);
    // Takes the object off the sheet and destroys it, or, while an edit step is open,
    // hands it to the step (which keeps it until it commits).
    void DeleteObject(CPart& part);
    bool Contains(const CPart& part) const;
    // The object before `part` in the objects list; null when it is the first.
    CPart* PreviousObject(const CPart& part) const;
    // Walks the objects in list order; the first object the callback accepts, or null.
    // With `descend`, a subcircuit instance is first offered to it: when it agrees, the
    // instance's sheet is walked the same way (depth first) before the instance itself.
    CPart* ForEachObject(const std::function<bool(CPart&)>& callback,
                         const std::function<bool(CSubCirPart&)>& descend = nullptr);
    // First element in list order (ground elements excluded) named `name` without
    // regard to case, of library element `elementIndex` unless it is -1.
    CSimPart* FindElementByName(const std::string& name, int elementIndex = -1) const;
    // The object after (or before) `current` in list order, wrapping around; the first
    // (last) object when `current` is null; null on an empty sheet.
    CPart* NextObject(const CPart* current, bool forward = true) const;
    // True when `a` comes before `b` in the objects list.
    static bool Before(const CPart& a, const CPart& b) { return a.Slot().order < b.Slot().order; }
    // Bounding rectangle of all objects (zero when there are none).
    CRectF GetExtent() const;
    // Room in the spatial indexes for about `count` more objects (the file reader knows
    // how many are coming), so that a large sheet is not rehashed as it fills.
    void ReserveObjects(size_t count);

    // New elements with their text links (definitions flagged for placement), added.
    CSimPart* PlaceElement(uint16_t identifier, CPointF position, int rotation);

    // --- Labels --------------------------------------------------------------------------
    // The label object of `name` (without regard to case), appended when new.
    CLabelObject& FindOrAddLabel(const std::string& name);
    const std::vector<std::unique_ptr<CLabelObject>>& GetLabelTable() const { return m_labels; }
    // The most recently added label name (offered for a new label), empty when none.
    std::string GetLastLabelName() const;
    // The label object of `name` (without regard to case), or null; adds nothing.
    CLabelObject* FindLabel(const std::string& name) const;

    // --- Hierarchy -----------------------------------------------------------------------
    const std::vector<CCircuit*>& GetParents() const { return m_parents; }
    const std::vector<CSubCirPart*>& GetInstances() const { return m_instances; }
    // "S%i" by the instance's place among this sheet's instances (from 1); empty if absent.
    std::string GetInstanceName(const CSubCirPart& instance) const;
    void AddParent(CCircuit& parent);
    void RemoveParent(CCircuit& parent);
    // Adds every top-level document containing this one (itself when it has no parents).
    void GetTopLevelDocuments(std::vector<CCircuit*>& out);
    // True when `document` contains this one, directly or through other sheets.
    bool IsAncestor(const CCircuit& document) const;
    // Lets one instance on this sheet use another sheet (its pins follow the new sheet's
    // interface). Refused with "Circular refference is not allowed." when the new sheet
    // contains this one.
    bool ChangeInstanceSheet(CSubCirPart& instance, std::shared_ptr<CCircuit> sheet);
    // Leaves the parents of every sheet this one uses (close and reload do this).
    void DetachFromSubcircuits();
    // Deletes every object, node and label object (each object marked as going first).
    void DeleteContents();

    // --- Nodes ---------------------------------------------------------------------------
    // In node-list order.
    const std::vector<CSimNode*>& GetNodes() const { return m_nodes; }
    // Joins each terminal of a visible object to the first node (in node-list order)
    // strictly within 4 units in x and y, making a node when there is none.
    void ConnectObject(CPart& part);
    void DisconnectObject(CPart& part);
    // Throws every node away and connects all objects again in list order.
    void ReconnectAll();
    // Calls `visit` for every node near `area` (each node inside it, and others), unless
    // the area is large enough that walking the node list is cheaper: false then, and
    // nothing visited.
    bool VisitNodesNear(const CRectF& area, const std::function<void(CSimNode&)>& visit) {
        return m_nodeIndex.VisitCells(area, double(m_nodes.size()), visit);
    }
    // Deletes the nodes nothing is attached to any more; clears the pending flag.
    void NodeCleanup();
    bool IsCleanupPending() const { return (m_flags & kFlagCleanupPending) != 0; }

    // --- Edit steps (edit_step.h) ----------------------------------------------------------
    // The step open on this document, or null. Every change made while it is open
    // becomes part of it.
    CEditStep* GetOpenEdit() const { return m_openStep; }
    // Receives every committed edit (an undo history); null for none.
    void SetEditJournal(CEditJournal* journal) { m_journal = journal; }
    CEditJournal* GetEditJournal() const { return m_journal; }

    // --- Undo and redo (undo_history.h) ---------------------------------------------------
    // Puts an object taken off with RemoveObject back as it was: right after `previous`
    // (first when null), keeping its number and name, joined to `linkOwner` (a text
    // link) or to those of `links` still on the sheet (an element). Not recorded.
    CPart* RestoreObject(std::unique_ptr<CPart> part, CPart* previous, CSimPart* linkOwner,
                         const std::vector<CSimLink*>& links);
    // Gives an object on the sheet the state of its record in the copy form (tag and
    // record), keeping the object itself, its place and its links. False when the record
    // is not of the object's kind (nothing changes then). Not recorded.
    bool ReloadObject(CPart& part, const std::vector<uint8_t>& record,
                      std::vector<std::shared_ptr<CCircuit>>& unsavedSheets);

    // --- Editing operations of the views -------------------------------------------------
    // Each is one edit step (it joins a step that is open already).
    // A rectangle at least 4 units wide or high selects every visible object meeting it,
    // in list order; a smaller one (a click) is widened to 4 by 4 about its centre and
    // selects the topmost object there. The selection's bounds are recomputed.
    void SelectByRect(CSelection& selection, const CRectF& rect) const;
    void SelectAt(CSelection& selection, CPointF point) const;
    // The topmost (last in list order) visible object whose bounds meet the 4 by 4 box
    // centred on `point`, or null.
    CPart* ObjectAt(CPointF point) const;
    // Visible objects meeting `rect` with positive area, in list order.
    std::vector<CPart*> ObjectsIn(const CRectF& rect) const;
    // Calls `visit` for each of those, in list order, without gathering them first.
    void VisitObjectsIn(const CRectF& rect, const std::function<void(CPart&)>& visit) const;
    void SelectAll(CSelection& selection) const;
    // Replaces the selection by the object after (or before) its first object.
    void SelectNext(CSelection& selection, bool forward = true) const;
    // Drops objects no longer on the sheet and adds the text links of selected elements.
    void RefreshSelection(CSelection& selection) const;
    // Moving, turning and flipping keep the wiring: wires at the terminals of the changed
    // objects follow them (CWireFollower), then the wire clean-up runs where they went.
    // Moves the selection by whole grid steps (dx, dy rounded to multiples of 10).
    void MoveSelection(CSelection& selection, float dx, float dy);
    // Turns the selection by quarter turns about the centre of its bounds (on the grid).
    void RotateSelection(CSelection& selection, int turns);
    // Mirrors each selected object (text links aside) about its own position: axis 0
    // left-right, 1 top-bottom.
    void FlipSelection(CSelection& selection, int axis);
    void FlipObject(CPart& part, int axis);
    // Stores the selection in the deletion buffer, deletes it, empties the selection.
    void DeleteSelection(CSelection& selection);
    bool CanUndoDelete() const { return m_deletion.HasData(); }
    // Adds the last deletion again and selects it; empties the deletion buffer.
    void UndoDelete(CSelection& selection);
    // Copies the selection (in selection order) into the internal clipboard.
    void Copy(const CSelection& selection, CInternalClipboard& clipboard);
    // Adds new objects read from the clipboard, centred on `point` and turned by
    // `rotation` quarter turns; they become the selection.
    void Paste(const CInternalClipboard& clipboard, CSelection& selection, CPointF point,
               int rotation = 0);
    CObjectBuffer& GetDeletionBuffer() { return m_deletion; }

    // --- Drawing and views ---------------------------------------------------------------
    // Draws the visible objects meeting the canvas clip (all when it has none) in list
    // order, then the node markers; a selection being moved is drawn displaced.
    void DrawAll(CCanvas& canvas, const CMoveFeedback& move = {}) const;
    // The selected objects drawn displaced by `offset` (the drag outline).
    void DrawSelection(CCanvas& canvas, const CSelection& selection, CPointF offset) const;
    void AddObserver(CCircuitObserver& observer);
    void RemoveObserver(CCircuitObserver& observer);
    // Tells every observer but `sender`.
    void UpdateAllViews(int hint, const CRectF* area = nullptr, CCircuitObserver* sender = nullptr);
    // "Kind: name" of the topmost object at the point, for the status bar; empty if none.
    std::string DescribeObjectAt(CPointF point) const;

    // --- What the indexes hold (read only: checks compare them with the lists) ---------
    const CObjectIndex& GetObjectIndex() const { return m_objectIndex; }
    const CNodeIndex& GetNodeIndex() const { return m_nodeIndex; }
    const CNameIndex& GetNameIndex() const { return m_names; }

    // CPartOwner
    void OnBoundsChanged(CPart& part, const CRectF& oldBounds) override;
    void OnNameChanged(CPart& part) override;

private:
    friend class CEditStep;

    void TransformSelection(CSelection& selection, const char* name,
                            const std::function<void(CPart&)>& change, bool followWires = true);
    void TurnSelection(CSelection& selection, int turns, bool followWires);
    bool AcceptPort(CSimTerm& port, bool report);
    bool AcceptSubcircuit(CSubCirPart& instance, bool report);
    void NameNewElement(CSimPart& element);
    void InsertIntoList(std::unique_ptr<CPart> part);
    void InsertAt(std::unique_ptr<CPart> part, CPartList::iterator where);
    void JoinDocument(CPart& part);
    void AssignOrder(CPart& part);
    void RenumberOrder();
    void AddInstance(CSubCirPart& instance);
    void RemoveInstance(CSubCirPart& instance);
    void ConnectTerminal(CPart& part, size_t terminal);
    void ConnectTerminalAt(CPart& part, size_t terminal, CPointF position);
    std::vector<CPart*> Candidates(const CRectF& area) const;
    std::vector<CPart*> AddRestored(std::vector<std::unique_ptr<CPart>> parts, CPointF offset);
    void SetDefaults();

    const CCircuitContext& m_context;
    std::string m_path;
    std::string m_title;
    bool m_modified = false;

    int32_t m_versionMajor = 3;
    int32_t m_versionMinor = 30;
    std::vector<CCircuit*> m_parents;
    std::vector<CSubCirPart*> m_instances;
    std::vector<int32_t> m_portNodeNumbers;
    CObjectBuffer m_deletion;
    int32_t m_storedWord = 0;
    int32_t m_flags = 0;
    CRectF m_drawingArea{0, 0, 2000, 2000};
    std::vector<std::string> m_portNames;
    std::vector<CSimTerm*> m_portObjects;
    std::vector<CPointF> m_portPositions;
    CRectF m_symbolBox;
    std::vector<std::unique_ptr<CLabelObject>> m_labels;
    std::array<std::string, 5> m_titleInfo;
    std::array<CGenType, 7> m_simulation;
    // Owned by the pool, which keeps deleted nodes for reuse: reconnecting a large sheet
    // then allocates nothing.
    std::vector<CSimNode*> m_nodes;
    CNodePool m_nodePool;
    CBlockPool m_objectLinks;  // before the list, which draws on it
    CPartList m_objects{CPartList::allocator_type(m_objectLinks)};
    int32_t m_secondStoredWord = 0;
    int32_t m_netlistLines = 0;
    std::vector<uint16_t> m_elementMap;
    std::vector<uint16_t> m_counters;
    std::string m_savedPath;
    float m_zoom = 1.2f;

    CEditStep* m_openStep = nullptr;
    CEditJournal* m_journal = nullptr;
    uint32_t m_objectCounter = 0;
    uint64_t m_nodeSequence = 0;
    std::vector<CCircuitObserver*> m_observers;
    mutable CObjectIndex m_objectIndex;
    CNodeIndex m_nodeIndex;
    // Built by the first look-up by name (a sheet just read needs none).
    mutable CNameIndex m_names;
    std::unordered_map<std::string, CLabelObject*> m_labelIndex;
};

}  // namespace kestro
