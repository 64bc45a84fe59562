#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/library/library_fonts.h"
#include "core/library/placement.h"
#include "core/platform/canvas.h"
#include "core/platform/geometry.h"

namespace kestro {

class CRecordBuffer;

// Where shapes that are created or read take their fonts from: symbol texts from the
// library's four fonts, new free texts from the settings' default text font.
struct CShapeContext {
    const CLibraryFonts* libraryFonts = nullptr;  // null: the start-up fonts
    CLogicalFont defaultTextFont{"Courier New", -16, 400, false};

    // Library font 0 to 3; any other number is font 0.
    const CLibraryFont& LibraryFont(int index) const;
};

// One drawing primitive of a symbol, in symbol units (y grows downwards).
class CShape {
public:
    // Type codes, as the library file stores them before each shape record.
    static constexpr uint16_t kLine = 101;
    static constexpr uint16_t kEllipse = 201;
    static constexpr uint16_t kArc = 301;
    static constexpr uint16_t kText = 401;
    static constexpr uint16_t kTextAdvance = 422;
    static constexpr uint16_t kRect = 501;
    static constexpr uint16_t kPoly = 601;

    CShape() = default;
    virtual ~CShape() = default;
    CShape(const CShape&) = default;
    CShape& operator=(const CShape&) = delete;

    virtual uint16_t GetTypeCode() const = 0;
    // Normalised bounding rectangle.
    virtual CRectF GetBounds() const = 0;
    // The defining rectangle as stored (a line: its end points, unnormalised).
    virtual CRectF GetRect() const = 0;
    virtual void SetRect(const CRectF& rect) = 0;
    // Applies a placement to the geometry in place.
    virtual void Transform(const CPlacement& placement) = 0;
    virtual void Offset(float dx, float dy) = 0;
    // One quarter turn about a centre: (x, y) becomes (cx + (y - cy), cy - (x - cx)).
    virtual void Rotate90(CPointF centre) = 0;
    // Draws under a placement; the pen colour is the placement's colour role.
    virtual void Draw(CCanvas& canvas, const CPlacement& placement) const = 0;
    virtual std::unique_ptr<CShape> Clone() const = 0;
    // Reads or writes the shape's record (without its type code), following the
    // buffer's direction and version.
    virtual void Serialize(CRecordBuffer& buffer, const CShapeContext& context) = 0;

    // A copy placed by `placement`, then moved by minus `origin`.
    std::unique_ptr<CShape> CloneTransformed(const CPlacement& placement, CPointF origin) const;
};

using CShapeList = std::vector<std::unique_ptr<CShape>>;

// A new shape of the kind a type code names, with zero geometry; null for an unknown code.
std::unique_ptr<CShape> CreateShape(uint16_t typeCode, const CShapeContext& context);

// The shape list of a symbol: u32 count, then per shape u16 type code and its record.
// Loading empties the list first; an unknown type code creates nothing.
void SerializeShapes(CRecordBuffer& buffer, CShapeList& shapes, const CShapeContext& context);

CShapeList CloneShapes(const CShapeList& shapes);

// --- Helpers the shapes share ---------------------------------------------------------

// Device rectangle of placed logical corners: normalised, right and bottom plus 1.
CRectI DeviceBox(const CCanvas& canvas, const CRectF& placed);
// The rectangle with both corners turned about the origin, normalised.
CRectF TurnRect(const CRectF& r, int turns);

}  // namespace kestro
