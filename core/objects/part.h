#pragma once

#include <algorithm>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "core/library/placement.h"
#include "core/library/shape.h"
#include "core/objects/node_slots.h"
#include "core/objects/part_environment.h"
#include "core/objects/serial_context.h"
#include "core/platform/block_pool.h"
#include "core/platform/geometry.h"

namespace kestro {

class CCanvas;
class CLibElement;
class CPart;
class CRecordBuffer;
class CSimNode;
class CSimPart;
class CWire;
class CSubCirPart;
class CSimTerm;
class CSimText;
class CSimControl;
class CSimLink;
class CSimLabel;

// The objects list of a document: it owns its objects. Its links come from the
// document's block pool, so that walking a large sheet reads memory in order.
using CPartList = std::list<std::unique_ptr<CPart>, CBlockAllocator<std::unique_ptr<CPart>>>;

// Told by an object when something the holder indexes changes: its bounds (spatial
// index) or its instance name (name index). The document implements it.
class CPartOwner {
public:
    virtual void OnBoundsChanged(CPart& part, const CRectF& oldBounds) = 0;
    virtual void OnNameChanged(CPart& part) = 0;

protected:
    ~CPartOwner() = default;
};

// Bookkeeping of the document that holds an object; nothing else touches it.
struct CPartSlot {
    CPartList::iterator position;  // valid while `inList`
    bool inList = false;
    uint64_t order = 0;  // grows along the objects list; compares list positions
    // Cells of the spatial index the object is filed under (x0 > x1: none).
    int32_t cellX0 = 1, cellY0 = 1, cellX1 = 0, cellY1 = 0;
    bool large = false;       // filed in the list of objects too large for cells
    size_t largeIndex = 0;    // its place in that list
    uint32_t queryStamp = 0;  // de-duplicates objects met in several cells
    // The name index's chain (elements whose names share a hash) and that hash.
    bool nameIndexed = false;
    uint64_t nameHash = 0;
    CPart* nameNext = nullptr;
    CPart* namePrev = nullptr;
};

// Every object placed on a schematic. Kinds answer the predicates and conversions
// below instead of being dynamic_cast; each has a kind tag used by the files and the
// factory (part_factory.h).
//
// Terminals: an object has one node entry per terminal (empty until connected); its
// terminal positions follow from its placement. Connecting is the document's business
// (ConnectNode / DisconnectNode keep both sides in step).
class CPart {
public:
    enum Tag : uint16_t {
        kTagSimPart = 1,
        kTagWire = 2,
        kTagSubCircuit = 3,
        kTagPort = 4,
        kTagText = 5,
        kTagSimControl = 6,
        kTagLink = 7,
        kTagLabel = 8,
    };
    static constexpr uint32_t kHasTerminals = 0x10;  // kind flag
    static constexpr uint32_t kStateHidden = 0x1;
    static constexpr uint32_t kStateUnresolved = 0x10000;  // dropped by the loader
    static constexpr float kGrid = 10.0f;

    CPart(const CPartEnvironment& environment, uint32_t kindFlags);
    virtual ~CPart();
    CPart(const CPart&) = delete;
    CPart& operator=(const CPart&) = delete;

    // --- Fields ----------------------------------------------------------------------
    // Sequence number given by the document when the object is added (0 before).
    uint32_t GetNumber() const { return m_number; }
    void SetNumber(uint32_t number) { m_number = number; }
    const CRectF& GetBounds() const { return m_bounds; }
    const CPlacement& GetPlacement() const { return m_placement; }
    CPointF GetPosition() const { return {m_placement.x, m_placement.y}; }
    // Sets the placement and recomputes the bounds from the symbol rectangle.
    void SetPlacement(const CPlacement& placement);
    void SetPosition(CPointF position) {
        Offset(position.x - m_placement.x, position.y - m_placement.y);
    }
    uint32_t GetKindFlags() const { return m_kindFlags; }
    uint32_t GetState() const { return m_state; }
    void SetState(uint32_t state) { m_state = state; }
    bool IsHidden() const { return (m_state & kStateHidden) != 0; }
    bool IsUnresolved() const { return (m_state & kStateUnresolved) != 0; }
    void MarkUnresolved() { m_state |= kStateUnresolved; }
    const CPartEnvironment& GetEnvironment() const { return *m_environment; }

    // --- Identity and texts ----------------------------------------------------------
    virtual uint16_t GetTag() const = 0;
    virtual std::string GetKindName() const { return {}; }
    virtual std::string GetName() const { return {}; }
    // The values shown for the object (elements); empty when there are none.
    virtual std::string GetValuesText() const { return {}; }
    // Colour role written into the placement (-1: the kind keeps what it has).
    virtual int GetColorRole() const { return -1; }

    // --- Placement -------------------------------------------------------------------
    // Moves the bounds' top-left corner onto the 10-unit grid (halves away from zero).
    virtual void SnapToGrid();
    // Called before the object is written (a text link takes its owner's number).
    virtual void PrepareForSave() {}
    virtual void Offset(float dx, float dy);
    // Axis 0 mirrors left-right on the sheet, 1 top-bottom, whatever the rotation.
    virtual void Flip(int axis);
    // Turns the position about `centre` by quarter turns and adds them to the rotation.
    virtual void Rotate(CPointF centre, int turns);
    // Bounds and rectangle overlap with positive area (edges that only touch do not).
    bool IntersectsRect(const CRectF& rect) const;
    virtual CRectF GetSymbolRect() const = 0;
    // Recomputes the bounds from the symbol rectangle under the placement.
    void UpdateBounds() { SetBounds(m_placement.PlaceRect(GetSymbolRect())); }

    // --- Terminals -------------------------------------------------------------------
    size_t GetTerminalCount() const { return m_nodes.size(); }
    virtual CPointF GetTerminalPosition(size_t index) const = 0;
    CSimNode* GetNode(size_t index) const;
    // Index of the first terminal holding `node`, or -1.
    int FindNode(const CSimNode* node) const;
    // Net number of terminal `index`'s node; -1 when it has none.
    int32_t GetNodeNumber(size_t index) const;
    bool IsConnectedTo(const CSimNode* node) const { return FindNode(node) >= 0; }
    void ConnectNode(CSimNode& node, size_t index);
    void DisconnectNode(CSimNode& node, size_t index);
    // Leaves every node: DisconnectNode for each terminal, without its cost on objects
    // with thousands of terminals. Gives the nodes it left (each once).
    std::vector<CSimNode*> DisconnectAll();
    // Empties every node entry without telling the nodes: only for a document that is
    // throwing all its nodes away.
    void ForgetNodes() { std::fill(m_nodes.begin(), m_nodes.end(), nullptr); }

    // --- Drawing ---------------------------------------------------------------------
    // Copies of the drawing as shapes, placed by the placement and moved by -origin.
    virtual void AppendShapes(CShapeList& shapes, CPointF origin) const = 0;
    virtual void Draw(CCanvas& canvas) const { DrawWith(canvas, m_placement); }
    virtual void DrawWith(CCanvas& canvas, const CPlacement& placement) const = 0;

    // --- Records ---------------------------------------------------------------------
    // The common record (number, bounds, placement, state, kind flags); kinds add their
    // own fields after calling this.
    virtual void Serialize(CRecordBuffer& buffer, CSerialContext& context);
    // Appends the object's netlist line; 0 when it writes none.
    virtual int WriteNetlistLine(std::string& /*out*/, const std::string& /*prefix*/) const {
        return 0;
    }

    // --- Kinds -----------------------------------------------------------------------
    virtual bool IsSimPart() const { return false; }
    virtual bool IsGround() const { return false; }
    virtual bool IsWire() const { return false; }
    virtual bool IsSubCircuit() const { return false; }
    virtual bool IsPort() const { return false; }
    virtual bool IsText() const { return false; }
    virtual bool IsSimControl() const { return false; }
    virtual bool IsLink() const { return false; }
    virtual bool IsLabel() const { return false; }
    // The object as its kind, or null when it is another kind.
    CSimPart* AsSimPart();
    CWire* AsWire();
    CSubCirPart* AsSubCircuit();
    CSimTerm* AsPort();
    CSimText* AsText();
    CSimControl* AsSimControl();
    CSimLink* AsLink();
    CSimLabel* AsLabel();
    const CSimPart* AsSimPart() const { return const_cast<CPart*>(this)->AsSimPart(); }
    const CSubCirPart* AsSubCircuit() const { return const_cast<CPart*>(this)->AsSubCircuit(); }
    const CSimLink* AsLink() const { return const_cast<CPart*>(this)->AsLink(); }
    virtual bool IsVertical() const { return false; }
    // The library element the object is drawn from, if any.
    virtual const CLibElement* GetElement() const { return nullptr; }

    // --- Text links (elements) -------------------------------------------------------
    virtual size_t GetLinkCount() const { return 0; }
    virtual CSimLink* GetLink(size_t /*index*/) const { return nullptr; }
    virtual CSimLink* FindLink(size_t /*attributeIndex*/) const { return nullptr; }
    virtual int AddLink(CSimLink& /*link*/) { return -1; }
    virtual CSimLink* RemoveLink(CSimLink& /*link*/) { return nullptr; }

    // --- Document bookkeeping --------------------------------------------------------
    CPartOwner* GetOwner() const { return m_owner; }
    void SetOwner(CPartOwner* owner) { m_owner = owner; }
    CPartSlot& Slot() { return m_slot; }
    const CPartSlot& Slot() const { return m_slot; }

protected:
    void SetBounds(const CRectF& bounds);
    CPlacement& MutablePlacement() { return m_placement; }
    // Empties the node entries and gives the object `count` terminals; the object must
    // not be connected (the document disconnects it first).
    void ResetTerminals(size_t count) { m_nodes.assign(count, nullptr); }
    void NameChanged() {
        if (m_owner) m_owner->OnNameChanged(*this);
    }
    // Writes the kind's colour role into the placement.
    void ApplyColorRole();

private:
    const CPartEnvironment* m_environment;
    uint32_t m_number = 0;
    CRectF m_bounds;
    CPlacement m_placement;
    uint32_t m_kindFlags;
    uint32_t m_state = 0;
    CNodeSlots m_nodes;
    CPartOwner* m_owner = nullptr;
    CPartSlot m_slot;
};

// Rounds a coordinate to the nearest multiple of the grid, halves away from zero.
float SnapCoordinate(float value, float grid = CPart::kGrid);

}  // namespace kestro
